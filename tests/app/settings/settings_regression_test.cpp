// Configuration files the configuration files' fuzz target found faults with, and the seeds it starts from.
#include <gtest/gtest.h>

#include "settings/fuzz/settings_checks.h"
#include "testing/fuzz_replay.h"

namespace tv::settings {
namespace {

TEST(SettingsRegressions, FuzzerFindingsStayFixed) {
  test_support::TempFolder folder;
  test_support::ReplayFuzzFindings("tests/app/settings/regressions",
                                   [&](const std::string& bytes, std::string& why) {
                                     return checks::CheckInput(bytes, folder.Path(), why);
                                   });
}

}  // namespace
}  // namespace tv::settings
