#include "text/number_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace tv::text {
namespace {

struct ValCase {
  const char* text;
  double value;
};

TEST(Val, ReadsTheLeadingNumber) {
  const ValCase cases[] = {
      {"600", 600},   {"  600", 600}, {"\t 12.5", 12.5}, {" 600mm", 600}, {"-2.5", -2.5},  {"+3", 3},
      {".75", 0.75},  {"-.5", -0.5},  {"5.", 5},         {"1.2.3", 1.2},  {"1.5E3", 1500}, {"2e-2", 0.02},
      {"1E+2x", 100}, {"12Each", 12}, {"3E", 3},         {"3E+", 3},      {"1 2", 1},      {"", 0},
      {"abc", 0},     {".", 0},       {"-", 0},          {"+.", 0},       {"E5", 0},       {"x12", 0},
      {"1e999", 0},   {"1e-999", 0},  {" 1E-05", 1e-5},  {"0.1", 0.1},    {"007", 7},      {"- 5", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Val(c.text), c.value) << '"' << c.text << '"';
}

struct StrCase {
  double value;
  const char* str;
};

TEST(Str, WritesPlainDecimalWithBlankForNonNegative) {
  const StrCase cases[] = {
      {0, " 0"},
      {-0.0, " 0"},
      {1, " 1"},
      {600, " 600"},
      {-2.5, "-2.5"},
      {0.75, " 0.75"},
      {-0.5, "-0.5"},
      {0.1 + 0.2, " 0.3"},
      {1.0 / 3.0, " 0.333333333333333"},
      {2.0 / 3.0, " 0.666666666666667"},
      {123456789012345.0, " 123456789012345"},
      {1e15, " 1E+15"},
      {-1.5e20, "-1.5E+20"},
      {0.00001, " 0.00001"},
      {0.000001, " 1E-06"},
      {1.5e-7, " 1.5E-07"},
      {16711680, " 16711680"},
      {1e10, " 10000000000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Str(c.value), c.str) << c.value;
    // Without the blank, and every text reads back to the value it was written from.
    const std::string plain = c.str[0] == ' ' ? std::string(c.str + 1) : std::string(c.str);
    EXPECT_EQ(CStr(c.value), plain) << c.value;
    EXPECT_DOUBLE_EQ(Val(Str(c.value)), Val(plain));
  }
}

TEST(Str, SingleKeepsSevenSignificantDigits) {
  const struct {
    float value;
    const char* str;
    const char* cstr;
  } cases[] = {
      {0.1f, " 0.1", "0.1"},
      {1.0f / 3.0f, " 0.3333333", "0.3333333"},
      {-12.75f, "-12.75", "-12.75"},
      {16777216.0f, " 16777220", "16777220"},
      {2976800.0f, " 2976800", "2976800"},
      {0.0f, " 0", "0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StrSingle(c.value), c.str) << c.value;
    EXPECT_EQ(CStrSingle(c.value), c.cstr) << c.value;
  }
}

TEST(Str, NonFiniteValuesGiveAWordInsteadOfGarbage) {
  EXPECT_EQ(Str(std::numeric_limits<double>::infinity()), " Inf");
  EXPECT_EQ(CStr(-std::numeric_limits<double>::infinity()), "-Inf");
  EXPECT_EQ(CStr(std::numeric_limits<double>::quiet_NaN()), "NaN");
}

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour) {
  const struct {
    double value;
    long long rounded;
  } cases[] = {
      {0.5, 0},
      {1.5, 2},
      {2.5, 2},
      {3.5, 4},
      {-0.5, 0},
      {-1.5, -2},
      {-2.5, -2},
      {2.4999, 2},
      {2.5001, 3},
      {-2.6, -3},
      {7, 7},
      {0, 0},
      {1e15 + 0.5, 1000000000000000},
      {4503599627370497.0, 4503599627370497},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;
}

TEST(RoundHalfEven, ClampsWhatNoWholeNumberCanHold) {
  EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<long long>::max());
  EXPECT_EQ(RoundHalfEven(-1e300), std::numeric_limits<long long>::min());
  EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
}

}  // namespace
}  // namespace tv::text
