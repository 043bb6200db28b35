#include "files/wildcard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tv::files {
namespace {

TEST(WildcardMatch, MatchesStarAndQuestionMarkWithoutCase) {
  const struct {
    const char* name;
    const char* pattern;
    bool matches;
  } cases[] = {
      {"Part7.dxf", "*.DXF", true},
      {"PART7.DXF", "*.dxf", true},
      {"Part7.dxf.bak", "*.DXF", false},
      {"Part7.dxf", "P?rt7.*", true},
      {"Prt7.dxf", "P?rt7.*", false},
      {"README", "*.*", true},  // "*.*" takes names without an extension too
      {"Batch", "batch.*", true},
      {"Batch2", "batch.*", false},
      {"a.b.c", "*.c", true},
      {"xaxb", "*a*b", true},
      {"xaxbx", "*a*b", false},
      {"abc", "abc", true},
      {"abc", "ab", false},
      {"", "*", true},
      {"caf\xC3\xA9.dxf", "caf?.dxf", true},  // "?" takes a whole character
      {"caf\xC3\xA9.dxf", "caf??.dxf", false},
      {"tavo.cfg", "*.CFG", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WildcardMatch(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

TEST(FileNameLess, OrdersLikeAFileList) {
  std::vector<std::string> names = {"b.dxf", "A.DXF", "c.Dxf", "a2.dxf", "a.dxf"};
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return FileNameLess(a, b); });
  EXPECT_EQ(names, (std::vector<std::string>{"A.DXF", "a.dxf", "a2.dxf", "b.dxf", "c.Dxf"}));
}

}  // namespace
}  // namespace tv::files
