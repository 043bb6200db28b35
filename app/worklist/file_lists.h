// Deleting the files the input window's drawing lists show. Reading a folder into a list is
// support/file_lists.h.
#pragma once

#include <string>

#include "core/program.h"

namespace tv::worklist {

// Deletes exactly the named file of a folder (never a pattern); false when it was not deleted.
bool DeleteListedFile(const std::string& folder, const std::string& name);

// Deletes the files the nest list shows from the nest folder (ClearDestDir) or from the
// temporary nest folder (ClearNestTmpDir), each failure ignored, then reads the list again.
void ClearDestDir(core::Program& program);
void ClearNestTmpDir(core::Program& program);

}  // namespace tv::worklist
