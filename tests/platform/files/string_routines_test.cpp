#include "files/string_routines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tv::files {
namespace {

TEST(StringRoutines, CompactAndReplaceChar) {
  EXPECT_EQ(Compact(" 3/4  Maple Ply "), "3/4MaplePly");
  EXPECT_EQ(Compact("   "), "");
  EXPECT_EQ(Compact("a\tb"), "a\tb");  // only blanks go
  EXPECT_EQ(ReplaceChar("Route1.5_T2.25", '.', 'P'), "Route1P5_T2P25");
  EXPECT_EQ(ReplaceChar("abc", 'x', 'y'), "abc");
}

TEST(StringRoutines, QInstrB2FindsTheLastOccurrence) {
  const struct {
    const char* text;
    const char* search;
    int position;
  } cases[] = {
      {"C:\\P\\Part7.DXF", "\\", 5},
      {"abcabc", "bc", 5},
      {"aaa", "aa", 2},
      {"abc", "x", 0},
      {"abc", "", 0},
      {"", "a", 0},
      {"abc", "abc", 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(QInstrB2(c.text, c.search), c.position) << c.text << " / " << c.search;
}

TEST(StringRoutines, InstrTbl2FindsTheFirstTableCharacterFromStart) {
  const struct {
    int start;
    const char* text;
    const char* table;
    int position;
  } cases[] = {
      {1, "BORDER_Z0P75", "0123456789", 9},
      {10, "BORDER_Z0P75", "0123456789", 11},
      {1, "BORDER_Z0P75", "z", 0},  // case counts
      {0, "abc", "a", 1},
      {-3, "abc", "c", 3},
      {4, "abc", "abc", 0},
      {1, "abc", "", 0},
      {1, "", "a", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(InstrTbl2(c.start, c.text, c.table), c.position) << c.text << " @" << c.start;
}

std::vector<std::string> AllFields(std::string_view text, std::string_view delimiters) {
  std::vector<std::string> fields;
  int position = 1;
  while (position <= static_cast<int>(text.size()) + 1)
    fields.push_back(ParseString(position, text, delimiters));
  return fields;
}

TEST(StringRoutines, ParseStringReadsEveryFieldUpToADelimiter) {
  using Fields = std::vector<std::string>;
  EXPECT_EQ(AllFields("a,,b,", ","), (Fields{"a", "", "b", ""}));
  EXPECT_EQ(AllFields("Job: 1234; Room 5", ":;"), (Fields{"Job", " 1234", " Room 5"}));
  EXPECT_EQ(AllFields("", ","), (Fields{""}));
  EXPECT_EQ(AllFields("abc", ""), (Fields{"abc"}));

  int position = 3;
  EXPECT_EQ(ParseString(position, "ab,cd", ","), "");
  EXPECT_EQ(position, 4);
  position = 10;
  EXPECT_EQ(ParseString(position, "ab,cd", ","), "");
}

}  // namespace
}  // namespace tv::files
