#include "testing/scripted_ui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace tv::test_support {
namespace {

bool Offers(MsgButtons buttons, MsgResult result) {
  switch (buttons) {
    case MsgButtons::Ok:
      return result == MsgResult::Ok;
    case MsgButtons::OkCancel:
      return result == MsgResult::Ok || result == MsgResult::Cancel;
    case MsgButtons::YesNo:
      return result == MsgResult::Yes || result == MsgResult::No;
    case MsgButtons::YesNoCancel:
      return result == MsgResult::Yes || result == MsgResult::No || result == MsgResult::Cancel;
  }
  return false;
}

// The answer least likely to do something: what a person closing the box would get.
MsgResult Refusal(MsgButtons buttons) {
  return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
}

}  // namespace

const char* ToString(MsgResult result) {
  switch (result) {
    case MsgResult::Ok:
      return "Ok";
    case MsgResult::Cancel:
      return "Cancel";
    case MsgResult::Yes:
      return "Yes";
    case MsgResult::No:
      return "No";
  }
  return "?";
}

const char* ToString(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::Ok:
      return "Ok";
    case MsgButtons::OkCancel:
      return "OkCancel";
    case MsgButtons::YesNo:
      return "YesNo";
    case MsgButtons::YesNoCancel:
      return "YesNoCancel";
  }
  return "?";
}

const char* ToString(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::None:
      return "None";
    case MsgIcon::Information:
      return "Information";
    case MsgIcon::Warning:
      return "Warning";
    case MsgIcon::Critical:
      return "Critical";
    case MsgIcon::Question:
      return "Question";
  }
  return "?";
}

ScriptedUi::~ScriptedUi() {
  for (const ExpectedAnswer& expected : answers_) {
    ADD_FAILURE() << "Expected question never asked: \"" << expected.fragment << "\" (answer "
                  << ToString(expected.answer) << ")";
  }
  for (const ExpectedFolder& expected : folders_) {
    ADD_FAILURE() << "Expected folder choice never made: \"" << expected.fragment << "\"";
  }
  for (const ExpectedFile& expected : files_) {
    ADD_FAILURE() << "Expected file choice never made: \"" << expected.fragment << "\"";
  }
  for (const ExpectedNestName& expected : nestNames_) {
    ADD_FAILURE() << "Expected nest-name dialog never shown (reply \"" << expected.reply << "\")";
  }
  if (!printSetups_.empty())
    ADD_FAILURE() << printSetups_.size() << " expected print set-up dialog(s) never shown";
}

ScriptedUi& ScriptedUi::ExpectPrintSetup(std::optional<core::PrintSetup> setup) {
  printSetups_.push_back(std::move(setup));
  return *this;
}

std::optional<core::PrintSetup> ScriptedUi::AskPrintSetup() {
  ++printSetupCalls_;
  if (printSetups_.empty()) {
    ADD_FAILURE() << "Unexpected print set-up dialog";
    return std::nullopt;
  }
  auto setup = printSetups_.front();
  printSetups_.pop_front();
  return setup;
}

ScriptedUi& ScriptedUi::ExpectNestName(std::string reply, bool pressClear) {
  nestNames_.push_back({std::move(reply), pressClear});
  return *this;
}

std::string ScriptedUi::AskNestName(const std::string& proposedName,
                                    const std::function<void()>& clearNestDir) {
  proposedNestNames_.push_back(proposedName);
  if (nestNames_.empty()) {
    ADD_FAILURE() << "Unexpected nest-name dialog proposing \"" << proposedName << "\"";
    return {};
  }
  const ExpectedNestName expected = nestNames_.front();
  nestNames_.pop_front();
  if (expected.pressClear && clearNestDir) clearNestDir();
  return expected.reply;
}

ScriptedUi& ScriptedUi::ExpectQuestion(std::string fragment, MsgResult answer) {
  answers_.push_back({std::move(fragment), answer});
  return *this;
}

ScriptedUi& ScriptedUi::ExpectFolderChoice(std::optional<std::string> folder, std::string promptFragment) {
  folders_.push_back({std::move(folder), std::move(promptFragment)});
  return *this;
}

ScriptedUi& ScriptedUi::ExpectFileChoice(std::optional<std::string> path, std::string titleFragment) {
  files_.push_back({std::move(path), std::move(titleFragment)});
  return *this;
}

const RecordedMessage& ScriptedUi::LastMessage() const {
  static const RecordedMessage none{};
  if (messages_.empty()) {
    ADD_FAILURE() << "No message was shown";
    return none;
  }
  return messages_.back();
}

std::size_t ScriptedUi::CountMessages(const std::string& fragment) const {
  return static_cast<std::size_t>(
      std::count_if(messages_.begin(), messages_.end(),
                    [&](const RecordedMessage& m) { return m.text.find(fragment) != std::string::npos; }));
}

MsgResult ScriptedUi::Message(const std::string& text, const std::string& title, MsgIcon icon,
                              MsgButtons buttons) {
  RecordedMessage message{text, title, icon, buttons, MsgResult::Ok};
  if (message.IsQuestion()) {
    if (answers_.empty()) {
      message.answer = Refusal(buttons);
      ADD_FAILURE() << "Unexpected question (" << ToString(buttons) << ", title \"" << title << "\"): \""
                    << text << "\"; answered " << ToString(message.answer);
    } else {
      const ExpectedAnswer expected = answers_.front();
      answers_.pop_front();
      message.answer = expected.answer;
      if (text.find(expected.fragment) == std::string::npos) {
        ADD_FAILURE() << "Question \"" << text << "\" does not contain the expected \"" << expected.fragment
                      << "\"";
      }
      if (!Offers(buttons, expected.answer)) {
        ADD_FAILURE() << "Queued answer " << ToString(expected.answer) << " is not a button of "
                      << ToString(buttons) << " for \"" << text << "\"";
        message.answer = Refusal(buttons);
      }
    }
  }
  messages_.push_back(message);
  return message.answer;
}

std::optional<std::string> ScriptedUi::ChooseFolder(const std::string& title, const std::string& prompt,
                                                    const std::string& startFolder) {
  RecordedFolderChoice choice{title, prompt, startFolder, std::nullopt};
  if (folders_.empty()) {
    ADD_FAILURE() << "Unexpected folder choice \"" << title << "\": \"" << prompt << "\"; cancelled";
  } else {
    ExpectedFolder expected = folders_.front();
    folders_.pop_front();
    if (prompt.find(expected.fragment) == std::string::npos) {
      ADD_FAILURE() << "Folder prompt \"" << prompt << "\" does not contain the expected \""
                    << expected.fragment << "\"";
    }
    choice.answer = expected.folder;
  }
  folderChoices_.push_back(choice);
  return choice.answer;
}

std::optional<std::string> ScriptedUi::ChooseFile(bool save, const FileChoice& choice) {
  RecordedFileChoice record{save, choice, std::nullopt};
  if (files_.empty()) {
    ADD_FAILURE() << "Unexpected file dialog \"" << choice.title << "\"; cancelled";
  } else {
    ExpectedFile expected = files_.front();
    files_.pop_front();
    if (choice.title.find(expected.fragment) == std::string::npos) {
      ADD_FAILURE() << "File dialog \"" << choice.title << "\" does not contain the expected \""
                    << expected.fragment << "\"";
    }
    record.answer = expected.path;
  }
  fileChoices_.push_back(record);
  return record.answer;
}

std::optional<std::string> ScriptedUi::ChooseFileToOpen(const FileChoice& choice) {
  return ChooseFile(false, choice);
}

std::optional<std::string> ScriptedUi::ChooseFileToSave(const FileChoice& choice) {
  return ChooseFile(true, choice);
}

void ScriptedUi::WaitWithoutEvents(double seconds) {
  waits_.push_back(seconds);
  timeOfDay_ = std::fmod(timeOfDay_ + seconds, 86400.0);
}

ScriptedUi& ScriptedUi::MoveFolderSelection(std::vector<std::string> folders) {
  folderMoves_ = std::move(folders);
  return *this;
}

std::optional<std::string> ScriptedUi::ChooseFolderFollowing(
    const std::string& title, const std::string& prompt, const std::string& startFolder,
    const std::function<void(const std::string&)>& selectionChanged) {
  std::vector<std::string> moves;
  moves.swap(folderMoves_);
  if (selectionChanged) {
    for (const std::string& folder : moves) selectionChanged(folder);
  }
  return ChooseFolder(title, prompt, startFolder);
}

void ScriptedUi::ShowConfigFileDialog() {
  if (!configFileDialog_) {
    ADD_FAILURE() << "Unexpected configuration-file dialog";
    return;
  }
  configFileDialog_();
}

void ScriptedUi::SetStatus(StatusPanel panel, const std::string& text) {
  const std::string key = StatusPanelKey(panel);
  status_[key] = text;
  statusHistory_.emplace_back(key, text);
}

void ScriptedUi::RunWhileHandlingEvents(const std::function<void()>& work) {
  ++backgroundWorkCalls_;
  work();
}

std::string ScriptedUi::Status(const std::string& panelKey) const {
  const auto found = status_.find(panelKey);
  return found == status_.end() ? std::string() : found->second;
}

void ScriptedUi::SetPointer(Pointer pointer) {
  pointer_ = pointer;
  pointerHistory_.push_back(pointer);
}

void ScriptedUi::ProcessEvents() {
  ++processEventsCalls_;
  if (processEventsHook_) processEventsHook_();
}

}  // namespace tv::test_support
