// Path splitting on either separator, and EnsurePath's dialogue and folder creation.
#include "support/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/program.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"

namespace tv::support {
namespace {

namespace fs = std::filesystem;
using core::MsgButtons;
using core::MsgIcon;
using core::MsgResult;

TEST(PathNamesTest, SplitAtTheLastSeparatorOfEitherKind) {
  const struct {
    std::string path;
    std::string fileName;
    std::string folderName;
  } cases[] = {
      {"/home/anna/parts/Side L.dxf", "Side L.dxf", "/home/anna/parts/"},
      {"C:\\Jobs\\Kitchen\\Door.DXF", "Door.DXF", "C:\\Jobs\\Kitchen\\"},
      {"Jobs\\Kitchen/Door.DXF", "Door.DXF", "Jobs\\Kitchen/"},
      {"Jobs/Kitchen\\Door.DXF", "Door.DXF", "Jobs/Kitchen\\"},
      {"Door.DXF", "Door.DXF", ""},
      {"/home/anna/", "", "/home/anna/"},
      {"/", "", "/"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetFileName(c.path), c.fileName) << c.path;
    EXPECT_EQ(GetFolderName(c.path), c.folderName) << c.path;
  }
}

TEST(PathNamesTest, AddBackslashAppendsOneSlashWhenMissing) {
  const struct {
    std::string path;
    std::string expected;
  } cases[] = {
      {"/home/anna", "/home/anna/"},
      {"/home/anna/", "/home/anna/"},
      {"C:\\Jobs\\", "C:\\Jobs\\"},
      {"Nests", "Nests/"},
      {"", "/"},
  };
  for (const auto& c : cases) EXPECT_EQ(AddBackslash(c.path), c.expected) << c.path;
}

class EnsurePathTest : public ::testing::Test {
 protected:
  test_support::ScriptedUi ui_;
  core::Program program_{ui_};
  test_support::TempFolder temp_;
};

TEST_F(EnsurePathTest, OneYesCreatesEveryMissingLevel) {
  const std::string path = temp_.Path() + "Nests/Job 7/a/";
  ui_.ExpectQuestion(MsgResult::Yes);

  EXPECT_TRUE(EnsurePath(program_, path, "Nest Path Error"));

  EXPECT_TRUE(fs::is_directory(temp_.Path() + "Nests/Job 7/a"));
  ASSERT_EQ(ui_.Messages().size(), 1u);
  const test_support::RecordedMessage& asked = ui_.LastMessage();
  EXPECT_EQ(asked.text, temp_.Path() + "Nests/Job 7/a\rPath Does Not Exist.\rDo You Wish to Create Path?");
  EXPECT_EQ(asked.title, "Nest Path Error");
  EXPECT_EQ(asked.icon, MsgIcon::Warning);
  EXPECT_EQ(asked.buttons, MsgButtons::YesNo);
}

TEST_F(EnsurePathTest, NoCreatesNothing) {
  ui_.ExpectQuestion("Do You Wish to Create Path?", MsgResult::No);
  EXPECT_FALSE(EnsurePath(program_, temp_.Path() + "Nests/Job", "CSV Path Error"));
  EXPECT_FALSE(fs::exists(temp_.Path() + "Nests"));
}

TEST_F(EnsurePathTest, EmptyTitleOnlyTests) {
  EXPECT_FALSE(EnsurePath(program_, temp_.Path() + "Nests/Job/", ""));
  EXPECT_FALSE(fs::exists(temp_.Path() + "Nests"));
  EXPECT_TRUE(EnsurePath(program_, temp_.Path(), ""));
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(EnsurePathTest, ExistingFoldersNeedNoQuestion) {
  fs::create_directories(temp_.Path() + "Nests/Job");
  const std::string existing[] = {"/", temp_.Path(), temp_.Path() + "Nests/Job", temp_.Path() + "Nests/Job/",
                                  // found without regard to case, as on the shop's old systems
                                  temp_.Path() + "NESTS/job/"};
  for (const std::string& path : existing) EXPECT_TRUE(EnsurePath(program_, path, "Nest Path Error")) << path;
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(EnsurePathTest, BackslashesSeparateLevelsAndShortLastLevelsCount) {
  fs::create_directory(temp_.Path() + "Nests");
  ui_.ExpectQuestion(MsgResult::Yes);
  EXPECT_TRUE(EnsurePath(program_, temp_.Path() + "NESTS\\b\\c\\", "Nest Path Error"));
  EXPECT_TRUE(fs::is_directory(temp_.Path() + "Nests/b/c"));
  EXPECT_EQ(ui_.LastMessage().text,
            temp_.Path() + "NESTS\\b\\c\rPath Does Not Exist.\rDo You Wish to Create Path?");
}

TEST_F(EnsurePathTest, DriveLetterIsNotReady) {
  const struct {
    std::string path;
    std::string title;
  } cases[] = {{"C:\\Tavolin\\Nests\\", "Nest Path Error"}, {"D:", "CSV Path Error"}, {"C:\\Nests", ""}};
  for (const auto& c : cases) {
    ui_.ClearMessages();
    EXPECT_FALSE(EnsurePath(program_, c.path, c.title)) << c.path;
    ASSERT_EQ(ui_.Messages().size(), 1u) << c.path;
    EXPECT_EQ(ui_.LastMessage().text, "Drive " + c.path.substr(0, 2) + " Not Ready!");
    EXPECT_EQ(ui_.LastMessage().title, "Drive Error");
    EXPECT_EQ(ui_.LastMessage().buttons, MsgButtons::Ok);
  }
}

TEST_F(EnsurePathTest, LevelThatCannotBeCreatedIsReportedNotPassedOffAsDone) {
  std::ofstream(temp_.Path() + "Nests") << "a file where a folder should go";
  ui_.ExpectQuestion(MsgResult::Yes);

  EXPECT_FALSE(EnsurePath(program_, temp_.Path() + "Nests/Job", "Nest Path Error"));

  ASSERT_EQ(ui_.Messages().size(), 2u);
  EXPECT_EQ(ui_.LastMessage().text, temp_.Path() + "Nests/\rPath Could Not Be Created.");
  EXPECT_EQ(ui_.LastMessage().title, "Nest Path Error");
  EXPECT_FALSE(fs::is_directory(temp_.Path() + "Nests"));
}

}  // namespace
}  // namespace tv::support
