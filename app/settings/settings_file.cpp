#include "settings/settings_file.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "core/program.h"
#include "files/atomic_write.h"
#include "files/file_ops.h"
#include "settings/setting_lookup.h"
#include "text/ascii_text.h"
#include "text/file_text.h"
#include "text/lines.h"

namespace tv::settings {

namespace {

// The record count is a 16-bit count.
constexpr long kMaxRecords = 32767;
constexpr size_t kFontNameLength = 30;

const std::vector<std::string> kCorners = {"Lower Left", "Upper Left", "Upper Right", "Lower Right"};
const std::vector<std::string> kDirections = {"Clockwise", "Counter Clockwise", "No Cutouts"};

// The first count characters of a UTF-8 text (a name is never cut inside a character).
std::string FirstCharacters(std::string_view text, size_t count) {
  size_t i = 0;
  for (size_t n = 0; i < text.size() && n < count; ++n) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
  }
  return std::string(text.substr(0, i));
}

std::string Join(const std::vector<std::string>& items) {
  std::string joined;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) joined += '\t';
    joined += items[i];
  }
  return joined;
}

bool IsGarbage(unsigned char c) {
  return (c < 32 && c != '\t') || c == 127;
}

struct Record {
  std::string name;
  std::string value;
};

// One field from pos: leading blanks skipped; a field that begins with a double quote runs to
// the next one (commas inside belong to it), else to the next comma or the line end. pos ends
// on the comma that closed the field, or at the line's end.
std::optional<std::string> ReadField(std::string_view line, size_t& pos, std::string& problem) {
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  if (pos < line.size() && line[pos] == '"') {
    const size_t close = line.find('"', pos + 1);
    if (close == std::string_view::npos) {
      problem = "a quote is not closed";
      return std::nullopt;
    }
    std::string field(line.substr(pos + 1, close - pos - 1));
    const size_t comma = line.find(',', close + 1);
    pos = comma == std::string_view::npos ? line.size() : comma;
    return field;
  }
  const size_t comma = line.find(',', pos);
  const size_t end = comma == std::string_view::npos ? line.size() : comma;
  std::string field(line.substr(pos, end - pos));
  pos = end;
  return field;
}

// nullopt with problem set when the line cannot be taken; a record with an empty name for a
// blank line.
std::optional<Record> ReadRecord(std::string_view line, std::string& problem) {
  if (std::any_of(line.begin(), line.end(),
                  [](char c) { return IsGarbage(static_cast<unsigned char>(c)); })) {
    problem = "unreadable characters";
    return std::nullopt;
  }
  if (line.find_first_not_of(" \t") == std::string_view::npos) return Record{};
  size_t pos = 0;
  auto name = ReadField(line, pos, problem);
  if (!name) return std::nullopt;
  if (pos >= line.size()) {
    problem = "no comma between name and value";
    return std::nullopt;
  }
  ++pos;  // the comma
  auto value = ReadField(line, pos, problem);
  if (!value) return std::nullopt;
  // Anything after a further comma is no part of the record.
  return Record{std::move(*name), std::move(*value)};
}

// Makes the value cell one kind, with nothing left over from what the row held before.
void ShapeValueCell(grid::Grid& g, long row, grid::Kind kind, const std::vector<std::string>& items) {
  g.SetCellKindAt(row, kColValue, kind);
  g.SetCheckCaptionAt(row, kColValue, "");
  g.SetChoiceListAt(row, kColValue, Join(items));
}

void SelectByUpperName(grid::Grid& g, long row, const std::vector<std::string>& items,
                       const std::string& value) {
  ShapeValueCell(g, row, grid::Kind::Choice, items);
  const std::string upper = text::UpperAscii(value);
  int index = -1;
  for (size_t i = 0; i < items.size(); ++i) {
    if (text::UpperAscii(items[i]) == upper) index = static_cast<int>(i);
  }
  g.SetChoiceIndexAt(row, kColValue, index);
}

// False when the printer offers no font list.
bool FillFontChoice(const core::Program& program, grid::Grid& g, long row, const std::string& value) {
  ShapeValueCell(g, row, grid::Kind::Choice, {"DXF Font"});
  g.SetChoiceIndexAt(row, kColValue, 0);
  std::optional<std::vector<std::string>> fonts;
  if (program.PrinterFonts) fonts = program.PrinterFonts();
  if (!fonts) return false;

  std::vector<std::string> names;
  names.reserve(fonts->size());
  for (const std::string& font : *fonts)
    names.push_back(FirstCharacters(text::TrimBlanks(font), kFontNameLength));
  std::stable_sort(names.begin(), names.end());
  int selected = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == value) selected = static_cast<int>(i) + 1;  // the last equal one wins
  }
  names.insert(names.begin(), "DXF Font");
  g.SetChoiceListAt(row, kColValue, Join(names));
  g.SetChoiceIndexAt(row, kColValue, selected);
  return true;
}

bool IsBlankOrTab(char c) {
  return c == ' ' || c == '\t';
}

std::string FieldText(const std::string& field) {
  // Quotes let a comma and blanks at the edges through the reader (it skips the blanks before
  // a field); a text holding a quote cannot be quoted.
  const bool blankEdge = !field.empty() && (IsBlankOrTab(field.front()) || IsBlankOrTab(field.back()));
  if ((blankEdge || field.find(',') != std::string::npos) && field.find('"') == std::string::npos) {
    return '"' + field + '"';
  }
  return field;
}

// Fills g record by record; false with problem and lineNo set at the record that ended it.
bool FillSettings(const core::Program& program, grid::Grid& g, std::string_view text, std::string& problem,
                  long& lineNo) {
  if (g.MaxCols() < kColValue) g.SetMaxCols(kColValue);
  long count = 0;
  for (std::string_view line : text::SplitLines(text)) {
    ++lineNo;
    const std::optional<Record> record = ReadRecord(line, problem);
    if (!record) break;
    if (record->name.empty()) continue;
    if (count == kMaxRecords) {
      problem = "more than 32767 settings";
      break;
    }
    ++count;
    g.SetMaxRows(count);
    g.SetRow(count);
    g.SetCol(kColName);
    g.SetText(record->name);
    g.SetCol(kColValue);

    const std::string& value = record->value;
    const std::string upperValue = text::UpperAscii(value);
    const std::string upperName = text::UpperAscii(record->name);
    if (upperValue == "YES" || upperValue == "NO") {
      ShapeValueCell(g, count, grid::Kind::CheckBox, {});
      g.SetCheckValueAt(count, kColValue, upperValue == "YES" ? 1 : 0);
      // The caption follows the value whether or not the grid's click handler is installed.
      g.SetCheckCaptionAt(count, kColValue, upperValue == "YES" ? " Yes" : " No");
    } else if (upperName == "NEST FROM CORNER") {
      SelectByUpperName(g, count, kCorners, value);
    } else if (upperName == "CUT OUT DIRECTION") {
      SelectByUpperName(g, count, kDirections, value);
    } else if (upperName == "NEST FONT") {
      if (!FillFontChoice(program, g, count, value)) {
        problem = "the printer offers no font list";
        break;
      }
    } else {
      ShapeValueCell(g, count, grid::Kind::Edit, {});
      g.SetCellText(count, kColValue, value);
    }
  }
  return problem.empty();
}

}  // namespace

bool LoadSettingsCSV(core::Program& program, const std::string& path, std::string* error,
                     grid::PartialLoad partial) {
  const std::optional<std::string> bytes = files::ReadFile(path);
  if (!bytes) {
    if (error) *error = "the file cannot be read";
    return false;
  }
  const std::string text = text::DecodeFileText(*bytes).text;
  std::string problem;
  long lineNo = 0;
  const auto fill = [&](grid::Grid& g) { return FillSettings(program, g, text, problem, lineNo); };
  if (partial == grid::PartialLoad::Refuse ? program.Settings.LoadWhole(fill) : fill(program.Settings))
    return true;
  if (error) *error = "line " + std::to_string(lineNo) + ": " + problem;
  return false;
}

std::string ConfigNotLoadedText(const std::string& path, const std::string& error) {
  return "Configuration file could not be loaded:\r" + path + "\r" + error;
}

bool SaveSettingsCsv(const core::Program& program, const std::string& fileName, std::string* error) {
  const grid::Grid& g = program.Settings;
  std::string out;
  for (long row = 1; row <= g.MaxRows(); ++row) {
    const std::string name = g.CellText(row, kColName);
    if (name.empty()) break;
    std::string value;
    switch (g.CellKindAt(row, kColValue)) {
      case grid::Kind::Edit:
        value = g.CellText(row, kColValue);
        break;
      case grid::Kind::CheckBox:
        value = g.CheckValueAt(row, kColValue) != 0 ? "YES" : "NO";
        break;
      case grid::Kind::Choice: {
        const std::string upperName = text::UpperAscii(name);
        const int index = g.ChoiceIndexAt(row, kColValue);
        if (upperName == "NEST FROM CORNER") {
          if (index >= 0 && index < static_cast<int>(kCorners.size()))
            value = text::UpperAscii(kCorners[static_cast<size_t>(index)]);
        } else if (upperName == "CUT OUT DIRECTION") {
          if (index >= 0 && index < static_cast<int>(kDirections.size()))
            value = kDirections[static_cast<size_t>(index)];
        } else {
          value = g.CellText(row, kColValue);
        }
        break;
      }
    }
    out += FieldText(name) + "," + FieldText(value) + "\r\n";
  }
  // A first name that begins with the mark's character would be read back as the mark.
  return files::WriteFileAtomic(program.AppDir + fileName,
                                text::EncodeFileText(out, text::FileEncoding::Utf8), error);
}

}  // namespace tv::settings
