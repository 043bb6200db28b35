// GridModel: every cell kind shows and edits as the grid says; a change in the grid reaches the
// model's views, an edit reaches the grid with its events, and a locked grid refuses edits.
#include <gtest/gtest.h>

#include <QBrush>
#include <QSignalSpy>
#include <string>
#include <vector>

#include "grid/grid.h"
#include "gui/models/grid_model.h"

namespace tv::gui {
namespace {

class GridModelTest : public ::testing::Test {
 protected:
  GridModelTest() : model(g) {
    g.SetHeaders({"OK", "Name", "Material"});
    g.SetCol(1);
    g.SetRow(-1);
    g.SetCellKind(grid::Kind::CheckBox);
    g.SetCol(3);
    g.SetCellKind(grid::Kind::Choice);
    g.SetChoiceList("OAK\tMDF\tPINE");
    g.Events().ButtonClicked = [this](long col, long row, int state) {
      events.push_back("ButtonClicked " + std::to_string(col) + "," + std::to_string(row) + "=" +
                       std::to_string(state));
    };
    g.Events().CellChange = [this](long col, long row) {
      events.push_back("CellChange " + std::to_string(col) + "," + std::to_string(row));
    };
  }

  grid::Grid g{5, 3};
  GridModel model;
  std::vector<std::string> events;
};

struct KindCase {
  long col;
  grid::Kind kind;
  QVariant edit;          // what the operator enters
  std::string gridText;   // the cell's text afterwards
  std::string event;      // the event the grid raised
  Qt::ItemFlag userFlag;  // how the operator may change it
};

TEST_F(GridModelTest, EachCellKindShowsAndEditsAsTheGridSays) {
  const std::vector<KindCase> cases = {
      {2, grid::Kind::Edit, QString("Door left"), "Door left", "CellChange 2,2", Qt::ItemIsEditable},
      {3, grid::Kind::Choice, 1, "MDF", "CellChange 3,2", Qt::ItemIsEditable},
      {3, grid::Kind::Choice, QString("PINE"), "PINE", "CellChange 3,2", Qt::ItemIsEditable},
      {1, grid::Kind::CheckBox, int(Qt::Checked), "1", "ButtonClicked 1,2=1", Qt::ItemIsUserCheckable},
  };
  for (const KindCase& c : cases) {
    SCOPED_TRACE(c.gridText);
    events.clear();
    const QModelIndex index = model.IndexOf(2, c.col);
    EXPECT_EQ(model.data(index, GridModel::KindRole).toInt(), static_cast<int>(c.kind));
    EXPECT_TRUE(model.flags(index) & c.userFlag);
    const int role = c.kind == grid::Kind::CheckBox ? Qt::CheckStateRole : Qt::EditRole;
    EXPECT_TRUE(model.setData(index, c.edit, role));
    EXPECT_EQ(g.CellText(2, c.col), c.gridText);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], c.event);
  }
  // Shown as the grid holds it: a check box by its state and caption, a choice by its text.
  g.SetCheckCaptionAt(2, 1, " Yes");
  EXPECT_EQ(model.data(model.IndexOf(2, 1), Qt::CheckStateRole).toInt(), int(Qt::Checked));
  EXPECT_EQ(model.data(model.IndexOf(2, 1), Qt::DisplayRole).toString(), " Yes");
  EXPECT_FALSE(model.data(model.IndexOf(2, 2), Qt::CheckStateRole).isValid());
  EXPECT_EQ(model.data(model.IndexOf(2, 3), Qt::DisplayRole).toString(), "PINE");
  EXPECT_EQ(model.data(model.IndexOf(2, 3), GridModel::ChoiceIndexRole).toInt(), 2);
  EXPECT_EQ(model.data(model.IndexOf(2, 3), GridModel::ChoiceItemsRole).toStringList(),
            QStringList({"OAK", "MDF", "PINE"}));
  EXPECT_EQ(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "Material");
}

TEST_F(GridModelTest, AnUnchangedValueIsNoEdit) {
  g.SetCellText(1, 2, "Shelf");
  EXPECT_TRUE(model.setData(model.IndexOf(1, 2), QString("Shelf"), Qt::EditRole));
  EXPECT_TRUE(model.setData(model.IndexOf(1, 1), int(Qt::Unchecked), Qt::CheckStateRole));
  EXPECT_TRUE(events.empty());
}

TEST_F(GridModelTest, ChangesInTheGridReachTheViews) {
  QSignalSpy cells(&model, &QAbstractItemModel::dataChanged);
  QSignalSpy header(&model, &QAbstractItemModel::headerDataChanged);
  QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
  QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
  QSignalSpy layout(&model, &QAbstractItemModel::layoutChanged);
  QSignalSpy columns(&model, &GridModel::ColumnFormatChanged);

  g.SetCellText(4, 2, "Back");
  ASSERT_EQ(cells.count(), 1);
  EXPECT_EQ(cells[0][0].toModelIndex(), model.IndexOf(4, 2));
  EXPECT_EQ(model.data(model.IndexOf(4, 2), Qt::DisplayRole).toString(), "Back");

  // A colour set for whole rows comes as one range.
  cells.clear();
  g.SetRow(-1);
  g.SetCol(-1);
  g.SetCellBackColor(grid::MakeRgb(255, 0, 0));
  ASSERT_EQ(cells.count(), 1);
  EXPECT_EQ(cells[0][0].toModelIndex(), model.IndexOf(1, 1));
  EXPECT_EQ(cells[0][1].toModelIndex(), model.IndexOf(5, 3));
  EXPECT_EQ(model.data(model.IndexOf(3, 2), Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 0, 0));

  g.SetCellText(0, 2, "Part");
  ASSERT_EQ(header.count(), 1);
  EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Part");

  g.SetMaxRows(8);
  EXPECT_EQ(inserted.count(), 1);
  EXPECT_EQ(model.rowCount(), 8);
  g.SetMaxRows(2);
  EXPECT_EQ(removed.count(), 1);
  EXPECT_EQ(model.rowCount(), 2);

  g.SetCellText(1, 2, "B");
  g.SetCellText(2, 2, "A");
  layout.clear();
  g.SetRow(1);
  g.SetRow2(2);
  g.SetCol(1);
  g.SetCol2(3);
  g.SetSortKey(1, 2);
  g.SetSortKeyOrder(1, 1);
  g.DoAction(grid::ActionCode::Sort);
  EXPECT_EQ(layout.count(), 1);
  EXPECT_EQ(model.data(model.IndexOf(1, 2), Qt::DisplayRole).toString(), "A");

  g.SetColumnHiddenAt(3, true);
  ASSERT_EQ(columns.count(), 1);
  EXPECT_EQ(columns[0][0].toInt(), 2);
}

TEST_F(GridModelTest, ALoadOfAnotherShapeResetsTheModel) {
  QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
  grid::Grid other{7, 4};
  other.SetCellText(7, 4, "last");
  ASSERT_TRUE(g.LoadGridText(other.SaveGridText(true)));
  EXPECT_EQ(reset.count(), 1);
  EXPECT_EQ(model.rowCount(), 7);
  EXPECT_EQ(model.columnCount(), 4);
  EXPECT_EQ(model.data(model.IndexOf(7, 4), Qt::DisplayRole).toString(), "last");
}

TEST_F(GridModelTest, ALockedGridRefusesEveryEdit) {
  g.SetCellText(1, 2, "Shelf");
  g.SetUserLocked(true);
  for (long col : {1L, 2L, 3L}) {
    const Qt::ItemFlags flags = model.flags(model.IndexOf(1, col));
    EXPECT_FALSE(flags & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)) << col;
  }
  EXPECT_FALSE(model.setData(model.IndexOf(1, 2), QString("Door"), Qt::EditRole));
  EXPECT_FALSE(model.setData(model.IndexOf(1, 3), 0, Qt::EditRole));
  EXPECT_FALSE(model.setData(model.IndexOf(1, 1), int(Qt::Checked), Qt::CheckStateRole));
  EXPECT_EQ(g.CellText(1, 2), "Shelf");
  EXPECT_EQ(g.CellText(1, 3), "");
  EXPECT_EQ(g.CellText(1, 1), "");
  EXPECT_TRUE(events.empty());
  g.SetUserLocked(false);
  EXPECT_TRUE(model.setData(model.IndexOf(1, 2), QString("Door"), Qt::EditRole));
  EXPECT_EQ(g.CellText(1, 2), "Door");
}

TEST_F(GridModelTest, TheGridsOtherRequestsBecomeSignals) {
  QSignalSpy selection(&model, &GridModel::GridSelectionChanged);
  QSignalSpy active(&model, &GridModel::ActiveCellChanged);
  QSignalSpy print(&model, &GridModel::PrintRequested);
  QSignalSpy endEdit(&model, &GridModel::EndEditRequested);
  g.AddSelection({1, 1, 2, 3});
  g.SetActiveCell(3, 2);
  g.DoAction(grid::ActionCode::Print);
  g.DoAction(grid::ActionCode::EndEdit);
  EXPECT_EQ(selection.count(), 1);
  ASSERT_EQ(active.count(), 1);
  EXPECT_EQ(active[0][0].toInt(), 2);
  EXPECT_EQ(active[0][1].toInt(), 1);
  EXPECT_EQ(print.count(), 1);
  EXPECT_EQ(endEdit.count(), 1);
}

}  // namespace
}  // namespace tv::gui
