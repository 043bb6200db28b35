#include "files/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tv::files {
namespace {

FileStamp StampOf(const struct stat& info) {
  FileStamp stamp;
  stamp.Device = static_cast<std::uint64_t>(info.st_dev);
  stamp.Inode = static_cast<std::uint64_t>(info.st_ino);
  stamp.Size = static_cast<std::uint64_t>(info.st_size);
  stamp.ModifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  return stamp;
}

// Closes the descriptor on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::optional<FileStamp> RegularFileStamp(const std::string& path) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return StampOf(info);
}

std::optional<RegularFileBytes> ReadRegularFile(const std::string& path) {
  if (!RegularFileStamp(path)) return std::nullopt;
  // Not blocking: should a pipe have taken the file's place since the test above, the open
  // returns at once and the check on the open file turns it away.
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat info {};
  if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;

  RegularFileBytes read;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    read.Bytes.append(buffer, static_cast<std::size_t>(n));
  }
  if (::fstat(fd.get(), &info) != 0) return std::nullopt;
  read.Stamp = StampOf(info);
  return read;
}

}  // namespace tv::files
