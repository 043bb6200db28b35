#include "text/ascii_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tv::text {
namespace {

TEST(TrimBlanks, RemovesOnlyBlanksAtTheEnds) {
  const struct {
    std::string text;
    std::string trimmed;
  } cases[] = {
      {"  Side L  ", "Side L"},
      {"Side  L", "Side  L"},
      {"   ", ""},
      {"", ""},
      {"x", "x"},
      // Tabs and line ends are text, not blanks.
      {"\tA \r", "\tA \r"},
      {" \tA\t ", "\tA\t"},
  };
  for (const auto& c : cases) EXPECT_EQ(TrimBlanks(c.text), c.trimmed) << '"' << c.text << '"';
}

TEST(UpperAscii, ChangesOnlyAsciiLetters) {
  const struct {
    std::string text;
    std::string upper;
  } cases[] = {
      {"Nest Path", "NEST PATH"},
      {"az@[`{09", "AZ@[`{09"},
      // "é" and "ß" are UTF-8 byte pairs and stay as they are.
      {"caf\xC3\xA9 stra\xC3\x9F"
       "e",
       "CAF\xC3\xA9 STRA\xC3\x9F"
       "E"},
      {std::string("a\0b", 3), std::string("A\0B", 3)},
  };
  for (const auto& c : cases) EXPECT_EQ(UpperAscii(c.text), c.upper) << c.text;
}

}  // namespace
}  // namespace tv::text
