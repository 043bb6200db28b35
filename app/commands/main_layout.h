// Where the main window puts its three child windows. The rules are kept in twips, the unit
// their numbers were chosen in, and converted to pixels once at the screen's logical dpi.
#pragma once

namespace tv::commands {

inline constexpr long kTwipsPerInch = 1440;
// The input window's width, and the material window's height, in the start-up layout.
inline constexpr long kInputWindowWidth = 4000;
inline constexpr long kStockWindowHeight = 3600;
// Below this client height a resize leaves the layout alone.
inline constexpr long kResizeMinHeight = 4800;

struct TwipRect {
  long Left = 0;
  long Top = 0;
  long Width = 0;
  long Height = 0;
  bool operator==(const TwipRect&) const = default;
};

struct MainLayout {
  TwipRect FileMgr;  // input window, left column
  TwipRect ShtStk;   // material window, top of the right column
  TwipRect Viewer;   // below the material window
  bool operator==(const MainLayout&) const = default;
};

// The start-up layout for a client area of the given size (twips). No size is negative, however
// small the client area.
MainLayout StartLayout(long clientWidth, long clientHeight);

// The resize rule: above kResizeMinHeight the input window takes the client height and the viewer
// the height below the material window; tops, lefts and widths stay. At or below it, nothing
// changes.
MainLayout ResizeLayout(const MainLayout& current, long clientHeight);

// Twips and pixels at the given dots per inch (96 on most screens: 15 twips a pixel).
int TwipsToPixels(long twips, double dpi);
long PixelsToTwips(int pixels, double dpi);

}  // namespace tv::commands
