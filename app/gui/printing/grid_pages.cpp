#include "gui/printing/grid_pages.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace tv::gui {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// Numbers line up on the right, as in the grid.
bool IsNumber(const std::string& text) {
  if (text.empty()) return false;
  char* end = nullptr;
  std::strtod(text.c_str(), &end);
  return end != nullptr && *end == '\0';
}

long LastRowWithText(const grid::Grid& grid, const std::vector<long>& columns) {
  for (long row = grid.MaxRows(); row >= 1; --row) {
    for (long col : columns) {
      if (!grid.CellText(row, col).empty()) return row;
    }
  }
  return 0;
}

}  // namespace

int PaintGridPages(QPainter& painter, const QRectF& page, const grid::Grid& grid,
                   const std::function<void()>& newPage) {
  std::vector<long> columns;
  for (long col = 1; col <= grid.MaxCols(); ++col) {
    if (!grid.IsColumnHidden(col)) columns.push_back(col);
  }
  const long lastRow = LastRowWithText(grid, columns);

  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(9);
  QFont bold = font;
  bold.setBold(true);
  // The header line in a fixed-pitch face, so its blanks keep their width.
  QFont headerFont(QStringLiteral("DejaVu Sans Mono"));
  headerFont.setStyleHint(QFont::Monospace);
  headerFont.setPointSizeF(10);
  QFont small = font;
  small.setPointSizeF(7);
  const QFontMetricsF metrics(font, painter.device());
  const QFontMetricsF boldMetrics(bold, painter.device());
  const QFontMetricsF headerMetrics(headerFont, painter.device());
  const double pad = metrics.averageCharWidth() * 0.8;
  const double rowHeight = metrics.height() + pad;
  const double headerHeight = headerMetrics.height() * 2;
  const double footerHeight = QFontMetricsF(small, painter.device()).height() * 1.5;

  // Each column as wide as its widest text, all of them narrowed alike when the page is too small.
  std::vector<double> widths;
  double total = 0;
  for (long col : columns) {
    double width = boldMetrics.horizontalAdvance(Q(grid.CellText(0, col)));
    for (long row = 1; row <= lastRow; ++row) {
      width = std::max(width, metrics.horizontalAdvance(Q(grid.CellText(row, col))));
    }
    widths.push_back(width + 2 * pad);
    total += widths.back();
  }
  if (total > page.width()) {
    for (double& width : widths) width *= page.width() / total;
    total = page.width();
  }

  const double bodyHeight = page.height() - headerHeight - rowHeight - footerHeight;
  const long rowsPerPage = std::max(1L, static_cast<long>(std::floor(bodyHeight / rowHeight)));
  const int pages = static_cast<int>(std::max(1L, (lastRow + rowsPerPage - 1) / rowsPerPage));

  QPen gridPen(QColor(96, 96, 96));
  gridPen.setWidthF(std::max(1.0, painter.device()->logicalDpiX() / 250.0));
  const std::string& header = grid.Printing().header;

  auto cell = [&](double x, double y, double width, const std::string& text, const QFont& cellFont,
                  const QFontMetricsF& cellMetrics) {
    const QRectF box(x + pad, y, width - 2 * pad, rowHeight);
    const Qt::Alignment align = (IsNumber(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    painter.setFont(cellFont);
    QString shown = Q(text);
    // Only text that really overflows is cut: a column is exactly as wide as its widest text.
    if (cellMetrics.horizontalAdvance(shown) > box.width() + pad / 2) {
      shown = cellMetrics.elidedText(shown, Qt::ElideRight, box.width());
    }
    painter.drawText(box.adjusted(0, 0, pad / 2, 0), align, shown);
  };

  for (int pageIndex = 0; pageIndex < pages; ++pageIndex) {
    if (pageIndex > 0) newPage();
    painter.save();
    painter.translate(page.topLeft());
    painter.setPen(Qt::black);
    painter.setFont(headerFont);
    painter.drawText(QRectF(0, 0, page.width(), headerMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     Q(header));

    const long first = pageIndex * rowsPerPage + 1;
    const long last = std::min(lastRow, first + rowsPerPage - 1);
    const double top = headerHeight;
    painter.fillRect(QRectF(0, top, total, rowHeight), QColor(224, 224, 224));
    double x = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      cell(x, top, widths[i], grid.CellText(0, columns[i]), bold, boldMetrics);
      x += widths[i];
    }
    double y = top + rowHeight;
    for (long row = first; row <= last; ++row, y += rowHeight) {
      x = 0;
      for (std::size_t i = 0; i < columns.size(); ++i) {
        cell(x, y, widths[i], grid.CellText(row, columns[i]), font, metrics);
        x += widths[i];
      }
    }

    painter.setPen(gridPen);
    const double bottom = y;
    for (double lineY = top; lineY <= bottom + 0.5; lineY += rowHeight)
      painter.drawLine(QPointF(0, lineY), QPointF(total, lineY));
    x = 0;
    painter.drawLine(QPointF(0, top), QPointF(0, bottom));
    for (double width : widths) {
      x += width;
      painter.drawLine(QPointF(x, top), QPointF(x, bottom));
    }

    painter.setPen(Qt::black);
    painter.setFont(small);
    painter.drawText(QRectF(0, page.height() - footerHeight, page.width(), footerHeight),
                     Qt::AlignRight | Qt::AlignBottom,
                     QStringLiteral("Page %1 of %2").arg(pageIndex + 1).arg(pages));
    painter.restore();
  }
  return pages;
}

}  // namespace tv::gui
