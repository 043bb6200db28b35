#include "files/path_resolve.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace tv::files {
namespace {

using PathResolve = testing::TempFolder;

TEST_F(PathResolve, FindsEachLevelWithoutRegardToCase) {
  MakeFile("Jobs/Kitchen/Part7.dxf");
  MakeFolder("Nests");
  const struct {
    std::string given;
    std::string resolved;
  } cases[] = {
      {"Jobs/Kitchen/Part7.dxf", "Jobs/Kitchen/Part7.dxf"},
      {"JOBS/KITCHEN/PART7.DXF", "Jobs/Kitchen/Part7.dxf"},
      {"jobs\\kitchen\\Part7.DXF", "Jobs/Kitchen/Part7.dxf"},
      {"JOBS/", "Jobs/"},  // a folder keeps its trailing separator
      {"NESTS\\", "Nests/"},
      {"Jobs//Kitchen", "Jobs/Kitchen"},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolvePath(root_ + c.given), root_ + c.resolved) << c.given;
}

TEST_F(PathResolve, LeavesAPathUnchangedWhenALevelMatchesNothing) {
  MakeFile("Jobs/Part7.dxf");
  for (const std::string& given :
       {root_ + "JOBS\\Part8.DXF", root_ + "Other/Part7.dxf", std::string("C:\\P\\Part7.DXF")})
    EXPECT_EQ(ResolvePath(given), given);
  EXPECT_FALSE(FindExisting(root_ + "JOBS/Part8.DXF"));
}

TEST_F(PathResolve, PrefersTheExactNameAndElseTheLowestMatch) {
  MakeFile("a.txt", "lower");
  MakeFile("A.TXT", "upper");
  MakeFile("b.TXT");
  MakeFile("B.txt");
  EXPECT_EQ(ResolvePath(root_ + "a.txt"), root_ + "a.txt");
  EXPECT_EQ(ResolvePath(root_ + "A.TXT"), root_ + "A.TXT");
  // Neither "b.txt" nor "B.TXT" exists exactly: the choice must not depend on directory order.
  EXPECT_EQ(ResolvePath(root_ + "b.txt"), root_ + "B.txt");
}

TEST_F(PathResolve, WritingResolvesTheFolderButKeepsTheNewName) {
  MakeFolder("Nests");
  MakeFile("Nests/old.dxf");
  // Folder settings come back upper-cased, so an upper-cased folder must still find the real one.
  EXPECT_EQ(ResolveForWriting(root_ + "NESTS\\JOB001.DXF"), root_ + "Nests/JOB001.DXF");
  EXPECT_EQ(ResolveForWriting(root_ + "Missing\\JOB001.DXF"), root_ + "Missing/JOB001.DXF");
  EXPECT_EQ(ResolveForWriting("JOB001.DXF"), "JOB001.DXF");
}

TEST_F(PathResolve, AnEntryNameIsOneLevelAsItStands) {
  MakeFile("f/..\\x.DXF");
  MakeFile("f/Part.DXF");
  MakeFile("x.DXF");
  const struct {
    std::string name;
    std::optional<std::string> found;
  } cases[] = {
      {"..\\x.DXF", "..\\x.DXF"},  // the literal entry, not x.DXF one level up
      {"..\\X.dxf", "..\\x.DXF"}, {"part.dxf", "Part.DXF"}, {"../x.DXF", std::nullopt},
      {"..", std::nullopt},       {"", std::nullopt},       {"missing.DXF", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(FindEntryName(root_ + "f/", c.name), c.found) << c.name;
}

TEST(FileNames, PlainNamesHaveNoLevels) {
  const struct {
    std::string name;
    bool entry;
    bool plain;
  } cases[] = {
      {"JOB", true, true},
      {" Kit ", true, true},
      {"..JOB", true, true},
      {"..\\OUT", true, false},
      {"a\\b", true, false},
      {"../OUT", false, false},
      {"a/b", false, false},
      {"..", false, false},
      {".", false, false},
      {"", false, false},
      {std::string("a\0b", 3), false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsEntryName(c.name), c.entry) << c.name;
    EXPECT_EQ(IsPlainFileName(c.name), c.plain) << c.name;
  }
}

TEST(DriveLetters, AreRecognisedInBothSeparatorStyles) {
  EXPECT_TRUE(HasDriveLetter("C:"));
  EXPECT_TRUE(HasDriveLetter("d:\\Nests\\"));
  EXPECT_TRUE(HasDriveLetter("C:/P"));
  EXPECT_FALSE(HasDriveLetter("/home/C:"));
  EXPECT_FALSE(HasDriveLetter("1:"));
  EXPECT_FALSE(HasDriveLetter("C"));
}

}  // namespace
}  // namespace tv::files
