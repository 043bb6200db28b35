// Jobs of near-square parts nested by the real optimizer: whichever way it turns them, every
// written sheet keeps the kerf between the parts' cut-outs and the perimeter margin round them.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "nesting/run_driver.h"
#include "run_fixture.h"
#include "sheet_outlines.h"
#include "text/number_text.h"

namespace tv::nesting {
namespace {

using testing::Cat;
using testing::OutlineBox;
using testing::WorkRow;
namespace fs = std::filesystem;

class TurnedParts : public testing::RunTest {
 protected:
  TurnedParts() {
    program.RegistryFolder = TAVOLIN_BUILD_REGISTRY;
    Setting("Tag Parts", "NO");
    Setting("Attach Barcode", "NO");
    Setting("Make CSV Files", "NO");
  }

  void Settings(int corner, double margin, double cutter, double clearance) {
    Setting("Nest From Corner", std::to_string(corner));
    Setting("Perimeter Margin", text::CStr(margin));
    Setting("Cut Out Diameter", text::CStr(cutter));
    Setting("Cut Out Clearance", text::CStr(clearance));
  }

  // Nests the work list's rows 1..rows on sheets of length x width with the real optimizer and
  // returns the cut-out outlines of every sheet written.
  std::vector<std::vector<OutlineBox>> Nest(long rows, double length, double width) {
    fs::remove_all(Nests());
    fs::create_directories(Nests());
    program.PList.SetMaxRows(rows);
    StockRow(1, {"1", "MEL", "0", "0", "0", text::CStr(length), text::CStr(width), "19"});
    Proc_Click(program);
    std::vector<std::vector<OutlineBox>> sheets;
    for (const std::string& path : program.NestFiles)
      sheets.push_back(testing::CutOutOutlines(*ReadBack(path)));
    return sheets;
  }

  // Near-square outlines standing across the sheet: every part is at least as long as it is
  // wide as drawn, so these were turned.
  static int TurnedNearSquare(const std::vector<std::vector<OutlineBox>>& sheets) {
    int turned = 0;
    for (const auto& sheet : sheets) {
      for (const OutlineBox& box : sheet) {
        const double across = (box.maxY - box.minY) - (box.maxX - box.minX);
        turned += across > 0.5 && across < 10 ? 1 : 0;
      }
    }
    return turned;
  }
};

TEST_F(TurnedParts, TwoBottomsAndFourSidesKeepTheKerf) {
  Settings(0, 20, 3, 0);
  WritePart("bottom.dxf", 564, 560);
  WritePart("side.dxf", 720, 320);
  SetWorkRow(1, {"bottom.dxf", "MEL", 564, 560, 2});
  SetWorkRow(2, {"side.dxf", "MEL", 720, 320, 4});
  const auto sheets = Nest(2, 1500, 1200);
  EXPECT_TRUE(ui.Messages().empty()) << ui.LastMessage().text;
  ASSERT_FALSE(sheets.empty());
  std::size_t parts = 0;
  for (std::size_t k = 0; k < sheets.size(); ++k) {
    parts += sheets[k].size();
    EXPECT_EQ(testing::SpacingProblems(sheets[k], 1500, 1200, 20, 3), "") << "sheet " << k + 1;
  }
  EXPECT_EQ(parts, 6u);
  EXPECT_GT(TurnedNearSquare(sheets), 0);
}

TEST_F(TurnedParts, GeneratedJobsKeepTheKerfAndTheMarginFromEveryCorner) {
  const struct {
    double margin, cutter, clearance;
  } tools[] = {{10, 10, 1}, {20, 3, 0}, {16, 6, 2}, {0, 8, 0}};
  std::mt19937 random(16);
  // A draw in [low, high]; only the generator's raw numbers are used, which the standard fixes.
  auto draw = [&random](int low, int high) {
    return low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1));
  };
  int turned = 0;
  for (const auto& tool : tools) {
    for (int corner = 0; corner <= 3; ++corner) {
      const std::string name =
          Cat("margin ", text::CStr(tool.margin), ", kerf ", text::CStr(tool.cutter + tool.clearance),
              ", corner ", std::to_string(corner));
      SCOPED_TRACE(name);
      Settings(corner, tool.margin, tool.cutter, tool.clearance);
      // Parts whose length and width differ by less than half the margin, square ones and a few
      // ordinary ones; some wanted more than once.
      const long rows = 9;
      for (long row = 1; row <= rows; ++row) {
        const double length = draw(150, 650);
        const double near = std::max(1.0, std::floor(tool.margin / 2) - 1);
        const double width = row % 4 == 0 ? length / 2 : length - draw(0, static_cast<int>(near));
        const std::string file = Cat("r", std::to_string(row), ".dxf");
        WritePart(file, length, width);
        SetWorkRow(row, {file, "MEL", length, width, draw(1, 3)});
      }
      const auto sheets = Nest(rows, 1500, 1200);
      EXPECT_TRUE(ui.Messages().empty()) << ui.LastMessage().text;
      ui.ClearMessages();
      ASSERT_FALSE(sheets.empty());
      for (std::size_t k = 0; k < sheets.size(); ++k) {
        EXPECT_EQ(testing::SpacingProblems(sheets[k], 1500, 1200, tool.margin, tool.cutter + tool.clearance),
                  "")
            << "sheet " << k + 1;
      }
      turned += TurnedNearSquare(sheets);
    }
  }
  // The jobs did make the optimizer turn parts.
  EXPECT_GT(turned, 0);
}

}  // namespace
}  // namespace tv::nesting
