#include "support/folder_list.h"

#include <filesystem>
#include <map>
#include <system_error>

#include "files/files.h"

namespace tv::support {
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

}  // namespace tv::support
