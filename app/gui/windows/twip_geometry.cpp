#include "gui/windows/twip_geometry.h"

#include <QWidget>
#include <algorithm>

namespace tv::gui {

double ScreenDpi(const QWidget& widget) {
  const double dpi = widget.logicalDpiY();
  return dpi > 0 ? dpi : 96.0;
}

QRect PixelRect(const commands::TwipRect& twips, double dpi) {
  return QRect(commands::TwipsToPixels(twips.Left, dpi), commands::TwipsToPixels(twips.Top, dpi),
               std::max(0, commands::TwipsToPixels(twips.Width, dpi)),
               std::max(0, commands::TwipsToPixels(twips.Height, dpi)));
}

commands::TwipRect TwipRectOf(const QRect& pixels, double dpi) {
  return {commands::PixelsToTwips(pixels.x(), dpi), commands::PixelsToTwips(pixels.y(), dpi),
          commands::PixelsToTwips(pixels.width(), dpi), commands::PixelsToTwips(pixels.height(), dpi)};
}

}  // namespace tv::gui
