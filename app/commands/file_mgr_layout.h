// Where the input window's controls sit, in twips: the resize table, the expand and restore
// rules of the source list, the nest list, the work list and the settings frame, and the widths
// of the settings grid's two columns. Plain values in, plain values out, so the rules are
// tested without a window.
#pragma once

#include <vector>

#include "commands/main_layout.h"

namespace tv::commands {

// The controls whose place the rules set. Settings is placed inside FrameSet.
enum class InputControl { None, File1, PList, File2, FrameSet, LayerList };

struct InputWindowLayout {
  TwipRect SPath{40, 40, 2900, 285};
  TwipRect PBrwseS{3000, 40, 800, 285};
  TwipRect File1{40, 360, 3815, 2000};
  TwipRect AddFile{1650, 2410, 700, 255};
  TwipRect PList{40, 2710, 3815, 2000};
  TwipRect Proc{1350, 4760, 1300, 350};
  TwipRect File2{40, 5160, 3815, 2000};
  TwipRect FrameSet{40, 7260, 3915, 1000};
  TwipRect Settings{80, 250, 3720, 700};
  // The layer list and the part information share the nest list's place.
  TwipRect LayerList{40, 5160, 3815, 2000};
  // The settings grid and its frame, and the source folder box with its button.
  bool SettingsShown = true;
  bool SourceFolderShown = true;
  // The control a rule brought to the front; the window raises it and sets None.
  InputControl Raised = InputControl::None;
  bool operator==(const InputWindowLayout&) const = default;
};

// The resize table: width is the window's outer width, scaleHeight its inner height.
void ResizeInputWindow(InputWindowLayout& layout, long width, long scaleHeight);

// Right-click rules. Each one reads the expanded state back from the current height.
// Source list: expanded when higher than half the inner height.
bool SourceListExpanded(const InputWindowLayout& layout, long scaleHeight);
void ToggleSourceList(InputWindowLayout& layout, long scaleHeight);
// Nest list: likewise; expanded it covers the source folder box as well.
void ToggleNestList(InputWindowLayout& layout, long scaleHeight);

// The window's width after a restore of the work list or the settings frame, and after an
// expand of the settings frame.
inline constexpr long kRestoredWidth = 4000;
inline constexpr long kSettingsExpandedWidth = 5900;

// Work list: expanded unless half the inner height is at least its height. The window is widened
// (to the main window's inner width) before ExpandWorkList puts the grid over the whole of the
// new inner height; after RestoreWorkList the window gets back kRestoredWidth.
bool WorkListExpanded(const InputWindowLayout& layout, long scaleHeight);
void ExpandWorkList(InputWindowLayout& layout, long scaleHeightAfterWidening);
void RestoreWorkList(InputWindowLayout& layout, long scaleHeight);

// Settings frame: expanded when higher than half the inner height. The window is widened to
// kSettingsExpandedWidth before ExpandSettingsFrame (the settings grid then takes the focus);
// after RestoreSettingsFrame it gets back kRestoredWidth.
bool SettingsFrameExpanded(const InputWindowLayout& layout, long scaleHeight);
void ExpandSettingsFrame(InputWindowLayout& layout, long scaleHeight);
void RestoreSettingsFrame(InputWindowLayout& layout, long scaleHeight);

// The settings grid's column widths in the grid's width units (140 twips each): the names'
// column as wide as its widest text needs (each width given in those units), the value column
// the rest of the grid's width in twips.
struct SettingsColumns {
  double Name = 0;
  double Value = 0;
};
SettingsColumns SettingsColumnWidths(const std::vector<double>& nameTextWidths, long gridWidth);

}  // namespace tv::commands
