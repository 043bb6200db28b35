// The input window driven as an operator drives it on the sample job: source folder, drawings
// chosen and added (the material question answered), ticks and "Process", rows deleted from the
// popup, the search's yellow mark, the run with its sheets and nest list; and the expand and
// restore of its parts.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "gui/dialogs/frm_search.h"
#include "settings/setting_lookup.h"
#include "windows_fixture.h"
#include "worklist/work_list.h"

namespace tv::gui::testing {
namespace {

using core::MsgResult;
using namespace tv::worklist;

class FileMgrTest : public WindowsTest {
 protected:
  GridView* WorkList() { return Input()->WorkList(); }
  long FilledRows() {
    long rows = 0;
    while (!program.PList.CellText(rows + 1, kColFileName).empty()) ++rows;
    return rows;
  }
  void ChooseSourceFolder(const std::string& folder) {
    ui.ExpectFolderChoice(AppDir() + folder);
    QTest::mouseClick(Control<QPushButton>(Input(), "PBrwseS"), Qt::LeftButton);
  }
  void SelectAllSourceFiles() {
    auto* file1 = Control<QListWidget>(Input(), "File1");
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, file1->visualItemRect(file1->item(0)).center());
    QTest::keyClick(file1, Qt::Key_End, Qt::ShiftModifier);
  }
  void PopupOnWorkList(const char* item) {
    Input()->SetPopupRunner(Pick(item));
    QTest::mouseClick(WorkList()->viewport(), Qt::RightButton, {}, CellCenter(WorkList(), 1, kColFileName));
  }
  bool ProcessEnabled() { return Control<QPushButton>(Input(), "Proc")->isEnabled(); }
};

TEST_F(FileMgrTest, TheSampleJobFromChoosingTheFolderToTheSheets) {
  Screenshot("input_start");
  // The hardboard is taken out of the stock, so adding the job asks about it.
  GridView* stock = Stock()->SheetStock();
  stock->setFocus();
  stock->setCurrentIndex(stock->Model()->IndexOf(4, 2));
  QTest::keyClick(stock, Qt::Key_Delete);
  ASSERT_EQ(program.SSList.CellText(4, 2), "");

  auto* sPath = Control<QLineEdit>(Input(), "SPath");
  auto* file1 = Control<QListWidget>(Input(), "File1");
  EXPECT_FALSE(file1->isVisible());  // no source folder yet
  EXPECT_TRUE(Control<QLabel>(Input(), "Label1")->isVisible());
  ChooseSourceFolder("Parts");
  EXPECT_EQ(sPath->text().toStdString(), AppDir() + "Parts/");
  EXPECT_EQ(sPath->toolTip(), sPath->text());
  ASSERT_TRUE(file1->isVisible());
  ASSERT_EQ(file1->count(), 45);

  SelectAllSourceFiles();
  EXPECT_EQ(
      std::count(program.Input.SourceList.Selected.begin(), program.Input.SourceList.Selected.end(), true),
      45);
  ui.ExpectQuestion("Material requested by panel was not found in Sheet Stock library.", MsgResult::Yes);
  QTest::mouseClick(Control<QPushButton>(Input(), "AddFile"), Qt::LeftButton);
  ASSERT_EQ(FilledRows(), 45);
  EXPECT_EQ(WorkList()->Model()->rowCount(), program.PList.MaxRows());
  EXPECT_EQ(
      WorkList()->Model()->data(WorkList()->Model()->IndexOf(45, kColFileName), Qt::DisplayRole).toString(),
      QString::fromStdString(program.PList.CellText(45, kColFileName)));
  EXPECT_EQ(program.SSList.CellText(4, 2), "WHITEHARDBOARD6");
  EXPECT_TRUE(ProcessEnabled());

  // Ticks: one click unticks a row; Check/Uncheck over every row unticks or ticks them all.
  QTest::mouseClick(WorkList()->viewport(), Qt::LeftButton, {}, CheckPoint(WorkList(), 1, kColOk));
  EXPECT_EQ(program.PList.CellText(1, kColOk), "0");
  EXPECT_TRUE(ProcessEnabled());
  WorkList()->selectAll();
  PopupOnWorkList("MnuCUC");
  EXPECT_EQ(program.PList.CellText(45, kColOk), "1");
  PopupOnWorkList("MnuCUC");
  EXPECT_EQ(program.PList.CellText(45, kColOk), "0");
  EXPECT_FALSE(ProcessEnabled());
  PopupOnWorkList("MnuCUC");
  EXPECT_TRUE(ProcessEnabled());

  // Two rows deleted through the popup.
  const std::string third = program.PList.CellText(3, kColFileName);
  WorkList()->selectionModel()->select(
      QItemSelection(WorkList()->Model()->IndexOf(1, 1), WorkList()->Model()->IndexOf(2, kWorkListCols)),
      QItemSelectionModel::ClearAndSelect);
  ui.ExpectQuestion("Delete selected entries in Process List?", MsgResult::Yes);
  PopupOnWorkList("MnuDel");
  EXPECT_EQ(FilledRows(), 43);
  EXPECT_EQ(program.PList.CellText(1, kColFileName), third);

  // The search marks the cell it finds yellow, and Cancel takes the mark away.
  const long row = 7;
  const std::string wanted = program.PList.CellText(row, kColFileName);
  program.PList.SetColumnWidth(kColFileName, 20);  // room right of the names
  FrmSearch* search = FrmSearch::Of(program, main.get());
  search->show();
  QTest::keyClicks(Control<QLineEdit>(search, "txtSearch"), QString::fromStdString(wanted));
  QTest::mouseClick(Control<QPushButton>(search, "cmdNext"), Qt::LeftButton);
  EXPECT_EQ(WorkList()->currentIndex(), WorkList()->Model()->IndexOf(row, kColFileName));
  EXPECT_FALSE(WorkList()->selectionModel()->isSelected(WorkList()->currentIndex()));
  EXPECT_EQ(program.PList.SelectionCount(), 0);
  EXPECT_FALSE(WorkList()->selectionModel()->hasSelection());
  EXPECT_EQ(PaintedColor(WorkList(), row, kColFileName), QColor(250, 250, 0));
  QTest::mouseClick(Control<QPushButton>(search, "cmdCancel"), Qt::LeftButton);
  EXPECT_FALSE(search->isVisible());
  EXPECT_EQ(PaintedColor(WorkList(), row, kColFileName), QColor(255, 255, 255));

  // Process: the sheets are written, the nest list shows them, the viewer the drawing last built.
  Screenshot("input_before_run");
  QTest::mouseClick(Control<QPushButton>(Input(), "Proc"), Qt::LeftButton);
  for (const auto& message : ui.Messages()) {
    if (message.IsQuestion()) continue;
    ADD_FAILURE() << message.title << ": " << message.text;
  }
  ASSERT_FALSE(program.NestFiles.empty());
  for (const std::string& sheet : program.NestFiles) EXPECT_TRUE(fs::exists(sheet)) << sheet;
  auto* file2 = Control<QListWidget>(Input(), "File2");
  EXPECT_EQ(file2->count(), int(program.NestFiles.size()) + 1);  // and the composite
  EXPECT_FALSE(file2->findItems(QStringLiteral("CompNest.DXF"), Qt::MatchFixedString).isEmpty());
  EXPECT_EQ(main->ViewerPlace()->windowTitle().toStdString(), program.ViewerCaption);
  EXPECT_FALSE(program.ViewerCaption.empty());
  EXPECT_TRUE(ProcessEnabled());
  Screenshot("input_after_run");
}

TEST_F(FileMgrTest, TheWorkListExpandsToTheWholeMainWindowAndRestores) {
  QMdiSubWindow* place = main->InputWindowPlace();
  const int restoredWidth = place->width();
  QString caption;
  Input()->SetPopupRunner(Pick("MnuExp", nullptr, &caption));
  QTest::mouseClick(WorkList()->viewport(), Qt::RightButton, {}, CellCenter(WorkList(), 1, 2));
  EXPECT_EQ(caption, "Expand");
  EXPECT_EQ(place->width(), main->ClientArea()->viewport()->width());
  EXPECT_EQ(WorkList()->geometry().top(), 0);
  EXPECT_EQ(WorkList()->height(), Input()->height());
  Screenshot("input_work_list_expanded");

  Input()->SetPopupRunner(Pick("MnuExp", nullptr, &caption));
  QTest::mouseClick(WorkList()->viewport(), Qt::RightButton, {}, CellCenter(WorkList(), 1, 2));
  EXPECT_EQ(caption, "Restore");
  EXPECT_EQ(place->width(), restoredWidth);
  EXPECT_GT(WorkList()->geometry().top(), Control<QPushButton>(Input(), "AddFile")->geometry().bottom());
}

TEST_F(FileMgrTest, TheSettingsFrameExpandsOnARightClickAndRestoresOnTheNext) {
  GridView* settings = Input()->SettingsGrid();
  auto* frame = Control<QWidget>(Input(), "FrameSet");
  EXPECT_EQ(frame->property("title").toString(), "Tavo.CFG");
  const int frameHeight = frame->height();
  QTest::mouseClick(settings->viewport(), Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_EQ(frame->geometry().top(), 0);
  EXPECT_EQ(frame->height(), Input()->height());
  EXPECT_GT(main->InputWindowPlace()->width(), 380);  // 5900 twips
  EXPECT_TRUE(Control<QPushButton>(frame, "BtnLoadCfg")->isVisible());
  Screenshot("input_settings_expanded");
  QTest::mouseClick(settings->viewport(), Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_EQ(frame->height(), frameHeight);
  EXPECT_LT(main->InputWindowPlace()->width(), 280);  // 4000 twips
}

TEST_F(FileMgrTest, ASettingsTickKeepsItsCaptionAndAPathNameOpensTheFolderDialog) {
  GridView* settings = Input()->SettingsGrid();
  // The frame expanded, so every row is in view.
  QTest::mouseClick(settings->viewport(), Qt::RightButton, {}, QPoint(10, 10));
  const long drop = settings::FindSettingRow(program, "Drop Cut");
  ASSERT_GT(drop, 0);
  ASSERT_EQ(program.Settings.CheckCaptionAt(drop, 2), " Yes");
  QTest::mouseClick(settings->viewport(), Qt::LeftButton, {}, CheckPoint(settings, drop, 2));
  EXPECT_EQ(program.Settings.CheckValueAt(drop, 2), 0);
  EXPECT_EQ(program.Settings.CheckCaptionAt(drop, 2), " No");
  EXPECT_EQ(settings->Model()->data(settings->Model()->IndexOf(drop, 2), Qt::DisplayRole).toString(), " No");

  const std::string folder = AppDir() + "Parts";
  const long nestPath = settings::FindSettingRow(program, "NEST PATH");
  ui.ExpectFolderChoice(folder, "Nested DXF");
  QTest::mouseDClick(settings->viewport(), Qt::LeftButton, {}, CellCenter(settings, nestPath, 1));
  EXPECT_EQ(program.Settings.CellText(nestPath, 2), folder);
  EXPECT_EQ(Control<QListWidget>(Input(), "File2")->count(), 45);  // the nest list shows that folder
}

TEST_F(FileMgrTest, TheDrawingListsExpandFromTheirRightClicks) {
  ChooseSourceFolder("Parts");
  auto* file1 = Control<QListWidget>(Input(), "File1");
  auto* frame = Control<QWidget>(Input(), "FrameSet");
  QStringList items;
  QString caption;
  Input()->SetPopupRunner(Pick("MnuExp", &items, &caption));
  QTest::mouseClick(file1->viewport(), Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_EQ(items, (QStringList{"MnuExp", "MnuDel", "MnuToProc"}));
  EXPECT_EQ(caption, "Expand");
  EXPECT_GT(file1->height(), Input()->height() / 2);
  EXPECT_FALSE(frame->isVisible());
  Input()->SetPopupRunner(Pick("MnuExp", nullptr, &caption));
  QTest::mouseClick(file1->viewport(), Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_EQ(caption, "Restore");
  EXPECT_LT(file1->height(), Input()->height() / 2);
  EXPECT_TRUE(frame->isVisible());

  auto* file2 = Control<QListWidget>(Input(), "File2");
  QTest::mouseClick(file2->viewport(), Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_GT(file2->height(), Input()->height() / 2);
  EXPECT_FALSE(Control<QWidget>(Input(), "SPath")->isVisible());
  QTest::mouseClick(file2->viewport(), Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_TRUE(Control<QWidget>(Input(), "SPath")->isVisible());
}

TEST_F(FileMgrTest, ThePartInformationAndTheLayerListTakeTheNestListsPlaceWhenAsked) {
  auto* file2 = Control<QListWidget>(Input(), "File2");
  auto* partSpec = Control<QListWidget>(Input(), "PartSpec");
  auto* layerList = Control<QListWidget>(Input(), "LayerList");
  const QPoint place = file2->geometry().center();
  const auto inFront = [&](QWidget* list) { return list->isAncestorOf(Input()->childAt(place)); };
  EXPECT_TRUE(inFront(file2));

  program.PartSpec.Lines = {"Qty, 1", "File Name, B1_Door.dxf"};
  program.PartSpec.BringToFront = true;
  program.Notify(core::Change::PartSpec);
  EXPECT_TRUE(inFront(partSpec));
  EXPECT_EQ(partSpec->count(), 2);
  EXPECT_FALSE(program.PartSpec.BringToFront);

  program.LayerList = {"0", "BORDER19"};
  program.LayerListShown = true;
  program.Notify(core::Change::LayerList);
  EXPECT_TRUE(inFront(layerList));
  EXPECT_EQ(layerList->count(), 2);
  program.LayerListShown = false;
  program.Notify(core::Change::LayerList);
  EXPECT_FALSE(layerList->isVisible());
  EXPECT_TRUE(inFront(file2));  // the part information went to the back
}

}  // namespace
}  // namespace tv::gui::testing
