// Engraved text composed from the letter drawings, and the engraving point.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "core/program.h"
#include "testing/dxf_fixture.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"
#include "viewer/letter_text.h"

namespace tv::viewer {
namespace {

namespace fs = std::filesystem;

// The program folder is a copy holding the sample letters, since composing writes
// Letters/String.DXF into it.
class LetterTextTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::copy(fs::path(TAVOLIN_SOURCE_DIR) / "samples" / "Letters", dir_.Path() + "Letters");
    program_.AppDir = dir_.Path();
  }

  // Extents of the written String.DXF: minX, minY, maxX, maxY.
  struct Box {
    float minX, minY, maxX, maxY;
  };
  Box Compose(std::string text, float factor) {
    std::string error;
    EXPECT_TRUE(BuildLetterText(program_, text, factor, &error)) << error;
    drawing::Drawing result;
    EXPECT_TRUE(result.ReadDrawing(StringFile(), 0, 0, 0, &error)) << error;
    float left = 0, top = 0, right = 0, bottom = 0;
    EXPECT_TRUE(result.GetExtents(left, top, right, bottom));
    return Box{left, bottom, right, top};
  }
  std::string StringFile() const { return dir_.Path() + "Letters/String.DXF"; }

  test_support::TempFolder dir_;
  test_support::ScriptedUi ui_;
  core::Program program_{ui_};
};

// The sample letters are 10 high with the baseline at 0; A and B are 6 wide, the comma
// reaches 2 below the baseline. Letters are 3 apart.
TEST_F(LetterTextTest, LettersFollowEachOtherWithAFixedGap) {
  const Box ab = Compose("AB", 1);
  EXPECT_FLOAT_EQ(ab.minX, 0);
  EXPECT_FLOAT_EQ(ab.maxX, 6 + 3 + 6);
  EXPECT_FLOAT_EQ(ab.maxY, 10);

  // lower case finds the upper-case drawing; the comma has its own drawing
  const Box comma = Compose("a,b", 1);
  EXPECT_FLOAT_EQ(comma.maxX, 6 + 3 + 1 + 3 + 6);
  EXPECT_FLOAT_EQ(comma.minY, -2);
}

TEST_F(LetterTextTest, ABlankAdvancesByTheReferenceLetter) {
  // "I" is 4 wide; the blank still advances by the width of "A".
  const Box box = Compose("I I", 1);
  EXPECT_FLOAT_EQ(box.maxX, 4 + 3 + 6 + 4);
}

TEST_F(LetterTextTest, TheScaleKeepsTheGapBetweenLetters) {
  const Box box = Compose("AB", 2);
  EXPECT_FLOAT_EQ(box.maxX, 12 + 3 + 12);
  EXPECT_FLOAT_EQ(box.maxY, 20);
  const Box small = Compose("AB", 0.5f);
  EXPECT_FLOAT_EQ(small.maxX, 3 + 3 + 3);
}

TEST_F(LetterTextTest, AnEmptyTextWritesTheReferenceLetter) {
  std::string text = "   ";
  EXPECT_TRUE(BuildLetterText(program_, text, 1));
  EXPECT_EQ(text, "");
  drawing::Drawing result;
  ASSERT_TRUE(result.ReadDrawing(StringFile(), 0, 0, 0));
  float left = 0, top = 0, right = 0, bottom = 0;
  ASSERT_TRUE(result.GetExtents(left, top, right, bottom));
  EXPECT_FLOAT_EQ(right - left, 6);

  // the caller's text comes back trimmed
  std::string padded = "  AB ";
  EXPECT_TRUE(BuildLetterText(program_, padded, 1));
  EXPECT_EQ(padded, "AB");
}

TEST_F(LetterTextTest, AMissingLetterWritesNothing) {
  std::string text = "A?B";
  std::string error;
  EXPECT_FALSE(BuildLetterText(program_, text, 1, &error));
  EXPECT_NE(error.find("?.DXF"), std::string::npos) << error;
  EXPECT_FALSE(fs::exists(StringFile()));

  fs::remove(dir_.Path() + "Letters/A.dxf");
  std::string plain = "B";
  error.clear();
  EXPECT_FALSE(BuildLetterText(program_, plain, 1, &error));
  EXPECT_NE(error.find("A.dxf"), std::string::npos) << error;
  EXPECT_FALSE(fs::exists(StringFile()));
}

TEST(EngravingPointTest, TheLastEngravingPointCounts) {
  test_support::ScriptedUi ui;
  core::Program program(ui);
  float x = -1, y = -1;
  ASSERT_TRUE(program.DXF1.ReadDrawingFromBytes(test_support::DxfFixture()
                                                    .Point("ENGRAVING", 5, 6)
                                                    .Point("Engraving_2", 7, 8)
                                                    .Point("DRILL", 9, 9)
                                                    .Dxf(),
                                                "p.dxf", 0, 0, 0));
  EXPECT_TRUE(GetIP(program, x, y));
  EXPECT_FLOAT_EQ(x, 7);
  EXPECT_FLOAT_EQ(y, 8);

  ASSERT_TRUE(program.DXF1.ReadDrawingFromBytes(test_support::DxfFixture().Point("DRILL", 9, 9).Dxf(),
                                                "q.dxf", 0, 0, 0));
  x = y = -1;
  EXPECT_FALSE(GetIP(program, x, y));
  EXPECT_FLOAT_EQ(x, -1);
}

TEST(DistTest, EuclideanDistance) {
  EXPECT_FLOAT_EQ(Dist(0, 0, 3, 4), 5);
  EXPECT_FLOAT_EQ(Dist(-1, 2, -1, 2), 0);
}

TEST(DistTest, DistancesWhoseSquaresLeaveSinglePrecisionRange) {
  const struct {
    float dx, dy, distance;
  } cases[] = {
      {3e19f, 4e19f, 5e19f},     // squares beyond the largest single
      {3e-30f, 4e-30f, 5e-30f},  // squares below the smallest single
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.distance);
    EXPECT_FLOAT_EQ(Dist(0, 0, c.dx, c.dy), c.distance);
    EXPECT_FLOAT_EQ(Dist(c.dx, c.dy, 0, 0), c.distance);
  }
}

}  // namespace
}  // namespace tv::viewer
