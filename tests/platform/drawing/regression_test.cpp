// Inputs the reader's fuzzer found faults with, replayed through the same checks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "drawing/fuzz/drawing_checks.h"

namespace tv::drawing {
namespace {

namespace fs = std::filesystem;

TEST(DrawingRegressions, FuzzerFindingsStayFixed) {
  const fs::path folder = fs::path(TAVOLIN_SOURCE_DIR) / "tests/platform/drawing/regressions";
  int replayed = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::string why;
    EXPECT_TRUE(checks::CheckInput(bytes, why)) << why;
    ++replayed;
  }
  EXPECT_GT(replayed, 0) << "no inputs in " << folder;
}

}  // namespace
}  // namespace tv::drawing
