// The logic of the printer-settings dialog "Printer Setup": its four lists, each choice made the
// current printer's setting, the summary refreshed after every change, and what a refused
// choice says. The dialog window only shows the lists and passes the operator's picks.
#pragma once

#include <string>
#include <vector>

#include "core/ui_port.h"
#include "printing/printer_codes.h"

namespace tv::printing {

// How a printer took a setting.
enum class SetResult { Done, Unsupported, Failed };

// The program's current printer, as the dialog changes it.
class PrinterAccess {
 public:
  virtual ~PrinterAccess() = default;
  // Device names of the installed printers, in the system's order.
  virtual std::vector<std::string> PrinterNames() = 0;
  virtual std::string CurrentDeviceName() = 0;
  // Makes the installed printer of that name the current one.
  virtual void SelectPrinter(const std::string& deviceName) = 0;
  // Unsupported when the printer does not offer the value; Failed with error for anything else.
  virtual SetResult SetOrientation(int code, std::string& error) = 0;
  virtual SetResult SetPaperSize(int code, std::string& error) = 0;
  virtual SetResult SetPaperBin(int code, std::string& error) = 0;
  virtual PrinterFacts Facts() = 0;
};

class PrintSetupForm {
 public:
  static constexpr const char* kCaption = "Printer Setup";
  static constexpr const char* kNoPrinter =
      "No printer is installed on this computer."
      "\r"
      "Add a printer in the system's printer settings first.";

  PrintSetupForm(core::Ui& ui, PrinterAccess& printer) : ui_(ui), printer_(printer) {}

  // Fills the lists and applies their first entries (and the current printer) like choices.
  // With no printer installed it says so and answers false: the dialog is not shown.
  bool Form_Load();

  const std::vector<std::string>& Printers() const { return printers_; }
  const std::vector<std::string>& Orientations() const { return orientations_; }
  const std::vector<std::string>& Sizes() const { return sizes_; }
  const std::vector<std::string>& Bins() const { return bins_; }
  int PrinterIndex() const { return printerIndex_; }
  int OrientationIndex() const { return orientationIndex_; }
  int SizeIndex() const { return sizeIndex_; }
  int BinIndex() const { return binIndex_; }
  // Label1: the summary of the current printer.
  const std::string& Summary() const { return summary_; }

  // The operator's choices, by list index.
  void cmbPrinters_Click(int index);
  void cmbOrientation_Click(int index);
  void cmbSize_Click(int index);
  void cmbBins_Change(int index);

 private:
  enum class Setting { Orientation, Size, Bin };
  void Apply(Setting setting, int index);
  void Refresh();

  core::Ui& ui_;
  PrinterAccess& printer_;
  std::vector<std::string> printers_, orientations_, sizes_, bins_;
  int printerIndex_ = -1, orientationIndex_ = -1, sizeIndex_ = -1, binIndex_ = -1;
  std::string summary_;
};

}  // namespace tv::printing
