// File names and folders as the program's data hold them ("\" or "/" between levels), and the
// check that creates a missing output folder after asking.
#pragma once

#include <string>

namespace tv::core {
class Program;
}

namespace tv::support {

// The text after the last "\" or "/"; the whole path when it holds neither.
std::string GetFileName(const std::string& path);
// The text up to and including the last "\" or "/"; empty when there is none.
std::string GetFolderName(const std::string& path);
// path with "/" appended unless it already ends in "/" or "\" ("" gives "/").
std::string AddBackslash(const std::string& path);

// True when every folder level of path exists (names found without regard to case) or was
// created. A path whose root is not ready gives "Drive .. Not Ready!". A missing level is
// created only after the user agrees to the question titled title; an empty title makes it a
// silent test that asks nothing and creates nothing. A level that cannot be created is
// reported and gives false.
bool EnsurePath(core::Program& program, const std::string& path, const std::string& title);

}  // namespace tv::support
