#include "about/about.h"

#include <sys/utsname.h>

#include <sstream>

#include "files/file_ops.h"
#include "support/user_settings.h"

namespace tv::about {
namespace {

// A system file's text; "" when it cannot be read.
std::string ReadFileText(const std::string& path) {
  return files::ReadFile(path).value_or("");
}

std::string Trim(std::string text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

// The value of "key<separator>value" lines (first match), unquoted and trimmed.
std::string FieldOf(const std::string& text, const std::string& key, char separator) {
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    const auto at = line.find(separator);
    if (at == std::string::npos || Trim(line.substr(0, at)) != key) continue;
    std::string value = Trim(line.substr(at + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    return value;
  }
  return {};
}

int CountLinesStartingWith(const std::string& text, const std::string& start) {
  std::istringstream lines(text);
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    if (line.rfind(start, 0) == 0) ++count;
  }
  return count;
}

// "16384256 kB" as "15.6 GB".
std::string MemoryText(const std::string& kilobytes) {
  try {
    const double gb = std::stod(kilobytes) / (1024.0 * 1024.0);
    std::ostringstream text;
    text.precision(1);
    text << std::fixed << gb << " GB";
    return text.str();
  } catch (...) {
    return "unknown";
  }
}

std::string OrUnknown(std::string text) {
  return text.empty() ? "unknown" : text;
}

}  // namespace

std::string AboutCaption() {
  return std::string("About ") + kTitle;
}

std::string VersionText(int major, int minor, int revision) {
  return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

std::string VersionText() {
  return VersionText(TAVOLIN_VERSION_MAJOR, TAVOLIN_VERSION_MINOR, TAVOLIN_VERSION_PATCH);
}

std::string LegalNotice() {
  return "Warning: this program is protected by copyright law. Copying or distributing it, or any "
         "part of it, without the permission of its maker is prohibited.";
}

SystemFacts GatherSystemFacts(const core::Program& program, const std::string& rootFolder) {
  std::string root = rootFolder;
  if (root.empty() || root.back() != '/') root += '/';
  SystemFacts facts;
  auto add = [&](const char* name, std::string value) {
    facts.lines.emplace_back(name, OrUnknown(std::move(value)));
  };

  add("Program", std::string(kTitle) + " " + VersionText().substr(8));
  add("Distribution", FieldOf(ReadFileText(root + "etc/os-release"), "PRETTY_NAME", '='));

  std::string kernel = Trim(ReadFileText(root + "proc/sys/kernel/ostype")) + " " +
                       Trim(ReadFileText(root + "proc/sys/kernel/osrelease"));
  utsname names{};
  if (uname(&names) == 0) {
    if (Trim(kernel).empty()) kernel = std::string(names.sysname) + " " + names.release;
    kernel = Trim(kernel) + " (" + names.machine + ")";
  }
  add("Kernel", Trim(kernel));

  const std::string cpuinfo = ReadFileText(root + "proc/cpuinfo");
  std::string cpu = FieldOf(cpuinfo, "model name", ':');
  const int cores = CountLinesStartingWith(cpuinfo, "processor");
  if (!cpu.empty() && cores > 0) cpu += ", " + std::to_string(cores) + " logical processors";
  add("Processor", cpu);

  const std::string meminfo = ReadFileText(root + "proc/meminfo");
  const std::string total = FieldOf(meminfo, "MemTotal", ':');
  const std::string available = FieldOf(meminfo, "MemAvailable", ':');
  add("Memory", total.empty() ? "" : MemoryText(total) + " (" + MemoryText(available) + " available)");
  add("Program folder", program.AppDir);
  return facts;
}

std::string SystemInfoText(const SystemFacts& facts) {
  std::string text;
  for (const auto& [name, value] : facts.lines) text += name + ": " + value + "\r\n";
  return text;
}

std::string FindSysInfoTool(const core::Program& program) {
  std::string value;
  if (support::GetKeyValue(program, registry::Root::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                           "PATH", value) &&
      !value.empty()) {
    return value;
  }
  if (support::GetKeyValue(program, registry::Root::LocalMachine,
                           "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", value) &&
      !value.empty()) {
    while (!value.empty() && (value.back() == '/' || value.back() == '\\')) value.pop_back();
    const std::string tool = value + "/MSINFO32.EXE";
    if (files::Exist(tool)) return tool;
  }
  return {};
}

void StartSysInfo(core::Program& program, const std::function<bool(const std::string&)>& startProgram,
                  const SystemFacts& facts) {
  const std::string tool = FindSysInfoTool(program);
  if (tool.empty()) {
    program.ui().Tell(SystemInfoText(facts), kSystemInfoTitle, core::MsgIcon::Information);
    return;
  }
  if (!startProgram || !startProgram(tool)) program.ui().Tell(kSysInfoUnavailable, "");
}

std::string HelpFilePath(const core::Program& program) {
  return program.AppDir + kHelpFile;
}

void ShowHelpIndex(core::Program& program) {
  const std::string path = HelpFilePath(program);
  if (!files::Exist(path)) {
    program.ui().Tell(
        "The help file could not be opened:"
        "\r" +
            path +
            "\r"
            "It is not in the program folder.",
        "Alert!", core::MsgIcon::Warning);
    return;
  }
  program.ui().OpenUrl("file://" + path);
}

}  // namespace tv::about
