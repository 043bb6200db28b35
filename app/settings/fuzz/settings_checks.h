// What every configuration file must survive: shared by the configuration files' fuzz target
// and the regression test that replays the inputs it found.
#pragma once

#include <string>
#include <string_view>

#include "core/fuzz/bench.h"
#include "files/atomic_write.h"
#include "settings/config_commands.h"
#include "settings/set_settings.h"
#include "settings/settings_file.h"

namespace tv::settings::checks {

inline constexpr std::string_view kBase =
    "Perimeter Margin,10\r\nNest Name,NEST\r\nCut Out Direction,Clockwise\r\nNest From Corner,LOWER LEFT\r\n"
    "Small Parts Inside,YES\r\nDrop Cut,NO\r\nNest Font,Serif\r\nFont Size,3\r\n";

// Loads the bytes with the Load button over a configuration on show. False (why says what)
// when a load that was reported failed changed the settings or the caption, or did not name
// the file, or when settings that loaded do not save and load back the same.
inline bool CheckInput(std::string_view bytes, const std::string& folder, std::string& why) {
  core::FuzzBench bench(folder);
  core::Program& program = bench.program;
  const std::string base = program.AppDir + "Base.CFG";
  const std::string input = program.AppDir + "Input.CFG";
  if (!files::WriteFileAtomic(base, std::string(kBase)) ||
      !files::WriteFileAtomic(input, std::string(bytes))) {
    why = "cannot write the input";
    return false;
  }
  if (!LoadSettingsCSV(program, base)) {
    why = "the base configuration does not load";
    return false;
  }
  SetSettings(program);
  program.FrameSetCaption = "Base.CFG";
  const std::string before = program.Settings.SaveGridText(false);

  bench.ui.ConfigFileDialog = [&] { program.ChosenConfigPath = input; };
  BtnLoadCfg_Click(program);
  if (bench.ui.MessageCount > 0) {
    if (program.Settings.SaveGridText(false) != before || program.FrameSetCaption != "Base.CFG") {
      why = "a failed load changed the settings: " + bench.ui.LastMessage;
    } else if (bench.ui.LastMessage.find(input) == std::string::npos) {
      why = "the message does not name the file: " + bench.ui.LastMessage;
    }
    return why.empty();
  }

  const std::string loaded = program.Settings.SaveGridText(false);
  std::string error;
  if (!SaveSettingsCsv(program, "Again.CFG", &error)) {
    why = "the settings loaded do not save: " + error;
    return false;
  }
  core::FuzzBench again(folder);
  if (!LoadSettingsCSV(again.program, again.program.AppDir + "Again.CFG", &error)) {
    why = "the settings saved do not load: " + error;
    return false;
  }
  if (again.program.Settings.SaveGridText(false) != loaded) {
    why = "the settings saved load back otherwise";
    return false;
  }
  return true;
}

}  // namespace tv::settings::checks
