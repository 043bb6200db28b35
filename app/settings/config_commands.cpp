#include "settings/config_commands.h"

#include "core/program.h"
#include "files/file_ops.h"
#include "files/wildcard.h"
#include "settings/set_settings.h"
#include "settings/settings_file.h"
#include "support/ini.h"
#include "text/ascii_text.h"

namespace tv::settings {

namespace {

constexpr const char* kDirective = "TAVOLIN CONFIGURATION =";

// Configuration files live in the program folder: a name that reaches elsewhere is refused, and
// so is a pattern, which would pass the existence test on any matching file and later be
// written as a file of that literal name that the next start-up refuses to read.
bool IsBareFileName(const std::string& name) {
  return !name.empty() && name.find_first_of("/\\") == std::string::npos && name != "." && name != ".." &&
         !files::HasWildcards(name);
}

void SaveOrTell(core::Program& program, const std::string& name) {
  std::string error;
  if (!SaveSettingsCsv(program, name, &error)) {
    program.ui().Tell("Configuration file could not be saved:\r" + program.AppDir + name + "\r" + error,
                      "Alert", core::MsgIcon::Critical);
    return;
  }
  program.ConfigMayBeWrittenBack = true;
}

// A configuration is taken whole or not at all; true when it was.
bool LoadOrTell(core::Program& program, const std::string& path) {
  std::string error;
  if (!LoadSettingsCSV(program, path, &error)) {
    program.ui().Tell(ConfigNotLoadedText(path, error), "Alert", core::MsgIcon::Critical);
    return false;
  }
  program.ConfigMayBeWrittenBack = true;
  return true;
}

}  // namespace

bool HandleConfigLine(core::Program& program, const std::string& line, long rowsSoFar) {
  if (rowsSoFar != 0) return true;
  if (text::UpperAscii(line).find(kDirective) == std::string::npos) return true;
  const std::string cfg = text::TrimBlanks(line.substr(line.find('=') + 1));
  if (IsBareFileName(cfg) && files::Exist(program.AppDir + cfg)) {
    const core::MsgResult answer =
        program.ui().Message("Load Configuration (" + cfg + ") Specified in Worklist?", "Tavolin Notice",
                             core::MsgIcon::Question, core::MsgButtons::YesNo);
    if (answer == core::MsgResult::Yes && LoadOrTell(program, program.AppDir + cfg)) {
      SetSettings(program);
      program.FrameSetCaption = cfg;
      program.Notify(core::Change::FrameSetCaption);
    }
  } else {
    program.ui().Tell("Configuration (" + cfg + ") Specified in Worklist\rNot Found.", "Tavolin Notice",
                      core::MsgIcon::Information);
  }
  return false;
}

void BtnLoadCfg_Click(core::Program& program) {
  if (program.RunInProgress) return;
  program.ChosenConfigPath.clear();  // a dialog closed any other way picked nothing
  program.SaveConfigName.clear();
  // The dialog's OK names the file before it is read; a file that then does not load must not
  // stay named, or the next save or start-up would take the wrong file for the settings shown.
  const std::string caption = program.FrameSetCaption;
  const std::string remembered = support::ReadIni(program, "Config", "CfgFile");
  program.ui().ShowConfigFileDialog();
  if (program.ChosenConfigPath.empty()) return;
  if (!LoadOrTell(program, program.ChosenConfigPath)) {
    program.FrameSetCaption = caption;
    if (support::ReadIni(program, "Config", "CfgFile") != remembered) {
      support::WriteIni(program, "Config", "CfgFile", remembered);
    }
    return;
  }
  SetSettings(program);
}

void BtnSaveCfg_Click(core::Program& program, int index) {
  if (program.RunInProgress) return;
  if (index == 1) {
    SaveOrTell(program, program.FrameSetCaption);
  } else if (index == 0) {
    program.SaveConfigName = program.FrameSetCaption;
    program.ui().ShowConfigFileDialog();
    program.SaveConfigName.clear();
  }
}

LoadCfgView LoadCfg_Activate(const core::Program& program, const std::string& nameBox) {
  LoadCfgView view;
  view.files = files::ListFiles(program.AppDir, "*.cfg");
  if (!program.SaveConfigName.empty()) {
    view.caption = "Save Configuration File";
    view.nameBox = program.SaveConfigName;
    view.selectName = true;
  } else {
    view.caption = "Load Configuration File";
    view.nameBox = nameBox;
  }
  return view;
}

bool LoadCfg_OK(core::Program& program, std::string& nameBox,
                const std::optional<std::string>& selectedFile) {
  if (!program.SaveConfigName.empty()) {
    std::string name = text::TrimBlanks(nameBox);
    if (!IsBareFileName(name)) return false;
    if (name.size() < 4 || text::UpperAscii(name.substr(name.size() - 4)) != ".CFG") name += ".CFG";
    nameBox = name;
    SaveOrTell(program, name);
    program.FrameSetCaption = name;
    program.Notify(core::Change::FrameSetCaption);
  } else {
    // Without a chosen file there is nothing to load: the current configuration stays.
    if (!selectedFile || !IsBareFileName(*selectedFile)) {
      LoadCfg_Cancel(program);
      return true;
    }
    program.ChosenConfigPath = program.AppDir + *selectedFile;
    program.FrameSetCaption = *selectedFile;
    program.Notify(core::Change::FrameSetCaption);
  }
  support::WriteIni(program, "Config", "CfgFile", program.FrameSetCaption);
  program.SaveConfigName.clear();
  program.ui().ProcessEvents();
  return true;
}

void LoadCfg_Cancel(core::Program& program) {
  program.ChosenConfigPath.clear();
  program.SaveConfigName.clear();
}

}  // namespace tv::settings
