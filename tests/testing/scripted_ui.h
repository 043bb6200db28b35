// A Ui for tests: records every message, status text and pointer change, answers questions and
// folder choices from queues the test fills, and fails the test on a question it did not expect.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/ui_port.h"

namespace tv::test_support {

using core::MsgButtons;
using core::MsgIcon;
using core::MsgResult;
using core::Pointer;
using core::StatusPanel;
using core::StatusPanelKey;
using core::Ui;

struct RecordedMessage {
  std::string text;
  std::string title;
  MsgIcon icon = MsgIcon::None;
  MsgButtons buttons = MsgButtons::Ok;
  MsgResult answer = MsgResult::Ok;  // what the box returned

  bool IsQuestion() const { return buttons != MsgButtons::Ok; }
};

struct RecordedFolderChoice {
  std::string title;
  std::string prompt;
  std::string startFolder;
  std::optional<std::string> answer;
};

struct RecordedFileChoice {
  bool save = false;  // the save-file dialog, else the open-file one
  Ui::FileChoice choice;
  std::optional<std::string> answer;
};

class ScriptedUi : public Ui {
 public:
  ScriptedUi() = default;
  // Fails the test when an expected question or folder choice never came.
  ~ScriptedUi() override;
  ScriptedUi(const ScriptedUi&) = delete;
  ScriptedUi& operator=(const ScriptedUi&) = delete;

  // Queues the answer to the next question (any message with buttons other than OK). A
  // non-empty fragment must occur in the question's text. Questions take the queued answers in
  // order; a question with nothing queued fails the test and gets Cancel (or No).
  ScriptedUi& ExpectQuestion(std::string fragment, MsgResult answer);
  ScriptedUi& ExpectQuestion(MsgResult answer) { return ExpectQuestion({}, answer); }
  // Queues the result of the next ChooseFolder: a folder, or nullopt for Cancel.
  ScriptedUi& ExpectFolderChoice(std::optional<std::string> folder, std::string promptFragment = {});
  // Folders the selection of the next ChooseFolderFollowing moves to, in order, before the
  // dialog closes with its queued result.
  ScriptedUi& MoveFolderSelection(std::vector<std::string> folders);
  // Queues the result of the next ChooseFileToOpen or ChooseFileToSave: a path, or nullopt for
  // Cancel. A non-empty fragment must occur in the dialog's title.
  ScriptedUi& ExpectFileChoice(std::optional<std::string> path, std::string titleFragment = {});
  // Queues the reply of the next nest-name dialog ("" is Cancel); with pressClear the dialog's
  // "Clear Nest Dir" is pressed before it closes.
  ScriptedUi& ExpectNestName(std::string reply, bool pressClear = false);
  // Queues the result of the next print set-up dialog: a choice, or nullopt for Cancel.
  ScriptedUi& ExpectPrintSetup(std::optional<core::PrintSetup> setup);
  int PrintSetupCalls() const { return printSetupCalls_; }
  // Answers still waiting for their question.
  std::size_t PendingAnswers() const {
    return answers_.size() + folders_.size() + files_.size() + nestNames_.size() + printSetups_.size();
  }
  // The names the nest-name dialogs proposed, in order.
  const std::vector<std::string>& ProposedNestNames() const { return proposedNestNames_; }

  // Every message box in order, questions included.
  const std::vector<RecordedMessage>& Messages() const { return messages_; }
  // The last message box; fails the test (and returns an empty record) when there was none.
  const RecordedMessage& LastMessage() const;
  // Number of message boxes whose text contains fragment.
  std::size_t CountMessages(const std::string& fragment) const;
  void ClearMessages() { messages_.clear(); }

  const std::vector<RecordedFolderChoice>& FolderChoices() const { return folderChoices_; }
  // Every file dialog shown, in order.
  const std::vector<RecordedFileChoice>& FileChoices() const { return fileChoices_; }

  // The scripted clock: TimeOfDay answers it; a wait moves it on (past midnight to 0).
  void SetTimeOfDay(double seconds) { timeOfDay_ = seconds; }
  const std::vector<double>& Waits() const { return waits_; }
  int SplashCloseCalls() const { return splashCloseCalls_; }

  // Current text of a status panel ("" when never set) and every text set, in order, by the
  // panels' keys.
  std::string Status(const std::string& panelKey) const;
  std::string Status(StatusPanel panel) const { return Status(StatusPanelKey(panel)); }
  const std::vector<std::pair<std::string, std::string>>& StatusHistory() const { return statusHistory_; }

  Pointer CurrentPointer() const { return pointer_; }
  const std::vector<Pointer>& PointerHistory() const { return pointerHistory_; }

  // ProcessEvents calls so far; the hook runs on each call (a test uses it to deliver timer
  // ticks or to change state while a loop waits).
  int ProcessEventsCalls() const { return processEventsCalls_; }
  void SetProcessEventsHook(std::function<void()> hook) { processEventsHook_ = std::move(hook); }
  // Work run through RunWhileHandlingEvents so far (run at once, on the caller's thread).
  int BackgroundWorkCalls() const { return backgroundWorkCalls_; }

  // What the configuration-file dialog does when it is shown (a test picks there, as the
  // dialog's OK or Cancel would); a dialog shown without it fails the test.
  void SetConfigFileDialog(std::function<void()> dialog) { configFileDialog_ = std::move(dialog); }

  int RaiseCalls() const { return raiseCalls_; }
  const std::vector<std::string>& ActivatedTitles() const { return activatedTitles_; }
  const std::vector<std::string>& OpenedUrls() const { return openedUrls_; }

  // Ui
  MsgResult Message(const std::string& text, const std::string& title, MsgIcon icon,
                    MsgButtons buttons) override;
  std::optional<std::string> ChooseFolder(const std::string& title, const std::string& prompt,
                                          const std::string& startFolder) override;
  std::optional<std::string> ChooseFolderFollowing(
      const std::string& title, const std::string& prompt, const std::string& startFolder,
      const std::function<void(const std::string&)>& selectionChanged) override;
  std::optional<std::string> ChooseFileToOpen(const FileChoice& choice) override;
  std::optional<std::string> ChooseFileToSave(const FileChoice& choice) override;
  double TimeOfDay() override { return timeOfDay_; }
  void WaitWithoutEvents(double seconds) override;
  void CloseSplash() override { ++splashCloseCalls_; }
  std::string AskNestName(const std::string& proposedName,
                          const std::function<void()>& clearNestDir) override;
  std::optional<core::PrintSetup> AskPrintSetup() override;
  void ShowConfigFileDialog() override;
  void SetStatus(StatusPanel panel, const std::string& text) override;
  void SetPointer(Pointer pointer) override;
  void ProcessEvents() override;
  void RunWhileHandlingEvents(const std::function<void()>& work) override;
  void RaiseMainWindow() override { ++raiseCalls_; }
  void ActivateWindowByTitle(const std::string& title) override { activatedTitles_.push_back(title); }
  void OpenUrl(const std::string& url) override { openedUrls_.push_back(url); }

 private:
  struct ExpectedAnswer {
    std::string fragment;
    MsgResult answer;
  };
  struct ExpectedFolder {
    std::optional<std::string> folder;
    std::string fragment;
  };

  struct ExpectedFile {
    std::optional<std::string> path;
    std::string fragment;
  };
  std::optional<std::string> ChooseFile(bool save, const FileChoice& choice);

  struct ExpectedNestName {
    std::string reply;
    bool pressClear = false;
  };
  std::deque<std::optional<core::PrintSetup>> printSetups_;
  int printSetupCalls_ = 0;
  std::deque<ExpectedNestName> nestNames_;
  std::vector<std::string> proposedNestNames_;
  std::vector<std::string> folderMoves_;
  std::deque<ExpectedAnswer> answers_;
  std::deque<ExpectedFile> files_;
  std::vector<RecordedFileChoice> fileChoices_;
  double timeOfDay_ = 12 * 3600;
  std::vector<double> waits_;
  int splashCloseCalls_ = 0;
  std::deque<ExpectedFolder> folders_;
  std::vector<RecordedMessage> messages_;
  std::vector<RecordedFolderChoice> folderChoices_;
  std::map<std::string, std::string> status_;
  std::vector<std::pair<std::string, std::string>> statusHistory_;
  Pointer pointer_ = Pointer::Normal;
  std::vector<Pointer> pointerHistory_;
  int processEventsCalls_ = 0;
  int backgroundWorkCalls_ = 0;
  std::function<void()> configFileDialog_;
  std::function<void()> processEventsHook_;
  int raiseCalls_ = 0;
  std::vector<std::string> activatedTitles_;
  std::vector<std::string> openedUrls_;
};

// Readable names in test failure messages.
const char* ToString(MsgResult result);
const char* ToString(MsgButtons buttons);
const char* ToString(MsgIcon icon);

}  // namespace tv::test_support
