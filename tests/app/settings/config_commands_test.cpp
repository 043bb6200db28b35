// The configuration directive of imported work lists, the settings frame's buttons and the
// configuration-file dialog's logic.
#include <gtest/gtest.h>

#include "settings_fixture.h"
#include "support/ini.h"

namespace tv::settings {
namespace {

class ConfigCommands : public SettingsFixture {
 protected:
  void SetUp() override {
    WriteCfg("Tavo.CFG", "Drop Cut,NO\r\nNest Name,first\r\n");
    WriteCfg("Shop.cfg", "Drop Cut,YES\r\nNest Name,second\r\n");
    ASSERT_TRUE(LoadSettingsCSV(program_, program_.AppDir + "Tavo.CFG"));
    SetSettings(program_);
    program_.FrameSetCaption = "Tavo.CFG";
  }
};

TEST_F(ConfigCommands, DirectiveBeforeTheFirstRowOffersItsConfiguration) {
  EXPECT_TRUE(HandleConfigLine(program_, "1,K1_Side.dxf,2417", 0));
  EXPECT_TRUE(HandleConfigLine(program_, "Tavolin Configuration = Shop.cfg", 3));
  EXPECT_TRUE(ui_.Messages().empty());

  ui_.ExpectQuestion("Load Configuration (Shop.cfg) Specified in Worklist?", core::MsgResult::No);
  EXPECT_FALSE(HandleConfigLine(program_, "tavolin configuration =  Shop.cfg  ", 0));
  EXPECT_FALSE(program_.DropCut);
  EXPECT_EQ(program_.FrameSetCaption, "Tavo.CFG");

  ui_.ExpectQuestion("Load Configuration (Shop.cfg) Specified in Worklist?", core::MsgResult::Yes);
  EXPECT_FALSE(HandleConfigLine(program_, "Job 2417 TAVOLIN CONFIGURATION =Shop.cfg", 0));
  EXPECT_EQ(ui_.LastMessage().title, "Tavolin Notice");
  EXPECT_TRUE(program_.DropCut);
  EXPECT_EQ(program_.CurrentNestName, "SECOND");
  EXPECT_EQ(program_.FrameSetCaption, "Shop.cfg");
  // The name is remembered in the INI file only at shut-down.
  EXPECT_EQ(support::ReadIni(program_, "Config", "CfgFile"), "");
}

TEST_F(ConfigCommands, DirectiveNamingNoFileOfTheProgramFolderIsNotFound) {
  std::filesystem::create_directories(program_.AppDir + "sub");
  WriteCfg("sub/Other.cfg", "Drop Cut,YES\r\n");
  // A pattern names no one file, even when files of the folder match it.
  for (const char* name : {"Missing.cfg", "sub/Other.cfg", "../Tavo.CFG", "", "*.cfg", "Sho?.cfg"}) {
    ui_.ClearMessages();
    EXPECT_FALSE(HandleConfigLine(program_, std::string("TAVOLIN CONFIGURATION =") + name, 0)) << name;
    ASSERT_EQ(ui_.Messages().size(), 1u) << name;
    EXPECT_EQ(ui_.LastMessage().text,
              "Configuration (" + std::string(name) + ") Specified in Worklist\rNot Found.");
    EXPECT_EQ(ui_.LastMessage().icon, core::MsgIcon::Information);
    EXPECT_FALSE(program_.DropCut) << name;
  }
}

TEST_F(ConfigCommands, LoadButtonLoadsTheFilePickedInTheDialog) {
  std::string nameBox = "old text";
  ui_.Dialog = [&] {
    const LoadCfgView view = LoadCfg_Activate(program_, nameBox);
    EXPECT_EQ(view.caption, "Load Configuration File");
    EXPECT_EQ(view.nameBox, "old text");
    EXPECT_EQ(view.files, (std::vector<std::string>{"Shop.cfg", "Tavo.CFG"}));
    EXPECT_TRUE(LoadCfg_OK(program_, nameBox, std::string("Shop.cfg")));
  };
  BtnLoadCfg_Click(program_);
  EXPECT_EQ(program_.ChosenConfigPath, program_.AppDir + "Shop.cfg");
  EXPECT_EQ(program_.FrameSetCaption, "Shop.cfg");
  EXPECT_EQ(support::ReadIni(program_, "Config", "CfgFile"), "Shop.cfg");
  EXPECT_TRUE(program_.DropCut);
  EXPECT_EQ(nameBox, "old text");  // load mode leaves the name box alone
}

// A damaged configuration used to half-apply: the settings after the bad line were gone, and
// the shut-down save then wrote the shortened list over the file.
TEST_F(ConfigCommands, AConfigurationThatStopsLoadingChangesNothingAndSaysWhy) {
  support::WriteIni(program_, "Config", "CfgFile", "Tavo.CFG");
  const struct {
    const char* name;
    std::string bytes;
    const char* reason;
  } files[] = {
      {"no comma", "Drop Cut,YES\r\nNest Name second\r\nTag Parts,YES\r\n",
       "line 2: no comma between name and value"},
      {"NUL byte", std::string("Drop Cut,YES\r\nNest Name,se\0cond\r\n", 31),
       "line 2: unreadable characters"},
  };
  for (const auto& f : files) {
    for (const char* way : {"Load button", "directive"}) {
      SCOPED_TRACE(std::string(f.name) + " through the " + way);
      const std::string path = WriteCfg("Bad.cfg", f.bytes);
      ui_.ClearMessages();
      if (std::string(way) == "Load button") {
        std::string box;
        ui_.Dialog = [&] { EXPECT_TRUE(LoadCfg_OK(program_, box, std::string("Bad.cfg"))); };
        BtnLoadCfg_Click(program_);
      } else {
        ui_.ExpectQuestion("Load Configuration (Bad.cfg) Specified in Worklist?", core::MsgResult::Yes);
        EXPECT_FALSE(HandleConfigLine(program_, "TAVOLIN CONFIGURATION = Bad.cfg", 0));
      }
      EXPECT_EQ(ui_.CountMessages("Configuration file could not be loaded"), 1u);
      EXPECT_EQ(ui_.LastMessage().text, "Configuration file could not be loaded:\r" + path + "\r" + f.reason);
      EXPECT_EQ(ui_.LastMessage().icon, core::MsgIcon::Critical);
      EXPECT_EQ(program_.Settings.MaxRows(), 2);
      EXPECT_EQ(program_.Settings.CellText(2, 2), "first");
      EXPECT_FALSE(program_.DropCut);
      EXPECT_EQ(program_.FrameSetCaption, "Tavo.CFG");
      EXPECT_EQ(support::ReadIni(program_, "Config", "CfgFile"), "Tavo.CFG");
    }
  }
}

TEST_F(ConfigCommands, LoadDialogWithoutAChoiceChangesNothing) {
  const struct {
    const char* name;
    std::function<void(std::string&)> dialog;
  } cases[] = {
      {"cancel", [&](std::string&) { LoadCfg_Cancel(program_); }},
      {"OK without a selected file",
       [&](std::string& box) { EXPECT_TRUE(LoadCfg_OK(program_, box, std::nullopt)); }},
      {"closed without a button", [&](std::string&) {}},
  };
  for (const auto& c : cases) {
    program_.ChosenConfigPath = program_.AppDir + "Shop.cfg";  // left from an earlier use
    std::string box;
    ui_.Dialog = [&] { c.dialog(box); };
    BtnLoadCfg_Click(program_);
    EXPECT_EQ(program_.ChosenConfigPath, "") << c.name;
    EXPECT_FALSE(program_.DropCut) << c.name;
    EXPECT_EQ(program_.FrameSetCaption, "Tavo.CFG") << c.name;
  }
  EXPECT_EQ(support::ReadIni(program_, "Config", "CfgFile"), "");
}

TEST_F(ConfigCommands, SaveAsAddsTheExtensionWhenMissing) {
  const struct {
    const char* typed;
    const char* saved;
  } cases[] = {
      {"Night", "Night.CFG"},
      {"Night.cfg", "Night.cfg"},
      {"  Day.Cfg ", "Day.Cfg"},
      {"v1.2", "v1.2.CFG"},
  };
  for (const auto& c : cases) {
    std::string box;
    ui_.Dialog = [&] {
      const LoadCfgView view = LoadCfg_Activate(program_, "ignored");
      EXPECT_EQ(view.caption, "Save Configuration File");
      EXPECT_EQ(view.nameBox, program_.FrameSetCaption);
      EXPECT_TRUE(view.selectName);
      box = c.typed;
      EXPECT_TRUE(LoadCfg_OK(program_, box, std::nullopt));
    };
    const std::string before = program_.FrameSetCaption;
    BtnSaveCfg_Click(program_, 0);
    EXPECT_EQ(box, c.saved);
    EXPECT_EQ(program_.FrameSetCaption, c.saved);
    EXPECT_EQ(support::ReadIni(program_, "Config", "CfgFile"), c.saved);
    EXPECT_EQ(ReadFile(c.saved), "Drop Cut,NO\r\nNest Name,first\r\n");
    EXPECT_EQ(program_.SaveConfigName, "");
    EXPECT_NE(before, c.saved);
  }
}

TEST_F(ConfigCommands, SaveAsRefusesNamesThatAreNotOneFileOfTheProgramFolder) {
  for (const char* typed : {"", "   ", "../x", "sub/x.cfg", "*", "Night?.cfg"}) {
    std::string box = typed;
    program_.SaveConfigName = "Tavo.CFG";
    EXPECT_FALSE(LoadCfg_OK(program_, box, std::nullopt)) << typed;
    EXPECT_EQ(program_.FrameSetCaption, "Tavo.CFG");
  }
  EXPECT_FALSE(std::filesystem::exists(program_.AppDir + ".CFG"));
  EXPECT_FALSE(std::filesystem::exists(program_.AppDir + "*.CFG"));
  EXPECT_FALSE(std::filesystem::exists(program_.AppDir + "Night?.cfg"));
}

TEST_F(ConfigCommands, SaveWritesUnderTheCurrentNameAndReportsFailure) {
  program_.Settings.SetCellText(1, 1, "Drop Cut Length");
  program_.Settings.SetCellKindAt(1, 2, grid::Kind::Edit);
  program_.Settings.SetCellText(1, 2, "300");
  BtnSaveCfg_Click(program_, 1);
  EXPECT_EQ(ReadFile("Tavo.CFG"), "Drop Cut Length,300\r\nNest Name,first\r\n");
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_EQ(ui_.DialogShown, 0);

  std::filesystem::create_directories(program_.AppDir + "Locked.CFG");  // a folder in the file's place
  program_.FrameSetCaption = "Locked.CFG";
  BtnSaveCfg_Click(program_, 1);
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_NE(ui_.LastMessage().text.find("could not be saved"), std::string::npos);
}

TEST_F(ConfigCommands, ButtonsWaitWhileARunIsActive) {
  program_.RunInProgress = true;
  ui_.Dialog = [&] { ADD_FAILURE() << "no dialog during a run"; };
  BtnLoadCfg_Click(program_);
  BtnSaveCfg_Click(program_, 0);
  EXPECT_EQ(ui_.DialogShown, 0);
}

}  // namespace
}  // namespace tv::settings
