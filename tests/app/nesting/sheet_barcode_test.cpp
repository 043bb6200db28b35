// Sheet barcodes drawn into the working drawing: bar places of a known pattern, the status text
// of an encoding error, and a sheet code read back from the drawn bars by an independent reader.
#include "nesting/sheet_barcode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <utility>

#include "sheet_fixture.h"
#include "testing/run_command.h"
#include "testing/temp_folder.h"

namespace tv::nesting {
namespace {

class SheetBarcode : public testing::SheetTest {
 protected:
  SheetBarcode() {
    run.SheetLength = 3000;
    run.SheetWidth = 1500;
    run.SheetNumberText = std::string(1, '7');
  }

  // The x-ranges covered by the filled areas on a layer, touching ranges merged, and the
  // y-range of all of them.
  std::vector<std::pair<double, double>> Bars(const std::string& layer, double& low, double& high) {
    std::vector<std::pair<double, double>> ranges;
    low = 1e300, high = -1e300;
    for (const drawing::SegmentItem& item : program.DXF1.GetEntities2()) {
      if (item.LayerName != layer) continue;
      ranges.emplace_back(std::min(item.X1, item.X2), std::max(item.X1, item.X2));
      low = std::min({low, static_cast<double>(item.Y1), static_cast<double>(item.Y2)});
      high = std::max({high, static_cast<double>(item.Y1), static_cast<double>(item.Y2)});
    }
    std::sort(ranges.begin(), ranges.end());
    std::vector<std::pair<double, double>> bars;
    for (const auto& range : ranges) {
      if (!bars.empty() && range.first <= bars.back().second + 1e-3) {
        bars.back().second = std::max(bars.back().second, range.second);
      } else {
        bars.push_back(range);
      }
    }
    return bars;
  }

  RunValues run;
};

TEST_F(SheetBarcode, PatternModulesBecomeBarsOneModuleWide) {
  // Pattern 101 on a 3000 x 1500 sheet at (2000, 1530): m = 1000 / 3, bars 75 high centred at
  // 2000 + m and 2000 + 3m.
  DrawBarcodePattern(program, run, "101", 2000, 1530);
  const double m = 1000.0 / 3;
  double low, high;
  const auto bars = Bars("TavolinT7", low, high);
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_NEAR(bars[0].first, 2000 + m / 2, 1e-3);
  EXPECT_NEAR(bars[0].second, 2000 + 3 * m / 2, 1e-3);
  EXPECT_NEAR(bars[1].first, 2000 + 5 * m / 2, 1e-3);
  EXPECT_NEAR(bars[1].second, 2000 + 7 * m / 2, 1e-3);
  EXPECT_NEAR(low, 1530, 1e-3);
  EXPECT_NEAR(high, 1605, 1e-3);
}

TEST_F(SheetBarcode, EncodingErrorIsShownAndNoBarsAreDrawn) {
  const std::pair<const char*, const char*> cases[] = {
      {"NEST_001", "Barcode Creation Error: Illegal character in code"},
      {"", "Barcode Creation Error: Wrong code length"},
  };
  for (const auto& [code, status] : cases) {
    program.DXF1.Clear();
    DrawBC(program, run, code, 2000, 1530);
    EXPECT_EQ(ui.Status("Progress"), status);
    EXPECT_TRUE(program.DXF1.GetEntities2().empty());
  }
}

TEST_F(SheetBarcode, DrawnBarsOfASheetCodeReadBack) {
  if (std::system("command -v zbarimg >/dev/null 2>&1") != 0) GTEST_SKIP() << "zbarimg not installed";
  const std::string code = "KITCHEN007.CNC N%";
  const float x = 2000, y = 1530;
  DrawBC(program, run, code, x, y);
  EXPECT_EQ(ui.Status("Progress"), "");
  double low, high;
  const auto bars = Bars("TavolinT7", low, high);
  ASSERT_FALSE(bars.empty());

  // Photograph the drawing: 3 pixel columns per module over the barcode's span, quiet zones
  // either side; a column is dark when its centre lies on a bar.
  const double span = run.SheetLength / 3;
  const int perModuleColumns = 3, quiet = 30, rows = 60;
  // The start character opens with a bar one module wide: it gives the module width.
  const double m = bars.front().second - bars.front().first;
  const int columns = static_cast<int>(std::lround(span / m)) * perModuleColumns;
  std::string row;
  for (int q = 0; q < quiet; ++q) row += "0 ";
  for (int c = 0; c < columns; ++c) {
    const double at = x + m / 2 + (c + 0.5) * m / perModuleColumns;
    const bool dark =
        std::any_of(bars.begin(), bars.end(), [&](const auto& b) { return at > b.first && at < b.second; });
    row += dark ? "1 " : "0 ";
  }
  for (int q = 0; q < quiet; ++q) row += "0 ";
  std::ostringstream picture;
  picture << "P1\n" << columns + 2 * quiet << " " << rows << "\n";
  for (int r = 0; r < rows; ++r) picture << row << "\n";
  const test_support::TempFolder folder;
  const std::string image = folder.Write("sheet.pbm", picture.str());
  EXPECT_EQ(test_support::RunCommand("zbarimg --raw -q '" + image + "' 2>/dev/null").output, code + "\n");
}

}  // namespace
}  // namespace tv::nesting
