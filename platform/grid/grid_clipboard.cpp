// Clipboard text of the grid: the Tab-separated form that spreadsheets exchange.
#include <algorithm>

#include "grid/grid.h"

namespace tv::grid {

namespace {

std::string QuoteIfNeeded(const std::string& text) {
  if (text.find_first_of("\t\r\n\"") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

// Splits clipboard text into rows of cells; a final line end adds no empty row.
std::vector<std::vector<std::string>> ParseClipboard(std::string_view text) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string cell;
  size_t i = 0;
  bool rowOpen = false;
  while (i < text.size()) {
    rowOpen = true;
    if (text[i] == '"' && cell.empty()) {
      // A quoted cell runs to the quote that is not doubled; without one it is taken as typed.
      size_t j = i + 1;
      std::string quoted;
      bool closed = false;
      while (j < text.size()) {
        if (text[j] == '"') {
          if (j + 1 < text.size() && text[j + 1] == '"') {
            quoted += '"';
            j += 2;
            continue;
          }
          closed = true;
          ++j;
          break;
        }
        quoted += text[j++];
      }
      if (closed) {
        cell = std::move(quoted);
        i = j;
        continue;
      }
    }
    const char c = text[i];
    if (c == '\t') {
      row.push_back(std::move(cell));
      cell.clear();
      ++i;
    } else if (c == '\r' || c == '\n') {
      row.push_back(std::move(cell));
      cell.clear();
      rows.push_back(std::move(row));
      row.clear();
      rowOpen = false;
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    } else {
      cell += c;
      ++i;
    }
  }
  if (rowOpen) {
    row.push_back(std::move(cell));
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace

std::string Grid::CopyText() const {
  Block b;
  bool any = false;
  if (!selections_.empty()) {
    const Block& s = selections_.front();
    any = Resolve(s.row, s.col, s.row2, s.col2, b);
  } else {
    any = Resolve(activeRow_, activeCol_, activeRow_, activeCol_, b);
  }
  if (!any) return {};
  std::string out;
  for (long r = b.row; r <= b.row2; ++r) {
    for (long c = b.col; c <= b.col2; ++c) {
      if (c > b.col) out += '\t';
      out += QuoteIfNeeded(At(r, c)->text);
    }
    out += '\n';
  }
  return out;
}

void Grid::Paste(std::string_view clipboardText) {
  if (userLocked_ || activeRow_ < 1 || activeCol_ < 1) return;
  const auto rows = ParseClipboard(clipboardText);
  for (size_t i = 0; i < rows.size(); ++i) {
    const long r = activeRow_ + static_cast<long>(i);
    if (r > c_.maxRows) break;
    for (size_t j = 0; j < rows[i].size(); ++j) {
      const long c = activeCol_ + static_cast<long>(j);
      if (c > c_.maxCols) break;
      SetCellText(r, c, rows[i][j]);
      if (events_.CellChange) events_.CellChange(c, r);
    }
  }
}

}  // namespace tv::grid
