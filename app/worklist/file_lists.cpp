#include "worklist/file_lists.h"

#include <filesystem>
#include <system_error>

#include "files/files.h"
#include "support/file_lists.h"

namespace tv::worklist {
namespace {

void ClearListedFiles(core::Program& program, const std::string& folder) {
  for (const std::string& item : program.Input.NestList.Items) DeleteListedFile(folder, item);
  support::RefreshFileList(program.Input.NestList);
}

}  // namespace

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
