// Events of the settings grid: the check-box caption, the folder dialog of PATH rows and the
// tool tip.
#pragma once

#include <string>

namespace tv::core {
class Program;
}

namespace tv::settings {

// Keeps a check box's caption (" Yes" / " No") in step with its value.
void Settings_ButtonClicked(core::Program& program, long col, long row, int state);

// A double click on the name of a PATH row lets the operator choose its folder; the nest
// folder row also moves the input window's nest list there and updates NestPath.
void Settings_DblClick(core::Program& program, long col, long row);

// The settings grid's tip, offered on the first four requests only.
void Settings_TextTipFetch(core::Program& program, std::string& tipText, bool& showTip);

// Installs the handlers above on Program::Settings.
void InstallSettingsEvents(core::Program& program);

}  // namespace tv::settings
