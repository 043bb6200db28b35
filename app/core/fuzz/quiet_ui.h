// A Ui for fuzz targets and their replay tests: no person, no window. It counts the messages
// shown (so a check can ask whether a failure was reported), answers every question with No
// or Cancel, and picks the file the check names in the file dialogs.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/ui_port.h"

namespace tv::core {

class QuietUi : public Ui {
 public:
  int MessageCount = 0;
  std::string LastMessage;
  std::optional<std::string> FileToOpen;
  std::optional<std::string> FileToSave;
  std::function<void()> ConfigFileDialog;  // what picking in the configuration-file dialog does

  MsgResult Message(const std::string& text, const std::string&, MsgIcon, MsgButtons buttons) override {
    ++MessageCount;
    LastMessage = text;
    switch (buttons) {
      case MsgButtons::Ok:
        return MsgResult::Ok;
      case MsgButtons::OkCancel:
      case MsgButtons::YesNoCancel:
        return MsgResult::Cancel;
      case MsgButtons::YesNo:
        return MsgResult::No;
    }
    return MsgResult::Cancel;
  }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&,
                                          const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseFolderFollowing(const std::string&, const std::string&, const std::string&,
                                                   const std::function<void(const std::string&)>&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseFileToOpen(const FileChoice&) override { return FileToOpen; }
  std::optional<std::string> ChooseFileToSave(const FileChoice&) override { return FileToSave; }
  double TimeOfDay() override { return 0; }
  void WaitWithoutEvents(double) override {}
  void CloseSplash() override {}
  void ShowConfigFileDialog() override {
    if (ConfigFileDialog) ConfigFileDialog();
  }
  std::string AskNestName(const std::string&, const std::function<void()>&) override { return {}; }
  std::optional<PrintSetup> AskPrintSetup() override { return std::nullopt; }
  void SetStatus(StatusPanel, const std::string&) override {}
  void RunWhileHandlingEvents(const std::function<void()>& work) override { work(); }
  void SetPointer(Pointer) override {}
  void ProcessEvents() override {}
  void RaiseMainWindow() override {}
  void ActivateWindowByTitle(const std::string&) override {}
  void OpenUrl(const std::string&) override {}
};

}  // namespace tv::core
