// A drawing list of the input window read from its folder. Kept below the windows' own logic
// so that the settings can show a newly chosen nest folder as the work list does.
#pragma once

#include <string>

#include "core/file_list_state.h"

namespace tv::support {

// Shows the folder in the list: its files that match the list's pattern, in file-list order.
// False, with the list left as it was, when the folder does not exist.
bool SetFileListPath(core::FileListState& list, const std::string& folder);

// Reads the list's folder again; items still there keep their selection.
void RefreshFileList(core::FileListState& list);

}  // namespace tv::support
