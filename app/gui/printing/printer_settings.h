// The program's current printer and its printer codes on Qt: paper-size code to and from Qt's
// page sizes, and the facts the printer summary tells.
#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <string>

#include "printing/printer_codes.h"

namespace tv::gui {

// The page size of a paper code; an invalid QPageSize for a code the table does not hold.
QPageSize PageSizeOfCode(int code);
// The code of a page size: the table's size of the same dimensions, 256 for a size of the
// operator's own, else 0 (not in the table).
int CodeOfPageSize(const QPageSize& size);
// The page orientation of an orientation code: landscape for 2, else portrait.
QPageLayout::Orientation PageOrientationOfCode(int code);

// The printer the set-up dialog, the printer settings and the print commands share, and its
// paper bin (Qt keeps no tray here; the print job asks CUPS for it).
struct ProgramPrinter {
  QPrinter printer{QPrinter::HighResolution};
  int paperBin = printing::kDefaultBin;
};

// Device name, driver, orientation, size, bin and page size in twips of the printer.
printing::PrinterFacts FactsOf(const ProgramPrinter& current);

}  // namespace tv::gui
