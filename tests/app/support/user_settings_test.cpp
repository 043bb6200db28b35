// The per-user settings store and the one-value registry read.
#include "support/user_settings.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <optional>

#include "core/program.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"

namespace tv::support {
namespace {

using registry::Registry;
using registry::Root;

class UserSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { program_.RegistryFolder = temp_.Path(); }

  test_support::ScriptedUi ui_;
  core::Program program_{ui_};
  test_support::TempFolder temp_;
};

TEST_F(UserSettingsTest, SavedValuesLiveUnderTheProgramsKeyAndIgnoreCase) {
  ASSERT_TRUE(SaveUserSetting(program_, "Paths", "PList", "/home/anna/lists/"));
  ASSERT_TRUE(SaveUserSetting(program_, "Paths", "Executable", "/opt/tavolin/"));

  EXPECT_EQ(GetUserSetting(program_, "PATHS", "plist", "unused"), "/home/anna/lists/");
  EXPECT_EQ(Registry(temp_.Path()).GetString(Root::CurrentUser, "Software\\Tavolin\\Paths", "Executable"),
            "/opt/tavolin/");
  EXPECT_EQ(GetUserSetting(program_, "Paths", "Open", "/fallback/"), "/fallback/");
  EXPECT_EQ(GetUserSetting(program_, "Paths", "Open"), "");
}

TEST_F(UserSettingsTest, StoredEmptyValueIsNotReplacedByTheDefault) {
  ASSERT_TRUE(SaveUserSetting(program_, "Paths", "Open", ""));
  EXPECT_EQ(GetUserSetting(program_, "Paths", "Open", "/fallback/"), "");
}

TEST_F(UserSettingsTest, DefaultStartFolderIsTheHomeFolder) {
  const char* saved = std::getenv("HOME");
  const std::optional<std::string> home = saved ? std::optional<std::string>(saved) : std::nullopt;
  setenv("HOME", "/home/anna", 1);
  EXPECT_EQ(DefaultStartFolder(), "/home/anna/");
  setenv("HOME", "/home/anna/", 1);
  EXPECT_EQ(DefaultStartFolder(), "/home/anna/");
  if (home) {
    setenv("HOME", home->c_str(), 1);
  } else {
    unsetenv("HOME");
  }
}

TEST_F(UserSettingsTest, UnwritableStoreIsReported) {
  std::ofstream(temp_.Path() + "blocker") << "a file where the store's folder should go";
  program_.RegistryFolder = temp_.Path() + "blocker/registry";
  EXPECT_FALSE(SaveUserSetting(program_, "Paths", "Open", "/x/"));
  EXPECT_EQ(GetUserSetting(program_, "Paths", "Open", "/fallback/"), "/fallback/");
}

TEST_F(UserSettingsTest, GetKeyValueReadsOneStringValue) {
  Registry reg(temp_.Path());
  const std::string key = "SOFTWARE\\Tools\\Info";
  ASSERT_TRUE(reg.SetString(Root::LocalMachine, key, "PATH", "/usr/bin/info-tool"));
  ASSERT_TRUE(reg.SetString(Root::LocalMachine, key, "Terminated", std::string("/opt/tool\0", 10)));
  ASSERT_TRUE(reg.SetString(Root::LocalMachine, key, "Empty", ""));
  const struct {
    Root root;
    std::string key;
    std::string name;
    bool found;
    std::string value;
  } cases[] = {
      {Root::LocalMachine, key, "PATH", true, "/usr/bin/info-tool"},
      {Root::LocalMachine, "software\\tools\\INFO", "path", true, "/usr/bin/info-tool"},
      {Root::LocalMachine, key, "Terminated", true, "/opt/tool"},
      {Root::LocalMachine, key, "Empty", true, ""},
      {Root::LocalMachine, key, "Missing", false, ""},
      {Root::LocalMachine, "SOFTWARE\\Other", "PATH", false, ""},
      {Root::CurrentUser, key, "PATH", false, ""},
  };
  for (const auto& c : cases) {
    std::string value = "left over from before";
    EXPECT_EQ(GetKeyValue(program_, c.root, c.key, c.name, value), c.found) << c.key << " " << c.name;
    EXPECT_EQ(value, c.value) << c.key << " " << c.name;
  }
}

}  // namespace
}  // namespace tv::support
