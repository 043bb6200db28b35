// Loading and saving configuration files from the settings frame and its dialog, and the
// configuration directive of imported work lists.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tv::core {
class Program;
}

namespace tv::settings {

// Called for each line of an imported work list with the number of rows imported so far.
// False for a directive line ("TAVOLIN CONFIGURATION = name", before the first row): the
// operator is asked whether to load that configuration from the program folder (or told it
// is not there) and the line is not imported. True for every other line.
bool HandleConfigLine(core::Program& program, const std::string& line, long rowsSoFar);

// "Load": shows the configuration-file dialog and loads the file picked there.
void BtnLoadCfg_Click(core::Program& program);
// index 0 "Save as..." (the dialog in save mode), index 1 "Save" (under the current name).
void BtnSaveCfg_Click(core::Program& program, int index);

// What the configuration-file dialog shows when it comes up.
struct LoadCfgView {
  std::string caption;             // "Save Configuration File" or "Load Configuration File"
  std::string nameBox;             // text of the name box
  bool selectName = false;         // the name box's text wholly selected
  std::vector<std::string> files;  // the "*.cfg" files of the program folder
};
// nameBox: the name box's text from the last use (it keeps it between uses).
LoadCfgView LoadCfg_Activate(const core::Program& program, const std::string& nameBox);
// OK (or a double click on a file). nameBox may gain ".CFG". selectedFile: the file list's
// selected item. True when the dialog closes; false leaves it open (an empty or unusable name
// in save mode).
bool LoadCfg_OK(core::Program& program, std::string& nameBox, const std::optional<std::string>& selectedFile);
void LoadCfg_Cancel(core::Program& program);

}  // namespace tv::settings
