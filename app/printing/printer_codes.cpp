#include "printing/printer_codes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <utility>

namespace tv::printing {
namespace {

using enum PaperUnit;

const std::vector<PaperSize> kPaperSizes = {
    {1, "Letter", 8.5, 11, Inch},
    {2, "Letter Small", 8.5, 11, Inch},
    {3, "Tabloid", 11, 17, Inch},
    {4, "Ledger", 17, 11, Inch},
    {5, "Legal", 8.5, 14, Inch},
    {6, "Statement", 5.5, 8.5, Inch},
    {7, "Executive", 7.25, 10.5, Inch},
    {8, "A3", 297, 420, Millimetre},
    {9, "A4", 210, 297, Millimetre},
    {10, "A4 Small", 210, 297, Millimetre},
    {11, "A5", 148, 210, Millimetre},
    {12, "B4", 250, 354, Millimetre},
    {13, "B5", 182, 257, Millimetre},
    {14, "Folio", 8.5, 13, Inch},
    {15, "Quarto", 215, 275, Millimetre},
    {16, "10x14", 10, 14, Inch},
    {17, "11x17", 11, 17, Inch},
    {18, "Note", 8.5, 11, Inch},
    {19, "Envelope #9", 3.875, 8.875, Inch},
    {20, "Envelope #10", 4.125, 9.5, Inch},
    {21, "Envelope #11", 4.5, 10.375, Inch},
    {22, "Envelope #12", 4.75, 11, Inch},
    {23, "Envelope #14", 5, 11.5, Inch},
    {24, "C Size Sheet", 17, 22, Inch},
    {25, "D Size Sheet", 22, 34, Inch},
    {26, "E Size Sheet", 34, 44, Inch},
    {27, "Envelope DL", 110, 220, Millimetre},
    {28, "Envelope C5", 162, 229, Millimetre},
    {29, "Envelope C3", 324, 458, Millimetre},
    {30, "Envelope C4", 229, 324, Millimetre},
    {31, "Envelope C6", 114, 162, Millimetre},
    {32, "Envelope C65", 114, 229, Millimetre},
    {33, "Envelope B4", 250, 353, Millimetre},
    {34, "Envelope B5", 176, 250, Millimetre},
    {35, "Envelope B6", 176, 125, Millimetre},
    {36, "Envelope Italy", 110, 230, Millimetre},
    {37, "Envelope Monarch", 3.875, 7.5, Inch},
    {38, "6 3/4 Envelope", 3.625, 6.5, Inch},
    {39, "US Std Fanfold", 14.875, 11, Inch},
    {40, "German Std Fanfold", 8.5, 12, Inch},
    {41, "German Legal Fanfold", 8.5, 13, Inch},
};

struct BinEntry {
  int code;
  const char* text;
  const char* mediaSource;  // "" when print systems have no name for the tray
};
constexpr std::array kBins = {
    BinEntry{1, "Use paper from the upper bin.", "top"},
    BinEntry{2, "Use paper from the lower bin.", "bottom"},
    BinEntry{3, "Use paper from the middle bin.", "middle"},
    BinEntry{4, "Wait for manual insertion of each sheet of paper.", "manual"},
    BinEntry{5, "Use envelopes from the envelope feeder.", "envelope"},
    BinEntry{6, "Use envelopes from the envelope feeder, but wait for manual insertion.", ""},
    BinEntry{7, "(Default) Use paper from the current default bin.", "auto"},
    BinEntry{8, "Use paper fed from the tractor feeder.", ""},
    BinEntry{9, "Use paper from the small paper feeder.", ""},
    BinEntry{10, "Use paper from the large paper bin.", ""},
    BinEntry{11, "Use paper from the large capacity feeder.", "large-capacity"},
    BinEntry{14, "Use paper from the attached cassette cartridge.", ""},
};

const BinEntry* FindBin(int code) {
  for (const auto& bin : kBins) {
    if (bin.code == code) return &bin;
  }
  return nullptr;
}

// Inches as the size tables write them: whole inches and eighths ("8 1/2", "3 7/8", "11").
std::string InchText(double inches) {
  const long eighths = std::lround(inches * 8);
  const long whole = eighths / 8;
  long num = eighths % 8, den = 8;
  while (num != 0 && num % 2 == 0) {
    num /= 2;
    den /= 2;
  }
  char text[80];
  if (num == 0) {
    std::snprintf(text, sizeof text, "%ld", whole);
  } else {
    std::snprintf(text, sizeof text, "%ld %ld/%ld", whole, num, den);
  }
  return text;
}

std::string SizeText(const PaperSize& size) {
  if (size.unit == Millimetre) {
    return std::to_string(std::lround(size.width)) + " x " + std::to_string(std::lround(size.height)) + " mm";
  }
  return InchText(size.width) + " x " + InchText(size.height) + " in.";
}

}  // namespace

const std::vector<PaperSize>& PaperSizes() {
  return kPaperSizes;
}

const PaperSize* FindPaperSize(int code) {
  for (const auto& size : kPaperSizes) {
    if (size.code == code) return &size;
  }
  return nullptr;
}

std::string OrientationText(int code) {
  if (code == kPortrait) return "Portrait";
  if (code == kLandscape) return "Landscape";
  return "Orientation undefined";
}

std::string PaperSizeText(int code) {
  if (code == kUserDefinedPaper) return "User-defined";
  const PaperSize* size = FindPaperSize(code);
  if (size == nullptr) return "Undefined";
  return std::string(size->name) + ", " + SizeText(*size);
}

std::string BinText(int code) {
  const BinEntry* bin = FindBin(code);
  return bin != nullptr ? bin->text : "Undefined";
}

std::string MediaSourceOfBin(int code) {
  const BinEntry* bin = FindBin(code);
  return bin != nullptr ? bin->mediaSource : "";
}

bool BinOffered(int code, const std::vector<std::string>& offeredSources) {
  if (code == kDefaultBin) return true;
  const std::string source = MediaSourceOfBin(code);
  return !source.empty() &&
         std::find(offeredSources.begin(), offeredSources.end(), source) != offeredSources.end();
}

std::vector<std::string> JobOptionsWithBin(std::vector<std::string> options, int code) {
  const std::string source = code == kDefaultBin ? "" : MediaSourceOfBin(code);
  std::vector<std::string> kept;
  for (std::size_t i = 0; i + 1 < options.size(); i += 2) {
    // Only the program asks for a media description, so an earlier one is an earlier bin's; a
    // tray picked among the driver's own options would fight the bin's.
    if (options[i] == "media-col" || options[i] == "media-source") continue;
    if (options[i] == "InputSlot" && !source.empty()) continue;
    kept.push_back(std::move(options[i]));
    kept.push_back(std::move(options[i + 1]));
  }
  if (!source.empty()) {
    kept.push_back("media-col");
    kept.push_back("{media-source=" + source + "}");
  }
  return kept;
}

std::string DriverTrayOfJob(const std::vector<std::string>& options) {
  for (std::size_t i = 0; i + 1 < options.size(); i += 2) {
    if (options[i] == "InputSlot") return options[i + 1];
  }
  return "";
}

std::vector<std::string> OrientationChoices() {
  return {"Portrait", "Landscape"};
}

std::vector<std::string> PaperSizeChoices() {
  return {PaperSizeText(1), PaperSizeText(3), PaperSizeText(4), PaperSizeText(5)};
}

std::vector<std::string> BinChoices() {
  return {BinText(1), BinText(2), BinText(3), BinText(4), BinText(kDefaultBin)};
}

int OrientationOfChoice(const std::string& text) {
  return text == "Landscape" ? kLandscape : kPortrait;
}

int PaperSizeOfChoice(const std::string& text) {
  for (int code : {1, 2, 3, 4, 5}) {
    if (text == PaperSizeText(code)) return code;
  }
  return 1;
}

int BinOfChoice(const std::string& text) {
  for (int code : {1, 2, 3, 4, kDefaultBin}) {
    if (text == BinText(code)) return code;
  }
  return 1;
}

std::string DescribePrinter(const PrinterFacts& printer) {
  const std::pair<const char*, std::string> lines[] = {
      {"Current printer:", ""},
      {"Device name: ", printer.deviceName},
      {"Orientation: ", OrientationText(printer.orientation)},
      {"Paper Size: ", PaperSizeText(printer.paperSize)},
      {"Driver: ", printer.driverName},
      {"Bin: ", BinText(printer.paperBin)},
      {"Width: ", std::to_string(printer.width)},
      {"Height: ", std::to_string(printer.height)},
  };
  std::string text;
  for (const auto& [label, value] : lines) text += label + value + "\r\n";
  return text;
}

}  // namespace tv::printing
