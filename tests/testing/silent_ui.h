// A Ui with nobody at the keyboard, for benchmarks: every dialog is cancelled, every question
// answered No, and nothing is shown. A benchmark overrides only what its job needs answered.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/ui_port.h"

namespace tv::test_support {

class SilentUi : public core::Ui {
 public:
  core::MsgResult Message(const std::string&, const std::string&, core::MsgIcon,
                          core::MsgButtons buttons) override {
    return buttons == core::MsgButtons::Ok ? core::MsgResult::Ok : core::MsgResult::No;
  }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&,
                                          const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseFolderFollowing(const std::string&, const std::string&, const std::string&,
                                                   const std::function<void(const std::string&)>&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseFileToOpen(const FileChoice&) override { return std::nullopt; }
  std::optional<std::string> ChooseFileToSave(const FileChoice&) override { return std::nullopt; }
  double TimeOfDay() override { return 0; }
  void WaitWithoutEvents(double) override {}
  void CloseSplash() override {}
  void ShowConfigFileDialog() override {}
  std::string AskNestName(const std::string&, const std::function<void()>&) override { return {}; }
  std::optional<core::PrintSetup> AskPrintSetup() override { return std::nullopt; }
  void SetStatus(core::StatusPanel, const std::string&) override {}
  void SetPointer(core::Pointer) override {}
  void ProcessEvents() override {}
  void RunWhileHandlingEvents(const std::function<void()>& work) override { work(); }
  void RaiseMainWindow() override {}
  void ActivateWindowByTitle(const std::string&) override {}
  void OpenUrl(const std::string&) override {}
};

}  // namespace tv::test_support
