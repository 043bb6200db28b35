// Looking a setting up by name in the settings grid, and writing an edit cell's value.
#pragma once

#include <string>
#include <string_view>

namespace tv::core {
class Program;
}

namespace tv::settings {

// Columns of the settings grid.
enum SettingsColumn : long {
  kColName = 1,
  kColValue = 2,
};

// Row of the first setting whose name, blanks trimmed and case ignored, is name; 0 when none.
long FindSettingRow(const core::Program& program, std::string_view name);

// The value of the named setting as text: an edit cell's text upper-cased (not trimmed),
// "YES" or "NO" for a check box, the selected index for a choice ("0", "1", ...; "-1" when
// nothing is selected), "" when no row has the name. A pure read: the settings grid's current
// cell stays where the operator left it.
std::string GetSettingValue(const core::Program& program, std::string_view name);

// The named setting's edit-cell text exactly as typed ("" for other cells or no such row).
// Folder settings are read this way: file names are case-sensitive here, so an upper-cased
// folder would name a different folder, or one that does not exist.
std::string GetSettingText(const core::Program& program, std::string_view name);

// Writes value into the named row when its value cell is an edit cell; else nothing.
void SetSettingValue(core::Program& program, std::string_view name, std::string_view value);

}  // namespace tv::settings
