// Work lists the work list's fuzz targets found faults with, and the seeds they start from.
#include <gtest/gtest.h>

#include "testing/fuzz_replay.h"
#include "worklist/fuzz/worklist_checks.h"

namespace tv::worklist {
namespace {

TEST(WorkListRegressions, FuzzerFindingsStayFixed) {
  test_support::TempFolder folder;
  test_support::ReplayFuzzFindings("tests/app/worklist/regressions/import",
                                   [&](const std::string& bytes, std::string& why) {
                                     return checks::CheckImport(bytes, folder.Path(), why);
                                   });
  test_support::ReplayFuzzFindings("tests/app/worklist/regressions/saved",
                                   [&](const std::string& bytes, std::string& why) {
                                     return checks::CheckSavedList(bytes, folder.Path(), why);
                                   });
}

}  // namespace
}  // namespace tv::worklist
