#include "files/file_ops.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

namespace tv::files {
namespace {

class FileOps : public testing::TempFolder {
 protected:
  void SetUp() override {
    TempFolder::SetUp();
    MakeFile("Src/Part7.dxf");
    MakeFile("Src/door.DXF");
    MakeFile("Src/notes.txt");
    MakeFile("Src/README");
    MakeFolder("Src/Sub.dxf");  // a folder named like a drawing is never a file
    MakeFolder("Empty");
  }
};

TEST_F(FileOps, ExistAndFCountMatchFilesByPattern) {
  const struct {
    std::string spec;
    int count;
  } cases[] = {
      {"Src/*.DXF", 2},     {"SRC\\*.dxf", 2},    {"Src/*.*", 4},       {"Src/*", 4},
      {"Src/p?rt7.dxf", 1}, {"Src/PART7.DXF", 1}, {"Src/Part7.dxf", 1}, {"Src/Part8.dxf", 0},
      {"Src/*.cfg", 0},     {"Src/Sub.dxf", 0},   {"Src/", 0},          {"Empty/*.DXF", 0},
      {"Missing/*.*", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FCount(root_ + c.spec), c.count) << c.spec;
    EXPECT_EQ(Exist(root_ + c.spec), c.count > 0) << c.spec;
  }
}

TEST_F(FileOps, ExistOfAllFilesAnswersWhetherTheFolderExists) {
  // The start-up check of the nest folder must not call an empty folder missing.
  EXPECT_TRUE(Exist(root_ + "Empty\\*.*"));
  EXPECT_TRUE(Exist(root_ + "EMPTY/*.*"));
  EXPECT_FALSE(Exist(root_ + "Empty/*.DXF"));
  EXPECT_FALSE(Exist(root_ + "Missing/*.*"));
  EXPECT_FALSE(Exist("C:\\Nests\\*.*"));
  EXPECT_EQ(FCount(root_ + "Empty/*.*"), 0);
}

TEST_F(FileOps, ListFilesSortsMatchingFilesLikeAFileList) {
  MakeFile("List/b.dxf");
  MakeFile("List/A.DXF");
  MakeFile("List/c.Dxf");
  MakeFile("List/a2.dxf");
  MakeFile("List/a2.txt");
  MakeFolder("List/d.dxf");
  const std::vector<std::string> expected = {"A.DXF", "a2.dxf", "b.dxf", "c.Dxf"};
  EXPECT_EQ(ListFiles(root_ + "List", "*.DXF"), expected);
  EXPECT_EQ(ListFiles(root_ + "LIST\\", "*.dxf"), expected);
  EXPECT_TRUE(ListFiles(root_ + "Missing", "*.DXF").empty());
}

TEST_F(FileOps, KillFileDeletesFilesButNeverFolders) {
  EXPECT_TRUE(KillFile(root_ + "SRC\\PART7.DXF"));
  EXPECT_FALSE(std::filesystem::exists(root_ + "Src/Part7.dxf"));
  EXPECT_FALSE(KillFile(root_ + "Src/Part7.dxf"));  // nothing left to delete

  EXPECT_TRUE(KillFile(root_ + "Src/*.*"));
  EXPECT_EQ(FCount(root_ + "Src/*"), 0);
  EXPECT_TRUE(std::filesystem::is_directory(root_ + "Src/Sub.dxf"));
  EXPECT_FALSE(KillFile(root_ + "Src/Sub.dxf"));
  EXPECT_FALSE(KillFile(root_ + "Src/*.*"));
}

TEST_F(FileOps, MakeDirCreatesOneLevel) {
  EXPECT_TRUE(MakeDir(root_ + "Nests\\"));
  EXPECT_TRUE(std::filesystem::is_directory(root_ + "Nests"));
  // An existing folder under another case is the folder asked for: no second one appears.
  const int before = EntryCount();
  EXPECT_TRUE(MakeDir(root_ + "NESTS"));
  EXPECT_EQ(EntryCount(), before);
  EXPECT_TRUE(MakeDir(root_ + "SRC/New"));
  EXPECT_TRUE(std::filesystem::is_directory(root_ + "Src/New"));

  EXPECT_FALSE(MakeDir(root_ + "Missing/Deeper"));
  EXPECT_FALSE(std::filesystem::exists(root_ + "Missing"));
  EXPECT_FALSE(MakeDir(root_ + "Src/notes.txt"));  // a file stands in the way
  EXPECT_FALSE(MakeDir("C:\\Nests"));
}

TEST(GoodDrive, ReadyWhenTheRootExists) {
  const struct {
    const char* path;
    bool ready;
  } cases[] = {
      {"/", true},   {"/no/such/folder/", true}, {"relative/folder", true}, {"", false},
      {"C:", false}, {"C:\\Nests\\", false},     {"d:/x", false},
  };
  for (const auto& c : cases) EXPECT_EQ(GoodDrive(c.path), c.ready) << c.path;
}

TEST(ExeName, IsTheRunningTestProgram) {
  const std::filesystem::path exe = ExeName();
  EXPECT_TRUE(exe.is_absolute());
  EXPECT_EQ(exe.filename(), "files_tests");
  EXPECT_TRUE(std::filesystem::exists(exe));
}

TEST_F(FileOps, ReadFileFindsTheFileWithoutRegardToCase) {
  const std::string bytes("A=1\r\nB=\0x", 8);
  MakeFile("Cfg/Tavo.CFG", bytes);
  EXPECT_EQ(ReadFile(root_ + "CFG\\TAVO.cfg"), bytes);
  EXPECT_EQ(ReadFile(root_ + "Cfg/Plat.CFG"), std::nullopt);
  EXPECT_EQ(ReadFile(root_ + "Cfg"), std::nullopt);
  EXPECT_EQ(ReadFile(root_ + "Empty/"), std::nullopt);
}

}  // namespace
}  // namespace tv::files
