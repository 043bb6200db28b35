#include "gui/printing/print_setup_dialog.h"

#include <QPrintDialog>

#include "gui/printing/paper_sources.h"

namespace tv::gui {

core::PrintSetup SetupOf(const ProgramPrinter& current) {
  const printing::PrinterFacts facts = FactsOf(current);
  core::PrintSetup setup;
  setup.orientation = facts.orientation;
  setup.deviceName = current.printer.printerName().toStdString();
  setup.paperBin = facts.paperBin;
  setup.paperSize = facts.paperSize;
  return setup;
}

std::optional<core::PrintSetup> RunPrintSetupDialog(ProgramPrinter& current, QWidget* parent) {
  QPrintDialog dialog(&current.printer, parent);
  dialog.setWindowTitle(QStringLiteral("Print Setup"));
  // The commands print whole drawings and whole lists: there are no ranges to choose.
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  dialog.setOption(QAbstractPrintDialog::PrintShowPageSize, true);
  const std::string trayBefore = DriverTray(current.printer);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  // A tray picked among the printer's own properties there is the latest choice: it stands over
  // the bin; and another printer may have been chosen, without the bin's tray.
  if (DriverTray(current.printer) != trayBefore) current.paperBin = printing::kDefaultBin;
  KeepOfferedBin(current);
  return SetupOf(current);
}

}  // namespace tv::gui
