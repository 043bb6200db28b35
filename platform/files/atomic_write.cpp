#include "files/atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <random>
#include <system_error>

#include "files/path_resolve.h"

namespace tv::files {
namespace fs = std::filesystem;
namespace {

bool Fail(std::string* error, const std::string& message) {
  if (error) *error = message;
  return false;
}

std::string ErrnoText(int code) {
  return std::generic_category().message(code);
}

// Creates a new temporary file next to the target; -1 and errno set when none can be made.
int CreateTemporary(const std::string& folder, const std::string& baseName, std::string& tempPath) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = folder + "." + baseName + ".~" + std::to_string(random() % 1000000000u);
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The file a chain of symbolic links ends at, also when that file does not exist yet: renaming
// over the link itself would silently cut it and leave the linked file unwritten. nullopt for a
// chain that never ends.
std::optional<std::string> FollowLinks(std::string target) {
  std::error_code ec;
  for (int hop = 0; hop < 40; ++hop) {
    if (!fs::is_symlink(target, ec)) return target;
    const fs::path next = fs::read_symlink(target, ec);
    if (ec) return target;
    // Not normalised: ".." must be resolved by the system past any linked folder.
    target = next.is_absolute() ? next.string() : (fs::path(target).parent_path() / next).string();
  }
  return std::nullopt;
}

}  // namespace

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error) {
  if (HasDriveLetter(path)) return Fail(error, "Drive not available: " + path);
  const std::string named = ResolveForWriting(path);
  if (named.empty() || named.back() == '/') return Fail(error, "No file name in: " + path);
  const std::optional<std::string> followed = FollowLinks(named);
  if (!followed) return Fail(error, "Too many levels of links: " + path);
  const std::string& target = *followed;
  struct stat old {};
  const bool hadOld = ::stat(target.c_str(), &old) == 0;
  if (hadOld && S_ISDIR(old.st_mode)) return Fail(error, "A folder has the name: " + target);

  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string baseName = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string tempPath;
  const int fd = CreateTemporary(folder, baseName, tempPath);
  if (fd < 0)
    return Fail(error, "Cannot write in folder " + (folder.empty() ? "." : folder) + ": " + ErrnoText(errno));

  auto abandon = [&](const std::string& what) {
    const int code = errno;
    ::unlink(tempPath.c_str());
    return Fail(error, what + " " + target + ": " + ErrnoText(code));
  };
  if (hadOld) ::fchmod(fd, old.st_mode & 07777);
  if (!WriteAll(fd, bytes)) {
    const int code = errno;
    ::close(fd);
    errno = code;
    return abandon("Cannot write");
  }
  if (::fsync(fd) != 0) {
    const int code = errno;
    ::close(fd);
    errno = code;
    return abandon("Cannot flush");
  }
  if (::close(fd) != 0) return abandon("Cannot close");
  if (::rename(tempPath.c_str(), target.c_str()) != 0) return abandon("Cannot replace");

  // Make the rename itself durable; a failure here leaves a complete file either way.
  const int folderFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    ::fsync(folderFd);
    ::close(folderFd);
  }
  return true;
}

}  // namespace tv::files
