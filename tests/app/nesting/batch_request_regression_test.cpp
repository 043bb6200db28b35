// Batch requests the batch request's fuzz target found faults with, and the seeds it starts from.
#include <gtest/gtest.h>

#include "nesting/fuzz/batch_request_checks.h"
#include "testing/fuzz_replay.h"

namespace tv::nesting {
namespace {

TEST(BatchRequestRegressions, FuzzerFindingsStayFixed) {
  test_support::TempFolder folder;
  test_support::ReplayFuzzFindings("tests/app/nesting/regressions",
                                   [&](const std::string& bytes, std::string& why) {
                                     return checks::CheckInput(bytes, folder.Path(), why);
                                   });
}

// The check's pickup really loads what a request names, or the replay above could not fail.
TEST(BatchRequestRegressions, ThePickupLoadsTheNamedDrawings) {
  test_support::TempFolder folder;
  std::string why;
  EXPECT_EQ(
      checks::Pickup("\xEF\xBB\xBFT\xC3\xBCr 2\r\nC:\\Jobs\\Door1,2\r\nmissing\r\n", folder.Path(), why),
      (std::vector<std::string>{"T\xC3\xBCr 2.dxf", "Door1.dxf"}));
  EXPECT_EQ(why, "");
}

}  // namespace
}  // namespace tv::nesting
