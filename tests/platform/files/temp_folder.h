// A fresh folder per test, removed afterwards, with helpers to lay out small file trees.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "testing/temp_folder.h"

namespace tv::files::testing {

class TempFolder : public ::testing::Test {
 protected:
  // Creates the file (and its folders) below the root; returns its full path.
  std::string MakeFile(const std::string& relative, const std::string& content = "x") {
    return temp_.Write(relative, content);
  }
  std::string MakeFolder(const std::string& relative) {
    std::filesystem::create_directories(root_ + relative);
    return root_ + relative;
  }
  // Number of entries directly in a folder below the root (temporary files included).
  int EntryCount(const std::string& relative = "") {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(root_ + relative)) ++count;
    return count;
  }

  test_support::TempFolder temp_;
  std::string root_{temp_.Path()};
};

}  // namespace tv::files::testing
