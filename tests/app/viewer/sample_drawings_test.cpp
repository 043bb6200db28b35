// The committed sample jobs read the way the row builder reads a drawing: loaded into the
// viewer, title first, then the other fields and the border.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "core/program.h"
#include "testing/scripted_ui.h"
#include "text/number_text.h"
#include "viewer/drawing_inspection.h"
#include "viewer/viewer_procedures.h"

namespace tv::viewer {
namespace {

namespace fs = std::filesystem;

const fs::path kSamples = fs::path(TAVOLIN_SOURCE_DIR) / "samples";

struct Read {
  std::string title, material, quantity, rotatable;
  double length = 0, width = 0, thickness = 0;
};

Read ReadPart(core::Program& program, const fs::path& file) {
  Read r;
  EXPECT_TRUE(ShowDxf(program, file.string())) << file;
  std::string key = "Tavolin";
  r.title = GetDrawingField(program, key);
  key = "Material";
  r.material = GetDrawingField(program, key);
  key = "Quantity";
  r.quantity = GetDrawingField(program, key);
  key = "Rotatable";
  r.rotatable = GetDrawingField(program, key);
  MeasureBorder(program, r.length, r.width, r.thickness);
  return r;
}

struct SampleCase {
  const char* file;
  const char* title;
  const char* material;
  double length, width, thickness;
};

void PrintTo(const SampleCase& c, std::ostream* os) {
  *os << c.file;
}

class SampleDrawingTest : public testing::TestWithParam<SampleCase> {
 protected:
  test_support::ScriptedUi ui_;
  core::Program program_{ui_};
};

TEST_P(SampleDrawingTest, ReadsLikeTheWorkListNeedsIt) {
  const SampleCase& c = GetParam();
  const Read r = ReadPart(program_, kSamples / c.file);
  EXPECT_EQ(r.title, c.title);
  EXPECT_EQ(r.material, c.material);
  EXPECT_DOUBLE_EQ(r.length, c.length);
  EXPECT_DOUBLE_EQ(r.width, c.width);
  EXPECT_DOUBLE_EQ(r.thickness, c.thickness);
  EXPECT_DOUBLE_EQ(program_.BorderMinX, 0);
  EXPECT_DOUBLE_EQ(program_.BorderMinY, 0);
  EXPECT_FALSE(program_.MultipleBorderLayers);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, SampleDrawingTest,
    testing::Values(
        // notched side as a classic polyline; the tall side as a lightweight polyline
        SampleCase{"Parts/B1_LeftSide.dxf", "2417 B1 Left Side", "WHITE MELAMINE 19", 720, 560, 19},
        SampleCase{"Parts/T1_LeftSide.dxf", "2417 T1 Left Side", "WHITE MELAMINE 19", 2100, 560, 19},
        // lines and arcs; a bulged front edge
        SampleCase{"Parts/W1_Shelf.dxf", "2417 W1 Shelf", "WHITE MELAMINE 19", 561, 280, 19},
        SampleCase{"Parts/W2_Shelf.dxf", "2417 W2 Shelf", "WHITE MELAMINE 19", 761, 280, 19},
        SampleCase{"Parts/B1_Stretcher.dxf", "2417 B1 Stretcher", "WHITE MELAMINE 19", 562, 100, 19},
        SampleCase{"Parts/K1_ToeKick.dxf", "2417 K1 Toe Kick", "WHITE MELAMINE 19", 1800, 100, 19},
        SampleCase{"Parts/B2_DoorLeft.dxf", "2417 B2 Door Left", "PAINT GRADE MDF 19", 446, 716, 19},
        SampleCase{"Parts/DB1_DrawerBottom.dxf", "2417 DB1 Drawer Bottom", "WHITE HARDBOARD 6", 380, 480, 6},
        // the inch job has LF-only line ends
        SampleCase{"InchJob/V1_Shelf.dxf", "2418 V1 Shelf", "WHITE MELAMINE 3/4", 28.375, 18.5, 0.75},
        SampleCase{"InchJob/V1_RightSide.dxf", "2418 V1 Right Side", "WHITE MELAMINE 3/4", 30, 21, 0.75}));

TEST(SampleJobTest, EveryKitchenPartIsReadyForTheWorkList) {
  test_support::ScriptedUi ui;
  core::Program program(ui);
  const std::set<std::string> materials = {"WHITE MELAMINE 19", "PAINT GRADE MDF 19", "WHITE HARDBOARD 6"};
  int parts = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(kSamples / "Parts")) {
    ++parts;
    const Read r = ReadPart(program, entry.path());
    SCOPED_TRACE(entry.path().filename().string());
    EXPECT_EQ(r.title.rfind("2417 ", 0), 0u);
    EXPECT_TRUE(materials.count(r.material)) << r.material;
    // the thickness code of the outline agrees with the material's thickness
    EXPECT_DOUBLE_EQ(r.thickness, r.material == "WHITE HARDBOARD 6" ? 6 : 19);
    EXPECT_GE(text::Val(r.quantity), 1);
    EXPECT_TRUE(r.rotatable == "Rotatable" || r.rotatable == "Fixed") << r.rotatable;
    EXPECT_GT(r.length, 0);
    EXPECT_GT(r.width, 0);
    EXPECT_FALSE(program.MultipleBorderLayers);
  }
  EXPECT_GE(parts, 35);
}

}  // namespace
}  // namespace tv::viewer
