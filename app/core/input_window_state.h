// What the input window shows and the program's logic reads or writes: the source folder text,
// the two drawing lists with their selections, and the "Process" button. The widgets observe it.
#pragma once

#include <string>

#include "core/file_list_state.h"

namespace tv::core {

struct InputWindowState {
  // The source folder box ("SPath"): the folder of the part drawings, normally with a trailing
  // separator, and its tool tip.
  std::string SourceFolderText;
  std::string SourceFolderTip = "Path to DXF files for nesting.";
  // Hidden when its folder is not valid; the window then shows "Invalid Path" in its place.
  FileListState SourceList;
  // The drawings of the nest folder.
  FileListState NestList;
  // The "Process" button.
  bool ProcEnabled = false;
  // The batch watcher's timer; off while the source-folder dialog is open.
  bool BatchWatcherOn = true;
  // The work-list grid's tool tip is offered on the first four requests only.
  int WorkListTipCount = 0;
};

}  // namespace tv::core
