// Inputs the reader's fuzzer found faults with, replayed through the same checks.
#include <gtest/gtest.h>

#include "drawing/fuzz/drawing_checks.h"
#include "testing/fuzz_replay.h"

namespace tv::drawing {
namespace {

TEST(DrawingRegressions, FuzzerFindingsStayFixed) {
  test_support::ReplayFuzzFindings(
      "tests/platform/drawing/regressions",
      [](const std::string& bytes, std::string& why) { return checks::CheckInput(bytes, why); });
}

}  // namespace
}  // namespace tv::drawing
