// The grid model behind the program's four grids (work list, settings, sheet stock, pull
// list): cells and their kinds, the addressed cell and block, the operator's selections,
// actions, sort, column search, clipboard text and the grid file. Views observe it; no Qt.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tv::grid {

// Colours are 0x00BBGGRR, the order in which literals such as &HC0C0C0 are written.
using Rgb = std::uint32_t;
constexpr Rgb MakeRgb(int r, int g, int b) {
  return static_cast<Rgb>(r & 0xFF) | (static_cast<Rgb>(g & 0xFF) << 8) | (static_cast<Rgb>(b & 0xFF) << 16);
}
constexpr int RedOf(Rgb c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(Rgb c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Rgb c) {
  return static_cast<int>((c >> 16) & 0xFF);
}
constexpr Rgb kWhite = MakeRgb(255, 255, 255);

// Cell kinds with the numbers the program's code compares against.
enum class Kind : int { Edit = 1, Choice = 8, CheckBox = 10 };

// Action codes. Sort uses the addressed block whatever BlockSelect says; the others act on
// the block when BlockSelect is on, else on the addressed cell (its row for DeleteRows).
enum class ActionCode : int {
  DeleteRows = 5,       // rows move up, empty rows are appended: MaxRows stays
  ClearText = 12,       // texts of the cells become empty (formats stay)
  Print = 13,           // asks the view to print the grid with the print options
  ClearSelection = 14,  // the operator's selected blocks are forgotten
  EndEdit = 18,         // asks the view to finish an edit in progress before rows go away
  Sort = 25,            // rows of the block by the sort keys
};

// Search flags of SearchCol.
enum class SearchMatch : int { Whole = 0, Part = 2 };

// A block of cells; -1 in a row or column means "all" (1 to MaxRows / MaxCols).
struct Block {
  long row = 0;
  long col = 0;
  long row2 = 0;
  long col2 = 0;
  bool operator==(const Block&) const = default;
};

enum class Orientation : int { Portrait = 1, Landscape = 2 };
struct PrintOptions {
  Orientation orientation = Orientation::Portrait;
  long margin = 0;  // twips
  std::string header;
};

// What changed, for views. Cells carries the inclusive range (resolved, never -1).
struct Change {
  enum class What { Cells, Layout, Columns, Selection, ActiveCell, Print, EndEdit };
  What what = What::Cells;
  long row = 0;
  long col = 0;
  long row2 = 0;
  long col2 = 0;
};

// What a grid-file load does with a file that breaks off or holds a bad line after a good start.
enum class PartialLoad {
  Refuse,        // the grid stays as it was
  KeepRowsRead,  // what was read before the fault replaces the contents
};
struct LoadRules {
  PartialLoad partial = PartialLoad::Refuse;
  long columns = 0;  // a file of another column count is refused; 0 takes any
};

class Grid;
class GridObserver {
 public:
  virtual ~GridObserver() = default;
  virtual void GridChanged(const Grid& grid, const Change& change) = 0;
};

// Handlers the program's logic installs; views raise the user's events through the
// Raise.../User... members below. ButtonClicked is raised for every check-box value set,
// whether by a click or by code, with state = the new check value.
struct GridEvents {
  std::function<void(long col, long row, int state)> ButtonClicked;
  std::function<void(long col, long row)> DblClick;
  std::function<void(int clickKind, long col, long row, int x, int y)> RightClick;
  std::function<void(long col, long row)> CellChange;
  std::function<void(long col, long row, std::string& tipText, bool& showTip)> TextTipFetch;
  std::function<void(int button, int shift, int x, int y)> MouseUp;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;
};

class Grid {
 public:
  // Bounds on the size, so that a damaged file or a wild value cannot exhaust memory.
  static constexpr long kRowLimit = 100'000;
  static constexpr long kColLimit = 1'000;
  static constexpr long kCellLimit = 1'000'000;

  Grid(long maxRows = 0, long maxCols = 0);
  Grid(const Grid&) = delete;
  Grid& operator=(const Grid&) = delete;

  // ---- size ----
  long MaxRows() const { return c_.maxRows; }
  long MaxCols() const { return c_.maxCols; }
  // Dropping rows or columns loses their cells; new ones take the column's format. Sizes
  // are held within the limits above.
  void SetMaxRows(long rows);
  void SetMaxCols(long cols);

  // ---- direct cell access (row 0 is the header; columns from 1). Out of range: reads
  // give the empty value, writes are ignored. ----
  std::string CellText(long row, long col) const;
  // On a choice cell any text is accepted; ChoiceIndex then names the first item equal to
  // it, or -1. On a check box the text is its value ("1", "0" or "").
  void SetCellText(long row, long col, std::string_view text);
  Kind CellKindAt(long row, long col) const;
  // Changing the kind keeps the text.
  void SetCellKindAt(long row, long col, Kind kind);
  // 1 when the cell's text has a non-zero leading number, else 0.
  int CheckValueAt(long row, long col) const;
  void SetCheckValueAt(long row, long col, int value);  // text "1" or "0"
  std::string CheckCaptionAt(long row, long col) const;
  void SetCheckCaptionAt(long row, long col, std::string_view caption);
  std::vector<std::string> ChoiceItemsAt(long row, long col) const;
  std::string ChoiceListAt(long row, long col) const;  // items joined by Tab
  void SetChoiceListAt(long row, long col, std::string_view tabSeparated);
  int ChoiceIndexAt(long row, long col) const;  // -1 when nothing is selected
  // Selects an item (its text becomes the cell's); an index outside the list selects nothing.
  void SetChoiceIndexAt(long row, long col, int index);
  Rgb BackColorAt(long row, long col) const;
  void SetBackColorAt(long row, long col, Rgb color);
  // Sets row 0 of columns 1.. to the given texts.
  void SetHeaders(const std::vector<std::string>& headers);

  // ---- columns ----
  bool IsColumnHidden(long col) const;
  void SetColumnHiddenAt(long col, bool hidden);
  double ColumnWidth(long col) const;  // 0 = the view's default
  void SetColumnWidth(long col, double width);

  // ---- the addressed cell and block (Row, Col, Row2, Col2; -1 = all) ----
  long Row() const { return row_; }
  long Col() const { return col_; }
  long Row2() const { return row2_; }
  long Col2() const { return col2_; }
  void SetRow(long row) { row_ = row; }
  void SetCol(long col) { col_ = col; }
  void SetRow2(long row) { row2_ = row; }
  void SetCol2(long col) { col2_ = col; }
  bool BlockSelect() const { return blockSelect_; }
  void SetBlockSelect(bool on) { blockSelect_ = on; }

  // Properties of the addressed cell. Reads at -1 give the empty value; writes at -1 reach
  // every row (1 to MaxRows) or column of the address and, for a whole column, the format
  // that rows added later take.
  std::string Text() const { return CellText(row_, col_); }
  void SetText(std::string_view text);
  Kind CellKind() const { return CellKindAt(row_, col_); }
  void SetCellKind(Kind kind);
  int CheckValue() const { return CheckValueAt(row_, col_); }
  void SetCheckValue(int value);
  std::string CheckCaption() const { return CheckCaptionAt(row_, col_); }
  void SetCheckCaption(std::string_view caption);
  std::string ChoiceList() const { return ChoiceListAt(row_, col_); }
  void SetChoiceList(std::string_view tabSeparated);
  int ChoiceIndex() const { return ChoiceIndexAt(row_, col_); }
  void SetChoiceIndex(int index);
  Rgb CellBackColor() const { return BackColorAt(row_, col_); }
  void SetCellBackColor(Rgb color);
  bool ColumnHidden() const { return IsColumnHidden(col_); }
  void SetColumnHidden(bool hidden);

  // ---- actions and sort ----
  void DoAction(ActionCode action);
  int SortBy() const { return sortBy_; }
  void SetSortBy(int by) { sortBy_ = by; }  // 0 = rows; other values make Sort do nothing
  // Keys 1 to 3: a column (0 = unused) and an order (2 descending, else ascending).
  long SortKey(int index) const;
  void SetSortKey(int index, long col);
  int SortKeyOrder(int index) const;
  void SetSortKeyOrder(int index, int order);

  // First row r with startRow < r <= endRow whose cell in col holds text (case ignored):
  // equal to it (Whole) or containing it (Part). -1 when none or when text is empty.
  long SearchCol(long col, long startRow, long endRow, std::string_view text, SearchMatch match) const;

  // ---- the operator's selection ----
  // Off: a new selection replaces the old one; on: blocks add up.
  void SetMultiSelect(bool on) { multiSelect_ = on; }
  bool MultiSelect() const { return multiSelect_; }
  void AddSelection(const Block& block);
  void ClearSelection();
  bool IsBlockSelected() const { return !selections_.empty(); }
  long SelectionCount() const { return static_cast<long>(selections_.size()); }
  // Block i as selected (rows of later deletions already taken out); all 0 when none.
  Block Selection(long index) const;
  // Makes selection i the addressed block, so that an action can act on it.
  void SetSelectionIndex(long index);

  // The visible current cell.
  long ActiveRow() const { return activeRow_; }
  long ActiveCol() const { return activeCol_; }
  void SetActiveCell(long row, long col);

  // ---- clipboard text: cells separated by Tab, rows by line ends; a cell holding a Tab,
  // a line break or a double quote is quoted with doubled quotes inside. ----
  // Selection 0, or the active cell when nothing is selected.
  std::string CopyText() const;
  // Writes the clipboard block from the active cell on, clipped at the last row and
  // column; raises CellChange for every cell written (a paste is the operator's edit, so a
  // locked grid refuses it).
  void Paste(std::string_view clipboardText);

  // ---- grid file ----
  // dataOnly: texts (header included) and size; otherwise also every format. Atomic.
  bool SaveGridFile(const std::string& path, bool dataOnly, std::string* error = nullptr) const;
  // Replaces the contents with what SaveGridFile wrote; a data-only file keeps the current
  // column formats. A file that cannot be read, is not ours, is of an unknown version or of
  // the wrong column count leaves the grid as it was; a damaged one as the rules say. False
  // with the reason ("line N: ..." where a line is to blame) in every one of those cases.
  bool LoadGridFile(const std::string& path, std::string* error = nullptr, LoadRules rules = {});
  std::string SaveGridText(bool dataOnly) const;
  bool LoadGridText(std::string_view text, std::string* error = nullptr, LoadRules rules = {});

  // The one way to load anything all or nothing: fill works on a copy of the contents (sizes,
  // texts, formats; no views, events or selection), which replaces them only when fill
  // answers true. So a load that fails part way leaves the grid exactly as it was.
  bool LoadWhole(const std::function<bool(Grid& copy)>& fill);

  // Counts changes of the contents (texts, formats, sizes); a cache compares it to tell
  // whether the grid changed since it last looked.
  unsigned long Revision() const { return revision_; }

  // ---- print options (used by the view's print) ----
  PrintOptions& Printing() { return print_; }
  const PrintOptions& Printing() const { return print_; }

  // ---- events and observers ----
  GridEvents& Events() { return events_; }
  void AddObserver(GridObserver* observer);
  void RemoveObserver(GridObserver* observer);

  // While locked (a nesting run builds its sheets from these grids), the operator's edits,
  // clicks, double clicks and pastes below are refused; code still reads and writes cells.
  void SetUserLocked(bool locked) { userLocked_ = locked; }
  bool UserLocked() const { return userLocked_; }

  // The operator's actions, raised by a view.
  void UserEditText(long row, long col, std::string_view text);  // then CellChange
  void UserChooseItem(long row, long col, int index);            // then CellChange
  void UserClickButton(long row, long col);                      // toggles a check box
  void RaiseDblClick(long col, long row);
  void RaiseRightClick(int clickKind, long col, long row, int x, int y);
  void RaiseMouseUp(int button, int shift, int x, int y);
  // The tip to show, or nothing.
  bool FetchTextTip(long col, long row, std::string& tipText);
  void RaiseGotFocus();
  void RaiseLostFocus();

 private:
  struct Format {
    Kind kind = Kind::Edit;
    Rgb back = kWhite;
    std::string caption;
    std::shared_ptr<const std::vector<std::string>> choices;
    bool operator==(const Format& o) const;
  };
  struct Cell {
    std::string text;
    Format format;
    int choiceIndex = -1;
  };
  struct Column {
    Format format;
    bool hidden = false;
    double width = 0;
  };
  struct Contents {
    long maxRows = 0;
    long maxCols = 0;
    std::vector<std::vector<Cell>> rows;  // rows[0] is the header
    std::vector<Column> columns;          // columns[0] unused
  };

  Cell* At(long row, long col);
  const Cell* At(long row, long col) const;
  Cell NewCell(long row, long col) const;
  static void ResizeContents(Contents& contents, long rows, long cols);
  static Cell NewCellOf(const Contents& contents, long row, long col);
  // The address resolved to concrete ranges; false when it names no cell.
  bool Resolve(long row, long col, long row2, long col2, Block& out) const;
  template <typename F>
  void ForAddressed(F&& apply, bool formatToo);
  void CheckWritten(long row, long col);
  void Notify(const Change& change) const;
  void NotifyCells(long row, long col, long row2, long col2) const;
  void NotifyLayout() const;
  void DeleteRows(long first, long last);
  void SortRows(const Block& block);
  // Puts staged contents in place of the current ones, for a load that succeeded.
  void ReplaceContents(Contents&& staged);

  Contents c_;
  long row_ = 0, col_ = 0, row2_ = 0, col2_ = 0;
  long activeRow_ = 1, activeCol_ = 1;
  bool blockSelect_ = false;
  bool multiSelect_ = false;
  bool userLocked_ = false;
  int sortBy_ = 0;
  long sortKeys_[3] = {0, 0, 0};
  int sortOrders_[3] = {1, 1, 1};
  std::vector<Block> selections_;
  PrintOptions print_;
  GridEvents events_;
  std::vector<GridObserver*> observers_;
  mutable unsigned long revision_ = 0;
};

}  // namespace tv::grid
