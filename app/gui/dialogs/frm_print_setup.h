// The printer-settings dialog "Printer Setup" (frmPrintSetup): the installed printers, the
// orientation, paper size and bin of the current printer, and its summary after every change.
// Its logic is printing::PrintSetupForm; QtPrinterAccess is the program's printer under it.
#pragma once

#include <QDialog>
#include <memory>

#include "core/ui_port.h"
#include "gui/printing/printer_settings.h"
#include "printing/print_setup_form.h"

class QComboBox;
class QLabel;

namespace tv::gui {

// The program's printer as the dialog changes it: printers from the print system (CUPS),
// the sizes and trays the printer offers.
class QtPrinterAccess : public printing::PrinterAccess {
 public:
  explicit QtPrinterAccess(ProgramPrinter& current) : current_(current) {}
  std::vector<std::string> PrinterNames() override;
  std::string CurrentDeviceName() override;
  void SelectPrinter(const std::string& deviceName) override;
  printing::SetResult SetOrientation(int code, std::string& error) override;
  printing::SetResult SetPaperSize(int code, std::string& error) override;
  printing::SetResult SetPaperBin(int code, std::string& error) override;
  printing::PrinterFacts Facts() override;

 private:
  ProgramPrinter& current_;
};

class FrmPrintSetup : public QDialog {
  Q_OBJECT

 public:
  FrmPrintSetup(core::Ui& ui, printing::PrinterAccess& printer, QWidget* parent = nullptr);
  // Form_Load; false when there is no printer (the message has been shown): do not show it.
  bool Load();

 private:
  void ShowForm();

  printing::PrintSetupForm form_;
  QComboBox* cmbPrinters_ = nullptr;
  QComboBox* cmbOrientation_ = nullptr;
  QComboBox* cmbSize_ = nullptr;
  QComboBox* cmbBins_ = nullptr;
  QLabel* label1_ = nullptr;
};

// Shows the dialog modal on the program's printer; with no printer installed only the message.
void ShowPrinterSetup(core::Ui& ui, printing::PrinterAccess& printer, QWidget* parent);

}  // namespace tv::gui
