// Store files the registry's fuzz target found faults with, and the seeds it starts from.
#include <gtest/gtest.h>

#include "registry/fuzz/store_checks.h"
#include "testing/fuzz_replay.h"

namespace tv::registry {
namespace {

TEST(RegistryRegressions, FuzzerFindingsStayFixed) {
  test_support::TempFolder folder;
  test_support::ReplayFuzzFindings("tests/platform/registry/regressions",
                                   [&](const std::string& bytes, std::string& why) {
                                     return checks::CheckInput(bytes, folder.Path(), why);
                                   });
}

}  // namespace
}  // namespace tv::registry
