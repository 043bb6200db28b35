// Files handed over by other programs: only regular files are read, and their stamps tell a
// changed file from the same one.
#include "files/regular_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "temp_folder.h"

namespace tv::files {
namespace {

using RegularFile = testing::TempFolder;

TEST_F(RegularFile, OnlyARegularFileIsRead) {
  const std::string file = MakeFile("request.lst", "Door1\r\n");
  const std::string folder = MakeFolder("folder.lst");
  const std::string pipe = root_ + "pipe.lst";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);  // with no writer, opening it to read would block
  const std::string link = root_ + "link.lst";
  std::filesystem::create_symlink(file, link);

  EXPECT_EQ(ReadRegularFile(file)->Bytes, "Door1\r\n");
  EXPECT_EQ(ReadRegularFile(link)->Bytes, "Door1\r\n");
  for (const std::string& other : {folder, pipe, root_ + "missing.lst", std::string("/dev/null")}) {
    EXPECT_FALSE(RegularFileStamp(other)) << other;
    EXPECT_FALSE(ReadRegularFile(other)) << other;
  }
}

TEST_F(RegularFile, TheStampChangesWithTheFile) {
  const std::string file = MakeFile("request.lst", "Door1\r\n");
  const FileStamp first = *RegularFileStamp(file);
  EXPECT_EQ(ReadRegularFile(file)->Stamp, first);
  std::ofstream(file, std::ios::binary | std::ios::app) << "SIDE\r\n";
  EXPECT_NE(*RegularFileStamp(file), first);
  // Replaced by another file of the same size: another file, another stamp.
  const FileStamp before = *RegularFileStamp(file);
  const std::string other = MakeFile("other.lst", "Door2\r\nSIDE\r\n");
  std::filesystem::rename(other, file);
  EXPECT_NE(*RegularFileStamp(file), before);
}

}  // namespace
}  // namespace tv::files
