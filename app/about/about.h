// The About box's texts, the system-information command and the help index: what the About
// window and the Help items do, without the windows.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/program.h"

namespace tv::about {

inline constexpr const char* kTitle = "Tavolin";
inline constexpr const char* kDescription = "Automatic Nesting System for Panel Processing";
inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";
inline constexpr const char* kSystemInfoTitle = "System Information";

// "About Tavolin".
std::string AboutCaption();
// "Version " & major & "." & minor & "." & revision, each without leading zeros.
std::string VersionText(int major, int minor, int revision);
// The version of this build.
std::string VersionText();
// The fixed legal notice.
std::string LegalNotice();

// What a support call needs to know of this computer, one "Name: value" line each. The window
// program adds what only it can see (screens, the Qt version).
struct SystemFacts {
  std::vector<std::pair<std::string, std::string>> lines;
};
// The program's version, distribution, kernel, processor, memory and program folder, read from
// the system (/etc/os-release, uname, /proc). rootFolder stands for "/" (tests give a fixture).
SystemFacts GatherSystemFacts(const core::Program& program, const std::string& rootFolder = "/");
// The lines joined with CR LF.
std::string SystemInfoText(const SystemFacts& facts);

// The system-information tool configured in the registry store (the path under
// HKLM "SOFTWARE\Microsoft\Shared Tools\MSINFO" "PATH", else the folder under "...\Shared Tools
// Location" "MSINFO" when it holds "MSINFO32.EXE"); "" when none is configured.
std::string FindSysInfoTool(const core::Program& program);

// StartSysInfo: a configured tool is started without waiting (startProgram answers whether it
// started); without one the program's own box tells the system facts. A tool that cannot be
// started gives "System Information Is Unavailable At This Time".
void StartSysInfo(core::Program& program, const std::function<bool(const std::string&)>& startProgram,
                  const SystemFacts& facts);

// The help file in the program folder, opened as the help index.
inline constexpr const char* kHelpFile = "Tavolin.html";
std::string HelpFilePath(const core::Program& program);
// Opens the help file through the Ui; a file that is not there is named in a message.
void ShowHelpIndex(core::Program& program);

}  // namespace tv::about
