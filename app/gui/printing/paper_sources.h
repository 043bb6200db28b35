// Paper trays on CUPS printers: which trays a printer offers, and the job option that takes the
// paper from the program's bin. Qt picks no tray on this system, so the tray goes to CUPS as the
// print job's media-source option.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "gui/printing/printer_settings.h"

namespace tv::gui {

// The trays the printer offers, as CUPS names them ("auto", "top", "manual"...); empty when it
// offers no choice, nothing when the printer or the print server does not answer.
std::optional<std::vector<std::string>> OfferedPaperSources(const QString& printerName);

// Whether the program's printer can take paper from the bin ("PDF file" output has no trays);
// Unknown while the print system cannot tell.
enum class BinTray { Offered, Lacking, Unknown };
BinTray TrayOfBin(const QPrinter& printer, int bin);

// A bin the printer has no tray for goes back to the default bin, so that the summary and the
// job say the same. A printer that does not answer keeps the bin: it is no answer that it lacks
// the tray.
void KeepOfferedBin(ProgramPrinter& current);

// Asks the print job for the bin's tray (for the default bin, for none). Output that does not go
// through CUPS ignores it.
void SetJobPaperSource(QPrinter& printer, int bin);

// The job options CUPS will be given for the printer, name and value in turn.
std::vector<std::string> JobOptions(const QPrinter& printer);

// The tray picked among the driver's own options in the print dialog ("" when none was).
std::string DriverTray(const QPrinter& printer);

}  // namespace tv::gui
