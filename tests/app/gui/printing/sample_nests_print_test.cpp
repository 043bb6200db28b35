// The sample job nested and every sheet printed to one PDF file: one page per sheet, each with
// the sheet's border and parts on it, and the viewer back on the composite it showed.
#include <gtest/gtest.h>

#include <QImage>

#include "e2e/sample_job.h"
#include "gui/printing/qt_print_device.h"
#include "nesting/run_driver.h"
#include "pdf_pages.h"
#include "printing/print_commands.h"

namespace tv::gui {
namespace {

using test_support::InkIn;
using test_support::PageCount;
using test_support::PageImage;

class SampleNestsPrint : public e2e::SampleJob {};

TEST_F(SampleNestsPrint, EverySheetIsOnePageWithTheSheetOnIt) {
  StartWithJob();
  nesting::Proc_Click(program);
  ui.ClearMessages();
  ASSERT_GE(program.NestFiles.size(), 2u);
  const std::string shown = program.DXF1.DrawingFile();

  const std::string pdf = program.AppDir + "nests.pdf";
  ProgramPrinter current;
  current.printer.setOutputFormat(QPrinter::PdfFormat);
  current.printer.setOutputFileName(QString::fromStdString(pdf));
  current.printer.setResolution(300);
  QtPrintDevice device(current);
  ui.ExpectPrintSetup(core::PrintSetup{2, "", 7, 9});
  printing::mfPAN_Click(program, device);
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(program.DXF1.DrawingFile(), shown);

  EXPECT_EQ(PageCount(pdf), static_cast<int>(program.NestFiles.size()));
  // The sheet fills the page's width (a sheet is wider than high): ink near both side edges of
  // the first page, and in its middle.
  const QImage page = PageImage(pdf, 1, program.AppDir, 20);
  ASSERT_FALSE(page.isNull());
  EXPECT_GT(page.width(), page.height());
  const int w = page.width(), h = page.height();
  EXPECT_GT(InkIn(page, QRect(0, 0, w / 10, h)).dark, 0);
  EXPECT_GT(InkIn(page, QRect(w * 9 / 10, 0, w - w * 9 / 10, h)).dark, 0);
  EXPECT_GT(InkIn(page, QRect(w / 2, 0, 1, h)).dark, 0);
}

}  // namespace
}  // namespace tv::gui
