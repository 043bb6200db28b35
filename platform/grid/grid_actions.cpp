// Actions on the addressed block, the row sort and the column search.
#include <algorithm>
#include <numeric>

#include "grid/grid.h"
#include "grid/grid_text.h"
#include "text/ascii_text.h"

namespace tv::grid {

namespace {

// Orders two cell texts for a sort. Numbers (" 600", "2440") compare by value and come
// before other texts, so that sizes and quantities sort as a person expects; other texts
// compare without regard to case, and texts that differ only in case are then ordered
// bytewise so that equal texts always end up next to each other.
int CompareCells(const std::string& a, const std::string& b) {
  const auto na = detail::WholeNumber(a);
  const auto nb = detail::WholeNumber(b);
  if (na && nb) {
    if (*na < *nb) return -1;
    if (*na > *nb) return 1;
  } else if (na || nb) {
    return na ? -1 : 1;
  } else {
    const std::string ua = text::UpperAscii(a);
    const std::string ub = text::UpperAscii(b);
    if (int c = ua.compare(ub); c != 0) return c < 0 ? -1 : 1;
  }
  if (int c = a.compare(b); c != 0) return c < 0 ? -1 : 1;
  return 0;
}

}  // namespace

long Grid::SortKey(int index) const {
  return index >= 1 && index <= 3 ? sortKeys_[index - 1] : 0;
}

void Grid::SetSortKey(int index, long col) {
  if (index >= 1 && index <= 3) sortKeys_[index - 1] = col;
}

int Grid::SortKeyOrder(int index) const {
  return index >= 1 && index <= 3 ? sortOrders_[index - 1] : 0;
}

void Grid::SetSortKeyOrder(int index, int order) {
  if (index >= 1 && index <= 3) sortOrders_[index - 1] = order;
}

void Grid::DoAction(ActionCode action) {
  Block b;
  const bool isBlock = blockSelect_ || action == ActionCode::Sort;
  const bool any = isBlock ? Resolve(row_, col_, row2_, col2_, b) : Resolve(row_, col_, row_, col_, b);
  switch (action) {
    case ActionCode::DeleteRows:
      if (any) DeleteRows(std::max(b.row, 1L), b.row2);
      break;
    case ActionCode::ClearText:
      if (!any) break;
      for (long r = std::max(b.row, 1L); r <= b.row2; ++r) {
        for (long c = b.col; c <= b.col2; ++c) {
          Cell* cell = At(r, c);
          if (!cell) continue;
          cell->text.clear();
          cell->choiceIndex = -1;
        }
      }
      if (std::max(b.row, 1L) <= b.row2) NotifyCells(std::max(b.row, 1L), b.col, b.row2, b.col2);
      // Cleared check boxes report like any value set by code.
      for (long r = std::max(b.row, 1L); r <= b.row2; ++r) {
        for (long c = b.col; c <= b.col2; ++c) CheckWritten(r, c);
      }
      break;
    case ActionCode::ClearSelection:
      ClearSelection();
      break;
    case ActionCode::Print:
      Notify({Change::What::Print, 0, 0, 0, 0});
      break;
    case ActionCode::EndEdit:
      Notify({Change::What::EndEdit, 0, 0, 0, 0});
      break;
    case ActionCode::Sort:
      if (any && sortBy_ == 0) SortRows(b);
      break;
  }
}

void Grid::DeleteRows(long first, long last) {
  first = std::max(first, 1L);
  last = std::min(last, c_.maxRows);
  if (first > last) return;
  const long count = last - first + 1;
  auto& rows = c_.rows;
  rows.erase(rows.begin() + first, rows.begin() + last + 1);
  for (long i = 0; i < count; ++i) {
    const long r = c_.maxRows - count + 1 + i;
    std::vector<Cell> cells;
    cells.reserve(static_cast<size_t>(c_.maxCols) + 1);
    for (long c = 0; c <= c_.maxCols; ++c) cells.push_back(NewCell(r, c));
    rows.push_back(std::move(cells));
  }
  // Selected blocks follow their rows, so that deleting several selected blocks one after
  // another removes the rows the operator chose. A block whose rows are all gone stays in
  // the list as an empty block (row2 < row): later indexes keep naming the same blocks.
  for (Block& s : selections_) {
    if (s.row == -1) continue;
    const long top = s.row;
    const long bottom = s.row2 == -1 ? c_.maxRows : s.row2;
    auto mapTop = [&](long r) { return r < first ? r : (r > last ? r - count : first); };
    auto mapBottom = [&](long r) { return r < first ? r : (r > last ? r - count : first - 1); };
    const long newTop = mapTop(top);
    const long newBottom = mapBottom(bottom);
    s.row = newTop;
    if (s.row2 != -1 || newBottom < newTop) s.row2 = newBottom;
  }
  NotifyLayout();
}

void Grid::SortRows(const Block& block) {
  const long first = std::max(block.row, 1L);
  const long last = block.row2;
  if (first >= last) return;
  std::vector<std::pair<long, int>> keys;
  for (int k = 0; k < 3; ++k) {
    if (sortKeys_[k] >= 1 && sortKeys_[k] <= c_.maxCols) keys.emplace_back(sortKeys_[k], sortOrders_[k]);
  }
  if (keys.empty()) return;

  std::vector<long> order(static_cast<size_t>(last - first + 1));
  std::iota(order.begin(), order.end(), first);
  std::stable_sort(order.begin(), order.end(), [&](long ra, long rb) {
    for (const auto& [col, dir] : keys) {
      int c = CompareCells(At(ra, col)->text, At(rb, col)->text);
      if (dir == 2) c = -c;
      if (c != 0) return c < 0;
    }
    return false;
  });

  // Only the block's columns move; cells outside it stay in their rows.
  std::vector<std::vector<Cell>> moved;
  moved.reserve(order.size());
  for (long r : order) {
    auto& src = c_.rows[static_cast<size_t>(r)];
    moved.emplace_back(std::make_move_iterator(src.begin() + block.col),
                       std::make_move_iterator(src.begin() + block.col2 + 1));
  }
  for (size_t i = 0; i < moved.size(); ++i) {
    auto& dst = c_.rows[static_cast<size_t>(first) + i];
    std::move(moved[i].begin(), moved[i].end(), dst.begin() + block.col);
  }
  NotifyLayout();
}

long Grid::SearchCol(long col, long startRow, long endRow, std::string_view text, SearchMatch match) const {
  if (text.empty() || col < 1 || col > c_.maxCols) return -1;
  const std::string wanted = text::UpperAscii(text);
  const long last = std::min(endRow, c_.maxRows);
  for (long r = std::max(startRow + 1, 1L); r <= last; ++r) {
    const std::string cell = text::UpperAscii(At(r, col)->text);
    const bool hit = match == SearchMatch::Part ? cell.find(wanted) != std::string::npos : cell == wanted;
    if (hit) return r;
  }
  return -1;
}

}  // namespace tv::grid
