// The Ui port: every interaction that needs a person or the window system. The Qt
// program implements it in app/gui; tests use ScriptedUi (tests/testing/scripted_ui.h).
//
// How failures travel, everywhere in the program: the platform layers answer bool with an error
// text (component calls a Status); the app procedures let no exception escape, and a failure
// the user should know of reaches this port or the caller's error text, never nothing. What
// happened is told by an enum, not by a number.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tv::core {

enum class MsgIcon { None, Information, Warning, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

// Which mouse pointer the program shows.
enum class Pointer { Normal, Busy };

// What the print set-up dialog chose, in the program's printer codes (printing/printer_codes.h):
// orientation 1 portrait, 2 landscape; the printer's device name, paper bin and paper size.
struct PrintSetup {
  int orientation = 1;
  std::string deviceName;
  int paperBin = 7;
  int paperSize = 1;
  bool operator==(const PrintSetup&) const = default;
};

// The main window's status-bar panels that the program writes, by their keys.
enum class StatusPanel { Progress, ZoomState, X, Y, ZoomPct };
// The panel's key: "Progress", "ZoomState", "X", "Y", "ZoomPct".
inline const char* StatusPanelKey(StatusPanel panel) {
  switch (panel) {
    case StatusPanel::Progress:
      return "Progress";
    case StatusPanel::ZoomState:
      return "ZoomState";
    case StatusPanel::X:
      return "X";
    case StatusPanel::Y:
      return "Y";
    case StatusPanel::ZoomPct:
      return "ZoomPct";
  }
  return "";
}

// One entry of a file dialog's type list: its caption and the name patterns it matches
// ("PRC files", {"*.prc"}); a dialog matches the patterns in either case.
struct FileFilter {
  std::string caption;
  std::vector<std::string> patterns;
  bool operator==(const FileFilter&) const = default;
};

class Ui {
 public:
  virtual ~Ui() = default;

  // A modal message box. An empty title shows the program's title. CR and CR LF in the
  // text are line breaks; trailing blanks are kept. Returns the button pressed.
  virtual MsgResult Message(const std::string& text, const std::string& title, MsgIcon icon,
                            MsgButtons buttons) = 0;

  // Shorthand for a box with only an OK button.
  void Tell(const std::string& text, const std::string& title, MsgIcon icon = MsgIcon::None) {
    Message(text, title, icon, MsgButtons::Ok);
  }
  // Yes/No question; true when the answer is Yes.
  bool Ask(const std::string& text, const std::string& title, MsgIcon icon = MsgIcon::Question) {
    return Message(text, title, icon, MsgButtons::YesNo) == MsgResult::Yes;
  }

  // Modal folder choice starting at startFolder; nullopt when cancelled.
  virtual std::optional<std::string> ChooseFolder(const std::string& title, const std::string& prompt,
                                                  const std::string& startFolder) = 0;
  // The same dialog, calling selectionChanged with each folder the selection moves to while it
  // is open, so the caller can follow the selection live.
  virtual std::optional<std::string> ChooseFolderFollowing(
      const std::string& title, const std::string& prompt, const std::string& startFolder,
      const std::function<void(const std::string&)>& selectionChanged) = 0;

  // The open-file and save-file dialogs (work-list files and the like). nullopt when cancelled.
  struct FileChoice {
    std::string title;
    std::string fileName;             // proposed name; empty for none
    std::vector<FileFilter> filters;  // the type list, first entry chosen
    std::string defaultExt;           // ".PRC": appended to a typed name without an extension; may be empty
    std::string startFolder;          // the folder the dialog opens in
  };
  virtual std::optional<std::string> ChooseFileToOpen(const FileChoice& choice) = 0;
  virtual std::optional<std::string> ChooseFileToSave(const FileChoice& choice) = 0;

  // The start-up splash: the clock its start time is taken from (seconds since local
  // midnight), a wait that handles no window event at all, and closing it.
  virtual double TimeOfDay() = 0;
  virtual void WaitWithoutEvents(double seconds) = 0;
  virtual void CloseSplash() = 0;

  // The configuration-file dialog, modal. Its logic lives in the settings module (its
  // activation, OK and Cancel functions), which the dialog calls; ChosenConfigPath tells the
  // caller what was picked.
  virtual void ShowConfigFileDialog() = 0;

  // The nest-name dialog ("Nest Name"), modal: proposedName shown selected in its box;
  // clearNestDir runs each time "Clear Nest Dir" is pressed (the dialog stays open). Returns
  // the box's text after OK, unchanged, and "" after Cancel or when the dialog is closed
  // otherwise.
  virtual std::string AskNestName(const std::string& proposedName,
                                  const std::function<void()>& clearNestDir) = 0;

  // The print set-up dialog, modal, before every print command; its choice also becomes the
  // printer's. nullopt after Cancel: the command prints nothing.
  virtual std::optional<PrintSetup> AskPrintSetup() = 0;

  // Status-bar panel text.
  virtual void SetStatus(StatusPanel panel, const std::string& text) = 0;
  virtual void SetPointer(Pointer pointer) = 0;
  // Lets the window system handle pending events (timer ticks included).
  virtual void ProcessEvents() = 0;
  // Runs work, which may take seconds and touches nothing the window shows, to its end while
  // the window keeps handling its events (a window back end runs it on a worker thread, so the
  // window never stops answering). Returns when the work is done; rethrows what it threw.
  virtual void RunWhileHandlingEvents(const std::function<void()>& work) = 0;
  // Brings the main window to the front (briefly topmost).
  virtual void RaiseMainWindow() = 0;
  // Activates another program's top-level window by its title; failures are ignored.
  virtual void ActivateWindowByTitle(const std::string& title) = 0;
  virtual void OpenUrl(const std::string& url) = 0;
};

}  // namespace tv::core
