// Stock libraries the sheet stock's fuzz target found faults with, and the seeds it starts from.
#include <gtest/gtest.h>

#include "stock/fuzz/stock_checks.h"
#include "testing/fuzz_replay.h"

namespace tv::stock {
namespace {

TEST(StockRegressions, FuzzerFindingsStayFixed) {
  test_support::TempFolder folder;
  test_support::ReplayFuzzFindings("tests/app/stock/regressions",
                                   [&](const std::string& bytes, std::string& why) {
                                     return checks::CheckInput(bytes, folder.Path(), why);
                                   });
}

}  // namespace
}  // namespace tv::stock
