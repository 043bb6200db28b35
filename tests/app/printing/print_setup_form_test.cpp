#include "printing/print_setup_form.h"

#include <gtest/gtest.h>

#include <set>

#include "testing/scripted_ui.h"

namespace tv::printing {
namespace {

using test_support::ScriptedUi;

// A printer that takes only the values it offers.
class FakePrinter : public PrinterAccess {
 public:
  std::vector<std::string> names = {"Office", "Workshop"};
  std::string current = "Workshop";
  std::set<int> bins = {7};
  std::set<int> sizes = {1, 3, 5};
  bool orientationFails = false;
  std::set<int> officeBins = {7};  // the trays of the other printer
  PrinterFacts facts;

  std::vector<std::string> PrinterNames() override { return names; }
  std::string CurrentDeviceName() override { return current; }
  void SelectPrinter(const std::string& deviceName) override {
    if (deviceName == "Office" && current != "Office") std::swap(bins, officeBins);
    current = deviceName;
    facts.deviceName = deviceName;
    if (!bins.contains(facts.paperBin)) facts.paperBin = 7;
  }
  SetResult SetOrientation(int code, std::string& error) override {
    if (orientationFails) {
      error = "The printer stopped answering.";
      return SetResult::Failed;
    }
    facts.orientation = code;
    return SetResult::Done;
  }
  SetResult SetPaperSize(int code, std::string&) override {
    if (!sizes.contains(code)) return SetResult::Unsupported;
    facts.paperSize = code;
    return SetResult::Done;
  }
  SetResult SetPaperBin(int code, std::string&) override {
    if (!bins.contains(code)) return SetResult::Unsupported;
    facts.paperBin = code;
    return SetResult::Done;
  }
  PrinterFacts Facts() override { return facts; }
};

TEST(PrintSetupForm, NoPrinterInstalledSaysSoAndOpensNothing) {
  ScriptedUi ui;
  FakePrinter printer;
  printer.names.clear();
  PrintSetupForm form(ui, printer);
  EXPECT_FALSE(form.Form_Load());
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().text, PrintSetupForm::kNoPrinter);
  EXPECT_EQ(ui.LastMessage().title, "Printer Setup");
}

TEST(PrintSetupForm, LoadSelectsTheCurrentPrinterAndRefusesAnUnofferedBin) {
  ScriptedUi ui;
  FakePrinter printer;
  PrintSetupForm form(ui, printer);
  ASSERT_TRUE(form.Form_Load());
  EXPECT_EQ(form.PrinterIndex(), 1);
  EXPECT_EQ(form.Bins().size(), 5u);
  // The first bin (upper) is not offered: refused once, the list stays on its first entry.
  EXPECT_EQ(ui.CountMessages("The paper bin selected is not supported by the selected printer."), 1u);
  EXPECT_EQ(ui.LastMessage().title, "Printer Setup Error");
  EXPECT_EQ(ui.LastMessage().icon, core::MsgIcon::Question);
  EXPECT_EQ(form.BinIndex(), 0);
  EXPECT_NE(form.Summary().find("Device name: Workshop\r\n"), std::string::npos);

  ui.ClearMessages();
  form.cmbBins_Change(4);  // the default bin
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_NE(form.Summary().find("Bin: (Default) Use paper from the current default bin.\r\n"),
            std::string::npos);
}

TEST(PrintSetupForm, APrinterWithoutTheBinsTrayShowsItsOwnTray) {
  ScriptedUi ui;
  FakePrinter printer;
  printer.bins = {1, 2, 7};
  PrintSetupForm form(ui, printer);
  ASSERT_TRUE(form.Form_Load());
  EXPECT_TRUE(ui.Messages().empty());
  form.cmbBins_Change(1);  // lower
  ASSERT_EQ(form.BinIndex(), 1);
  form.cmbPrinters_Click(0);  // Office has no lower tray
  EXPECT_EQ(form.BinIndex(), 4);
  EXPECT_NE(form.Summary().find("Bin: (Default) Use paper from the current default bin.\r\n"),
            std::string::npos);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST(PrintSetupForm, ARefusedSizeGoesBackToTheFirstEntry) {
  ScriptedUi ui;
  FakePrinter printer;
  PrintSetupForm form(ui, printer);
  ASSERT_TRUE(form.Form_Load());
  form.cmbSize_Click(3);
  EXPECT_NE(form.Summary().find("Paper Size: Legal, 8 1/2 x 14 in.\r\n"), std::string::npos);
  ui.ClearMessages();
  form.cmbSize_Click(2);  // Ledger is not offered
  EXPECT_EQ(ui.CountMessages("The paper size selected is not supported by the selected printer."), 1u);
  EXPECT_EQ(form.SizeIndex(), 0);
  EXPECT_NE(form.Summary().find("Paper Size: Letter, 8 1/2 x 11 in.\r\n"), std::string::npos);
}

TEST(PrintSetupForm, AnyOtherFailureShowsItsOwnTextAndRefreshes) {
  ScriptedUi ui;
  FakePrinter printer;
  PrintSetupForm form(ui, printer);
  ASSERT_TRUE(form.Form_Load());
  printer.orientationFails = true;
  printer.facts.width = 11906;  // the printer changed meanwhile: only a refresh shows it
  ui.ClearMessages();
  form.cmbOrientation_Click(1);
  EXPECT_EQ(ui.LastMessage().text, "The printer stopped answering.");
  EXPECT_FALSE(form.Summary().empty());
  EXPECT_NE(form.Summary().find("Width: 11906\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tv::printing
