// Deleting the files the input window's drawing lists show. Reading a folder into a list is
// support/folder_list.h.
#pragma once

#include <string>

#include "core/program.h"

namespace tv::worklist {

// Deletes the folder's one entry of that name (found without regard to case when the exact name
// is missing), never a pattern, a folder or anything outside the folder: "/", "." and ".." are
// refused and "\" is an ordinary character. False when nothing was deleted.
bool DeleteListedFile(const std::string& folder, const std::string& name);

// Deletes the files the nest list shows from the nest folder, each failure ignored, then reads
// the list again. Only names the list read from that same folder, still directly inside it, are
// deleted; a list showing another folder deletes nothing.
void ClearDestDir(core::Program& program);

}  // namespace tv::worklist
