#include "text/lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tv::text {
namespace {

TEST(SplitLines, TakesEveryLineEnd) {
  const struct {
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"one", {"one"}},
      {"a\nb", {"a", "b"}},
      {"a\r\nb\r\n", {"a", "b"}},
      // A lone CR ends a line too, and CR LF is one end, not two.
      {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},
      // Only the last end starts no further line.
      {"a\n\n", {"a", ""}},
      {"\n", {""}},
      {"\r", {""}},
      {"a\r", {"a"}},
  };
  for (const auto& c : cases) {
    const std::vector<std::string_view> got = SplitLines(c.text);
    EXPECT_EQ(std::vector<std::string>(got.begin(), got.end()), c.lines) << testing::PrintToString(c.text);
  }
}

}  // namespace
}  // namespace tv::text
