// The table the operator works in for each of the program's grids: shows a GridModel with the
// grid's widths, hidden columns and colours, mirrors the operator's selected blocks and active
// cell into the grid, and raises the grid's events (double click, right click, mouse up, focus,
// tool tip) for the program's logic. Edits go through the model, so a locked grid refuses them.
#pragma once

#include <QPoint>
#include <QTableView>

#include "grid/grid.h"

namespace tv::gui {

class GridModel;

class GridView : public QTableView {
  Q_OBJECT

 public:
  // The view makes its own model over grid.
  explicit GridView(grid::Grid& grid, QWidget* parent = nullptr);

  GridModel* Model() const { return model_; }
  grid::Grid& Grid() const;

  // Finishes an edit in progress, keeping what was typed, so that a command reads the grid as
  // the operator sees it. Every grid view of the application, when root is null.
  void EndEdit();
  bool Editing() const { return state() == EditingState; }
  static void EndEditsBelow(QWidget* root);

  // Pixels of one of the grid's column-width units (what a width of 1 in Grid::ColumnWidth
  // stands for).
  double PixelsPerWidthUnit() const;

  // The rows the view shows whole at its present height.
  int VisibleRowCount() const;

 signals:
  // A single right click on a cell (clickKind 0) or the header (row 0) at the global position,
  // after the grid's own RightClick event: the window pops its menu up here.
  void RightClicked(int clickKind, long col, long row, QPoint globalPos);
  // The mouse button went up over the view (1 left, 2 right, 4 middle), after the grid's MouseUp.
  void MouseReleased(int button);
  // The grid's print action asked for the grid to be printed.
  void PrintRequested();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  void DropEdit();
  void ApplyColumn(int column);
  void ApplyColumns();
  void SelectionToGrid();
  void SelectionFromGrid();
  void ActiveCellFromGrid(int row, int column);
  void ClearSelectedCells();
  void CopySelection();
  void PasteClipboard();
  void FollowFocus(QWidget* now);
  static int ButtonNumber(Qt::MouseButton button);
  static int ShiftState(Qt::KeyboardModifiers modifiers);

  GridModel* model_ = nullptr;
  bool syncing_ = false;
  bool focused_ = false;
};

}  // namespace tv::gui
