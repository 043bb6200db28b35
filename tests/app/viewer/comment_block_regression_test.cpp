// Comment blocks the comment block's fuzz target found faults with, and the seeds it starts from.
#include <gtest/gtest.h>

#include "testing/fuzz_replay.h"
#include "viewer/fuzz/comment_block_checks.h"

namespace tv::viewer {
namespace {

TEST(CommentBlockRegressions, FuzzerFindingsStayFixed) {
  test_support::TempFolder folder;
  test_support::ReplayFuzzFindings("tests/app/viewer/regressions",
                                   [&](const std::string& bytes, std::string& why) {
                                     return checks::CheckInput(bytes, folder.Path(), why);
                                   });
}

}  // namespace
}  // namespace tv::viewer
