#include "gui/printing/qt_print_device.h"

#include <QMarginsF>
#include <algorithm>

#include "gui/printing/grid_pages.h"
#include "gui/printing/paper_sources.h"

namespace tv::gui {
namespace {

// The printable area with the painter's origin at its corner.
QRectF PageArea(const QPrinter& printer) {
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  return {0, 0, page.width(), page.height()};
}

}  // namespace

QtPrintDevice::~QtPrintDevice() {
  if (painter_ && painter_->isActive()) painter_->end();
}

bool QtPrintDevice::BeginJob(const core::PrintSetup& setup, const std::string& title, std::string&) {
  QPrinter& printer = current_.printer;
  if (!setup.deviceName.empty() && printer.outputFormat() == QPrinter::NativeFormat) {
    printer.setPrinterName(QString::fromStdString(setup.deviceName));
  }
  printer.setPageOrientation(PageOrientationOfCode(setup.orientation));
  const QPageSize size = PageSizeOfCode(setup.paperSize);
  if (size.isValid()) printer.setPageSize(size);
  printer.setDocName(QString::fromStdString(title));
  // A tray the printer lacks would stop the job or feed from anywhere: the printer's own tray then.
  const bool lacking = TrayOfBin(printer, setup.paperBin) == BinTray::Lacking;
  SetJobPaperSource(printer, lacking ? printing::kDefaultBin : setup.paperBin);
  painter_.reset();
  return true;
}

bool QtPrintDevice::NextPage(std::string& error) {
  QPrinter& printer = current_.printer;
  if (!painter_) {
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&printer)) {
      painter_.reset();
      const QString where =
          printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
      error = "The printer \"" + where.toStdString() + "\" could not be started.";
      return false;
    }
  } else if (!printer.newPage()) {
    error = "The printer refused a new page.";
    return false;
  }
  return true;
}

bool QtPrintDevice::PrintDrawing(const drawing::Drawing& drawing, printing::DrawingArea area, bool blackWhite,
                                 std::string& error) {
  std::optional<canvas::DrawingWindow> window;
  if (area == printing::DrawingArea::CurrentView) window = canvas::DrawingPainter::CurrentWindow(drawing);
  // A drawing never zoomed shows its extents.
  if (!window) window = canvas::DrawingPainter::ExtentsWindow(drawing);
  if (!window) {
    error = "The drawing is empty: there is nothing to print.";
    return false;
  }
  if (!NextPage(error)) return false;
  QPrinter& printer = current_.printer;
  canvas::PaintOptions options;
  options.backColor = 0xFFFFFF;
  options.fillBackground = false;
  options.blackWhite = blackWhite;
  options.lineWidth = printer.resolution() / 200.0;
  // The window's own shape on the page, so that nothing beside the view is printed when the page
  // is of other proportions than the viewer.
  const QRectF page = PageArea(printer);
  const double width = std::max(window->right - window->left, 1e-9);
  const double height = std::max(window->top - window->bottom, 1e-9);
  const double scale = std::min(page.width() / width, page.height() / height);
  QRectF target(0, 0, width * scale, height * scale);
  target.moveCenter(page.center());
  drawingPainter_.Paint(*painter_, drawing, target, *window, options);
  return true;
}

bool QtPrintDevice::PrintGrid(const grid::Grid& grid, std::string& error) {
  QPrinter& printer = current_.printer;
  const grid::PrintOptions& options = grid.Printing();
  const double marginPoints = static_cast<double>(options.margin) / 20.0;  // twips
  // Layout changes take effect on the next page, so they are made before it starts.
  printer.setPageOrientation(options.orientation == grid::Orientation::Landscape ? QPageLayout::Landscape
                                                                                 : QPageLayout::Portrait);
  printer.setPageMargins(QMarginsF(marginPoints, marginPoints, marginPoints, marginPoints),
                         QPageLayout::Point);
  if (!NextPage(error)) return false;
  bool failed = false;
  PaintGridPages(*painter_, PageArea(printer), grid, [&] {
    if (!failed && !NextPage(error)) failed = true;
  });
  return !failed;
}

bool QtPrintDevice::EndJob(std::string& error) {
  if (!painter_) return true;
  const bool ended = painter_->end();
  painter_.reset();
  if (!ended) error = "The print job could not be finished.";
  return ended;
}

}  // namespace tv::gui
