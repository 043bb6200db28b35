#include "printing/printer_codes.h"

#include <gtest/gtest.h>

namespace tv::printing {
namespace {

struct CodeCase {
  int code;
  const char* text;
};

TEST(PrinterCodes, PaperSizeTexts) {
  const CodeCase cases[] = {
      {1, "Letter, 8 1/2 x 11 in."},
      {2, "Letter Small, 8 1/2 x 11 in."},
      {3, "Tabloid, 11 x 17 in."},
      {4, "Ledger, 17 x 11 in."},
      {5, "Legal, 8 1/2 x 14 in."},
      {7, "Executive, 7 1/4 x 10 1/2 in."},
      {9, "A4, 210 x 297 mm"},
      {19, "Envelope #9, 3 7/8 x 8 7/8 in."},
      {20, "Envelope #10, 4 1/8 x 9 1/2 in."},
      {21, "Envelope #11, 4 1/2 x 10 3/8 in."},
      {27, "Envelope DL, 110 x 220 mm"},
      {39, "US Std Fanfold, 14 7/8 x 11 in."},
      {41, "German Legal Fanfold, 8 1/2 x 13 in."},
      {256, "User-defined"},
      {0, "Undefined"},
      {42, "Undefined"},
      {-1, "Undefined"},
  };
  for (const auto& c : cases) EXPECT_EQ(PaperSizeText(c.code), c.text) << "code " << c.code;
}

TEST(PrinterCodes, EveryCodeFromOneToFortyOneHasASize) {
  for (int code = 1; code <= 41; ++code) {
    const PaperSize* size = FindPaperSize(code);
    ASSERT_NE(size, nullptr) << code;
    EXPECT_GT(size->width, 0);
    EXPECT_GT(size->height, 0);
    EXPECT_NE(PaperSizeText(code), "Undefined");
  }
}

TEST(PrinterCodes, BinAndOrientationTexts) {
  const CodeCase bins[] = {
      {1, "Use paper from the upper bin."},
      {4, "Wait for manual insertion of each sheet of paper."},
      {6, "Use envelopes from the envelope feeder, but wait for manual insertion."},
      {7, "(Default) Use paper from the current default bin."},
      {11, "Use paper from the large capacity feeder."},
      {12, "Undefined"},
      {13, "Undefined"},
      {14, "Use paper from the attached cassette cartridge."},
      {15, "Undefined"},
      {0, "Undefined"},
  };
  for (const auto& c : bins) EXPECT_EQ(BinText(c.code), c.text) << "bin " << c.code;
  EXPECT_EQ(OrientationText(1), "Portrait");
  EXPECT_EQ(OrientationText(2), "Landscape");
  EXPECT_EQ(OrientationText(0), "Orientation undefined");
  EXPECT_EQ(OrientationText(3), "Orientation undefined");
}

TEST(PrinterCodes, DialogChoicesMapToCodes) {
  EXPECT_EQ(PaperSizeChoices(), (std::vector<std::string>{"Letter, 8 1/2 x 11 in.", "Tabloid, 11 x 17 in.",
                                                          "Ledger, 17 x 11 in.", "Legal, 8 1/2 x 14 in."}));
  EXPECT_EQ(PaperSizeOfChoice("Letter Small, 8 1/2 x 11 in."), 2);
  EXPECT_EQ(PaperSizeOfChoice("Legal, 8 1/2 x 14 in."), 5);
  EXPECT_EQ(PaperSizeOfChoice("A4, 210 x 297 mm"), 1);
  const auto bins = BinChoices();
  ASSERT_EQ(bins.size(), 5u);
  const int expected[] = {1, 2, 3, 4, 7};
  for (std::size_t i = 0; i < bins.size(); ++i) EXPECT_EQ(BinOfChoice(bins[i]), expected[i]);
  EXPECT_EQ(BinOfChoice("something else"), 1);
  EXPECT_EQ(OrientationOfChoice("Landscape"), 2);
  EXPECT_EQ(OrientationOfChoice("landscape"), 1);
}

TEST(PrinterCodes, DescribePrinterGivesEightLines) {
  PrinterFacts printer;
  printer.deviceName = "Office";
  printer.driverName = "HP LaserJet";
  printer.orientation = 2;
  printer.paperSize = 70;  // a size outside the table
  printer.paperBin = 12;
  printer.width = 12240;
  printer.height = 15840;
  const std::string text = DescribePrinter(printer);
  EXPECT_EQ(
      text.substr(text.find("\r\n") + 2),
      "Device name: Office\r\nOrientation: Landscape\r\nPaper Size: Undefined\r\nDriver: HP LaserJet\r\n"
      "Bin: Undefined\r\nWidth: 12240\r\nHeight: 15840\r\n");
  std::size_t lines = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(lines, 8u);
}

// Trays as CUPS lists them for a driver with an upper and a lower tray and a manual feed.
const std::vector<std::string> kUpperLowerManual = {"auto", "top", "bottom", "manual"};

TEST(PrinterCodes, ABinIsOfferedWhenThePrinterHasItsTray) {
  struct Case {
    int bin;
    std::vector<std::string> offered;
    bool expected;
  };
  const Case cases[] = {
      {1, kUpperLowerManual, true},
      {2, kUpperLowerManual, true},
      {3, kUpperLowerManual, false},
      {4, kUpperLowerManual, true},
      {5, kUpperLowerManual, false},
      {11, {"large-capacity"}, true},
      {7, {}, true},                       // the printer's own choice needs no tray
      {1, {}, false},                      // a printer without a tray choice
      {6, {"manual", "envelope"}, false},  // no print-system name for the envelope hand feed
      {12, kUpperLowerManual, false},
      {0, {""}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(BinOffered(c.bin, c.offered), c.expected) << "bin " << c.bin;
}

TEST(PrinterCodes, JobOptionsAskForTheBinsTrayOnly) {
  using Options = std::vector<std::string>;
  struct Case {
    const char* what;
    Options before;
    int bin;
    Options after;
  };
  const Case cases[] = {
      {"upper bin added", {}, 1, {"media-col", "{media-source=top}"}},
      {"other options kept",
       {"sides", "one-sided", "landscape", ""},
       4,
       {"sides", "one-sided", "landscape", "", "media-col", "{media-source=manual}"}},
      {"earlier tray replaced",
       {"media-col", "{media-source=top}", "copies", "2"},
       2,
       {"copies", "2", "media-col", "{media-source=bottom}"}},
      {"driver's own tray gives way",
       {"InputSlot", "Lower", "media-source", "top", "copies", "2"},
       1,
       {"copies", "2", "media-col", "{media-source=top}"}},
      {"default bin asks for no tray",
       {"media-col", "{media-source=top}", "copies", "2"},
       7,
       {"copies", "2"}},
      {"default bin keeps the driver's own tray", {"InputSlot", "Lower"}, 7, {"InputSlot", "Lower"}},
      {"unnamed bin asks for no tray", {"media-col", "{media-source=bottom}"}, 8, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(JobOptionsWithBin(c.before, c.bin), c.after) << c.what;
}

TEST(PrinterCodes, TheDriversTrayIsReadFromTheJobsOptions) {
  using Options = std::vector<std::string>;
  EXPECT_EQ(DriverTrayOfJob(Options{"copies", "2", "InputSlot", "Lower"}), "Lower");
  EXPECT_EQ(DriverTrayOfJob(Options{"media-col", "{media-source=top}"}), "");
  EXPECT_EQ(DriverTrayOfJob(Options{"copies", "InputSlot"}), "") << "a value, not a name";
  EXPECT_EQ(DriverTrayOfJob(Options{"InputSlot"}), "") << "a name without its value";
}

}  // namespace
}  // namespace tv::printing
