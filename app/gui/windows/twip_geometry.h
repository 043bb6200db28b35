// Twips on the screen: the dots per inch a window converts its twips at, and twip rectangles as
// pixel rectangles and back.
#pragma once

#include <QRect>

#include "commands/main_layout.h"

class QWidget;

namespace tv::gui {

// The widget's logical dots per inch; 96 when it reports none.
double ScreenDpi(const QWidget& widget);

// A twip rectangle in pixels at dpi; a negative width or height becomes 0.
QRect PixelRect(const commands::TwipRect& twips, double dpi);
// A pixel rectangle in twips at dpi.
commands::TwipRect TwipRectOf(const QRect& pixels, double dpi);

}  // namespace tv::gui
