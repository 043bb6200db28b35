#include "gui/dialogs/frm_print_setup.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>

#include "testing/scripted_ui.h"

namespace tv::gui {
namespace {

using test_support::ScriptedUi;

// Installed printers as the test says; the settings land on a PDF printer underneath.
class ListedPrinters : public QtPrinterAccess {
 public:
  ListedPrinters(ProgramPrinter& current, std::vector<std::string> names)
      : QtPrinterAccess(current), names_(std::move(names)) {}
  std::vector<std::string> PrinterNames() override { return names_; }
  std::string CurrentDeviceName() override { return current_; }
  void SelectPrinter(const std::string& deviceName) override { current_ = deviceName; }
  printing::PrinterFacts Facts() override {
    auto facts = QtPrinterAccess::Facts();
    facts.deviceName = current_;
    return facts;
  }

 private:
  std::vector<std::string> names_;
  std::string current_ = "Workshop";
};

void MakePdf(ProgramPrinter& printer) {
  printer.printer.setOutputFormat(QPrinter::PdfFormat);
}

TEST(FrmPrintSetup, WithNoPrinterOnlyTheMessageShows) {
  ScriptedUi ui;
  ProgramPrinter current;
  ListedPrinters printers(current, {});
  FrmPrintSetup dialog(ui, printers);
  EXPECT_FALSE(dialog.Load());
  EXPECT_FALSE(dialog.isVisible());
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_NE(ui.LastMessage().text.find("No printer is installed"), std::string::npos);
}

TEST(FrmPrintSetup, ListsAndSummaryFollowTheChoices) {
  ScriptedUi ui;
  ProgramPrinter current;
  MakePdf(current);
  ListedPrinters printers(current, {"Office", "Workshop"});
  FrmPrintSetup dialog(ui, printers);
  ASSERT_TRUE(dialog.Load());
  // The upper bin, picked first on opening, is no tray of a PDF file.
  EXPECT_EQ(ui.CountMessages("The paper bin selected is not supported by the selected printer."), 1u);
  auto* cmbPrinters = dialog.findChild<QComboBox*>("cmbPrinters");
  auto* cmbSize = dialog.findChild<QComboBox*>("cmbSize");
  auto* label = dialog.findChild<QLabel*>("Label1");
  EXPECT_EQ(cmbPrinters->currentText(), "Workshop");
  EXPECT_EQ(cmbSize->count(), 4);
  EXPECT_TRUE(label->text().contains(
      "Device name: Workshop\nOrientation: Portrait\nPaper Size: Letter, 8 1/2 x 11 in."))
      << label->text().toStdString();
  EXPECT_TRUE(label->text().contains("Width: 12240\nHeight: 15840")) << label->text().toStdString();

  emit cmbSize->activated(3);  // Legal
  EXPECT_TRUE(label->text().contains("Paper Size: Legal, 8 1/2 x 14 in.")) << label->text().toStdString();
  emit dialog.findChild<QComboBox*>("cmbOrientation")->activated(1);
  EXPECT_TRUE(label->text().contains("Orientation: Landscape"));
  EXPECT_TRUE(label->text().contains("Width: 20160\nHeight: 12240")) << label->text().toStdString();
}

TEST(QtPrinterAccess, PdfOutputTakesOnlyTheDefaultBinAndSizesRoundTrip) {
  ProgramPrinter current;
  MakePdf(current);
  QtPrinterAccess access(current);
  std::string error;
  EXPECT_EQ(access.SetPaperBin(7, error), printing::SetResult::Done);
  EXPECT_EQ(access.SetPaperBin(2, error), printing::SetResult::Unsupported);
  for (int code : {1, 3, 5, 8, 9, 11, 20, 27, 41}) {
    EXPECT_EQ(access.SetPaperSize(code, error), printing::SetResult::Done) << code;
    EXPECT_EQ(access.Facts().paperSize, code) << code;
  }
  EXPECT_EQ(access.SetPaperSize(300, error), printing::SetResult::Unsupported);
  current.printer.setPageSize(QPageSize(QPageSize::A6));
  EXPECT_EQ(access.Facts().paperSize, 0) << "a size outside the table";
  EXPECT_EQ(printing::DescribePrinter(access.Facts()).find("Paper Size: Undefined") != std::string::npos,
            true);
}

}  // namespace
}  // namespace tv::gui
