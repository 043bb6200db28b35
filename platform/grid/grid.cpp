#include "grid/grid.h"

#include <algorithm>

#include "grid/grid_text.h"

namespace tv::grid {

namespace {

std::vector<std::string> SplitTabs(std::string_view text) {
  std::vector<std::string> items;
  if (text.empty()) return items;
  size_t start = 0;
  while (true) {
    size_t tab = text.find('\t', start);
    items.emplace_back(
        text.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  return items;
}

int FindItem(const std::vector<std::string>& items, std::string_view text) {
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == text) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

bool Grid::Format::operator==(const Format& o) const {
  if (kind != o.kind || back != o.back || caption != o.caption) return false;
  const bool hasA = choices && !choices->empty();
  const bool hasB = o.choices && !o.choices->empty();
  if (hasA != hasB) return false;
  return !hasA || *choices == *o.choices;
}

Grid::Grid(long maxRows, long maxCols) {
  const long cols = std::clamp(maxCols, 0L, kColLimit);
  ResizeContents(c_, std::clamp(maxRows, 0L, std::min(kRowLimit, kCellLimit / std::max(cols, 1L))), cols);
}

// ---- storage ----

Grid::Cell Grid::NewCellOf(const Contents& contents, long row, long col) {
  Cell cell;
  // The header row keeps plain edit cells; data rows take their column's format.
  if (row >= 1 && col >= 1 && col < static_cast<long>(contents.columns.size())) {
    cell.format = contents.columns[static_cast<size_t>(col)].format;
  }
  return cell;
}

Grid::Cell Grid::NewCell(long row, long col) const {
  return NewCellOf(c_, row, col);
}

void Grid::ResizeContents(Contents& contents, long rows, long cols) {
  contents.columns.resize(static_cast<size_t>(cols) + 1);
  contents.maxCols = cols;
  const long oldRows = static_cast<long>(contents.rows.size()) - 1;
  contents.rows.resize(static_cast<size_t>(rows) + 1);
  contents.maxRows = rows;
  for (long r = 0; r <= rows; ++r) {
    auto& cells = contents.rows[static_cast<size_t>(r)];
    const long oldCols = r <= oldRows ? static_cast<long>(cells.size()) - 1 : -1;
    if (oldCols == cols) continue;
    if (oldCols > cols) {
      cells.resize(static_cast<size_t>(cols) + 1);
      continue;
    }
    cells.reserve(static_cast<size_t>(cols) + 1);
    for (long col = oldCols + 1; col <= cols; ++col) cells.push_back(NewCellOf(contents, r, col));
  }
}

void Grid::SetMaxRows(long rows) {
  rows = std::clamp(rows, 0L, std::min(kRowLimit, kCellLimit / std::max(c_.maxCols, 1L)));
  if (rows == c_.maxRows) return;
  ResizeContents(c_, rows, c_.maxCols);
  NotifyLayout();
}

void Grid::SetMaxCols(long cols) {
  cols = std::clamp(cols, 0L, std::min(kColLimit, kCellLimit / std::max(c_.maxRows, 1L)));
  if (cols == c_.maxCols) return;
  ResizeContents(c_, c_.maxRows, cols);
  NotifyLayout();
}

Grid::Cell* Grid::At(long row, long col) {
  if (row < 0 || row > c_.maxRows || col < 1 || col > c_.maxCols) return nullptr;
  return &c_.rows[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

const Grid::Cell* Grid::At(long row, long col) const {
  if (row < 0 || row > c_.maxRows || col < 1 || col > c_.maxCols) return nullptr;
  return &c_.rows[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

// ---- direct cell access ----

std::string Grid::CellText(long row, long col) const {
  const Cell* cell = At(row, col);
  return cell ? cell->text : std::string();
}

void Grid::SetCellText(long row, long col, std::string_view text) {
  Cell* cell = At(row, col);
  if (!cell) return;
  cell->text = std::string(text);
  if (cell->format.choices) {
    const auto& items = *cell->format.choices;
    const bool keep = cell->choiceIndex >= 0 && cell->choiceIndex < static_cast<int>(items.size()) &&
                      items[static_cast<size_t>(cell->choiceIndex)] == text;
    if (!keep) cell->choiceIndex = FindItem(items, text);
  }
  NotifyCells(row, col, row, col);
  CheckWritten(row, col);
}

Kind Grid::CellKindAt(long row, long col) const {
  const Cell* cell = At(row, col);
  return cell ? cell->format.kind : Kind::Edit;
}

void Grid::SetCellKindAt(long row, long col, Kind kind) {
  Cell* cell = At(row, col);
  if (!cell) return;
  cell->format.kind = kind;
  NotifyCells(row, col, row, col);
}

int Grid::CheckValueAt(long row, long col) const {
  const Cell* cell = At(row, col);
  return cell && detail::LeadingNumber(cell->text) != 0 ? 1 : 0;
}

void Grid::SetCheckValueAt(long row, long col, int value) {
  SetCellText(row, col, value != 0 ? "1" : "0");
}

std::string Grid::CheckCaptionAt(long row, long col) const {
  const Cell* cell = At(row, col);
  return cell ? cell->format.caption : std::string();
}

void Grid::SetCheckCaptionAt(long row, long col, std::string_view caption) {
  Cell* cell = At(row, col);
  if (!cell) return;
  cell->format.caption = std::string(caption);
  NotifyCells(row, col, row, col);
}

std::vector<std::string> Grid::ChoiceItemsAt(long row, long col) const {
  const Cell* cell = At(row, col);
  if (!cell || !cell->format.choices) return {};
  return *cell->format.choices;
}

std::string Grid::ChoiceListAt(long row, long col) const {
  std::string joined;
  const auto items = ChoiceItemsAt(row, col);
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) joined += '\t';
    joined += items[i];
  }
  return joined;
}

void Grid::SetChoiceListAt(long row, long col, std::string_view tabSeparated) {
  Cell* cell = At(row, col);
  if (!cell) return;
  cell->format.choices = std::make_shared<const std::vector<std::string>>(SplitTabs(tabSeparated));
  cell->choiceIndex = FindItem(*cell->format.choices, cell->text);
  NotifyCells(row, col, row, col);
}

int Grid::ChoiceIndexAt(long row, long col) const {
  const Cell* cell = At(row, col);
  return cell ? cell->choiceIndex : -1;
}

void Grid::SetChoiceIndexAt(long row, long col, int index) {
  Cell* cell = At(row, col);
  if (!cell) return;
  const auto* items = cell->format.choices.get();
  if (items && index >= 0 && index < static_cast<int>(items->size())) {
    cell->text = (*items)[static_cast<size_t>(index)];
    cell->choiceIndex = index;
  } else {
    cell->text.clear();
    cell->choiceIndex = -1;
  }
  NotifyCells(row, col, row, col);
}

Rgb Grid::BackColorAt(long row, long col) const {
  const Cell* cell = At(row, col);
  return cell ? cell->format.back : kWhite;
}

void Grid::SetBackColorAt(long row, long col, Rgb color) {
  Cell* cell = At(row, col);
  if (!cell) return;
  cell->format.back = color;
  NotifyCells(row, col, row, col);
}

void Grid::SetHeaders(const std::vector<std::string>& headers) {
  for (size_t i = 0; i < headers.size(); ++i) SetCellText(0, static_cast<long>(i) + 1, headers[i]);
}

// ---- columns ----

bool Grid::IsColumnHidden(long col) const {
  return col >= 1 && col <= c_.maxCols && c_.columns[static_cast<size_t>(col)].hidden;
}

void Grid::SetColumnHiddenAt(long col, bool hidden) {
  if (col < 1 || col > c_.maxCols) return;
  c_.columns[static_cast<size_t>(col)].hidden = hidden;
  Notify({Change::What::Columns, 0, col, 0, col});
}

double Grid::ColumnWidth(long col) const {
  return col >= 1 && col <= c_.maxCols ? c_.columns[static_cast<size_t>(col)].width : 0;
}

void Grid::SetColumnWidth(long col, double width) {
  if (col < 1 || col > c_.maxCols) return;
  c_.columns[static_cast<size_t>(col)].width = width;
  Notify({Change::What::Columns, 0, col, 0, col});
}

// ---- the addressed cell ----

bool Grid::Resolve(long row, long col, long row2, long col2, Block& out) const {
  out.row = row == -1 ? 1 : row;
  out.row2 = (row == -1 || row2 == -1) ? c_.maxRows : row2;
  out.col = col == -1 ? 1 : col;
  out.col2 = (col == -1 || col2 == -1) ? c_.maxCols : col2;
  out.row = std::max(out.row, 0L);
  out.col = std::max(out.col, 1L);
  out.row2 = std::min(out.row2, c_.maxRows);
  out.col2 = std::min(out.col2, c_.maxCols);
  return out.row <= out.row2 && out.col <= out.col2;
}

template <typename F>
void Grid::ForAddressed(F&& apply, bool formatToo) {
  Block b;
  if (Resolve(row_, col_, row_, col_, b)) {
    for (long r = b.row; r <= b.row2; ++r) {
      for (long col = b.col; col <= b.col2; ++col) apply(r, col);
    }
  }
  // A whole column also sets the format that rows added later take.
  if (formatToo && row_ == -1) {
    const long first = col_ == -1 ? 1 : col_;
    const long last = col_ == -1 ? c_.maxCols : col_;
    for (long col = std::max(first, 1L); col <= std::min(last, c_.maxCols); ++col) apply(-1, col);
  }
}

void Grid::SetText(std::string_view text) {
  ForAddressed([&](long r, long c) { SetCellText(r, c, text); }, false);
}

void Grid::SetCellKind(Kind kind) {
  ForAddressed(
      [&](long r, long c) {
        if (r < 0)
          c_.columns[static_cast<size_t>(c)].format.kind = kind;
        else
          SetCellKindAt(r, c, kind);
      },
      true);
}

void Grid::SetCheckValue(int value) {
  ForAddressed([&](long r, long c) { SetCheckValueAt(r, c, value); }, false);
}

void Grid::SetCheckCaption(std::string_view caption) {
  ForAddressed(
      [&](long r, long c) {
        if (r < 0)
          c_.columns[static_cast<size_t>(c)].format.caption = std::string(caption);
        else
          SetCheckCaptionAt(r, c, caption);
      },
      true);
}

void Grid::SetChoiceList(std::string_view tabSeparated) {
  // One shared list for the whole address: a column of many rows holds it once.
  auto items = std::make_shared<const std::vector<std::string>>(SplitTabs(tabSeparated));
  ForAddressed(
      [&](long r, long c) {
        if (r < 0) {
          c_.columns[static_cast<size_t>(c)].format.choices = items;
          return;
        }
        Cell* cell = At(r, c);
        if (!cell) return;
        cell->format.choices = items;
        cell->choiceIndex = FindItem(*items, cell->text);
      },
      true);
  Block b;
  if (Resolve(row_, col_, row_, col_, b)) NotifyCells(b.row, b.col, b.row2, b.col2);
}

void Grid::SetChoiceIndex(int index) {
  ForAddressed([&](long r, long c) { SetChoiceIndexAt(r, c, index); }, false);
}

void Grid::SetCellBackColor(Rgb color) {
  ForAddressed(
      [&](long r, long c) {
        if (r < 0) {
          c_.columns[static_cast<size_t>(c)].format.back = color;
          return;
        }
        if (Cell* cell = At(r, c)) cell->format.back = color;
      },
      true);
  Block b;
  if (Resolve(row_, col_, row_, col_, b)) NotifyCells(b.row, b.col, b.row2, b.col2);
}

void Grid::SetColumnHidden(bool hidden) {
  if (col_ == -1) {
    for (long c = 1; c <= c_.maxCols; ++c) SetColumnHiddenAt(c, hidden);
  } else {
    SetColumnHiddenAt(col_, hidden);
  }
}

// ---- events ----

void Grid::CheckWritten(long row, long col) {
  if (row < 1 || CellKindAt(row, col) != Kind::CheckBox) return;
  if (events_.ButtonClicked) events_.ButtonClicked(col, row, CheckValueAt(row, col));
}

void Grid::AddObserver(GridObserver* observer) {
  if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
    observers_.push_back(observer);
  }
}

void Grid::RemoveObserver(GridObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void Grid::Notify(const Change& change) const {
  // A copy, so that an observer may remove itself while being told.
  const auto observers = observers_;
  for (GridObserver* observer : observers) observer->GridChanged(*this, change);
}

void Grid::NotifyCells(long row, long col, long row2, long col2) const {
  ++revision_;
  if (observers_.empty()) return;
  Notify({Change::What::Cells, row, col, row2, col2});
}

void Grid::NotifyLayout() const {
  ++revision_;
  Notify({Change::What::Layout, 0, 0, 0, 0});
}

void Grid::UserEditText(long row, long col, std::string_view text) {
  if (userLocked_ || !At(row, col) || row < 1) return;
  SetCellText(row, col, text);
  if (events_.CellChange) events_.CellChange(col, row);
}

void Grid::UserChooseItem(long row, long col, int index) {
  if (userLocked_ || !At(row, col) || row < 1) return;
  SetChoiceIndexAt(row, col, index);
  if (events_.CellChange) events_.CellChange(col, row);
}

void Grid::UserClickButton(long row, long col) {
  if (userLocked_ || row < 1 || CellKindAt(row, col) != Kind::CheckBox || !At(row, col)) return;
  SetCheckValueAt(row, col, CheckValueAt(row, col) == 0 ? 1 : 0);
}

void Grid::RaiseDblClick(long col, long row) {
  if (!userLocked_ && events_.DblClick) events_.DblClick(col, row);
}

void Grid::RaiseRightClick(int clickKind, long col, long row, int x, int y) {
  if (events_.RightClick) events_.RightClick(clickKind, col, row, x, y);
}

void Grid::RaiseMouseUp(int button, int shift, int x, int y) {
  if (events_.MouseUp) events_.MouseUp(button, shift, x, y);
}

bool Grid::FetchTextTip(long col, long row, std::string& tipText) {
  bool show = false;
  tipText.clear();
  if (events_.TextTipFetch) events_.TextTipFetch(col, row, tipText, show);
  return show;
}

void Grid::RaiseGotFocus() {
  if (events_.GotFocus) events_.GotFocus();
}

void Grid::RaiseLostFocus() {
  if (events_.LostFocus) events_.LostFocus();
}

// ---- selection ----

void Grid::AddSelection(const Block& block) {
  if (!multiSelect_) selections_.clear();
  selections_.push_back(block);
  Notify({Change::What::Selection, 0, 0, 0, 0});
}

void Grid::ClearSelection() {
  selections_.clear();
  Notify({Change::What::Selection, 0, 0, 0, 0});
}

Block Grid::Selection(long index) const {
  if (index < 0 || index >= SelectionCount()) return {};
  return selections_[static_cast<size_t>(index)];
}

void Grid::SetSelectionIndex(long index) {
  if (index < 0 || index >= SelectionCount()) return;
  const Block& b = selections_[static_cast<size_t>(index)];
  row_ = b.row;
  col_ = b.col;
  row2_ = b.row2;
  col2_ = b.col2;
}

void Grid::SetActiveCell(long row, long col) {
  activeRow_ = row;
  activeCol_ = col;
  Notify({Change::What::ActiveCell, row, col, row, col});
}

}  // namespace tv::grid
