// The material window: the tabs, a material row typed in, the tick check's alert, the popup's
// items and delete, and the pull list a run leaves.
#include <QPushButton>
#include <QTabBar>

#include "nesting/run_driver.h"
#include "windows_fixture.h"
#include "worklist/input_window.h"
#include "worklist/row_builder.h"

namespace tv::gui::testing {
namespace {

using core::MsgResult;

class ShtStkTest : public WindowsTest {
 protected:
  GridView* StockGrid() { return Stock()->SheetStock(); }
  long FirstEmptyStockRow() {
    long row = 1;
    while (!program.SSList.CellText(row, 2).empty()) ++row;
    return row;
  }
  void TypeInto(GridView* view, long row, long col, const QString& text) {
    view->setFocus();
    view->setCurrentIndex(view->Model()->IndexOf(row, col));
    QTest::keyClick(view, text.at(0).toLatin1());
    QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QApplication::processEvents();
  }
  void ClickTick(long row) {
    QTest::mouseClick(StockGrid()->viewport(), Qt::LeftButton, {}, CheckPoint(StockGrid(), row, 1));
  }
};

TEST_F(ShtStkTest, AMaterialRowIsTypedInAndTickedOnlyWhenItsSizesAreThere) {
  Screenshot("material_start");
  const long row = FirstEmptyStockRow();
  TypeInto(StockGrid(), row, 2, "  BIRCH PLY 18  ");
  EXPECT_EQ(program.SSList.CellText(row, 2), "BIRCH PLY 18");  // trimmed on the change

  ClickTick(row);
  ASSERT_EQ(ui.CountMessages("Information not entered for:"), 1u);
  EXPECT_EQ(ui.LastMessage().title, "Alert");
  EXPECT_EQ(program.SSList.CellText(row, 1), "");

  TypeInto(StockGrid(), row, 6, "2440");
  TypeInto(StockGrid(), row, 7, "1220");
  TypeInto(StockGrid(), row, 8, "18");
  ClickTick(row);
  EXPECT_EQ(ui.CountMessages("Information not entered for:"), 1u);
  EXPECT_EQ(program.SSList.CellText(row, 1), "1");

  // Leaving the grid saves the stock and offers the material to the work list.
  Control<QWidget>(Input(), "SPath")->setFocus();
  program.PList.SetMaxRows(1);  // a work-list row, to hold the material choices
  const auto choices = program.PList.ChoiceItemsAt(1, core::kColMaterial);
  EXPECT_NE(std::find(choices.begin(), choices.end(), "BIRCH PLY 18"), choices.end());
  EXPECT_NE(test_support::ReadText(AppDir() + "Mat.dat").find("BIRCH PLY 18"), std::string::npos);
}

TEST_F(ShtStkTest, ThePopupOffersDeleteCopyAndPasteAndDeletesTheSelectedRows) {
  const std::string second = program.SSList.CellText(2, 2);
  const std::string third = program.SSList.CellText(3, 2);
  StockGrid()->selectionModel()->select(
      QItemSelection(StockGrid()->Model()->IndexOf(2, 1), StockGrid()->Model()->IndexOf(2, 8)),
      QItemSelectionModel::ClearAndSelect);
  QStringList items;
  QString caption;
  Stock()->SetPopupRunner(Pick("MnuDel", &items, &caption));
  ui.ExpectQuestion("Delete selected entries in Sheet Stock List?", MsgResult::Yes);
  QTest::mouseClick(StockGrid()->viewport(), Qt::RightButton, {}, CellCenter(StockGrid(), 2, 2));
  EXPECT_EQ(items, (QStringList{"MnuDel", "MnuCopy", "MnuPaste"}));
  EXPECT_EQ(caption, "Delete Selected Row");
  EXPECT_EQ(program.SSList.CellText(2, 2), third);
  EXPECT_NE(second, third);
  EXPECT_FALSE(program.PopupDeleteRequested);
  EXPECT_FALSE(StockGrid()->selectionModel()->hasSelection());
}

TEST_F(ShtStkTest, ThePullListTabShowsTheSheetsARunUsed) {
  QTabBar* tabs = Stock()->MatTab();
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), "Sheet Stock");
  EXPECT_EQ(tabs->tabText(1), "Pull List");
  EXPECT_TRUE(Stock()->SheetStock()->isVisible());
  EXPECT_FALSE(Stock()->PullList()->isVisible());
  EXPECT_TRUE(Stock()->PullList()->isColumnHidden(0));

  worklist::SPath_Change(program, AppDir() + "Parts/");
  program.Input.SourceList.Selected.assign(program.Input.SourceList.Items.size(), true);
  worklist::AddFile_Click(program);
  QTest::mouseClick(Control<QPushButton>(Input(), "Proc"), Qt::LeftButton);
  ASSERT_FALSE(program.NestFiles.empty());

  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
  EXPECT_FALSE(Stock()->SheetStock()->isVisible());
  ASSERT_TRUE(Stock()->PullList()->isVisible());
  GridModel* pull = Stock()->PullList()->Model();
  EXPECT_EQ(pull->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Pull List Material");
  long sheets = 0;
  for (long row = 1; row <= program.MPL.MaxRows() && !program.MPL.CellText(row, 2).empty(); ++row) {
    EXPECT_EQ(pull->data(pull->IndexOf(row, 2), Qt::DisplayRole).toString().toStdString(),
              program.MPL.CellText(row, 2));
    sheets += std::stol(program.MPL.CellText(row, 5));
  }
  EXPECT_EQ(sheets, long(program.NestFiles.size()));
  Screenshot("material_pull_list");
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
  EXPECT_TRUE(Stock()->SheetStock()->isVisible());
}

TEST_F(ShtStkTest, TheViewerDocksBelowTheMaterialWindowWhenItsHeightChanges) {
  QMdiSubWindow* stock = main->StockWindowPlace();
  QMdiSubWindow* viewer = main->ViewerPlace();
  QMdiSubWindow* input = main->InputWindowPlace();
  stock->resize(stock->width(), stock->height() + 60);
  EXPECT_EQ(viewer->y(), stock->height());
  EXPECT_EQ(viewer->height(), input->height() - stock->height());
  EXPECT_EQ(stock->x(), input->width());
}

}  // namespace
}  // namespace tv::gui::testing
