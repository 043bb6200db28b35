#include "gui/models/grid_model.h"

#include <QBrush>
#include <QColor>

namespace tv::gui {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

QColor ColorOf(grid::Rgb rgb) {
  return QColor(grid::RedOf(rgb), grid::GreenOf(rgb), grid::BlueOf(rgb));
}

}  // namespace

GridModel::GridModel(grid::Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), rows_(int(grid.MaxRows())), cols_(int(grid.MaxCols())) {
  grid_.AddObserver(this);
}

GridModel::~GridModel() {
  grid_.RemoveObserver(this);
}

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cols_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const long row = GridRow(index);
  const long col = GridCol(index);
  const grid::Kind kind = grid_.CellKindAt(row, col);
  switch (role) {
    case Qt::DisplayRole:
      // A check box shows its caption beside the box, never its value.
      return kind == grid::Kind::CheckBox ? Q(grid_.CheckCaptionAt(row, col)) : Q(grid_.CellText(row, col));
    case Qt::EditRole:
      return Q(grid_.CellText(row, col));
    case Qt::CheckStateRole:
      if (kind != grid::Kind::CheckBox) return {};
      return grid_.CheckValueAt(row, col) != 0 ? Qt::Checked : Qt::Unchecked;
    case Qt::BackgroundRole:
      return QBrush(ColorOf(grid_.BackColorAt(row, col)));
    case KindRole:
      return static_cast<int>(kind);
    case ChoiceItemsRole: {
      QStringList items;
      for (const std::string& item : grid_.ChoiceItemsAt(row, col)) items << Q(item);
      return items;
    }
    case ChoiceIndexRole:
      return grid_.ChoiceIndexAt(row, col);
    default:
      return {};
  }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || grid_.UserLocked()) return false;
  const long row = GridRow(index);
  const long col = GridCol(index);
  const grid::Kind kind = grid_.CellKindAt(row, col);
  if (role == Qt::CheckStateRole) {
    if (kind != grid::Kind::CheckBox) return false;
    const bool wanted = value.toInt() == Qt::Checked;
    if (wanted != (grid_.CheckValueAt(row, col) != 0)) grid_.UserClickButton(row, col);
    return true;
  }
  if (role != Qt::EditRole) return false;
  if (kind == grid::Kind::Choice) {
    int item = -1;
    if (value.typeId() == QMetaType::Int) {
      item = value.toInt();
    } else {
      const auto items = grid_.ChoiceItemsAt(row, col);
      const std::string text = value.toString().toStdString();
      for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) item = int(i);
      }
    }
    grid_.UserChooseItem(row, col, item);
    return true;
  }
  if (kind == grid::Kind::CheckBox) return false;
  const std::string text = value.toString().toStdString();
  // Leaving a cell unchanged is no edit: it raises no change event.
  if (text != grid_.CellText(row, col)) grid_.UserEditText(row, col, text);
  return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (grid_.UserLocked()) return flags;
  if (grid_.CellKindAt(GridRow(index), GridCol(index)) == grid::Kind::CheckBox)
    return flags | Qt::ItemIsUserCheckable;
  return flags | Qt::ItemIsEditable;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return Q(grid_.CellText(0, section + 1));
  return section + 1;
}

void GridModel::FollowLayout() {
  const int rows = int(grid_.MaxRows());
  const int cols = int(grid_.MaxCols());
  // The grid tells after the fact; the counts this model reports change only between the
  // begin and end calls, which is all the views look at.
  if (cols != cols_) {
    beginResetModel();
    rows_ = rows;
    cols_ = cols;
    endResetModel();
    return;
  }
  if (rows > rows_) {
    beginInsertRows({}, rows_, rows - 1);
    rows_ = rows;
    endInsertRows();
  } else if (rows < rows_) {
    beginRemoveRows({}, rows, rows_ - 1);
    rows_ = rows;
    endRemoveRows();
  }
  // Rows moved (a sort, deleted rows): every cell may show something else now.
  emit layoutAboutToBeChanged();
  emit layoutChanged();
  if (cols_ > 0) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
}

void GridModel::GridChanged(const grid::Grid&, const grid::Change& change) {
  using What = grid::Change::What;
  switch (change.what) {
    case What::Cells:
      if (change.row == 0) emit headerDataChanged(Qt::Horizontal, int(change.col - 1), int(change.col2 - 1));
      if (change.row2 >= 1 && change.row2 <= rows_ && change.col2 <= cols_) {
        emit dataChanged(IndexOf(std::max(change.row, 1L), change.col), IndexOf(change.row2, change.col2));
      }
      break;
    case What::Layout:
      FollowLayout();
      break;
    case What::Columns:
      emit ColumnFormatChanged(int(change.col - 1));
      break;
    case What::Selection:
      emit GridSelectionChanged();
      break;
    case What::ActiveCell:
      emit ActiveCellChanged(int(change.row - 1), int(change.col - 1));
      break;
    case What::Print:
      emit PrintRequested();
      break;
    case What::EndEdit:
      emit EndEditRequested();
      break;
  }
}

}  // namespace tv::gui
