// The viewer options dialog's logic: what it shows on opening, the background colour taking
// effect at once, and OK applying the options, showing the percentages and storing them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/program.h"
#include "support/ini.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"
#include "viewer/options_dialog.h"

namespace tv::viewer {
namespace {

class OptionsDialogTest : public testing::Test {
 protected:
  OptionsDialogTest() {
    program_.IniPath = dir_.Path() + "TAVO.INI";
    subscription_ = program_.Changes.Subscribe([this](core::Change change) {
      if (change == core::Change::Drawing) ++redraws_;
    });
  }
  std::string Ini() const { return test_support::ReadText(program_.IniPath); }

  test_support::TempFolder dir_;
  test_support::ScriptedUi ui_;
  core::Program program_{ui_};
  // Times the viewer was asked to show the drawing anew.
  int redraws_ = 0;
  core::ChangeNotifier::Subscription subscription_;
};

TEST_F(OptionsDialogTest, OpensWithTheViewsCurrentOptions) {
  struct Case {
    float left, right;
    std::int32_t back;
    bool print, display;
    const char *leftText, *rightText;
  };
  for (const Case& c :
       {Case{50, 50, 0, false, false, "50", "50"}, Case{80, 33.5F, 0xFFFFFF, true, false, "80", "33.5"},
        Case{125, 200, 0x336699, false, true, "125", "200"}}) {
    program_.DXF1.SetSpotZoomLeft(c.left);
    program_.DXF1.SetSpotZoomRight(c.right);
    program_.DXF1.SetBackColor(c.back);
    program_.DXF1.SetPrintBlackWhite(c.print);
    program_.DXF1.SetDisplayBlackWhite(c.display);
    const OptionsForm form = frmOptions_Load(program_);
    EXPECT_EQ(form.ZoomPercentLeft, c.leftText);
    EXPECT_EQ(form.ZoomPercentRight, c.rightText);
    EXPECT_EQ(form.PicColor, c.back);
    EXPECT_EQ(form.PrintBlack, c.print ? 1 : 0);
    EXPECT_EQ(form.DisplayBlack, c.display ? 1 : 0);
    // Opening with ticked boxes is no change of the user's.
    EXPECT_FALSE(form.Changed);
  }
  EXPECT_EQ(ZoomPercentChoices(), (std::vector<std::string>{"25", "50", "75", "100", "125", "150", "200"}));
}

TEST_F(OptionsDialogTest, OkAppliesTheOptionsShowsThePercentagesAndStoresThemAsTyped) {
  OptionsForm form = frmOptions_Load(program_);
  form.ZoomPercentLeft = "80";  // not in the list
  form.ZoomPercentRight = "125";
  form.DisplayBlack = 1;
  chkDisplayBlack_Click(form);
  EXPECT_TRUE(form.Changed);
  cmdColor_Click(program_, form, 0xFFFFFF);
  EXPECT_EQ(redraws_, 1);
  ASSERT_TRUE(cmdOK_Click(program_, form));
  EXPECT_EQ(redraws_, 2);  // a ticked box shows only after OK

  EXPECT_EQ(program_.DXF1.SpotZoomLeft(), 80);
  EXPECT_EQ(program_.DXF1.SpotZoomRight(), 125);
  EXPECT_TRUE(program_.DXF1.DisplayBlackWhite());
  EXPECT_FALSE(program_.DXF1.PrintBlackWhite());
  EXPECT_EQ(ui_.Status(core::StatusPanel::ZoomPct), "Spot Zoom (L/R): 80% / 125% ");
  // Flags and colour in number-to-text form, leading blank kept (quoted, so that it reads back
  // with it); percentages as typed.
  EXPECT_EQ(Ini(),
            "[Options]\nDisplayBlack=\" 1\"\nPrintBlack=\" 0\"\nBackColor=\" "
            "16777215\"\nZoomLeft=80\nZoomRight=125\n");
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(OptionsDialogTest, TheColourTakesEffectAtOnceAndIsStoredOnlyByOk) {
  program_.DXF1.SetBackColor(0);
  OptionsForm form = frmOptions_Load(program_);
  cmdColor_Click(program_, form, std::nullopt);  // the colour dialog cancelled
  EXPECT_EQ(form.PicColor, 0);
  EXPECT_EQ(program_.DXF1.BackColor(), 0);
  EXPECT_EQ(redraws_, 0);

  cmdColor_Click(program_, form, 0xC08040);
  EXPECT_EQ(form.PicColor, 0xC08040);
  EXPECT_EQ(program_.DXF1.BackColor(), 0xC08040);
  EXPECT_FALSE(std::filesystem::exists(program_.IniPath));
  EXPECT_FALSE(form.Changed);  // a colour alone asks for no second redraw

  EXPECT_EQ(redraws_, 1);
  ASSERT_TRUE(cmdOK_Click(program_, form));
  EXPECT_EQ(redraws_, 1);  // the new colour shows already
  EXPECT_EQ(support::ReadIni(program_, "Options", "BackColor"), " 12615744");
}

TEST_F(OptionsDialogTest, APercentageThatIsNoPositiveNumberKeepsTheDialogOpen) {
  for (const char* typed : {"", "abc", "0", "-50"}) {
    program_.DXF1.SetSpotZoomLeft(50);
    OptionsForm form = frmOptions_Load(program_);
    form.ZoomPercentLeft = typed;
    form.DisplayBlack = 1;
    EXPECT_FALSE(cmdOK_Click(program_, form)) << typed;
    EXPECT_EQ(ui_.LastMessage().title, "Alert!");
    EXPECT_EQ(program_.DXF1.SpotZoomLeft(), 50);
    EXPECT_FALSE(program_.DXF1.DisplayBlackWhite());
    EXPECT_FALSE(std::filesystem::exists(program_.IniPath));
  }
  // A number with a unit after it counts as its number.
  OptionsForm form = frmOptions_Load(program_);
  form.ZoomPercentRight = "75 %";
  EXPECT_TRUE(cmdOK_Click(program_, form));
  EXPECT_EQ(program_.DXF1.SpotZoomRight(), 75);
  EXPECT_EQ(support::ReadIni(program_, "Options", "ZoomRight"), "75 %");
}

TEST_F(OptionsDialogTest, AnIniFileThatCannotBeWrittenIsReported) {
  program_.IniPath = dir_.Path() + "no such folder/TAVO.INI";
  OptionsForm form = frmOptions_Load(program_);
  form.PrintBlack = 1;
  chkPrintBlack_Click(form);
  EXPECT_TRUE(cmdOK_Click(program_, form));
  EXPECT_TRUE(program_.DXF1.PrintBlackWhite());  // applied all the same
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_NE(ui_.LastMessage().text.find("could not be stored"), std::string::npos);
}

}  // namespace
}  // namespace tv::viewer
