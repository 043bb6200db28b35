#include "files/file_ops.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "files/path_resolve.h"
#include "files/wildcard.h"

namespace tv::files {
namespace fs = std::filesystem;
namespace {

struct FolderAndName {
  std::string folder;  // "" for the current folder, else ending in "/"
  std::string name;
};

FolderAndName SplitLast(const std::string& path) {
  const std::string slashed = ToSlashes(path);
  const std::size_t last = slashed.rfind('/');
  if (last == std::string::npos) return {"", slashed};
  return {slashed.substr(0, last + 1), slashed.substr(last + 1)};
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path.empty() ? std::string(".") : path, ec);
}

// Anything that is not a folder counts as a file (links are followed).
bool IsFile(const std::string& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  return fs::exists(status) && !fs::is_directory(status);
}

// The resolved folder of a pattern, or nothing when it does not exist as a folder.
std::optional<std::string> PatternFolder(const std::string& folder) {
  if (folder.empty()) return std::string();
  std::optional<std::string> resolved = FindExisting(folder);
  if (!resolved || !IsFolder(*resolved)) return std::nullopt;
  return resolved;
}

// Full paths of the files that match a path whose last level may hold wildcards.
std::vector<std::string> MatchingFiles(const std::string& pathOrPattern) {
  std::vector<std::string> found;
  if (HasDriveLetter(pathOrPattern)) return found;
  const FolderAndName parts = SplitLast(pathOrPattern);
  if (parts.name.empty()) return found;
  if (!HasWildcards(parts.name)) {
    std::optional<std::string> file = FindExisting(pathOrPattern);
    if (file && IsFile(*file)) found.push_back(*file);
    return found;
  }
  const std::optional<std::string> folder = PatternFolder(parts.folder);
  if (!folder) return found;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder->empty() ? "." : *folder, ec)) {
    const std::string name = entry.path().filename().string();
    const std::string full = *folder + name;
    if (WildcardMatch(name, parts.name) && IsFile(full)) found.push_back(full);
  }
  return found;
}

}  // namespace

bool Exist(const std::string& pathOrPattern) {
  const FolderAndName parts = SplitLast(pathOrPattern);
  // The folder's own entry "." matches "*.*" as it always has, which callers use to test a folder.
  if (HasWildcards(parts.name) && !HasDriveLetter(pathOrPattern) && WildcardMatch(".", parts.name) &&
      PatternFolder(parts.folder)) {
    return true;
  }
  return !MatchingFiles(pathOrPattern).empty();
}

int FCount(const std::string& spec) {
  return static_cast<int>(MatchingFiles(spec).size());
}

bool KillFile(const std::string& path) {
  const std::vector<std::string> files = MatchingFiles(path);
  bool allDeleted = !files.empty();
  for (const std::string& file : files) {
    std::error_code ec;
    if (!fs::remove(file, ec) || ec) allDeleted = false;
  }
  return allDeleted;
}

bool MakeDir(const std::string& path) {
  std::string slashed = ToSlashes(path);
  while (slashed.size() > 1 && slashed.back() == '/') slashed.pop_back();
  if (slashed.empty() || HasDriveLetter(slashed)) return false;
  if (std::optional<std::string> existing = FindExisting(slashed)) return IsFolder(*existing);
  const FolderAndName parts = SplitLast(slashed);
  const std::optional<std::string> parent = PatternFolder(parts.folder);
  if (!parent) return false;
  std::error_code ec;
  fs::create_directory(*parent + parts.name, ec);
  return !ec && IsFolder(*parent + parts.name);
}

bool GoodDrive(const std::string& path) {
  if (path.empty() || HasDriveLetter(path)) return false;
  const std::string slashed = ToSlashes(path);
  return IsFolder(slashed.front() == '/' ? "/" : ".");
}

std::string ExeName() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  std::string slashed = ToSlashes(folder);
  if (!slashed.empty() && slashed.back() != '/') slashed += '/';
  if (HasDriveLetter(slashed)) return names;
  const std::optional<std::string> resolved = PatternFolder(slashed);
  if (!resolved) return names;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(resolved->empty() ? "." : *resolved, ec)) {
    std::string name = entry.path().filename().string();
    if (WildcardMatch(name, pattern) && IsFile(*resolved + name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return FileNameLess(a, b); });
  return names;
}

std::optional<std::string> ReadFile(const std::string& path) {
  const std::optional<std::string> resolved = FindExisting(path);
  if (!resolved || !IsFile(*resolved)) return std::nullopt;
  std::ifstream in(*resolved, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace tv::files
