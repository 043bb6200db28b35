// The configuration-file dialog from the settings frame's buttons: load a file picked in the list,
// save under a typed name, and Cancel; and the search dialog's restart and not-found report.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "gui/dialogs/frm_search.h"
#include "gui/dialogs/load_cfg.h"
#include "support/ini.h"
#include "windows_fixture.h"
#include "worklist/work_list.h"

namespace tv::gui::testing {
namespace {

class LoadCfgTest : public WindowsTest {
 protected:
  // The frame's button opens the dialog, and what the operator does in it happens while it shows.
  void Press(const char* button, const std::function<void(LoadCfg*)>& inDialog) {
    ui.SetConfigFileDialog([this, inDialog] {
      LoadCfg* dialog = LoadCfg::Of(program, main.get());
      dialog->show();
      inDialog(dialog);
      EXPECT_FALSE(dialog->isVisible());
    });
    QTest::mouseClick(Control<QPushButton>(Input(), button), Qt::LeftButton);
  }
  std::string FrameCaption() {
    return Control<QWidget>(Input(), "FrameSet")->property("title").toString().toStdString();
  }
  std::string Setting(long row) { return program.Settings.CellText(row, 2); }
};

TEST_F(LoadCfgTest, LoadTakesTheFilePickedInTheList) {
  test_support::WriteText(AppDir() + "Shop.cfg", "Perimeter Margin,25\r\nNest Name,SHOP\r\n");
  Press("BtnLoadCfg", [this](LoadCfg* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Load Configuration File");
    auto* list = Control<QListWidget>(dialog, "File3");
    const auto found = list->findItems(QStringLiteral("Shop.cfg"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
    EXPECT_EQ(Control<QLineEdit>(dialog, "FileTB")->text(), "Shop.cfg");
    QTest::mouseClick(Control<QPushButton>(dialog, "OKButton"), Qt::LeftButton);
  });
  EXPECT_EQ(FrameCaption(), "Shop.cfg");
  EXPECT_EQ(program.CurrentNestName, "SHOP");
  EXPECT_EQ(Setting(1), "25");
  EXPECT_EQ(support::ReadIni(program, "Config", "CfgFile"), "Shop.cfg");
}

TEST_F(LoadCfgTest, SaveAsWritesTheTypedNameWithItsExtension) {
  Press("BtnSaveCfg(0)", [this](LoadCfg* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Save Configuration File");
    auto* name = Control<QLineEdit>(dialog, "FileTB");
    EXPECT_EQ(name->text(), "Tavo.CFG");
    EXPECT_EQ(name->selectedText(), "Tavo.CFG");
    QTest::keyClicks(name, "Night");  // replaces the selected name
    QTest::mouseClick(Control<QPushButton>(dialog, "OKButton"), Qt::LeftButton);
    EXPECT_EQ(name->text(), "Night.CFG");
  });
  EXPECT_EQ(FrameCaption(), "Night.CFG");
  EXPECT_NE(test_support::ReadText(AppDir() + "Night.CFG").find("Nest Name,NEST\r\n"), std::string::npos);
  EXPECT_EQ(support::ReadIni(program, "Config", "CfgFile"), "Night.CFG");
}

TEST_F(LoadCfgTest, CancelLoadsNothingAndKeepsTheName) {
  test_support::WriteText(AppDir() + "Shop.cfg", "Perimeter Margin,25\r\n");
  const std::string before = Setting(1);
  Press("BtnLoadCfg", [this](LoadCfg* dialog) {
    auto* list = Control<QListWidget>(dialog, "File3");
    list->setCurrentRow(0);
    QTest::mouseClick(Control<QPushButton>(dialog, "CancelButton"), Qt::LeftButton);
  });
  EXPECT_EQ(FrameCaption(), "Tavo.CFG");
  EXPECT_EQ(Setting(1), before);
  EXPECT_EQ(program.ChosenConfigPath, "");
}

TEST_F(WindowsTest, TheSearchStartsAgainWhenShownAndSaysWhenNothingIsLeft) {
  program.PList.SetMaxRows(5);
  worklist::SetWorkListCell(program, 2, worklist::kColRoom, "Kitchen");
  FrmSearch* search = FrmSearch::Of(program, main.get());
  EXPECT_EQ(search->windowTitle(), "Search Worklist");
  search->show();
  auto* text = Control<QLineEdit>(search, "txtSearch");
  QTest::keyClicks(text, "kitch");
  QTest::mouseClick(Control<QPushButton>(search, "cmdNext"), Qt::LeftButton);
  EXPECT_EQ(search->Search().SearchColumn(), worklist::kColRoom);
  QTest::mouseClick(Control<QPushButton>(search, "cmdNext"), Qt::LeftButton);
  EXPECT_EQ(ui.LastMessage().text, "Search Text Not Found  ");
  EXPECT_EQ(ui.LastMessage().title, "Search Status");
  search->hide();
  search->show();
  EXPECT_EQ(text->text(), "");
  EXPECT_EQ(search->Search().SearchColumn(), 3);
  EXPECT_EQ(search->focusWidget(), text);
}

}  // namespace
}  // namespace tv::gui::testing
