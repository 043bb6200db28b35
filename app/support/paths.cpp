#include "support/paths.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "core/program.h"
#include "files/files.h"

namespace tv::support {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

size_t LastSeparator(const std::string& path) {
  return path.find_last_of("\\/");
}

bool IsFolder(const std::string& path) {
  const std::optional<std::string> found = files::FindExisting(path);
  std::error_code ec;
  return found && std::filesystem::is_directory(*found, ec);
}

}  // namespace

std::string GetFileName(const std::string& path) {
  const size_t last = LastSeparator(path);
  return last == std::string::npos ? path : path.substr(last + 1);
}

std::string GetFolderName(const std::string& path) {
  const size_t last = LastSeparator(path);
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string AddBackslash(const std::string& path) {
  if (!path.empty() && IsSeparator(path.back())) return path;
  return path + "/";
}

bool EnsurePath(core::Program& program, const std::string& path, const std::string& title) {
  const bool quiet = title.empty();
  std::string folder = path;
  if (folder.size() > 1 && IsSeparator(folder.back())) folder.pop_back();

  if (!files::GoodDrive(folder)) {
    program.ui().Message("Drive " + folder.substr(0, 2) + " Not Ready!", "Drive Error", core::MsgIcon::None,
                         core::MsgButtons::Ok);
    return false;
  }

  bool agreed = false;
  for (size_t end = 0; end < folder.size(); ++end) {
    // Each level is the text up to a separator (kept), and last the whole path.
    if (!IsSeparator(folder[end]) && end + 1 != folder.size()) continue;
    const std::string level = folder.substr(0, end + 1);
    if (IsFolder(level)) continue;
    if (quiet) return false;
    if (!agreed) {
      const std::string question = folder + "\rPath Does Not Exist.\rDo You Wish to Create Path?";
      if (!program.ui().Ask(question, title, core::MsgIcon::Warning)) return false;
      agreed = true;
    }
    // Going on after a failed level would only fail again below it, and a caller writing
    // into a folder that is not there would lose its output.
    if (!files::MakeDir(level)) {
      program.ui().Message(level + "\rPath Could Not Be Created.", title, core::MsgIcon::Critical,
                           core::MsgButtons::Ok);
      return false;
    }
  }
  return IsFolder(folder);
}

}  // namespace tv::support
