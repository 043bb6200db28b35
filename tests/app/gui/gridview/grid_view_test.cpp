// The grid view as the operator uses it, over the program's work list: check boxes, typing,
// choices, the header sort, blocks selected and deleted, the clipboard, tool tips, colours,
// the end of an edit a command asks for, and the lock of a run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QStyle>
#include <QTest>
#include <QToolTip>

#include "core/program.h"
#include "gui/gridview/grid_view.h"
#include "gui/models/grid_model.h"
#include "support/sort_grid.h"
#include "testing/scripted_ui.h"
#include "worklist/input_window.h"
#include "worklist/work_list.h"

namespace tv::gui {
namespace {

using namespace tv::worklist;
using test_support::ScriptedUi;

class GridViewTest : public ::testing::Test {
 protected:
  GridViewTest() : program(ui), view(*new GridView(program.PList, &window)), other(new QLineEdit(&window)) {
    SetUpWorkListGrid(program, 12);
    program.PList.SetMultiSelect(true);
    InstallWorkListEvents(program);
    const char* names[] = {"Door", "Shelf", "Back", "Side", "Top"};
    for (long row = 1; row <= 5; ++row) {
      SetWorkListCell(program, row, kColQty, std::to_string(row));
      SetWorkListCell(program, row, kColFileName, names[row - 1]);
    }
    program.PList.SetChoiceListAt(1, kColMaterial, "OAK\tMDF");
    window.resize(900, 440);
    view.setGeometry(0, 0, 900, 400);
    other->setGeometry(0, 410, 200, 25);
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    view.setFocus();
  }

  QPoint CellCenter(long row, long col) { return view.visualRect(view.Model()->IndexOf(row, col)).center(); }
  // Where the check indicator of a check-box cell sits.
  QPoint CheckPoint(long row) {
    const QRect cell = view.visualRect(view.Model()->IndexOf(row, kColOk));
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
    const int width = view.style()->pixelMetric(QStyle::PM_IndicatorWidth);
    return {cell.left() + margin + width / 2, cell.center().y()};
  }
  void SelectBlock(long row, long col, long row2, long col2, QItemSelectionModel::SelectionFlags how) {
    view.selectionModel()->select(
        QItemSelection(view.Model()->IndexOf(row, col), view.Model()->IndexOf(row2, col2)), how);
  }
  QColor PixelAt(const QPoint& viewportPoint) {
    return view.viewport()->grab().toImage().pixelColor(viewportPoint);
  }

  // Types into the cell that is current: the first key opens its editor.
  void TypeIntoCurrentCell(const QString& text) {
    QTest::keyClick(&view, text.at(0).toLatin1());
    ASSERT_TRUE(view.Editing());
    QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
  }

  ScriptedUi ui;
  core::Program program;
  QWidget window;
  GridView& view;
  QLineEdit* other;
};

TEST_F(GridViewTest, ATickClickedInTheOkColumnReachesTheGridAndProcess) {
  EXPECT_FALSE(program.Input.ProcEnabled);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, CheckPoint(3));
  EXPECT_EQ(GetWorkListCell(program, 3, kColOk), "1");
  EXPECT_TRUE(program.Input.ProcEnabled);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, CheckPoint(3));
  EXPECT_EQ(GetWorkListCell(program, 3, kColOk), "0");
  EXPECT_FALSE(program.Input.ProcEnabled);
}

TEST_F(GridViewTest, TypingAndChoosingEditTheGrid) {
  long changedCol = 0;
  program.PList.Events().CellChange = [&](long col, long) { changedCol = col; };
  view.setCurrentIndex(view.Model()->IndexOf(2, kColJob));
  TypeIntoCurrentCell("K12");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QApplication::processEvents();  // the editor commits on its way out
  EXPECT_EQ(GetWorkListCell(program, 2, kColJob), "K12");
  EXPECT_EQ(changedCol, kColJob);

  view.edit(view.Model()->IndexOf(1, kColMaterial));
  auto* combo = view.findChild<QComboBox*>("GridChoiceEditor");
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->count(), 2);
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  EXPECT_EQ(GetWorkListCell(program, 1, kColMaterial), "MDF");
  EXPECT_EQ(program.PList.ChoiceIndexAt(1, kColMaterial), 1);
  EXPECT_EQ(changedCol, kColMaterial);
}

TEST_F(GridViewTest, ADoubleClickOnAHeaderSortsAndASecondOneReverses) {
  const QHeaderView* header = view.horizontalHeader();
  const QPoint at(header->sectionViewportPosition(kColFileName - 1) + 10, header->height() / 2);
  QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(GetWorkListCell(program, 1, kColFileName), "Back");
  EXPECT_EQ(GetWorkListCell(program, 5, kColFileName), "Top");
  EXPECT_EQ(view.Model()->data(view.Model()->IndexOf(1, kColFileName), Qt::DisplayRole).toString(), "Back");
  QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(GetWorkListCell(program, 1, kColFileName), "Top");
}

TEST_F(GridViewTest, SeveralSelectedBlocksAreDeletedFromThePopup) {
  SelectBlock(1, 1, 1, kWorkListCols, QItemSelectionModel::ClearAndSelect);
  SelectBlock(3, 2, 4, 5, QItemSelectionModel::Select);
  ASSERT_EQ(program.PList.SelectionCount(), 2);
  EXPECT_EQ(program.PList.Selection(1), (grid::Block{3, 2, 4, 5}));

  ui.ExpectQuestion("Delete selected entries in Process List?", core::MsgResult::Yes);
  program.PopupDeleteRequested = true;
  WorkListPopupClosed(program);
  EXPECT_EQ(GetWorkListCell(program, 1, kColFileName), "Shelf");
  EXPECT_EQ(GetWorkListCell(program, 2, kColFileName), "Top");
  EXPECT_EQ(GetWorkListCell(program, 3, kColFileName), "");
  // The view shows the rows that are left and no selection.
  EXPECT_EQ(view.Model()->data(view.Model()->IndexOf(2, kColFileName), Qt::DisplayRole).toString(), "Top");
  EXPECT_FALSE(view.selectionModel()->hasSelection());
}

TEST_F(GridViewTest, TheDeleteKeyClearsTheSelectedCellsButNotTheTicks) {
  SetWorkListCell(program, 2, kColOk, "1");
  SelectBlock(2, 1, 3, kColFileName, QItemSelectionModel::ClearAndSelect);
  QTest::keyClick(&view, Qt::Key_Delete);
  EXPECT_EQ(GetWorkListCell(program, 2, kColOk), "1");
  EXPECT_EQ(GetWorkListCell(program, 2, kColFileName), "");
  EXPECT_EQ(GetWorkListCell(program, 3, kColQty), "");
  EXPECT_EQ(GetWorkListCell(program, 4, kColFileName), "Side");
}

TEST_F(GridViewTest, CopyAndPasteRoundTripThroughTheSystemClipboard) {
  SetWorkListCell(program, 1, kColJob, "K\t12");  // a Tab inside a cell survives the trip
  SelectBlock(1, kColFileName, 2, kColJob, QItemSelectionModel::ClearAndSelect);
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), program.PList.CopyText());

  view.selectionModel()->clearSelection();
  view.setCurrentIndex(view.Model()->IndexOf(7, kColFileName));
  view.selectionModel()->clearSelection();
  QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(GetWorkListCell(program, 7, kColFileName), "Door");
  EXPECT_EQ(GetWorkListCell(program, 7, kColJob), "K\t12");
  EXPECT_EQ(GetWorkListCell(program, 8, kColFileName), "Shelf");
}

TEST_F(GridViewTest, ALockedGridTakesNoClickKeyOrPaste) {
  QApplication::clipboard()->setText("Pasted");
  view.setCurrentIndex(view.Model()->IndexOf(2, kColFileName));
  program.PList.SetUserLocked(true);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, CheckPoint(2));
  QTest::keyClick(&view, Qt::Key_Delete);
  QTest::keyClicks(&view, "X");
  QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier);
  QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, CellCenter(2, kColJob));
  EXPECT_FALSE(view.Editing());
  EXPECT_EQ(GetWorkListCell(program, 2, kColOk), "");
  EXPECT_EQ(GetWorkListCell(program, 2, kColFileName), "Shelf");
  program.PList.SetUserLocked(false);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, CheckPoint(2));
  EXPECT_EQ(GetWorkListCell(program, 2, kColOk), "1");
}

TEST_F(GridViewTest, AnEditInProgressEndsWhenTheGridAsksAndWhenACommandDoes) {
  for (bool byGrid : {true, false}) {
    view.setCurrentIndex(view.Model()->IndexOf(4, kColRoom));
    TypeIntoCurrentCell(byGrid ? "Kitchen" : "Bath");
    ASSERT_TRUE(view.Editing());
    if (byGrid) {
      program.PList.DoAction(grid::ActionCode::EndEdit);
    } else {
      GridView::EndEditsBelow(nullptr);
    }
    EXPECT_FALSE(view.Editing());
    EXPECT_EQ(GetWorkListCell(program, 4, kColRoom), byGrid ? "Kitchen" : "Bath");
  }
}

TEST_F(GridViewTest, RowsMovedByTheProgramDropAnEditOverThem) {
  view.setCurrentIndex(view.Model()->IndexOf(1, kColRoom));
  TypeIntoCurrentCell("Hall");
  program.SortOrder = 2;
  support::SortGridByColumn(program, program.PList, kColFileName);  // Door leaves row 1
  EXPECT_FALSE(view.Editing());
  for (long row = 1; row <= 5; ++row) EXPECT_EQ(GetWorkListCell(program, row, kColRoom), "") << row;
}

TEST_F(GridViewTest, ColoursWidthsAndHiddenColumnsFollowTheGrid) {
  MarkWorkListRow(program, 2);
  EXPECT_EQ(PixelAt(CellCenter(2, kColJob) + QPoint(0, 3)), QColor(255, 0, 0));
  const QRect ok = view.visualRect(view.Model()->IndexOf(2, kColOk));
  EXPECT_EQ(PixelAt({ok.right() - 3, ok.center().y()}), QColor(192, 192, 192));
  ClearWorkListMarks(program);
  EXPECT_EQ(PixelAt(CellCenter(2, kColJob) + QPoint(0, 3)), QColor(255, 255, 255));

  program.PList.SetColumnWidth(kColJob, 10);
  EXPECT_EQ(view.columnWidth(kColJob - 1), int(10 * view.PixelsPerWidthUnit() + 0.5));
  program.PList.SetColumnHiddenAt(kColPath, true);
  EXPECT_TRUE(view.isColumnHidden(kColPath - 1));
  program.PList.SetColumnHiddenAt(kColPath, false);
  EXPECT_FALSE(view.isColumnHidden(kColPath - 1));
}

TEST_F(GridViewTest, TheWorkListsTipShowsOnTheFirstFourRequestsOnly) {
  const QPoint at = CellCenter(1, kColJob);
  auto request = [&] {
    QHelpEvent help(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
    QApplication::sendEvent(view.viewport(), &help);
  };
  for (int shown = 1; shown <= 4; ++shown) {
    request();
    EXPECT_TRUE(QToolTip::isVisible()) << shown;
    EXPECT_EQ(QToolTip::text(), "Work List of Files to Process into Nest *** Right Click for Menu.");
  }
  QToolTip::hideText();
  ASSERT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
  request();
  EXPECT_FALSE(QToolTip::isVisible());
}

TEST_F(GridViewTest, ARightClickKeepsTheSelectionAndTellsTheWindow) {
  SelectBlock(2, 1, 3, 4, QItemSelectionModel::ClearAndSelect);
  QList<QVariant> clicked;
  QObject::connect(&view, &GridView::RightClicked, [&](int kind, long col, long row, QPoint) {
    clicked = {kind, qlonglong(col), qlonglong(row)};
  });
  QTest::mouseClick(view.viewport(), Qt::RightButton, {}, CellCenter(3, 2));
  EXPECT_EQ(clicked, (QList<QVariant>{0, qlonglong(2), qlonglong(3)}));
  EXPECT_EQ(program.PList.SelectionCount(), 1);
  EXPECT_EQ(program.PList.Selection(0), (grid::Block{2, 1, 3, 4}));
}

TEST_F(GridViewTest, TheGridsActiveCellAndFocusFollowTheView) {
  view.setCurrentIndex(view.Model()->IndexOf(4, kColRoom));
  EXPECT_EQ(program.PList.ActiveRow(), 4);
  EXPECT_EQ(program.PList.ActiveCol(), kColRoom);
  program.PList.SetActiveCell(9, kColCabinet);
  EXPECT_EQ(view.currentIndex(), view.Model()->IndexOf(9, kColCabinet));

  // Focus comes to the view: the work list becomes the grid Copy and Paste act on.
  int lostFocus = 0;
  program.PList.Events().LostFocus = [&] { ++lostFocus; };
  other->setFocus();
  EXPECT_EQ(lostFocus, 1);
  program.FocusedGrid = 0;
  view.setFocus();
  EXPECT_EQ(program.FocusedGrid, 1);
  // Typing in a cell keeps the focus in the grid.
  TypeIntoCurrentCell("Z");
  EXPECT_EQ(lostFocus, 1);
  other->setFocus();
  EXPECT_EQ(lostFocus, 2);
}

}  // namespace
}  // namespace tv::gui
