// A fresh folder per test, removed afterwards, with helpers to lay out small file trees.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace tv::files::testing {

class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string templ = (std::filesystem::temp_directory_path() / "tv_files_XXXXXX").string();
    ASSERT_NE(::mkdtemp(templ.data()), nullptr);
    root_ = templ + "/";
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  // Creates the file (and its folders) below the root; returns its full path.
  std::string MakeFile(const std::string& relative, const std::string& content = "x") {
    const std::filesystem::path path = root_ + relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }
  std::string MakeFolder(const std::string& relative) {
    std::filesystem::create_directories(root_ + relative);
    return root_ + relative;
  }
  static std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Number of entries directly in a folder below the root (temporary files included).
  int EntryCount(const std::string& relative = "") {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(root_ + relative)) ++count;
    return count;
  }

  std::string root_;
};

}  // namespace tv::files::testing
