// Where the child windows go: the start-up layout, the resize rule at its 4800-twip edge, and the
// conversion to pixels at the screen's dpi.
#include "commands/main_layout.h"

#include <gtest/gtest.h>

namespace tv::commands {
namespace {

TEST(MainLayoutTest, StartLayoutPutsTheInputWindowLeftAndTheViewerBelowTheMaterialWindow) {
  const struct {
    long width, height;
    MainLayout expected;
  } cases[] = {
      {18000, 12000, {{0, 0, 4000, 12000}, {4000, 0, 14000, 3600}, {4000, 3600, 14000, 8400}}},
      // Smaller than the fixed parts: nothing gets a negative size.
      {3000, 2000, {{0, 0, 4000, 2000}, {4000, 0, 0, 3600}, {4000, 3600, 0, 0}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StartLayout(c.width, c.height), c.expected) << c.width << " x " << c.height;
  }
}

TEST(MainLayoutTest, ResizeRefitsHeightsOnlyAbove4800Twips) {
  const MainLayout start = StartLayout(18000, 12000);
  EXPECT_EQ(ResizeLayout(start, 4800), start);
  EXPECT_EQ(ResizeLayout(start, 2000), start);
  const MainLayout taller = ResizeLayout(start, 4801);
  EXPECT_EQ(taller.FileMgr, (TwipRect{0, 0, 4000, 4801}));
  EXPECT_EQ(taller.ShtStk, start.ShtStk);
  EXPECT_EQ(taller.Viewer, (TwipRect{4000, 3600, 14000, 1201}));
}

TEST(MainLayoutTest, TwipsBecomePixelsAtTheScreensDpi) {
  const struct {
    long twips;
    double dpi;
    int pixels;
  } cases[] = {{4000, 96, 267}, {3600, 96, 240},  {4800, 96, 320},
               {5900, 96, 393}, {4000, 192, 533}, {1440, 120, 120}};
  for (const auto& c : cases) {
    EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
  }
  EXPECT_EQ(PixelsToTwips(240, 96), 3600);
  EXPECT_EQ(PixelsToTwips(267, 96), 4005);
}

}  // namespace
}  // namespace tv::commands
