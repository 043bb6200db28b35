#include "gui/printing/printer_settings.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

namespace tv::gui {
namespace {

QSizeF MillimetresOf(const printing::PaperSize& paper) {
  const double factor = paper.unit == printing::PaperUnit::Inch ? 25.4 : 1.0;
  return {paper.width * factor, paper.height * factor};
}

}  // namespace

QPageSize PageSizeOfCode(int code) {
  const printing::PaperSize* paper = printing::FindPaperSize(code);
  if (paper == nullptr) return {};
  const QPageSize::Unit unit =
      paper->unit == printing::PaperUnit::Inch ? QPageSize::Inch : QPageSize::Millimeter;
  // Qt's own size of those dimensions when it has one, so the print system knows the paper.
  return QPageSize(QSizeF(paper->width, paper->height), unit, QString::fromUtf8(paper->name),
                   QPageSize::FuzzyMatch);
}

int CodeOfPageSize(const QPageSize& size) {
  if (!size.isValid()) return 0;
  const QSizeF mm = size.size(QPageSize::Millimeter);
  auto same = [&mm](const printing::PaperSize& paper) {
    const QSizeF table = MillimetresOf(paper);
    return std::abs(table.width() - mm.width()) < 1.0 && std::abs(table.height() - mm.height()) < 1.0;
  };
  // Papers of one size under several names (Letter and Note, Folio and German Legal Fanfold):
  // the one Qt names wins.
  if (const printing::PaperSize* named = printing::FindPaperSize(size.windowsId());
      named != nullptr && same(*named)) {
    return named->code;
  }
  for (const auto& paper : printing::PaperSizes()) {
    if (same(paper)) return paper.code;
  }
  return size.id() == QPageSize::Custom ? printing::kUserDefinedPaper : 0;
}

QPageLayout::Orientation PageOrientationOfCode(int code) {
  return code == printing::kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

printing::PrinterFacts FactsOf(const ProgramPrinter& current) {
  const QPrinter& printer = current.printer;
  printing::PrinterFacts facts;
  facts.deviceName = printer.printerName().toStdString();
  if (facts.deviceName.empty() && printer.outputFormat() == QPrinter::PdfFormat)
    facts.deviceName = "PDF file";
  const QPrinterInfo info(printer);
  facts.driverName = info.isNull() ? (printer.outputFormat() == QPrinter::PdfFormat ? "PDF" : "")
                                   : info.makeAndModel().toStdString();
  const QPageLayout layout = printer.pageLayout();
  facts.orientation =
      layout.orientation() == QPageLayout::Landscape ? printing::kLandscape : printing::kPortrait;
  facts.paperSize = CodeOfPageSize(layout.pageSize());
  facts.paperBin = current.paperBin;
  const QSizeF points = layout.fullRectPoints().size();
  facts.width = std::lround(points.width() * 20);  // twips
  facts.height = std::lround(points.height() * 20);
  return facts;
}

}  // namespace tv::gui
