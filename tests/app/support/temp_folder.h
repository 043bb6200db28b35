// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace tv::support {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tv-support-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern + "/";
  }
  ~TempFolder() {
    if (!path_.empty()) std::filesystem::remove_all(path_);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Ends in "/".
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace tv::support
