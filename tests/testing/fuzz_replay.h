// Replays the inputs a reader's fuzz target found faults with (kept in a regressions folder
// beside the tests) through the same checks the target makes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "testing/temp_folder.h"

namespace tv::test_support {

// check gets each file's bytes and says why it failed. folder is below the source tree.
inline void ReplayFuzzFindings(const std::string& folder,
                               const std::function<bool(const std::string& bytes, std::string& why)>& check) {
  const std::filesystem::path path = std::filesystem::path(TAVOLIN_SOURCE_DIR) / folder;
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(path)) {
    SCOPED_TRACE(entry.path().filename().string());
    std::string why;
    EXPECT_TRUE(check(ReadText(entry.path()), why)) << why;
    ++replayed;
  }
  EXPECT_GT(replayed, 0) << "no inputs in " << path;
}

}  // namespace tv::test_support
