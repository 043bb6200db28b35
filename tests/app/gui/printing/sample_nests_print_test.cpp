// The sample job nested and every sheet printed to one PDF file: one page per sheet, each with
// the sheet's border and parts on it, and the viewer back on the composite it showed.
#include <gtest/gtest.h>

#include <QImage>

#include "e2e/sample_job.h"
#include "gui/printing/qt_print_device.h"
#include "nesting/run_driver.h"
#include "printing/print_commands.h"
#include "testing/run_command.h"

namespace tv::gui {
namespace {

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

  const auto info = test_support::RunCommand("pdfinfo '" + pdf + "'").output;
  const auto pagesAt = info.find("Pages:");
  ASSERT_NE(pagesAt, std::string::npos) << info;
  EXPECT_EQ(std::stoul(info.substr(pagesAt + 6)), program.NestFiles.size()) << info;
  // The sheet fills the page's width (a sheet is wider than high): ink near both side edges of
  // the first page, and in its middle.
  test_support::RunCommand("pdftoppm -r 20 -png -singlefile -f 1 -l 1 '" + pdf + "' '" + program.AppDir +
                           "p1'");
  const QImage page(QString::fromStdString(program.AppDir + "p1.png"));
  ASSERT_FALSE(page.isNull());
  EXPECT_GT(page.width(), page.height());
  auto inkInColumn = [&page](int x) {
    int ink = 0;
    for (int y = 0; y < page.height(); ++y) ink += QColor(page.pixel(x, y)).lightness() < 200;
    return ink;
  };
  int leftInk = 0, rightInk = 0;
  for (int x = 0; x < page.width() / 10; ++x) leftInk += inkInColumn(x);
  for (int x = page.width() * 9 / 10; x < page.width(); ++x) rightInk += inkInColumn(x);
  EXPECT_GT(leftInk, 0);
  EXPECT_GT(rightInk, 0);
  EXPECT_GT(inkInColumn(page.width() / 2), 0);
}

}  // namespace
}  // namespace tv::gui
