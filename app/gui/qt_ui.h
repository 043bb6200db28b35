// QtUi: the Ui port on Qt. Message boxes, file and folder dialogs, the nest-name dialog, status
// panels, the busy pointer, event handling, raising the main window, activating another
// program's window and opening addresses; and running long work off the window's thread.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "core/ui_port.h"

namespace tv::gui {

class QtUi : public core::Ui {
 public:
  QtUi() = default;
  ~QtUi() override;
  QtUi(const QtUi&) = delete;
  QtUi& operator=(const QtUi&) = delete;

  // The window the boxes and dialogs belong to, whose status bar holds the panels (QLabels named
  // after their keys) and which RaiseMainWindow brings to the front.
  void SetMainWindow(QWidget* window) { mainWindow_ = window; }
  // Dialogs that other windows build: the configuration-file dialog and closing the splash.
  void SetConfigFileDialog(std::function<void()> show) { configFileDialog_ = std::move(show); }
  void SetSplashCloser(std::function<void()> close) { splashCloser_ = std::move(close); }
  void SetPrintSetupDialog(std::function<std::optional<core::PrintSetup>()> ask) {
    printSetup_ = std::move(ask);
  }

  // Ui
  core::MsgResult Message(const std::string& text, const std::string& title, core::MsgIcon icon,
                          core::MsgButtons buttons) override;
  std::optional<std::string> ChooseFolder(const std::string& title, const std::string& prompt,
                                          const std::string& startFolder) override;
  std::optional<std::string> ChooseFolderFollowing(
      const std::string& title, const std::string& prompt, const std::string& startFolder,
      const std::function<void(const std::string&)>& selectionChanged) override;
  std::optional<std::string> ChooseFileToOpen(const FileChoice& choice) override;
  std::optional<std::string> ChooseFileToSave(const FileChoice& choice) override;
  double TimeOfDay() override;
  void WaitWithoutEvents(double seconds) override;
  void CloseSplash() override;
  void ShowConfigFileDialog() override;
  std::string AskNestName(const std::string& proposedName,
                          const std::function<void()>& clearNestDir) override;
  // Without a print set-up dialog set nothing is chosen (the print command prints nothing).
  std::optional<core::PrintSetup> AskPrintSetup() override;
  void SetStatus(core::StatusPanel panel, const std::string& text) override;
  void SetPointer(core::Pointer pointer) override;
  void ProcessEvents() override;
  // Runs work on a worker thread to its end while this thread keeps handling window events
  // (paint, status texts, timers), so the window never stops answering.
  void RunWhileHandlingEvents(const std::function<void()>& work) override;
  void RaiseMainWindow() override;
  void ActivateWindowByTitle(const std::string& title) override;
  void OpenUrl(const std::string& url) override;

 private:
  std::optional<std::string> ChooseFile(bool save, const FileChoice& choice);

  QPointer<QWidget> mainWindow_;
  std::function<void()> configFileDialog_;
  std::function<void()> splashCloser_;
  std::function<std::optional<core::PrintSetup>()> printSetup_;
  bool busy_ = false;
};

// A text of the logic as a box shows it: CR LF and a lone CR are line breaks.
QString BoxText(const std::string& text);
// The type list as the file dialog shows it, each pattern offered in both cases ("PRC (*.prc
// *.PRC)"), since names on this system are case-sensitive. A caption that names its patterns in
// parentheses shows the ones really matched instead.
QStringList DialogFilters(const std::vector<core::FileFilter>& filters);

}  // namespace tv::gui
