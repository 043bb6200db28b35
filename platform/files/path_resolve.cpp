#include "files/path_resolve.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "files/wildcard.h"

namespace tv::files {
namespace fs = std::filesystem;
namespace {

char FoldCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

bool EntryExists(const std::string& path) {
  std::error_code ec;
  // A dangling link is still an entry with that name.
  return fs::exists(fs::symlink_status(path, ec));
}

// The name of the folder's entry that equals name without regard to case; the lowest in byte
// order when several do, so the choice does not depend on the directory's order.
std::optional<std::string> FindNoCase(const std::string& folder, std::string_view name) {
  std::error_code ec;
  fs::directory_iterator it(folder.empty() ? std::string(".") : folder, ec);
  if (ec) return std::nullopt;
  std::optional<std::string> best;
  for (const fs::directory_entry& entry : it) {
    std::string entryName = entry.path().filename().string();
    if (EqualsNoCase(entryName, name) && (!best || entryName < *best)) best = std::move(entryName);
  }
  return best;
}

}  // namespace

std::string ToSlashes(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

bool IsEntryName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

bool IsPlainFileName(std::string_view name) {
  return IsEntryName(name) && name.find('\\') == std::string_view::npos;
}

bool HasDriveLetter(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

std::optional<std::string> FindExisting(const std::string& path) {
  if (HasDriveLetter(path)) return std::nullopt;
  const std::string slashed = ToSlashes(path);
  std::string out;
  std::size_t pos = 0;
  if (!slashed.empty() && slashed.front() == '/') {
    out = "/";
    pos = slashed.find_first_not_of('/');
    if (pos == std::string::npos) return out;
  }
  while (pos < slashed.size()) {
    const std::size_t next = slashed.find('/', pos);
    const std::string_view level = std::string_view(slashed).substr(pos, next - pos);
    if (!level.empty()) {
      std::string candidate = out + std::string(level);
      if (!EntryExists(candidate)) {
        const std::optional<std::string> match = FindNoCase(out, level);
        if (!match) return std::nullopt;
        candidate = out + *match;
      }
      out = std::move(candidate);
      if (next != std::string::npos) out += '/';
    }
    if (next == std::string::npos) break;
    pos = next + 1;
  }
  return out;
}

std::string ResolvePath(const std::string& path) {
  std::optional<std::string> found = FindExisting(path);
  return found ? *found : path;
}

std::optional<std::string> FindEntryName(const std::string& folder, std::string_view name) {
  if (!IsEntryName(name)) return std::nullopt;
  const std::string base = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  if (EntryExists(base + std::string(name))) return std::string(name);
  return FindNoCase(base, name);
}

std::string ResolveForWriting(const std::string& path) {
  const std::string slashed = ToSlashes(path);
  const std::size_t last = slashed.rfind('/');
  if (last == std::string::npos || HasDriveLetter(slashed)) return slashed;
  const std::optional<std::string> folder = FindExisting(slashed.substr(0, last + 1));
  if (!folder) return slashed;
  return *folder + slashed.substr(last + 1);
}

}  // namespace tv::files
