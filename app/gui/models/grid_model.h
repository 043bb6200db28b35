// A Qt table model over one of the program's grids: it shows what the grid holds (texts,
// check boxes, choice cells, colours, the header row) and hands the operator's edits to the
// grid's own user calls, which refuse them while a run has the grid locked. It follows the
// grid through the grid's observer; it holds no grid logic of its own.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include "grid/grid.h"

namespace tv::gui {

class GridModel : public QAbstractTableModel, private grid::GridObserver {
  Q_OBJECT

 public:
  // Extra roles the grid's delegate reads.
  enum Role {
    KindRole = Qt::UserRole + 1,  // int: the grid's cell kind (1 edit, 8 choice, 10 check box)
    ChoiceItemsRole,              // QStringList: the items of a choice cell
    ChoiceIndexRole,              // int: the selected item of a choice cell, -1 for none
  };

  explicit GridModel(grid::Grid& grid, QObject* parent = nullptr);
  ~GridModel() override;

  grid::Grid& Grid() const { return grid_; }

  // Model rows and columns count from 0; the grid's data rows and columns from 1.
  static long GridRow(const QModelIndex& index) { return index.row() + 1; }
  static long GridCol(const QModelIndex& index) { return index.column() + 1; }
  QModelIndex IndexOf(long gridRow, long gridCol) const { return index(int(gridRow - 1), int(gridCol - 1)); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // EditRole: the text of an edit cell, or the item (index or text) of a choice cell;
  // CheckStateRole: ticks or unticks a check box. False when the grid refuses.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 signals:
  // A column was hidden or shown, or its width set (model column).
  void ColumnFormatChanged(int column);
  // The grid's selected blocks changed by code.
  void GridSelectionChanged();
  // The grid's active cell was set (model row and column).
  void ActiveCellChanged(int row, int column);
  // The grid's print action: whoever prints the grid reads it through Grid().
  void PrintRequested();
  // The grid asks for an edit in progress to be finished (before rows go away).
  void EndEditRequested();

 private:
  void GridChanged(const grid::Grid& grid, const grid::Change& change) override;
  void FollowLayout();

  grid::Grid& grid_;
  int rows_ = 0;
  int cols_ = 0;
};

}  // namespace tv::gui
