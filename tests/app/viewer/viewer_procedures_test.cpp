// Loading, listing, saving and clicking on the working drawing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/program.h"
#include "testing/dxf_fixture.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"
#include "text/number_text.h"
#include "viewer/drawing_inspection.h"
#include "viewer/viewer_procedures.h"

namespace tv::viewer {
namespace {

using test_support::DxfFixture;

const std::string kSamples = std::string(TAVOLIN_SOURCE_DIR) + "/samples/";

class ViewerTest : public testing::Test {
 protected:
  std::string Write(const std::string& name, const DxfFixture& dxf) { return dir_.Write(name, dxf.Dxf()); }

  test_support::TempFolder dir_;
  test_support::ScriptedUi ui_;
  core::Program program_{ui_};
};

TEST_F(ViewerTest, ShowDxfShowsTitleAndLayers) {
  const std::string path = kSamples + "Parts/B1_Door.dxf";
  ASSERT_TRUE(ShowDxf(program_, path));
  EXPECT_EQ(program_.ViewerCaption, "2417 B1 Door");
  EXPECT_EQ(program_.LayerList,
            (std::vector<std::string>{"0", "BORDER_Z19", "VBORE_Z13", "ROUTE1_Z6P5", "NAME"}));
  EXPECT_EQ(program_.DXF1.DrawingFile(), path);
  EXPECT_EQ(ui_.PointerHistory(), (std::vector<core::Pointer>{core::Pointer::Busy, core::Pointer::Normal}));
  // the other fields now come from this drawing's block
  std::string key = "Cabinet";
  EXPECT_EQ(GetDrawingField(program_, key), "B1");
}

TEST_F(ViewerTest, ADrawingWithoutTitleIsCaptionedWithItsPath) {
  const std::string path =
      Write("untitled.dxf", DxfFixture().Comment("Job: 7").LineRect("BORDER", 0, 0, 10, 10));
  ASSERT_TRUE(ShowDxf(program_, path));
  EXPECT_EQ(program_.ViewerCaption, path);
}

TEST_F(ViewerTest, AFailedLoadKeepsTheDrawingShown) {
  const std::string good = kSamples + "Parts/W1_Side.dxf";
  ASSERT_TRUE(ShowDxf(program_, good));
  const int entities = program_.DXF1.EntityCount();
  const std::vector<std::string> layers = program_.LayerList;

  for (const std::string& bad : {dir_.Write("notdxf.dxf", "999\nTavolin: Broken\nthis is not a drawing\n"),
                                 dir_.Path() + "missing.dxf"}) {
    EXPECT_FALSE(ShowDxf(program_, bad)) << bad;
    EXPECT_EQ(program_.ViewerCaption, "2417 W1 Side");
    EXPECT_EQ(program_.LayerList, layers);
    EXPECT_EQ(program_.DXF1.EntityCount(), entities);
    // the title of the next request still comes from the drawing that is shown
    EXPECT_EQ(program_.DXF1.DrawingFile(), good);
    EXPECT_EQ(ui_.CurrentPointer(), core::Pointer::Normal);
  }
  std::string title = "Tavolin";
  EXPECT_EQ(GetDrawingField(program_, title), "2417 W1 Side");
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(ViewerTest, LayerIndexIgnoresCaseAndUpperCasesTheName) {
  ASSERT_TRUE(ShowDxf(program_, kSamples + "Parts/B1_Door.dxf"));
  std::string name = "route1_z6p5";
  EXPECT_EQ(layerIndex(program_, name), 4);
  EXPECT_EQ(name, "ROUTE1_Z6P5");
  std::string missing = "Border_Z18";
  EXPECT_EQ(layerIndex(program_, missing), 0);
  EXPECT_EQ(missing, "BORDER_Z18");
}

TEST_F(ViewerTest, SaveViewerDxfAsMakesTheSavedFileCurrent) {
  ASSERT_TRUE(ShowDxf(program_, kSamples + "Parts/W2_Shelf.dxf"));
  const std::string saved = dir_.Path() + "Saved.DXF";
  std::string error;
  ASSERT_TRUE(SaveViewerDxfAs(program_, saved, &error)) << error;
  EXPECT_EQ(program_.DXF1.DrawingFile(), saved);

  // the written drawing measures like the original
  ASSERT_TRUE(ShowDxf(program_, saved));
  double length = 761, width = 280, thickness = 0;
  MeasureBorder(program_, length, width, thickness);
  EXPECT_DOUBLE_EQ(length, 761);
  EXPECT_DOUBLE_EQ(width, 280);
  EXPECT_DOUBLE_EQ(thickness, 19);

  EXPECT_FALSE(SaveViewerDxfAs(program_, dir_.Path() + "no/such/folder/x.dxf", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(program_.DXF1.DrawingFile(), saved);
}

// A nested sheet with part labels, shown in a 1000 x 600 pixel viewer.
class PartInfoTest : public ViewerTest {
 protected:
  void SetUp() override {
    grid::Grid& workList = program_.PList;
    workList.SetMaxRows(12);
    // appended rather than "H" + ...: g++ 12 warns falsely about that operator+ at -O3
    for (long c = 1; c <= workList.MaxCols(); ++c)
      workList.SetCellText(0, c, std::string("H").append(std::to_string(c)));
    workList.SetCellText(0, 2, "Qty");
    workList.SetCellText(12, 2, " 2");
    workList.SetCellText(12, 3, "B1_Door.dxf");
    workList.SetCellText(7, 3, "W1_Side.dxf");

    const std::string sheet = Write("sheet.dxf", DxfFixture()
                                                     .LineRect("Border_Z19", 0, 0, 1000, 600)
                                                     .Text("Zuvodavi", 100, 100, " 12, B1, B1_Door")
                                                     .Text("ZUVODAVI", 500, 300, " 7, W1, W1_Side", 90)
                                                     .Text("Tavolin", 800, 500, " 3, not a label"));
    program_.DXF1.SetViewportSize(1000, 600);
    ASSERT_TRUE(ShowDxf(program_, sheet));
  }

  // Clicks at a point given in drawing units.
  void ClickAt(double x, double y) {
    ShowPartInfoAt(program_, static_cast<float>(program_.DXF1.DrawingToScreenX(x)),
                   static_cast<float>(program_.DXF1.DrawingToScreenY(y)));
  }
  std::string FirstLine() const { return program_.PartSpec.Lines.empty() ? "" : program_.PartSpec.Lines[0]; }

  const std::vector<std::string> kHint{"", " Click on Part Label to get part information."};
};

TEST_F(PartInfoTest, AClickOnALabelListsItsWorkListRow) {
  ClickAt(100, 110);
  ASSERT_EQ(program_.PartSpec.Lines.size(), 25u);
  EXPECT_EQ(program_.PartSpec.Lines[0], "Qty,  2");
  EXPECT_EQ(program_.PartSpec.Lines[1], "H3, B1_Door.dxf");
  EXPECT_EQ(program_.PartSpec.Lines[24], "H26, ");
  EXPECT_TRUE(program_.PartSpec.BringToFront);
}

TEST_F(PartInfoTest, HitWindowAroundTheLabel) {
  struct Click {
    double x, y;
    std::string firstLine;
  };
  const std::vector<Click> clicks = {// level label: 10 below to 30 above its base line, 125 either side
                                     {100, 95, "Qty,  2"},
                                     {100, 129, "Qty,  2"},
                                     {220, 100, "Qty,  2"},
                                     {100, 89, ""},
                                     {100, 131, ""},
                                     {226, 100, ""},
                                     // label at 90 degrees: 10 right to 30 left of it, 125 along it
                                     {475, 300, "Qty, "},
                                     {511, 300, ""},
                                     {469, 300, ""},
                                     {490, 420, "Qty, "},
                                     {490, 426, ""},
                                     // texts on other layers are no labels
                                     {800, 505, ""}};
  for (const Click& click : clicks) {
    ClickAt(click.x, click.y);
    if (click.firstLine.empty()) {
      EXPECT_EQ(program_.PartSpec.Lines, kHint) << click.x << ", " << click.y;
    } else {
      EXPECT_EQ(FirstLine(), click.firstLine) << click.x << ", " << click.y;
    }
  }
}

TEST_F(PartInfoTest, InchWorkListsKeepThePhysicalHitWindow) {
  program_.MetricUnits = false;
  ClickAt(100, 101);
  EXPECT_EQ(FirstLine(), "Qty,  2");
  ClickAt(100, 102);
  EXPECT_EQ(program_.PartSpec.Lines, kHint);
  ClickAt(104.5, 100.2);
  EXPECT_EQ(FirstLine(), "Qty,  2");
  ClickAt(105.5, 100.2);
  EXPECT_EQ(program_.PartSpec.Lines, kHint);
}

TEST_F(PartInfoTest, TheLastLabelHitWinsAndRowZeroIsNoHit) {
  const std::string sheet = Write("two.dxf", DxfFixture()
                                                 .LineRect("Border_Z19", 0, 0, 1000, 600)
                                                 .Text("Zuvodavi", 100, 100, " 12, first")
                                                 .Text("Zuvodavi", 120, 100, " 7, second")
                                                 .Text("Zuvodavi", 600, 100, " 0, nothing"));
  ASSERT_TRUE(ShowDxf(program_, sheet));
  ClickAt(110, 105);
  ASSERT_FALSE(program_.PartSpec.Lines.empty());
  EXPECT_EQ(program_.PartSpec.Lines[1], "H3, W1_Side.dxf");
  ClickAt(600, 105);
  EXPECT_EQ(program_.PartSpec.Lines, kHint);
}

TEST_F(PartInfoTest, MouseButtonsAndModes) {
  drawing::Drawing& dxf = program_.DXF1;
  float left = 0, top = 0, right = 0, bottom = 0;
  ASSERT_TRUE(dxf.GetCurrentZoom(left, top, right, bottom));
  const float loadedWidth = right - left;

  // Spot zoom: the right button is handed to the drawing and zooms out.
  dxf.SetZoomFunction(drawing::kZoomSpot);
  ViewerMouseDown(program_, drawing::kRightButton, 0, 900, 50);
  ASSERT_TRUE(dxf.GetCurrentZoom(left, top, right, bottom));
  EXPECT_GT(right - left, loadedWidth * 1.2f);
  // every click also looks for a part label
  EXPECT_EQ(program_.PartSpec.Lines, kHint);

  // Window and pan modes: the right button zooms to the whole drawing at 99 percent.
  for (const int mode : {drawing::kZoomWindow, drawing::kZoomPan}) {
    dxf.SetZoomFunction(drawing::kZoomSpot);
    ViewerMouseDown(program_, drawing::kRightButton, 0, 900, 50);
    dxf.SetZoomFunction(mode);
    ViewerMouseDown(program_, drawing::kRightButton, 0, 900, 50);
    float l99 = 0, t99 = 0, r99 = 0, b99 = 0;
    ASSERT_TRUE(dxf.GetCurrentZoom(l99, t99, r99, b99));
    // loading showed 98 percent, so 99 percent is a little tighter
    EXPECT_LT(r99 - l99, loadedWidth) << mode;
    EXPECT_NEAR((r99 - l99) / loadedWidth, 98.0 / 99.0, 0.002) << mode;
  }
}

TEST_F(PartInfoTest, OnlyTheLeftButtonEndsAWindowZoom) {
  drawing::Drawing& dxf = program_.DXF1;
  dxf.SetZoomFunction(drawing::kZoomWindow);
  ViewerMouseDown(program_, drawing::kLeftButton, 0, 200, 200);
  ViewerMouseMove(program_, drawing::kLeftButton, 0, 400, 350);
  double x0, y0, x1, y1;
  EXPECT_TRUE(dxf.RubberBand(x0, y0, x1, y1));
  ViewerMouseUp(program_, drawing::kRightButton, 0, 400, 350);
  EXPECT_TRUE(dxf.RubberBand(x0, y0, x1, y1));
  ViewerMouseUp(program_, drawing::kLeftButton, 0, 400, 350);
  EXPECT_FALSE(dxf.RubberBand(x0, y0, x1, y1));
}

TEST_F(PartInfoTest, PointerPositionInTheStatusBar) {
  ViewerMouseMove(program_, 0, 0, 10.5f, 20.5f);
  // whole pixels (halves to even), numbers without a leading blank
  EXPECT_EQ(ui_.Status("X"), "X: " + text::CStr(program_.DXF1.ScreenToDrawingX(10)));
  EXPECT_EQ(ui_.Status("Y"), "Y: " + text::CStr(program_.DXF1.ScreenToDrawingY(20)));
  EXPECT_NE(ui_.Status("X").substr(3, 1), " ");

  program_.DXF1.SetSpotZoomLeft(50);
  program_.DXF1.SetSpotZoomRight(25);
  ShowSpotZoomStatus(program_);
  EXPECT_EQ(ui_.Status("ZoomPct"), "Spot Zoom (L/R): 50% / 25% ");
}

}  // namespace
}  // namespace tv::viewer
