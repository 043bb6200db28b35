#include "commands/file_mgr_layout.h"

#include <cmath>

namespace tv::commands {
namespace {

constexpr long kWidthUnit = 140;

// A twip property takes a fraction of the inner height rounded to a whole twip.
long Part(long scaleHeight, double divisor) {
  return std::lround(double(scaleHeight) / divisor);
}

bool Expanded(const TwipRect& r, long scaleHeight) {
  return double(r.Height) > double(scaleHeight) / 2;
}

}  // namespace

void ResizeInputWindow(InputWindowLayout& l, long width, long scaleHeight) {
  const long quarter = Part(scaleHeight, 4);
  l.File1 = {40, 360, width - 185, quarter};
  l.AddFile.Top = l.File1.Top + l.File1.Height + 50;
  l.PList = {40, l.AddFile.Top + 300, width - 185, quarter};
  l.Proc.Top = l.PList.Top + l.PList.Height + 50;
  l.File2 = {40, l.Proc.Top + 400, width - 185, quarter};
  l.FrameSet.Top = l.File2.Top + l.File2.Height + 100;
  l.FrameSet.Width = width - 85;
  l.FrameSet.Height = Part(scaleHeight, 8);
  l.Settings.Left = 80;
  l.Settings.Width = width - 280;
  if (l.FrameSet.Height > 300) l.Settings.Height = l.FrameSet.Height - 300;
  l.LayerList = l.File2;
}

bool SourceListExpanded(const InputWindowLayout& l, long scaleHeight) {
  return Expanded(l.File1, scaleHeight);
}

void ToggleSourceList(InputWindowLayout& l, long scaleHeight) {
  l.File1.Top = 360;
  if (SourceListExpanded(l, scaleHeight)) {
    l.File1.Height = Part(scaleHeight, 4);
    l.SettingsShown = true;
  } else {
    l.Raised = InputControl::File1;
    l.File1.Height = scaleHeight - 322;
    l.SettingsShown = false;
  }
}

void ToggleNestList(InputWindowLayout& l, long scaleHeight) {
  if (Expanded(l.File2, scaleHeight)) {
    l.SettingsShown = true;
    l.SourceFolderShown = true;
    l.File2.Top = l.Proc.Top + 400;
    l.File2.Height = Part(scaleHeight, 4);
  } else {
    l.SettingsShown = false;
    l.SourceFolderShown = false;
    l.Raised = InputControl::File2;
    l.File2.Top = 25;
    l.File2.Height = scaleHeight + 110;
  }
}

bool WorkListExpanded(const InputWindowLayout& l, long scaleHeight) {
  return !(double(scaleHeight) / 2 >= double(l.PList.Height));
}

void ExpandWorkList(InputWindowLayout& l, long scaleHeightAfterWidening) {
  l.Raised = InputControl::PList;
  l.PList.Top = 0;
  l.PList.Height = scaleHeightAfterWidening;
}

void RestoreWorkList(InputWindowLayout& l, long scaleHeight) {
  l.PList.Top = l.AddFile.Top + 300;
  l.PList.Height = Part(scaleHeight, 4);
}

bool SettingsFrameExpanded(const InputWindowLayout& l, long scaleHeight) {
  return Expanded(l.FrameSet, scaleHeight);
}

void ExpandSettingsFrame(InputWindowLayout& l, long scaleHeight) {
  l.Raised = InputControl::FrameSet;
  l.FrameSet.Top = 0;
  l.FrameSet.Height = scaleHeight;
  l.Settings.Top = 800;
  l.Settings.Height = l.FrameSet.Height - 1000;
}

void RestoreSettingsFrame(InputWindowLayout& l, long scaleHeight) {
  l.FrameSet.Top = l.File2.Top + l.File2.Height + 100;
  l.FrameSet.Height = Part(scaleHeight, 8);
  l.Settings.Top = 250;
  l.Settings.Height = l.FrameSet.Height - 400;
}

SettingsColumns SettingsColumnWidths(const std::vector<double>& nameTextWidths, long gridWidth) {
  double w = 0;
  for (double needed : nameTextWidths) {
    if (needed > w) w = std::round(needed + 1);
  }
  SettingsColumns columns;
  columns.Name = w;
  w -= gridWidth > 4000 ? 4 : 2;
  columns.Value = double(gridWidth / kWidthUnit) - w;
  return columns;
}

}  // namespace tv::commands
