// A fresh folder for one test's files, removed with everything in it when the test ends, and
// whole-file reads and writes for laying out inputs and checking what the program wrote.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace tv::test_support {

// The file's bytes ("" when it cannot be read).
inline std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Writes the bytes as the whole file, making its folders first.
inline void WriteText(const std::filesystem::path& file, std::string_view bytes) {
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

class TempFolder {
 public:
  // Each folder has its own name, so tests running side by side never share files.
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavolin-test-XXXXXX").string();
    // A test must not go on with an empty path: it would write into the working folder.
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    path_ = pattern + "/";
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Ends in "/", as the program keeps folders.
  const std::string& Path() const { return path_; }

  // Writes bytes to name inside the folder (its folders made) and returns the file's path.
  std::string Write(const std::string& name, std::string_view bytes) const {
    WriteText(path_ + name, bytes);
    return path_ + name;
  }

 private:
  std::string path_;
};

}  // namespace tv::test_support
