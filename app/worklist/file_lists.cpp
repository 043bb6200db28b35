#include "worklist/file_lists.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

#include "files/files.h"

namespace tv::worklist {
namespace {

bool IsFolder(const std::string& folder) {
  std::error_code ec;
  return !folder.empty() && std::filesystem::is_directory(files::ResolvePath(folder), ec);
}

void Fill(core::FileListState& list) {
  std::map<std::string, bool> wasSelected;
  for (size_t i = 0; i < list.Items.size() && i < list.Selected.size(); ++i) {
    if (list.Selected[i]) wasSelected[list.Items[i]] = true;
  }
  list.Items = files::ListFiles(list.Path, list.Pattern);
  list.Selected.assign(list.Items.size(), false);
  for (size_t i = 0; i < list.Items.size(); ++i) list.Selected[i] = wasSelected.count(list.Items[i]) > 0;
}

void ClearListedFiles(core::Program& program, const std::string& folder) {
  for (const std::string& item : program.Input.NestList.Items) DeleteListedFile(folder, item);
  RefreshFileList(program.Input.NestList);
}

}  // namespace

bool SetFileListPath(core::FileListState& list, const std::string& folder) {
  if (folder.empty() || !IsFolder(folder)) return false;
  list.Path = folder;
  list.Selected.clear();
  Fill(list);
  return true;
}

void RefreshFileList(core::FileListState& list) {
  if (!IsFolder(list.Path)) {
    list.Items.clear();
    list.Selected.clear();
    return;
  }
  Fill(list);
}

bool DeleteListedFile(const std::string& folder, const std::string& name) {
  // A name on this system may hold "*" or "?": delete that one file, not what it would match.
  std::error_code ec;
  const std::filesystem::path path = files::ResolvePath(folder + name);
  if (std::filesystem::is_directory(path, ec)) return false;
  return std::filesystem::remove(path, ec);
}

void ClearDestDir(core::Program& program) {
  ClearListedFiles(program, program.NestPath);
}

void ClearNestTmpDir(core::Program& program) {
  ClearListedFiles(program, program.NestTmpDir);
}

}  // namespace tv::worklist
