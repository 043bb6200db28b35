#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "gui/printing/qt_print_device.h"
#include "pdf_pages.h"
#include "printing/print_commands.h"
#include "testing/calendar_time.h"
#include "testing/dxf_fixture.h"
#include "testing/run_command.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"
#include "viewer/viewer_procedures.h"

namespace tv::gui {
namespace {

using test_support::CalendarTime;
using test_support::DxfFixture;
using test_support::Ink;
using test_support::InkIn;
using test_support::PageCount;
using test_support::PageImage;
using test_support::PdfText;
using test_support::RunCommand;
using test_support::ScriptedUi;
using test_support::TempFolder;

class PdfPrintTest : public ::testing::Test {
 protected:
  PdfPrintTest() {
    current.printer.setOutputFormat(QPrinter::PdfFormat);
    current.printer.setOutputFileName(QString::fromStdString(pdf));
    current.printer.setResolution(300);
  }
  // A sheet of 200 by 100 with a filled quarter at the left and a red line along the top.
  std::string Sheet(const std::string& name) {
    return folder.Write(name, DxfFixture()
                                  .LineRect("BORDER", 0, 0, 200, 100)
                                  .Solid("FILL", 0, 0, 50, 0, 0, 100, 50, 100)
                                  .ColorLine("RED", 1, 60, 90, 190, 90)
                                  .Dxf());
  }

  TempFolder folder;
  std::string pdf = folder.Path() + "out.pdf";
  ProgramPrinter current;
  QtPrintDevice device{current};
  ScriptedUi ui;
  core::Program program{ui};
  core::PrintSetup landscapeA4{2, "", 7, 9};
};

TEST_F(PdfPrintTest, ExtentsFillALandscapePageWithTheWholeDrawing) {
  ASSERT_TRUE(viewer::ShowDxf(program, Sheet("S.DXF")));
  ui.ExpectPrintSetup(landscapeA4);
  printing::mFPrintExtents_Click(program, device);
  ASSERT_EQ(PageCount(pdf), 1);
  EXPECT_NE(RunCommand("pdfinfo '" + pdf + "'").output.find("(A4)"), std::string::npos);
  const QImage page = PageImage(pdf, 1, folder.Path());
  ASSERT_FALSE(page.isNull());
  EXPECT_GT(page.width(), page.height());
  const int w = page.width(), h = page.height();
  // The filled quarter lies in the left quarter of the page, the right half has only lines.
  const Ink left = InkIn(page, QRect(w / 10, h / 4, w / 10, h / 2));
  const Ink right = InkIn(page, QRect(w * 6 / 10, h / 4, w / 10, h / 2));
  EXPECT_GT(left.dark, (w / 10) * (h / 2) * 8 / 10);
  EXPECT_LT(right.dark, (w / 10) * (h / 2) / 10);
  EXPECT_GT(InkIn(page).colored, 0) << "the red line prints red";
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(PdfPrintTest, CurrentViewPrintsOnlyWhatTheViewerShowsAndBlackWhiteHasNoColour) {
  ASSERT_TRUE(viewer::ShowDxf(program, Sheet("S.DXF")));
  program.DXF1.SetViewportSize(400, 200);
  program.DXF1.ZoomToExtents();
  // Zoomed in on the right part of the sheet, far from the filled quarter.
  program.DXF1.SpotZoomAt(330, 100, drawing::kLeftButton);
  program.DXF1.SpotZoomAt(330, 100, drawing::kLeftButton);
  program.DXF1.SetPrintBlackWhite(true);
  ui.ExpectPrintSetup(core::PrintSetup{1, "", 7, 9});
  printing::mFPrintCurrentView_Click(program, device);
  const QImage page = PageImage(pdf, 1, folder.Path());
  ASSERT_FALSE(page.isNull());
  EXPECT_LT(page.width(), page.height());
  const Ink ink = InkIn(page);
  EXPECT_GT(ink.dark, 0);
  EXPECT_LT(ink.dark, page.width() * page.height() / 20) << "no filled quarter in view";
  EXPECT_EQ(ink.colored, 0);
}

TEST_F(PdfPrintTest, CurrentViewOnAWiderPageLeavesOutWhatLiesBesideTheView) {
  ASSERT_TRUE(viewer::ShowDxf(program, Sheet("S.DXF")));
  drawing::Drawing& dxf = program.DXF1;
  dxf.SetViewportSize(200, 200);
  dxf.ZoomToExtents();
  // A square view just right of the filled quarter, over the red line (x 55 to 125, y 30 to 100).
  dxf.SetZoomFunction(drawing::kZoomWindow);
  dxf.MouseDownAt(dxf.DrawingToScreenX(55), dxf.DrawingToScreenY(100));
  dxf.MouseMoveAt(dxf.DrawingToScreenX(125), dxf.DrawingToScreenY(30));
  dxf.MouseUpAt();
  float left, top, right, bottom;
  ASSERT_TRUE(dxf.GetCurrentZoom(left, top, right, bottom));
  ASSERT_GT(left, 50.5f) << "the view must not show the filled quarter";
  ui.ExpectPrintSetup(landscapeA4);
  printing::mFPrintCurrentView_Click(program, device);
  const QImage page = PageImage(pdf, 1, folder.Path());
  ASSERT_FALSE(page.isNull());
  // The landscape page is wider than the square view: its side strips stay white.
  const int strip = page.width() / 8;
  EXPECT_EQ(InkIn(page, QRect(0, 0, strip, page.height())).dark, 0);
  EXPECT_EQ(InkIn(page, QRect(page.width() - strip, 0, strip, page.height())).dark, 0);
  EXPECT_GT(InkIn(page).dark, 0);
}

TEST_F(PdfPrintTest, AllNestsPrintsOnePagePerRemainingSheetAndRestoresTheViewer) {
  const std::string earlier = Sheet("Part.DXF");
  ASSERT_TRUE(viewer::ShowDxf(program, earlier));
  program.NestFiles = {Sheet("NEST001.DXF"), Sheet("NEST002.DXF"), Sheet("NEST003.DXF")};
  std::filesystem::remove(program.NestFiles[1]);
  ui.ExpectPrintSetup(landscapeA4);
  printing::mfPAN_Click(program, device);
  EXPECT_EQ(PageCount(pdf), 2);
  EXPECT_EQ(program.DXF1.DrawingFile(), earlier);
  for (int page : {1, 2}) EXPECT_GT(InkIn(PageImage(pdf, page, folder.Path())).dark, 0) << page;
}

TEST_F(PdfPrintTest, CancelWritesNoFile) {
  ASSERT_TRUE(viewer::ShowDxf(program, Sheet("S.DXF")));
  ui.ExpectPrintSetup(std::nullopt);
  printing::mFPrintExtents_Click(program, device);
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(PdfPrintTest, PullListPagesCarryTheJobHeaderAndTheGridsTexts) {
  grid::Grid& mpl = program.MPL;
  mpl.SetMaxCols(8);
  mpl.SetMaxRows(120);
  mpl.SetHeaders({"OK", "Pull List Material", "Drop", "Grain", "Qty", "Length", "Width", "Thickness"});
  mpl.SetColumnHiddenAt(1, true);
  for (long row = 1; row <= 90; ++row) {
    mpl.SetCellText(row, 1, "1");
    mpl.SetCellText(row, 2, "MELAMINE WHITE " + std::to_string(row));
    mpl.SetCellText(row, 5, std::to_string(row % 7 + 1));
    mpl.SetCellText(row, 6, "2440");
    mpl.SetCellText(row, 7, "1220");
    mpl.SetCellText(row, 8, "19");
  }
  program.JobName = "K12";
  ui.ExpectPrintSetup(core::PrintSetup{1, "", 7, 9});
  printing::mFPrtMPL_Click(program, device, CalendarTime(2024, 3, 5, 14, 7, 9));

  const int pages = PageCount(pdf);
  ASSERT_GE(pages, 2) << "90 rows do not fit one page";
  const std::string text = PdfText(pdf);
  const std::string headerText = PdfText(pdf, "6.02");
  const std::string header =
      "Job: K12" + std::string(11, ' ') + "03-05-2024" + std::string(4, ' ') + "14:07:09";
  std::size_t headers = 0;
  for (auto at = headerText.find(header); at != std::string::npos; at = headerText.find(header, at + 1))
    ++headers;
  EXPECT_EQ(headers, static_cast<std::size_t>(pages)) << headerText.substr(0, 400);
  for (const char* expected :
       {"Pull List Material", "Thickness", "MELAMINE WHITE 1 ", "MELAMINE WHITE 90", "2440"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  }
  EXPECT_EQ(text.find("OK "), std::string::npos) << "the hidden column is not printed";
  EXPECT_GT(InkIn(PageImage(pdf, 1, folder.Path())).dark, 0);
}

}  // namespace
}  // namespace tv::gui
