#include "text/ascii_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
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

// Escapes in files are read with it: anything but bare hex digits must be refused, or a
// damaged escape would turn into some byte.
TEST(HexValue, TakesOnlyBareHexDigits) {
  const struct {
    std::string digits;
    std::optional<std::uint32_t> value;
  } cases[] = {
      {"0A", 0x0A},          {"fF", 0xFF},         {"00e9", 0xE9},
      {"", std::nullopt},    {"+1", std::nullopt}, {"-1", std::nullopt},
      {"0x1", std::nullopt}, {" 1", std::nullopt}, {"1g", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(HexValue(c.digits), c.value) << '"' << c.digits << '"';
}

TEST(AppendHex, WritesTheLastDigitsWithLeadingZeros) {
  std::string out = "%";
  AppendHex(out, 0x0A, 2);
  AppendHex(out, 0x1E9, 4);
  AppendHex(out, 0x1234, 2);
  EXPECT_EQ(out, "%0A01E934");
}

}  // namespace
}  // namespace tv::text
