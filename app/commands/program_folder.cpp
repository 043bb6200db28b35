#include "commands/program_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "support/paths.h"

namespace tv::commands {

std::string UserDataFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  std::string base;
  if (dataHome != nullptr && *dataHome == '/') {
    base = dataHome;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr ? home : "") + "/.local/share";
  }
  return support::AddBackslash(base) + "tavolin/";
}

std::string ProgramFolder(const std::string& executablePath) {
  const std::string exeFolder = support::GetFolderName(executablePath);
  if (!exeFolder.empty() && access(exeFolder.c_str(), W_OK) == 0) return exeFolder;
  const std::string userFolder = UserDataFolder();
  std::error_code ec;
  std::filesystem::create_directories(userFolder, ec);
  if (std::filesystem::is_directory(userFolder, ec) && access(userFolder.c_str(), W_OK) == 0)
    return userFolder;
  return exeFolder;
}

}  // namespace tv::commands
