// The printer-settings codes the program speaks in (orientation, paper size, paper bin, as the
// device-mode record numbers them), their texts, and the printer summary built from them.
// Qt names sizes and trays its own way; these tables are the program's.
#pragma once

#include <string>
#include <vector>

namespace tv::printing {

inline constexpr int kPortrait = 1;
inline constexpr int kLandscape = 2;
inline constexpr int kDefaultBin = 7;
inline constexpr int kUserDefinedPaper = 256;

enum class PaperUnit { Inch, Millimetre };

// One paper size of the table: its code, name and portrait size.
struct PaperSize {
  int code = 0;
  const char* name = "";
  double width = 0;
  double height = 0;
  PaperUnit unit = PaperUnit::Inch;
};

// Paper sizes 1 to 41.
const std::vector<PaperSize>& PaperSizes();
// The size of code, or nullptr when the table has none.
const PaperSize* FindPaperSize(int code);

// "Portrait", "Landscape", else "Orientation undefined".
std::string OrientationText(int code);
// The size's name, a comma and its size with the unit ("A4, 210 x 297 mm"); 256 "User-defined";
// else "Undefined".
std::string PaperSizeText(int code);
// "Use paper from the upper bin." and the like; else "Undefined".
std::string BinText(int code);

// The printer-settings dialog's lists and what each choice means.
std::vector<std::string> OrientationChoices();
std::vector<std::string> PaperSizeChoices();
std::vector<std::string> BinChoices();
int OrientationOfChoice(const std::string& text);  // "Landscape" 2, anything else 1
int PaperSizeOfChoice(const std::string& text);    // Letter 1 ... Legal 5, anything else 1
int BinOfChoice(const std::string& text);          // upper 1, lower 2, middle 3, manual 4, default 7, else 1

// The paper tray a bin code asks for, as print systems name it ("top", "manual", "auto"); ""
// when they have no name for it.
std::string MediaSourceOfBin(int code);
// Whether a printer offering these trays (print-system names) can take paper from the bin. The
// default bin leaves the tray to the printer, so every printer can.
bool BinOffered(int code, const std::vector<std::string>& offeredSources);
// A print job's options (name, value, name, value...) asking for the bin's tray: the tray goes in
// the job's media description ("media-col" {media-source=...}), which CUPS turns into the driver's
// own tray choice. An earlier tray choice goes; for the default bin no tray is asked for, so the
// printer's own choice stands.
std::vector<std::string> JobOptionsWithBin(std::vector<std::string> options, int code);
// The tray picked among the driver's own options (its "InputSlot") in a job's options; "" when
// none was.
std::string DriverTrayOfJob(const std::vector<std::string>& options);

// What the summary tells of a printer. Width and height are the page size in twips.
struct PrinterFacts {
  std::string deviceName;
  std::string driverName;
  int orientation = kPortrait;
  int paperSize = 1;
  int paperBin = kDefaultBin;
  long width = 0;
  long height = 0;
};

// Eight lines, each ended by CR LF: a heading, then "Device name: ", "Orientation: ",
// "Paper Size: ", "Driver: ", "Bin: ", "Width: " and "Height: " with their values.
std::string DescribePrinter(const PrinterFacts& printer);

}  // namespace tv::printing
