// The program's printer and the four print commands as the main window runs them: one
// printer for the whole session (its set-up choices stay), the print device on it, and the
// print set-up dialog the Ui port shows.
#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>

#include "core/program.h"
#include "gui/printing/print_setup_dialog.h"
#include "gui/printing/qt_print_device.h"

namespace tv::gui {

class PrintingCommands {
 public:
  explicit PrintingCommands(core::Program& program) : program_(program), device_(printer_) {}

  // The window the set-up dialog belongs to.
  void SetParent(QWidget* parent) { parent_ = parent; }
  // The set-up dialog (for the Ui port's AskPrintSetup).
  std::optional<core::PrintSetup> AskPrintSetup() { return RunPrintSetupDialog(printer_, parent_); }

  void mFPrintCurrentView_Click() { printing::mFPrintCurrentView_Click(program_, device_); }
  void mFPrintExtents_Click() { printing::mFPrintExtents_Click(program_, device_); }
  void mfPAN_Click() { printing::mfPAN_Click(program_, device_); }
  void mFPrtMPL_Click();

  ProgramPrinter& Printer() { return printer_; }

 private:
  core::Program& program_;
  ProgramPrinter printer_;
  QtPrintDevice device_;
  QPointer<QWidget> parent_;
};

}  // namespace tv::gui
