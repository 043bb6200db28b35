#include "text/fixed_width.h"

#include <gtest/gtest.h>

namespace tv::text {
namespace {

TEST(FixedWidth, PadsOrCutsToTheLength) {
  const struct {
    const char* text;
    std::size_t n;
    const char* fixed;
  } cases[] = {
      {"abc", 5, "abc  "},
      {"abcdef", 3, "abc"},
      {"abc", 3, "abc"},
      {"", 2, "  "},
      {"abc", 0, ""},
      // A cut never splits a character: "é" is two bytes.
      {"caf\xC3\xA9s", 4, "caf\xC3\xA9"},
      {"\xC3\xA9", 3, "\xC3\xA9  "},
  };
  for (const auto& c : cases) EXPECT_EQ(FixedWidth(c.text, c.n), c.fixed) << c.text << " " << c.n;
}

}  // namespace
}  // namespace tv::text
