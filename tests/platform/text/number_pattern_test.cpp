#include "text/number_pattern.h"

#include <gtest/gtest.h>

#include "text/number_text.h"

namespace tv::text {
namespace {

struct FormatCase {
  double value;
  const char* pattern;
  const char* text;
};

TEST(Format, WritesDigitsByPattern) {
  const FormatCase cases[] = {
      // Sheet numbers and part numbers.
      {1, "000", "001"},
      {42, "000", "042"},
      {1234, "000", "1234"},
      {0, "000", "000"},
      {2.5, "000", "003"},  // halves away from zero, unlike whole-number rounding
      // Thickness codes: the point only when a digit follows it.
      {18, "#0.###", "18"},
      {0.75, "#0.###", "0.75"},
      {19.05, "#0.###", "19.05"},
      {0.0004, "#0.###", "0"},
      {0.0005, "#0.###", "0.001"},
      // Yields.
      {0.5, "##.##", ".5"},
      {87.456, "##.##", "87.46"},
      {100, "##.##", "100"},
      {99.999, "##.##", "100"},
      {0, "##.##", ""},
      // Sheet sizes.
      {2440, "####.###", "2440"},
      {48.0625, "####.###", "48.063"},
      {2.675, "####.###", "2.675"},
      // Measurements read back: at least one fraction digit.
      {18, "##.0##", "18.0"},
      {0.75, "##.0##", ".75"},
      {23.06251, "##.0##", "23.063"},
      {609.6, "##.0##", "609.6"},
      // Kerf values.
      {0.3125, "##.####", ".3125"},
      {6.35, "##.####", "6.35"},
      {0.123456, "##.####", ".1235"},
      // Decimal halves as typed, not as their nearest Double.
      {2.675, "#.##", "2.68"},
      {1.005, "0.00", "1.01"},
      {0.125, "0.00", "0.13"},
      // Carry into a new integer digit.
      {9.9999, "0.000", "10.000"},
      {999.5, "000", "1000"},
  };
  for (const auto& c : cases) EXPECT_EQ(Format(c.value, c.pattern), c.text) << c.value << " " << c.pattern;
}

TEST(Format, NegativeNumbersGetASignUnlessTheyRoundToZero) {
  const FormatCase cases[] = {
      {-0.75, "#0.###", "-0.75"}, {-18, "000", "-018"}, {-0.5, "##.##", "-.5"},
      {-0.0001, "#0.##", "0"},    {-2.5, "0", "-3"},    {-0.0, "000", "000"},
  };
  for (const auto& c : cases) EXPECT_EQ(Format(c.value, c.pattern), c.text) << c.value << " " << c.pattern;
}

TEST(Format, KeepsOtherCharactersOfThePatternInPlace) {
  EXPECT_EQ(Format(5, "#0%"), "5%");
  EXPECT_EQ(Format(12.5, "L#0.0"), "L12.5");
  EXPECT_EQ(Format(12.5, ".##"), "12.5");
}

TEST(Format, ReadsBackToTheRoundedValue) {
  // Measurements are rounded by writing through a pattern and reading the text again.
  EXPECT_EQ(Val(Format(0.3333333, "##.0##")), 0.333);
  EXPECT_EQ(Val(Format(600.00049, "##.0##")), 600);
  EXPECT_EQ(Val(Format(6.35 + 0.5, "##.####")), 6.85);
}

TEST(Format, EmptyPatternOrNonFiniteFallsBackToThePlainForm) {
  EXPECT_EQ(Format(2.5, ""), "2.5");
  EXPECT_EQ(Format(std::numeric_limits<double>::infinity(), "##.##"), "Inf");
}

}  // namespace
}  // namespace tv::text
