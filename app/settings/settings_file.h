// Configuration files: one "name,value" record per line, loaded into and saved from the
// settings grid.
#pragma once

#include <string>

#include "grid/grid.h"

namespace tv::core {
class Program;
}

namespace tv::settings {

// Fills the settings grid from the configuration file at path (a full path), one row per
// record with a name, choosing each value cell's kind from the value and the name. Rows
// beyond the records read are dropped; a file without a named record leaves the grid as it
// was. A record the reader cannot take (no comma, an unterminated quote, unreadable
// characters) or a "NEST FONT" row while the printer offers no font list ends the load: the
// grid stays as it was, or, with KeepRowsRead (start-up, where nothing earlier is worth
// keeping), keeps the rows read before it. False with the reason ("line N: ...") then, and
// when the file cannot be read at all (the grid is then untouched).
bool LoadSettingsCSV(core::Program& program, const std::string& path, std::string* error = nullptr,
                     grid::PartialLoad partial = grid::PartialLoad::Refuse);

// The message that tells the operator a configuration file did not load.
std::string ConfigNotLoadedText(const std::string& path, const std::string& error);

// Writes the settings grid, down to the first row without a name, to AppDir + fileName as
// name "," value CR LF records. A name or value holding a comma, or with blanks or tabs at its
// edges, is written in double quotes so that it reads back whole. False with *error when the file cannot be
// written.
bool SaveSettingsCsv(const core::Program& program, const std::string& fileName, std::string* error = nullptr);

}  // namespace tv::settings
