#include "worklist/listed_file_removal.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "files/files.h"
#include "support/folder_list.h"
#include "support/paths.h"

namespace tv::worklist {
namespace {

// The folder as it is on disk, or nothing when it is not an existing folder.
std::optional<std::string> ExistingFolder(const std::string& folder) {
  if (folder.empty()) return std::nullopt;
  std::optional<std::string> found = files::FindExisting(support::AddBackslash(folder));
  std::error_code ec;
  if (!found || !std::filesystem::is_directory(*found, ec)) return std::nullopt;
  return found;
}

bool SameFolder(const std::string& a, const std::string& b) {
  const std::optional<std::string> first = ExistingFolder(a);
  const std::optional<std::string> second = ExistingFolder(b);
  std::error_code ec;
  return first && second && std::filesystem::equivalent(*first, *second, ec);
}

}  // namespace

bool DeleteListedFile(const std::string& folder, const std::string& name) {
  // The name is one entry of the folder as it stands: a "*" in it is no pattern and a "\" no
  // way into another folder.
  const std::optional<std::string> base = ExistingFolder(folder);
  if (!base) return false;
  const std::optional<std::string> entry = files::FindEntryName(*base, name);
  if (!entry) return false;
  const std::filesystem::path path = std::filesystem::path(*base) / *entry;
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return false;
  return std::filesystem::remove(path, ec);
}

// The nest folder is shared with the companion program and the user's own files: only what the
// list showed of this very folder goes, and only while it is still there.
void ClearDestDir(core::Program& program) {
  core::FileListState& list = program.Input.NestList;
  const std::string& folder = program.NestPath;
  if (SameFolder(list.Path, folder)) {
    const std::vector<std::string> present = files::ListFiles(folder, list.Pattern);
    for (const std::string& item : list.Items) {
      if (std::find(present.begin(), present.end(), item) != present.end()) DeleteListedFile(folder, item);
    }
  }
  support::RefreshFileList(list);
  program.Notify(core::Change::NestList);
}

}  // namespace tv::worklist
