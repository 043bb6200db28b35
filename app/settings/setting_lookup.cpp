#include "settings/setting_lookup.h"

#include "core/program.h"
#include "text/ascii_text.h"

namespace tv::settings {

long FindSettingRow(const core::Program& program, std::string_view name) {
  const std::string wanted = text::UpperAscii(name);
  const grid::Grid& g = program.Settings;
  for (long row = 1; row <= g.MaxRows(); ++row) {
    if (text::UpperAscii(text::TrimBlanks(g.CellText(row, kColName))) == wanted) return row;
  }
  return 0;
}

std::string GetSettingValue(const core::Program& program, std::string_view name) {
  const long row = FindSettingRow(program, name);
  if (row == 0) return {};
  const grid::Grid& g = program.Settings;
  switch (g.CellKindAt(row, kColValue)) {
    case grid::Kind::Edit:
      return text::UpperAscii(g.CellText(row, kColValue));
    case grid::Kind::CheckBox:
      // The caption shows the same; the value is what the operator's tick set.
      return g.CheckValueAt(row, kColValue) != 0 ? "YES" : "NO";
    case grid::Kind::Choice:
      return std::to_string(g.ChoiceIndexAt(row, kColValue));
  }
  return {};
}

std::string GetSettingText(const core::Program& program, std::string_view name) {
  const long row = FindSettingRow(program, name);
  if (row == 0 || program.Settings.CellKindAt(row, kColValue) != grid::Kind::Edit) return {};
  return program.Settings.CellText(row, kColValue);
}

void SetSettingValue(core::Program& program, std::string_view name, std::string_view value) {
  const long row = FindSettingRow(program, name);
  if (row == 0 || program.Settings.CellKindAt(row, kColValue) != grid::Kind::Edit) return;
  program.Settings.SetCellText(row, kColValue, value);
}

}  // namespace tv::settings
