// Rows of the work list turned into the parts of a material group.
#include "nesting/group_rows.h"

#include <algorithm>
#include <map>

#include "text/ascii_text.h"
#include "text/codepage.h"
#include "text/number_text.h"
#include "worklist/work_list.h"

namespace tv::nesting {
namespace {

const std::string& Cell(const RowCells& cells, long col) {
  static const std::string kEmpty;
  if (col < 1 || static_cast<std::size_t>(col) >= cells.size()) return kEmpty;
  return cells[static_cast<std::size_t>(col)];
}

bool EndsWithDxf(std::string_view text, bool anyCase) {
  if (text.size() < 4) return false;
  const std::string_view tail = text.substr(text.size() - 4);
  return anyCase ? text::UpperAscii(tail) == ".DXF" : tail == ".DXF";
}

int RoundToInt(double value) {
  const long long rounded = text::RoundHalfEven(value);
  return static_cast<int>(std::clamp<long long>(rounded, -2147483647LL, 2147483647LL));
}

}  // namespace

std::string RowDrawingFile(std::string_view fileNameCell) {
  std::string file(fileNameCell);
  if (!EndsWithDxf(file, true)) file += ".DXF";
  return file;
}

bool RowIsTaken(const RowCells& cells) {
  return text::RoundHalfEven(text::Val(Cell(cells, worklist::kColOk))) != 0 &&
         text::Utf8CharCount(text::TrimBlanks(Cell(cells, worklist::kColFileName))) > 4;
}

std::string RowCsvText(const RowCells& cells) {
  const long maxCols = cells.empty() ? 0 : static_cast<long>(cells.size()) - 1;
  std::string out = "\"";
  bool first = true;
  for (long c = worklist::kColQty; c <= maxCols; ++c) {
    if (c == worklist::kColSubName) continue;
    std::string field = Cell(cells, c);
    if (c == worklist::kColFileName && !Cell(cells, worklist::kColSubName).empty()) {
      field = Cell(cells, worklist::kColSubName);
      if (EndsWithDxf(field, false)) field.resize(field.size() - 4);
    }
    if (!first) out += "\",\"";
    out += field;
    first = false;
  }
  out += "\"";
  return out;
}

GroupPart MakeGroupPart(const RowCells& cells, long row, const std::string& groupMaterial) {
  GroupPart part;
  part.DrawingPath = Cell(cells, worklist::kColPath) + RowDrawingFile(Cell(cells, worklist::kColFileName));
  part.Length = text::Val(Cell(cells, worklist::kColLength));
  part.Width = text::Val(Cell(cells, worklist::kColWidth));
  part.Thickness = text::Val(Cell(cells, worklist::kColThick));
  part.Material = groupMaterial;
  part.Qty = RoundToInt(text::Val(Cell(cells, worklist::kColQty)));
  part.Cabinet = Cell(cells, worklist::kColCabinet);
  part.Description = Cell(cells, worklist::kColDescription);
  part.Rotatable = RoundToInt(text::Val(Cell(cells, worklist::kColRotatable)));
  part.XOfs = text::Val(Cell(cells, worklist::kColXOfs));
  part.YOfs = text::Val(Cell(cells, worklist::kColYOfs));
  for (int k = 0; k < 4; ++k) {
    part.EMat[static_cast<std::size_t>(k)] = Cell(cells, worklist::kColEMat1 + 2 * k);
    part.ECo[static_cast<std::size_t>(k)] = Cell(cells, worklist::kColECo1 + 2 * k);
  }
  part.WorkListRow = row;
  part.SortKey = text::TrimBlanks(part.Cabinet);
  part.CsvText = RowCsvText(cells);
  return part;
}

std::vector<int> CabinetSequence(const std::vector<GroupPart>& parts) {
  // Numbers rise by one per distinct cabinet in ascending order; the blank cabinet counts as
  // equal to the empty start value and keeps 0.
  std::map<std::string, int> numbers;
  for (const GroupPart& part : parts) numbers.emplace(text::UpperAscii(text::TrimBlanks(part.SortKey)), 0);
  int counter = 0;
  for (auto& [key, number] : numbers) {
    if (!key.empty()) ++counter;
    number = counter;
  }
  std::vector<int> sequence;
  sequence.reserve(parts.size());
  for (const GroupPart& part : parts)
    sequence.push_back(numbers[text::UpperAscii(text::TrimBlanks(part.SortKey))]);
  return sequence;
}

}  // namespace tv::nesting
