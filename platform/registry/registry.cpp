#include "registry/registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

#include "files/atomic_write.h"
#include "registry/store_file.h"
#include "text/file_text.h"

namespace tv::registry {
namespace {

using detail::IsBelow;
using detail::NormalizeKeyPath;
using detail::SameName;
using detail::StoredKey;
using detail::StoredLine;
using detail::StoreImage;

namespace fs = std::filesystem;

fs::path RootFile(const fs::path& folder, Root root) {
  switch (root) {
    case Root::LocalMachine:
      return folder / "HKEY_LOCAL_MACHINE.txt";
    case Root::CurrentUser:
      return folder / "HKEY_CURRENT_USER.txt";
    case Root::ClassesRoot:
      break;
  }
  return folder / "HKEY_CLASSES_ROOT.txt";
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_dir != nullptr) return pw->pw_dir;
  return "/";
}

enum class LoadState { Missing, Loaded, Unreadable };

struct LoadedRoot {
  LoadState state = LoadState::Missing;
  StoreImage image;
};

LoadedRoot LoadRoot(const fs::path& file) {
  LoadedRoot result;
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  if (status.type() == fs::file_type::not_found) return result;
  if (ec || status.type() != fs::file_type::regular) {
    result.state = LoadState::Unreadable;
    return result;
  }
  std::ifstream in(file, std::ios::binary);
  std::string bytes(std::istreambuf_iterator<char>(in), {});
  if (!in.is_open() || in.bad()) {
    result.state = LoadState::Unreadable;
    return result;
  }
  result.state = LoadState::Loaded;
  // A store edited by hand may come back from an editor with a byte-order mark or in UTF-16.
  result.image = detail::ParseStore(text::DecodeFileText(bytes).text);
  return result;
}

// Serialises read-modify-write cycles of processes sharing the store folder, so two writers
// do not lose each other's changes. Without the lock the change still goes ahead.
class FolderLock {
 public:
  explicit FolderLock(const fs::path& folder)
      : fd_(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ >= 0) {
      while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  ~FolderLock() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_;
};

// Applies change to the root's current contents and writes the result. change answers whether
// it altered anything. Refuses to rewrite a file that could not be read or that a newer
// program wrote, since that would lose what the reader could not see.
template <class Change>
bool ModifyRoot(const fs::path& folder, Root root, Change change) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) return false;
  FolderLock lock(folder);
  const fs::path file = RootFile(folder, root);
  LoadedRoot loaded = LoadRoot(file);
  if (loaded.state == LoadState::Unreadable || loaded.image.version > detail::kFormatVersion) return false;
  if (!change(loaded.image)) return true;
  return files::WriteFileAtomic(file.string(), detail::FormatStore(loaded.image));
}

StoreImage ReadRoot(const fs::path& folder, Root root) {
  return LoadRoot(RootFile(folder, root)).image;
}

template <class Image>
auto FindKey(Image& image, const std::string& path) -> decltype(&image.keys.front()) {
  auto found = std::find_if(image.keys.begin(), image.keys.end(),
                            [&](const StoredKey& k) { return SameName(k.path, path); });
  return found == image.keys.end() ? nullptr : &*found;
}

// A key exists when it was created or when a key below it was (a hand-written file may
// name only the deepest level).
bool HasKey(const StoreImage& image, const std::string& path) {
  if (path.empty()) return true;
  return std::any_of(image.keys.begin(), image.keys.end(),
                     [&](const StoredKey& k) { return SameName(k.path, path) || IsBelow(k.path, path); });
}

StoredKey& EnsureKey(StoreImage& image, const std::string& path) {
  if (StoredKey* key = FindKey(image, path)) return *key;
  image.keys.push_back({path, {}});
  return image.keys.back();
}

}  // namespace

fs::path StoreFolder() {
  if (const char* folder = std::getenv("TAVOLIN_REGISTRY"); folder != nullptr && *folder != '\0') {
    return folder;
  }
  const char* config = std::getenv("XDG_CONFIG_HOME");
  // The XDG rules ignore a relative value.
  if (config != nullptr && *config == '/') return fs::path(config) / "tavolin" / "registry";
  return fs::path(HomeFolder()) / ".config" / "tavolin" / "registry";
}

Registry::Registry(fs::path folder) : folder_(std::move(folder)) {}

bool Registry::CreateKey(Root root, const std::string& key) {
  const std::string path = NormalizeKeyPath(key);
  return ModifyRoot(folder_, root, [&](StoreImage& image) {
    if (HasKey(image, path)) return false;
    image.keys.push_back({path, {}});
    return true;
  });
}

bool Registry::KeyExists(Root root, const std::string& key) const {
  return HasKey(ReadRoot(folder_, root), NormalizeKeyPath(key));
}

bool Registry::SetString(Root root, const std::string& key, const std::string& name,
                         const std::string& value) {
  const std::string path = NormalizeKeyPath(key);
  return ModifyRoot(folder_, root, [&](StoreImage& image) {
    StoredKey& stored = EnsureKey(image, path);
    for (StoredLine& line : stored.lines) {
      if (!line.verbatim && SameName(line.name, name)) {
        if (line.value == value) return false;
        line.value = value;
        return true;
      }
    }
    stored.lines.push_back({false, {}, name, value});
    return true;
  });
}

std::optional<std::string> Registry::GetString(Root root, const std::string& key,
                                               const std::string& name) const {
  const StoreImage image = ReadRoot(folder_, root);
  const StoredKey* stored = FindKey(image, NormalizeKeyPath(key));
  if (stored == nullptr) return std::nullopt;
  for (const StoredLine& line : stored->lines) {
    if (!line.verbatim && SameName(line.name, name)) return line.value;
  }
  return std::nullopt;
}

std::vector<std::string> Registry::SubKeys(Root root, const std::string& key) const {
  const StoreImage image = ReadRoot(folder_, root);
  const std::string path = NormalizeKeyPath(key);
  const size_t skip = path.empty() ? 0 : path.size() + 1;
  std::vector<std::string> names;
  for (const StoredKey& stored : image.keys) {
    if (!IsBelow(stored.path, path)) continue;
    std::string child = stored.path.substr(skip, stored.path.find('\\', skip) - skip);
    const bool known =
        std::any_of(names.begin(), names.end(), [&](const std::string& n) { return SameName(n, child); });
    if (!known) names.push_back(std::move(child));
  }
  return names;
}

std::vector<std::string> Registry::ValueNames(Root root, const std::string& key) const {
  const StoreImage image = ReadRoot(folder_, root);
  std::vector<std::string> names;
  if (const StoredKey* stored = FindKey(image, NormalizeKeyPath(key))) {
    for (const StoredLine& line : stored->lines) {
      if (!line.verbatim) names.push_back(line.name);
    }
  }
  return names;
}

bool Registry::DeleteValue(Root root, const std::string& key, const std::string& name) {
  const std::string path = NormalizeKeyPath(key);
  return ModifyRoot(folder_, root, [&](StoreImage& image) {
    StoredKey* stored = FindKey(image, path);
    if (stored == nullptr) return false;
    const auto before = stored->lines.size();
    std::erase_if(stored->lines,
                  [&](const StoredLine& line) { return !line.verbatim && SameName(line.name, name); });
    return stored->lines.size() != before;
  });
}

bool Registry::DeleteTree(Root root, const std::string& key) {
  const std::string path = NormalizeKeyPath(key);
  // An empty path would wipe the whole root; no caller means that.
  if (path.empty()) return false;
  return ModifyRoot(folder_, root, [&](StoreImage& image) {
    return std::erase_if(image.keys, [&](const StoredKey& k) {
             return SameName(k.path, path) || IsBelow(k.path, path);
           }) > 0;
  });
}

}  // namespace tv::registry
