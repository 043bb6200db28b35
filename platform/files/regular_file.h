// Files another program hands over through a shared folder: what one is (identity, size and
// time, to tell whether it changed) and its bytes, read only when it is a regular file, so a pipe
// or a device put in its place is never opened and cannot block the reader.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tv::files {

struct FileStamp {
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
  std::uint64_t Size = 0;
  std::int64_t ModifiedNs = 0;  // time of the last change, nanoseconds since the epoch

  bool operator==(const FileStamp&) const = default;
};

// The stamp of the regular file at path (a link is followed); nothing for anything else or for
// nothing there. Only asks the file system; never opens the file.
std::optional<FileStamp> RegularFileStamp(const std::string& path);

struct RegularFileBytes {
  FileStamp Stamp;  // taken from the open file after it was read
  std::string Bytes;
};

// The whole file, when path names a regular file: the type is checked before it is opened and
// again on the open file. Nothing otherwise, or when it cannot be read.
std::optional<RegularFileBytes> ReadRegularFile(const std::string& path);

}  // namespace tv::files
