#include "files/atomic_write.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "temp_folder.h"

namespace tv::files {
namespace {

namespace fs = std::filesystem;
using WriteFileAtomicTest = testing::TempFolder;

TEST_F(WriteFileAtomicTest, WritesAndReplacesLeavingNoTemporaryFile) {
  const std::string path = root_ + "Mat.dat";
  std::string error;
  ASSERT_TRUE(WriteFileAtomic(path, "first", &error)) << error;
  EXPECT_EQ(test_support::ReadText(path), "first");
  ASSERT_TRUE(WriteFileAtomic(path, std::string("second\0line\r\n", 13), &error)) << error;
  EXPECT_EQ(test_support::ReadText(path), std::string("second\0line\r\n", 13));
  ASSERT_TRUE(WriteFileAtomic(path, ""));
  EXPECT_EQ(test_support::ReadText(path), "");
  EXPECT_EQ(EntryCount(), 1);
}

TEST_F(WriteFileAtomicTest, WritesIntoTheFolderFoundWithoutRegardToCase) {
  MakeFolder("Nests");
  ASSERT_TRUE(WriteFileAtomic(root_ + "NESTS\\JOB001.DXF", "sheet"));
  EXPECT_EQ(test_support::ReadText(root_ + "Nests/JOB001.DXF"), "sheet");
  EXPECT_FALSE(fs::exists(root_ + "NESTS"));
}

TEST_F(WriteFileAtomicTest, KeepsThePermissionBitsOfTheOldFile) {
  const std::string path = MakeFile("run.sh", "old");
  fs::permissions(path, fs::perms::owner_all | fs::perms::group_read);
  ASSERT_TRUE(WriteFileAtomic(path, "new"));
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_all | fs::perms::group_read);
}

TEST_F(WriteFileAtomicTest, ReplacesTheFileALinkPointsTo) {
  const std::string real = MakeFile("real.ini", "old");
  fs::create_symlink(real, root_ + "link.ini");
  ASSERT_TRUE(WriteFileAtomic(root_ + "link.ini", "new"));
  EXPECT_TRUE(fs::is_symlink(root_ + "link.ini"));
  EXPECT_EQ(test_support::ReadText(real), "new");
}

TEST_F(WriteFileAtomicTest, WritesThroughLinksWhoseFileIsNotThereYet) {
  MakeFolder("conf");
  MakeFolder("app");
  // A relative chain app/TAVO.INI -> ../conf/step.ini -> tavo.ini, the last file missing.
  fs::create_symlink("tavo.ini", root_ + "conf/step.ini");
  fs::create_symlink("../conf/step.ini", root_ + "app/TAVO.INI");
  std::string error;
  ASSERT_TRUE(WriteFileAtomic(root_ + "app/TAVO.INI", "new", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(root_ + "app/TAVO.INI"));
  EXPECT_TRUE(fs::is_symlink(root_ + "conf/step.ini"));
  EXPECT_EQ(test_support::ReadText(root_ + "conf/tavo.ini"), "new");
}

TEST_F(WriteFileAtomicTest, KeepsALinkItCannotWriteThrough) {
  const struct {
    std::string link;
    std::string pointsTo;
  } cases[] = {{"lost.ini", "missing/tavo.ini"}, {"loop.ini", "loop.ini"}};
  for (const auto& c : cases) {
    fs::create_symlink(c.pointsTo, root_ + c.link);
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(root_ + c.link, "new", &error)) << c.link;
    EXPECT_FALSE(error.empty()) << c.link;
    EXPECT_TRUE(fs::is_symlink(root_ + c.link)) << c.link;
    EXPECT_EQ(fs::read_symlink(root_ + c.link), c.pointsTo) << c.link;
  }
  EXPECT_FALSE(fs::exists(root_ + "missing"));
  EXPECT_EQ(EntryCount(), 2);
}

TEST_F(WriteFileAtomicTest, RefusesTargetsThatCannotBeWritten) {
  MakeFolder("Taken/inner");
  const struct {
    std::string path;
  } cases[] = {{root_ + "Taken"}, {root_ + "Missing/file.txt"}, {root_ + "Taken/"}, {"C:\\TAVO.INI"}};
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(c.path, "data", &error)) << c.path;
    EXPECT_FALSE(error.empty()) << c.path;
  }
  EXPECT_TRUE(fs::is_directory(root_ + "Taken/inner"));
  EXPECT_FALSE(fs::exists(root_ + "Missing"));
  EXPECT_EQ(EntryCount(), 1);
  EXPECT_EQ(EntryCount("Taken"), 1);
}

TEST_F(WriteFileAtomicTest, AFailedWriteLeavesTheOldFileIntact) {
  const std::string path = MakeFile("TAVO.INI", "[Config]\nCfgFile=Tavo.CFG\n");
  // A file-size limit makes the write fail part-way, as a full disk would, even for root.
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit oldLimit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
  rlimit small = oldLimit;
  small.rlim_cur = 16;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string error;
  const bool written = WriteFileAtomic(path, std::string(4096, 'x'), &error);
  setrlimit(RLIMIT_FSIZE, &oldLimit);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(written);
  EXPECT_NE(error.find("TAVO.INI"), std::string::npos) << error;
  EXPECT_EQ(test_support::ReadText(path), "[Config]\nCfgFile=Tavo.CFG\n");
  EXPECT_EQ(EntryCount(), 1);
}

}  // namespace
}  // namespace tv::files
