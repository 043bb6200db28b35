// The print set-up step before every print command: the system's print dialog on the program's
// printer (printer, paper size, orientation, the tray among the printer's properties, or a PDF
// file), its choice in the program's codes.
#pragma once

#include <optional>

#include "core/ui_port.h"
#include "gui/printing/printer_settings.h"

class QWidget;

namespace tv::gui {

// nullopt after Cancel; the choice stays on the program's printer.
std::optional<core::PrintSetup> RunPrintSetupDialog(ProgramPrinter& current, QWidget* parent);

// The printer's settings in the program's codes.
core::PrintSetup SetupOf(const ProgramPrinter& current);

}  // namespace tv::gui
