// Typed sizes into the work unit.
#include <gtest/gtest.h>

#include "stock_fixture.h"

namespace tv::stock {
namespace {

TEST_F(StockFixture, ToWorkUnitsDecidesTheUnitBySizeOrSuffix) {
  const struct {
    const char* text;
    float threshold;
    bool metric;
    double expected;
  } cases[] = {
      {"96", 150, true, 2438.4},      // a sheet length of 96 is inches
      {"2440", 150, true, 2440},      // 2440 is millimetres
      {"96I", 150, true, 2438.4},     // suffix says inches
      {" 96 i ", 150, true, 2438.4},  // suffix in any case, blanks around
      {"3M", 150, false, 0.1181},     // suffix says millimetres, rounded to 4 decimals
      {"2440", 150, false, 96.063},  {"150", 150, true, 3810},  // the threshold itself still counts as inches
      {"150.5", 150, true, 150.5},   {"0.75", 4, true, 19.05},
      {"19", 4, true, 19},           {"2", -1000, true, 1290.32},  // an area: square inches
      {"1500", -1000, false, 2.325},                               // square millimetres into square inches
      {"0", 150, true, 0},           {"-5", 150, true, -127},      // negative numbers are always inches
      {"-5M", 150, true, -127},      {"", 150, true, 0},
      {"MDF", 150, true, 0},         {"0.05", 0.05f, true, 1.27},  // equal to a fractional threshold: inches
  };
  for (const auto& c : cases) {
    program_.MetricUnits = c.metric;
    EXPECT_DOUBLE_EQ(ToWorkUnits(program_, c.text, c.threshold), c.expected)
        << "'" << c.text << "' threshold " << c.threshold << (c.metric ? " mm" : " inch");
  }
}

TEST_F(StockFixture, StockSizesUseTheirOwnThresholds) {
  // A 2440 x 1220 sheet typed in millimetres next to a 96 x 48 x 3/4 one typed in inches.
  StockRow(1, {"1", "MEL", "0", "0", "5", "2440", "1220", "19"});
  StockRow(2, {"1", "MEL", "0", "0", " 7", "96", "48", "0.75"});
  program_.MetricUnits = true;
  EXPECT_DOUBLE_EQ(GetStockLength(program_, 1), 2440);
  EXPECT_DOUBLE_EQ(GetStockWidth(program_, 1), 1220);
  EXPECT_DOUBLE_EQ(GetStockThickness(program_, 1), 19);
  EXPECT_DOUBLE_EQ(GetStockLength(program_, 2), 2438.4);
  EXPECT_DOUBLE_EQ(GetStockWidth(program_, 2), 1219.2);
  EXPECT_DOUBLE_EQ(GetStockThickness(program_, 2), 19.05);
  EXPECT_DOUBLE_EQ(GetStockQty(program_, 2), 7);
  program_.MetricUnits = false;
  EXPECT_DOUBLE_EQ(GetStockLength(program_, 1), 96.063);
  EXPECT_DOUBLE_EQ(GetStockThickness(program_, 2), 0.75);
}

}  // namespace
}  // namespace tv::stock
