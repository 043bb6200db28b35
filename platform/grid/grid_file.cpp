// The grid file ("Mat.dat", work-list files): a line-based text of our own.
//
//   TAVOLIN GRID <Tab> 1 <Tab> data|full
//   size <Tab> rows <Tab> cols
//   column <Tab> col <Tab> kind <Tab> back <Tab> hidden <Tab> width <Tab> caption <Tab> choices   (full)
//   format <Tab> row <Tab> col <Tab> kind <Tab> back <Tab> caption <Tab> choices <Tab> index  (full)
//   cell <Tab> row <Tab> col <Tab> text
//   end
//
// Texts are escaped (\\, \t, \n, \r) so every record is one line, and bytes that are no UTF-8
// as \xHH so the file is UTF-8; other bytes are written as they are. The closing "end" tells a whole file
// from one that broke off.
#include <algorithm>
#include <charconv>
#include <optional>

#include "files/atomic_write.h"
#include "files/file_ops.h"
#include "grid/grid.h"
#include "grid/grid_text.h"
#include "text/file_text.h"

namespace tv::grid {

namespace {

constexpr std::string_view kMagic = "TAVOLIN GRID";
constexpr int kVersion = 1;

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  while (true) {
    size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos) {
      fields.push_back(line.substr(start));
      return fields;
    }
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
}

template <typename T>
std::optional<T> ParseInt(std::string_view text) {
  T value{};
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> ParseReal(std::string_view text) {
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string RealText(double value) {
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : "0";
}

std::optional<Kind> ParseKind(std::string_view text) {
  auto n = ParseInt<int>(text);
  if (!n) return std::nullopt;
  switch (*n) {
    case 1:
      return Kind::Edit;
    case 8:
      return Kind::Choice;
    case 10:
      return Kind::CheckBox;
    default:
      return std::nullopt;
  }
}

std::string JoinItems(const std::shared_ptr<const std::vector<std::string>>& items) {
  std::string joined;
  if (!items) return joined;
  for (size_t i = 0; i < items->size(); ++i) {
    if (i > 0) joined += '\t';
    joined += (*items)[i];
  }
  return joined;
}

std::shared_ptr<const std::vector<std::string>> ItemsOf(const std::string& joined) {
  if (joined.empty()) return nullptr;
  auto items = std::make_shared<std::vector<std::string>>();
  size_t start = 0;
  while (true) {
    size_t tab = joined.find('\t', start);
    items->push_back(joined.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return items;
}

}  // namespace

std::string Grid::SaveGridText(bool dataOnly) const {
  std::string out;
  out += kMagic;
  out += '\t' + std::to_string(kVersion) + '\t' + (dataOnly ? "data" : "full") + '\n';
  out += "size\t" + std::to_string(c_.maxRows) + '\t' + std::to_string(c_.maxCols) + '\n';
  if (!dataOnly) {
    for (long c = 1; c <= c_.maxCols; ++c) {
      const Column& col = c_.columns[static_cast<size_t>(c)];
      out += "column\t" + std::to_string(c) + '\t' + std::to_string(static_cast<int>(col.format.kind)) +
             '\t' + std::to_string(col.format.back) + '\t' + (col.hidden ? "1" : "0") + '\t' +
             RealText(col.width) + '\t' + detail::Escape(col.format.caption) + '\t' +
             detail::Escape(JoinItems(col.format.choices)) + '\n';
    }
  }
  for (long r = 0; r <= c_.maxRows; ++r) {
    for (long c = 1; c <= c_.maxCols; ++c) {
      const Cell& cell = c_.rows[static_cast<size_t>(r)][static_cast<size_t>(c)];
      const Cell fresh = NewCell(r, c);
      if (!dataOnly && (!(cell.format == fresh.format) || cell.choiceIndex >= 0)) {
        out += "format\t" + std::to_string(r) + '\t' + std::to_string(c) + '\t' +
               std::to_string(static_cast<int>(cell.format.kind)) + '\t' + std::to_string(cell.format.back) +
               '\t' + detail::Escape(cell.format.caption) + '\t' +
               detail::Escape(JoinItems(cell.format.choices)) + '\t' + std::to_string(cell.choiceIndex) +
               '\n';
      }
      if (!cell.text.empty()) {
        out +=
            "cell\t" + std::to_string(r) + '\t' + std::to_string(c) + '\t' + detail::Escape(cell.text) + '\n';
      }
    }
  }
  out += "end\n";
  return out;
}

bool Grid::SaveGridFile(const std::string& path, bool dataOnly, std::string* error) const {
  return files::WriteFileAtomic(path, SaveGridText(dataOnly), error);
}

bool Grid::LoadGridFile(const std::string& path, std::string* error, LoadRules rules) {
  auto bytes = files::ReadFile(path);
  if (!bytes) {
    if (error) *error = "the file cannot be read";
    return false;
  }
  // A stock list edited by hand may come back from an editor that marks or re-encodes it.
  return LoadGridText(text::DecodeFileText(*bytes).text, error, rules);
}

void Grid::ReplaceContents(Contents&& staged) {
  c_ = std::move(staged);
  selections_.clear();
  NotifyLayout();
}

bool Grid::LoadWhole(const std::function<bool(Grid& copy)>& fill) {
  Grid copy(0, 0);
  copy.c_ = c_;
  if (!fill(copy)) return false;
  ReplaceContents(std::move(copy.c_));
  return true;
}

bool Grid::LoadGridText(std::string_view text, std::string* error, LoadRules rules) {
  // The first item equal to the cell's text, when no valid index was given.
  auto selectChoiceOfText = [](Cell& cell) {
    if (!cell.format.choices || cell.choiceIndex >= 0) return;
    const auto& items = *cell.format.choices;
    for (size_t i = 0; i < items.size(); ++i) {
      if (items[i] == cell.text) {
        cell.choiceIndex = static_cast<int>(i);
        return;
      }
    }
  };
  auto fail = [&](std::string why) {
    if (error) *error = std::move(why);
    return false;
  };

  if (text.empty()) return fail("the file is empty");
  Contents staged;
  bool dataOnly = true;
  bool sized = false;
  bool rowsMade = false;
  long rows = 0, cols = 0;
  long lineNo = 0;
  std::string problem;
  bool ended = false;

  size_t pos = 0;
  while (pos < text.size() && !ended) {
    size_t eol = text.find('\n', pos);
    std::string_view line =
        text.substr(pos, eol == std::string_view::npos ? std::string_view::npos : eol - pos);
    const bool complete = eol != std::string_view::npos;
    pos = complete ? eol + 1 : text.size();
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto f = SplitFields(line);
    const std::string where = "line " + std::to_string(lineNo) + ": ";

    if (lineNo == 1) {
      if (f.size() != 3 || f[0] != kMagic) return fail(where + "not a grid file");
      auto version = ParseInt<int>(f[1]);
      if (!version) return fail(where + "not a grid file");
      if (*version != kVersion) return fail(where + "unknown grid file version " + std::string(f[1]));
      if (f[2] != "data" && f[2] != "full") return fail(where + "not a grid file");
      dataOnly = f[2] == "data";
      continue;
    }
    if (!sized) {
      auto r = f.size() == 3 && f[0] == "size" ? ParseInt<long>(f[1]) : std::nullopt;
      auto c = f.size() == 3 && f[0] == "size" ? ParseInt<long>(f[2]) : std::nullopt;
      if (!r || !c || *r < 0 || *c < 0 || *r > kRowLimit || *c > kColLimit ||
          *r * std::max(*c, 1L) > kCellLimit) {
        return fail(where + "bad size");
      }
      if (rules.columns != 0 && *c != rules.columns) {
        return fail(where + std::to_string(*c) + " columns where " + std::to_string(rules.columns) +
                    " belong");
      }
      rows = *r;
      cols = *c;
      sized = true;
      // A data-only file keeps the grid's own column formats.
      if (dataOnly) staged.columns = c_.columns;
      staged.columns.resize(static_cast<size_t>(cols) + 1);
      continue;
    }
    if (f[0] == "column" && !dataOnly && !rowsMade) {
      auto c = f.size() == 8 ? ParseInt<long>(f[1]) : std::nullopt;
      auto kind = f.size() == 8 ? ParseKind(f[2]) : std::nullopt;
      auto back = f.size() == 8 ? ParseInt<Rgb>(f[3]) : std::nullopt;
      auto width = f.size() == 8 ? ParseReal(f[5]) : std::nullopt;
      if (!c || *c < 1 || *c > cols || !kind || !back || !width || (f[4] != "0" && f[4] != "1")) {
        problem = where + "bad column record";
        break;
      }
      Column& col = staged.columns[static_cast<size_t>(*c)];
      col.format.kind = *kind;
      col.format.back = *back;
      col.hidden = f[4] == "1";
      col.width = *width;
      col.format.caption = detail::Unescape(f[6]);
      col.format.choices = ItemsOf(detail::Unescape(f[7]));
      continue;
    }
    if (!rowsMade) {
      ResizeContents(staged, rows, cols);
      rowsMade = true;
    }
    if (f[0] == "end" && f.size() == 1) {
      ended = true;
      continue;
    }
    if (f[0] == "cell" && f.size() == 4) {
      auto r = ParseInt<long>(f[1]);
      auto c = ParseInt<long>(f[2]);
      if (!r || !c || *r < 0 || *r > rows || *c < 1 || *c > cols) {
        problem = where + "bad cell record";
        break;
      }
      // A last line without its line end may have lost part of its text.
      if (!complete) {
        problem = where + "the file breaks off";
        break;
      }
      Cell& cell = staged.rows[static_cast<size_t>(*r)][static_cast<size_t>(*c)];
      cell.text = detail::Unescape(f[3]);
      selectChoiceOfText(cell);
      continue;
    }
    if (f[0] == "format" && !dataOnly && f.size() == 8) {
      auto r = ParseInt<long>(f[1]);
      auto c = ParseInt<long>(f[2]);
      auto kind = ParseKind(f[3]);
      auto back = ParseInt<Rgb>(f[4]);
      auto index = ParseInt<int>(f[7]);
      if (!r || !c || *r < 0 || *r > rows || *c < 1 || *c > cols || !kind || !back || !index) {
        problem = where + "bad format record";
        break;
      }
      Cell& cell = staged.rows[static_cast<size_t>(*r)][static_cast<size_t>(*c)];
      cell.format.kind = *kind;
      cell.format.back = *back;
      cell.format.caption = detail::Unescape(f[5]);
      cell.format.choices = ItemsOf(detail::Unescape(f[6]));
      const int count = cell.format.choices ? static_cast<int>(cell.format.choices->size()) : 0;
      cell.choiceIndex = *index >= 0 && *index < count ? *index : -1;
      // A hand-written file may give the text first: it selects its item as it would after.
      if (!cell.text.empty()) selectChoiceOfText(cell);
      continue;
    }
    problem = where + "unknown record";
    break;
  }

  if (!sized) return fail("line " + std::to_string(lineNo) + ": the file breaks off before its size");
  if (!rowsMade) ResizeContents(staged, rows, cols);
  if (problem.empty() && !ended) problem = "line " + std::to_string(lineNo) + ": the file breaks off";
  if (!problem.empty() && rules.partial == PartialLoad::Refuse) return fail(problem);

  ReplaceContents(std::move(staged));
  if (!problem.empty()) return fail(problem);
  return true;
}

}  // namespace tv::grid
