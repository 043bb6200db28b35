// The input window's layout rules in twips: the resize table and each expand/restore pair.
#include <gtest/gtest.h>

#include "commands/file_mgr_layout.h"

namespace tv::commands {
namespace {

constexpr long kHeight = 12000;  // inner height
constexpr long kWidth = 4000;    // outer width

InputWindowLayout Resized() {
  InputWindowLayout l;
  ResizeInputWindow(l, kWidth, kHeight);
  return l;
}

TEST(InputWindowLayout, TheResizeTableStacksTheControlsByQuartersOfTheHeight) {
  const InputWindowLayout l = Resized();
  EXPECT_EQ(l.File1, (TwipRect{40, 360, 3815, 3000}));
  EXPECT_EQ(l.AddFile.Top, 3410);
  EXPECT_EQ(l.PList, (TwipRect{40, 3710, 3815, 3000}));
  EXPECT_EQ(l.Proc.Top, 6760);
  EXPECT_EQ(l.File2, (TwipRect{40, 7160, 3815, 3000}));
  EXPECT_EQ(l.FrameSet.Top, 10260);
  EXPECT_EQ(l.FrameSet.Width, 3915);
  EXPECT_EQ(l.FrameSet.Height, 1500);
  EXPECT_EQ(l.Settings.Left, 80);
  EXPECT_EQ(l.Settings.Width, 3720);
  EXPECT_EQ(l.Settings.Height, 1200);
  EXPECT_EQ(l.LayerList, l.File2);
}

TEST(InputWindowLayout, ALowFrameKeepsTheSettingsGridsHeight) {
  InputWindowLayout l;
  l.Settings.Height = 777;
  ResizeInputWindow(l, kWidth, 2400);  // frame 300 high: not higher than 300
  EXPECT_EQ(l.FrameSet.Height, 300);
  EXPECT_EQ(l.Settings.Height, 777);
}

TEST(InputWindowLayout, TheSourceListExpandsOverTheSettingsAndRestores) {
  InputWindowLayout l = Resized();
  ToggleSourceList(l, kHeight);
  EXPECT_EQ(l.File1, (TwipRect{40, 360, 3815, kHeight - 322}));
  EXPECT_FALSE(l.SettingsShown);
  EXPECT_EQ(l.Raised, InputControl::File1);
  ToggleSourceList(l, kHeight);
  EXPECT_EQ(l.File1.Height, 3000);
  EXPECT_TRUE(l.SettingsShown);
}

TEST(InputWindowLayout, ExactlyHalfTheHeightCountsAsNotExpanded) {
  InputWindowLayout l = Resized();
  l.File1.Height = kHeight / 2;
  ToggleSourceList(l, kHeight);  // expands
  EXPECT_EQ(l.File1.Height, kHeight - 322);
  l.File2.Height = kHeight / 2;
  ToggleNestList(l, kHeight);
  EXPECT_EQ(l.File2.Top, 25);
  l.PList.Height = kHeight / 2;
  EXPECT_FALSE(WorkListExpanded(l, kHeight));
  l.FrameSet.Height = kHeight / 2;
  EXPECT_FALSE(SettingsFrameExpanded(l, kHeight));
}

TEST(InputWindowLayout, TheNestListExpandsOverTheSourceFolderToo) {
  InputWindowLayout l = Resized();
  ToggleNestList(l, kHeight);
  EXPECT_EQ(l.File2.Top, 25);
  EXPECT_EQ(l.File2.Height, kHeight + 110);
  EXPECT_FALSE(l.SettingsShown);
  EXPECT_FALSE(l.SourceFolderShown);
  EXPECT_EQ(l.Raised, InputControl::File2);
  ToggleNestList(l, kHeight);
  EXPECT_EQ(l.File2.Top, l.Proc.Top + 400);
  EXPECT_EQ(l.File2.Height, 3000);
  EXPECT_TRUE(l.SettingsShown);
  EXPECT_TRUE(l.SourceFolderShown);
}

TEST(InputWindowLayout, TheWorkListTakesTheWholeHeightAndGoesBackUnderTheButton) {
  InputWindowLayout l = Resized();
  EXPECT_FALSE(WorkListExpanded(l, kHeight));
  ExpandWorkList(l, kHeight);
  EXPECT_EQ(l.PList.Top, 0);
  EXPECT_EQ(l.PList.Height, kHeight);
  EXPECT_EQ(l.Raised, InputControl::PList);
  EXPECT_TRUE(WorkListExpanded(l, kHeight));
  RestoreWorkList(l, kHeight);
  EXPECT_EQ(l.PList.Top, l.AddFile.Top + 300);
  EXPECT_EQ(l.PList.Height, 3000);
}

TEST(InputWindowLayout, TheSettingsFrameExpandsToTheWholeHeightAndRestoresBelowTheNestList) {
  InputWindowLayout l = Resized();
  EXPECT_FALSE(SettingsFrameExpanded(l, kHeight));
  ExpandSettingsFrame(l, kHeight);
  EXPECT_EQ(l.FrameSet.Top, 0);
  EXPECT_EQ(l.FrameSet.Height, kHeight);
  EXPECT_EQ(l.Settings.Top, 800);
  EXPECT_EQ(l.Settings.Height, kHeight - 1000);
  EXPECT_EQ(l.Raised, InputControl::FrameSet);
  EXPECT_TRUE(SettingsFrameExpanded(l, kHeight));
  RestoreSettingsFrame(l, kHeight);
  EXPECT_EQ(l.FrameSet.Top, l.File2.Top + l.File2.Height + 100);
  EXPECT_EQ(l.FrameSet.Height, 1500);
  EXPECT_EQ(l.Settings.Top, 250);
  EXPECT_EQ(l.Settings.Height, 1100);
}

TEST(InputWindowLayout, SettingsColumnsFitTheLongestNameAndShareTheRest) {
  struct Case {
    std::vector<double> names;
    long gridWidth;
    SettingsColumns expected;
  };
  const Case cases[] = {
      // Widest 11.3 units: 12.3 rounds to 12; a grid of 3720 twips is 26 units, less (12 - 2).
      {{4.2, 11.3, 7.0}, 3720, {12, 16}},
      // A grid wider than 4000 twips gives back 4 units instead of 2.
      {{11.3}, 5620, {12, 32}},
      // No rows: nothing to fit.
      {{}, 3720, {0, 28}},
  };
  for (const Case& c : cases) {
    const SettingsColumns got = SettingsColumnWidths(c.names, c.gridWidth);
    EXPECT_EQ(got.Name, c.expected.Name) << c.gridWidth;
    EXPECT_EQ(got.Value, c.expected.Value) << c.gridWidth;
  }
}

}  // namespace
}  // namespace tv::commands
