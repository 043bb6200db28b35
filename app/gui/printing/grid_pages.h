// The grid's own print: its header line, column titles and rows on as many pages as they need,
// inside the margin its print options give, every page with the header and column titles again.
#pragma once

#include <QPainter>
#include <QRectF>
#include <functional>

#include "grid/grid.h"

namespace tv::gui {

// Lays the grid's visible columns and its rows up to the last one holding text onto pages of
// the size of page (device pixels, the painter's origin at the margin's corner); newPage is
// called before every page after the first. Returns the number of pages.
int PaintGridPages(QPainter& painter, const QRectF& page, const grid::Grid& grid,
                   const std::function<void()>& newPage);

}  // namespace tv::gui
