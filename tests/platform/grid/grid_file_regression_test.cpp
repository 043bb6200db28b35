// Grid files the grid file's fuzz target found faults with, and the seeds it starts from.
#include <gtest/gtest.h>

#include "grid/fuzz/grid_file_checks.h"
#include "testing/fuzz_replay.h"

namespace tv::grid {
namespace {

TEST(GridFileRegressions, FuzzerFindingsStayFixed) {
  test_support::TempFolder folder;
  test_support::ReplayFuzzFindings("tests/platform/grid/regressions",
                                   [&](const std::string& bytes, std::string& why) {
                                     return checks::CheckInput(bytes, folder.Path(), why);
                                   });
}

}  // namespace
}  // namespace tv::grid
