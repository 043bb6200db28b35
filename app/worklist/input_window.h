// The input window's logic without its widgets: the start-up load, the source folder and its
// dialog, the clicks on the drawing lists and the work-list grid, and the popup requests.
#pragma once

#include <string>

#include "core/program.h"

namespace tv::worklist {

enum class InputWindowLoad { Loaded, NoConfiguration };

// The window's load at start-up: configuration file (INI [Config] CfgFile, else "Tavo.CFG",
// else "Plat.CFG"), settings, splash, tolerance, source folder, default nest and CSV folders,
// the nest list and a stale batch request. NoConfiguration after the "Configuration file not
// found" message: the program must end.
InputWindowLoad InputWindow_Load(core::Program& program);

// Connects the work-list grid's events to the handlers below.
void InstallWorkListEvents(core::Program& program);

// The source folder box changed: the source list follows it, or is hidden ("Invalid Path")
// when the folder cannot be shown.
void SPath_Change(core::Program& program, const std::string& text);
// The box got the focus: nothing in the source list stays selected.
void SPath_GotFocus(core::Program& program);

// "Path...": the folder dialog for the source folder. Cancel restores the folder shown before;
// either way the folder is remembered in the INI file. The batch watcher rests meanwhile.
void PBrwseS_Click(core::Program& program);
// The folder dialog's selection moved to folder.
void ObjBD_SelectionChanged(core::Program& program, const std::string& folder);

// Clicks on an item (index from 0) of the source or the nest list: the drawing is shown, or a
// message says why it cannot be.
void File1_Click(core::Program& program, size_t index);
void File2_Click(core::Program& program, size_t index);

// Which popup request decided what happened after the menu closed. Expand and restore are the
// window's own layout; everything else has been done when these return.
enum class PopupRequest { None, Expand, Delete, ToWorkList, CheckUncheck, ClearWorkList };
PopupRequest SourceListPopupClosed(core::Program& program);
PopupRequest WorkListPopupClosed(core::Program& program);

// Work-list grid events.
void PList_ButtonClicked(core::Program& program, long col, long row, int state);
void PList_DblClick(core::Program& program, long col, long row);
void PList_GotFocus(core::Program& program);
// The tip is offered on the first four requests only.
bool PList_TextTipFetch(core::Program& program, std::string& tipText);

// Seconds that the splash still has to stay up when it was shown at splashStart and the time
// of day is now (both seconds since midnight; a start before midnight is handled).
double SplashSecondsLeft(double splashStart, double now);

}  // namespace tv::worklist
