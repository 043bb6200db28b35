// The input window's two drawing lists: reading a folder into a list, and deleting the files a
// list shows.
#pragma once

#include <string>

#include "core/input_window_state.h"
#include "core/program.h"

namespace tv::worklist {

// Shows the folder in the list: its files that match the list's pattern, in file-list order.
// False, with the list left as it was, when the folder does not exist.
bool SetFileListPath(core::FileListState& list, const std::string& folder);

// Reads the list's folder again; items still there keep their selection.
void RefreshFileList(core::FileListState& list);

// Deletes exactly the named file of a folder (never a pattern); false when it was not deleted.
bool DeleteListedFile(const std::string& folder, const std::string& name);

// Deletes the files the nest list shows from the nest folder (ClearDestDir) or from the
// temporary nest folder (ClearNestTmpDir), each failure ignored, then reads the list again.
void ClearDestDir(core::Program& program);
void ClearNestTmpDir(core::Program& program);

}  // namespace tv::worklist
