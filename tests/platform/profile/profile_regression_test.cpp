// INI files the INI fuzz target found faults with, and the seeds it starts from.
#include <gtest/gtest.h>

#include "profile/fuzz/profile_checks.h"
#include "testing/fuzz_replay.h"

namespace tv::profile {
namespace {

TEST(ProfileRegressions, FuzzerFindingsStayFixed) {
  test_support::TempFolder folder;
  test_support::ReplayFuzzFindings("tests/platform/profile/regressions",
                                   [&](const std::string& bytes, std::string& why) {
                                     return checks::CheckInput(bytes, folder.Path(), why);
                                   });
}

}  // namespace
}  // namespace tv::profile
