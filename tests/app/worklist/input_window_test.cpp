// The input window's logic: its load at start-up (configuration file, splash, folders, stale
// batch request), the source folder and its dialog, the popup requests and the file lists.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/config_commands.h"
#include "settings/setting_lookup.h"
#include "support/folder_list.h"
#include "support/ini.h"
#include "text/ascii_text.h"
#include "worklist/input_window.h"
#include "worklist/listed_file_removal.h"
#include "worklist/row_builder.h"
#include "worklist/work_list.h"
#include "worklist/worklist_files.h"
#include "worklist_fixture.h"

namespace tv::worklist::testing {
namespace {

using core::MsgIcon;
using core::MsgResult;

class InputWindowTest : public WorkListTest {
 protected:
  void WriteConfig(const std::string& name, const std::string& nestName, const std::string& extra = "") {
    WriteText(program.AppDir + name, "Nest Name," + nestName + "\r\n" + extra);
  }
  InputWindowLoad Load() { return InputWindow_Load(program); }
  std::vector<std::string> Items(const core::FileListState& list) { return list.Items; }
};

TEST_F(InputWindowTest, TheConfigurationFileIsTheNamedOneElseTavoElsePlat) {
  struct Case {
    const char* cfgFileInIni;
    std::vector<std::string> present;
    std::string loaded;  // caption expected; the nest name is the caption upper-cased
  };
  const std::vector<Case> cases = {
      {"", {"Tavo.CFG", "Plat.CFG"}, "Tavo.CFG"},
      {"Shop.CFG", {"Shop.CFG", "Tavo.CFG"}, "Shop.CFG"},
      {"Shop.CFG", {"Tavo.CFG", "Plat.CFG"}, "Plat.CFG"},  // a missing named file falls back to Plat
      {"", {"Plat.CFG"}, "Plat.CFG"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.loaded + " from [" + c.cfgFileInIni + "]");
    std::filesystem::remove_all(program.AppDir);
    std::filesystem::create_directories(program.AppDir);
    support::WriteIni(program, "Config", "CfgFile", c.cfgFileInIni);
    for (const std::string& name : c.present) WriteConfig(name, name);
    ui.ClearMessages();

    EXPECT_EQ(Load(), InputWindowLoad::Loaded);
    EXPECT_EQ(program.FrameSetCaption, c.loaded);
    EXPECT_EQ(program.CurrentNestName, text::UpperAscii(c.loaded));
  }
}

// "CfgFile = shop.cfg" written by hand was taken as " shop.cfg", which no file is.
TEST_F(InputWindowTest, AHandEditedCfgFileLineNamesItsFile) {
  WriteText(program.IniPath, "[Config]\r\nCfgFile = shop.cfg \r\n");
  WriteConfig("shop.cfg", "shop");
  WriteConfig("Tavo.CFG", "tavo");
  EXPECT_EQ(Load(), InputWindowLoad::Loaded);
  EXPECT_EQ(program.FrameSetCaption, "shop.cfg");
  EXPECT_EQ(program.CurrentNestName, "SHOP");
}

TEST_F(InputWindowTest, WithoutAConfigurationFileTheLoadEndsNamingTheDefaultFile) {
  support::WriteIni(program, "Config", "CfgFile", "Shop.CFG");
  EXPECT_EQ(Load(), InputWindowLoad::NoConfiguration);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().text, program.AppDir + "Tavo.CFG\r\rConfiguration file not found");
  EXPECT_EQ(ui.LastMessage().title, "");
  EXPECT_EQ(ui.LastMessage().icon, MsgIcon::Critical);
  EXPECT_EQ(program.FrameSetCaption, "System Settings");
}

// At start-up there is nothing earlier to keep: the settings read before a bad line are used,
// the operator is told, and the shut-down save leaves the file alone until settings are saved
// or loaded.
TEST_F(InputWindowTest, AConfigurationDamagedAtStartUpIsUsedAsReadAndNotWrittenBack) {
  WriteText(program.AppDir + "Tavo.CFG", "Nest Name,first\r\nPerimeter Margin 10\r\nTag Parts,YES\r\n");
  EXPECT_TRUE(program.ConfigMayBeWrittenBack);
  EXPECT_EQ(Load(), InputWindowLoad::Loaded);
  EXPECT_EQ(program.FrameSetCaption, "Tavo.CFG");
  EXPECT_EQ(program.CurrentNestName, "FIRST");
  EXPECT_FALSE(program.TagParts);
  ASSERT_GE(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text, "Configuration file could not be loaded:\r" + program.AppDir +
                                       "Tavo.CFG\rline 2: no comma between name and value");
  EXPECT_FALSE(program.ConfigMayBeWrittenBack);

  // A load that fails does not lift the protection; saving does, and so does a good load.
  WriteText(program.AppDir + "Shop.cfg", "Nest Name,shop\r\n");
  settings::BtnSaveCfg_Click(program, 1);
  EXPECT_TRUE(program.ConfigMayBeWrittenBack);
  program.ConfigMayBeWrittenBack = false;
  ui.ExpectQuestion("Load Configuration (Shop.cfg) Specified in Worklist?", MsgResult::Yes);
  EXPECT_FALSE(settings::HandleConfigLine(program, "TAVOLIN CONFIGURATION = Shop.cfg", 0));
  EXPECT_TRUE(program.ConfigMayBeWrittenBack);
}

TEST_F(InputWindowTest, TheSplashStaysThreeSecondsAlsoAcrossMidnight) {
  WriteConfig("Tavo.CFG", "n");
  struct Case {
    float splashStart;
    double now;
    double wait;  // 0 = none
  };
  for (const Case& c :
       std::vector<Case>{{86399, 0.5, 1.5}, {100, 101, 2}, {100, 103.5, 0}, {86398, 86399, 2}}) {
    program.SplashStart = c.splashStart;
    ui.SetTimeOfDay(c.now);
    const size_t waitsBefore = ui.Waits().size();
    const int closesBefore = ui.SplashCloseCalls();
    Load();
    if (c.wait > 0) {
      ASSERT_EQ(ui.Waits().size(), waitsBefore + 1) << c.splashStart;
      EXPECT_NEAR(ui.Waits().back(), c.wait, 1e-3) << c.splashStart;
    } else {
      EXPECT_EQ(ui.Waits().size(), waitsBefore) << c.splashStart;
    }
    EXPECT_EQ(ui.SplashCloseCalls(), closesBefore + 1);
  }
}

TEST_F(InputWindowTest, ShortNestAndCsvFoldersGetTheDefaultsWrittenBackIntoTheSettings) {
  WriteConfig("Tavo.CFG", "n", "NEST PATH,C:\\\r\nCSV Path,\r\nOther,x\r\n");
  support::WriteIni(program, "Config", "DimensionTolerance", " 0.5");
  EXPECT_EQ(Load(), InputWindowLoad::Loaded);

  EXPECT_EQ(program.NestPath, program.AppDir + "Nests/");
  EXPECT_EQ(program.CsvPath, program.AppDir + "CSV/");
  EXPECT_TRUE(std::filesystem::is_directory(program.AppDir + "Nests"));
  EXPECT_TRUE(std::filesystem::is_directory(program.AppDir + "CSV"));
  EXPECT_EQ(program.Settings.CellText(settings::FindSettingRow(program, "NEST PATH"), 2),
            program.AppDir + "Nests/");
  EXPECT_EQ(program.Settings.CellText(settings::FindSettingRow(program, "CSV Path"), 2),
            program.AppDir + "CSV/");
  EXPECT_EQ(program.Input.NestList.Path, program.AppDir + "Nests/");
  EXPECT_DOUBLE_EQ(program.DimensionTolerance, 0.5);
  EXPECT_TRUE(program.MetricUnits);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(InputWindowTest, AMissingNestFolderIsReportedAndTheListKeepsItsFolder) {
  WriteConfig("Tavo.CFG", "n", "NEST PATH," + (root / "gone").string() + "/\r\n");
  EXPECT_EQ(Load(), InputWindowLoad::Loaded);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().text, "Nest Path Not Found\r" + program.NestPath);
  EXPECT_EQ(ui.LastMessage().title, "Alert!");
  EXPECT_EQ(program.Input.NestList.Path, "");
}

TEST_F(InputWindowTest, TheSourceFolderComesFromTheIniAndAStaleBatchRequestGoes) {
  WriteConfig("Tavo.CFG", "n");
  const std::string source = Folder("source");
  for (const char* name : {"b.DXF", "A.dxf", "c.dxf", "notes.txt", "Batch.lst"}) WriteText(source + name, "");
  support::WriteIni(program, "Config", "SourceDir", source);
  Load();
  EXPECT_EQ(program.Input.SourceFolderText, source);
  EXPECT_EQ(program.Input.SourceFolderTip, source);
  EXPECT_TRUE(program.Input.SourceList.Visible);
  EXPECT_EQ(Items(program.Input.SourceList), (std::vector<std::string>{"A.dxf", "b.DXF", "c.dxf"}));
  EXPECT_FALSE(std::filesystem::exists(source + "Batch.lst"));
}

TEST_F(InputWindowTest, AStaleBatchRequestGoesAlsoFromAFolderWrittenWithoutItsSeparator) {
  WriteConfig("Tavo.CFG", "n");
  std::string source = Folder("source");
  WriteText(source + "Batch.lst", "Door1\r\n");
  source.pop_back();
  support::WriteIni(program, "Config", "SourceDir", source);
  Load();
  EXPECT_FALSE(std::filesystem::exists(source + "/Batch.lst"));
}

TEST_F(InputWindowTest, AFolderTheListCannotShowHidesIt) {
  for (const std::string& text :
       {std::string(), (root / "nowhere").string() + "/", std::string("C:\\Jobs\\")}) {
    SPath_Change(program, Folder("ok"));
    EXPECT_TRUE(program.Input.SourceList.Visible);
    SPath_Change(program, text);
    EXPECT_EQ(program.Input.SourceFolderText, text);
    EXPECT_FALSE(program.Input.SourceList.Visible) << text;
    EXPECT_TRUE(program.Input.SourceList.Items.empty());
  }
}

TEST_F(InputWindowTest, BrowsingSetsTheFolderAndCancelRestoresTheOldOne) {
  const std::string before = Folder("before");
  const std::string chosen = (root / "chosen").string();
  Folder("chosen");
  WriteText(chosen + "/Part.dxf", "");
  SPath_Change(program, before);

  ui.ExpectFolderChoice(chosen, "Select source path for DXF files.");
  PBrwseS_Click(program);
  EXPECT_EQ(program.Input.SourceFolderText, chosen + "/");
  EXPECT_EQ(Items(program.Input.SourceList), std::vector<std::string>{"Part.dxf"});
  EXPECT_EQ(support::ReadIni(program, "Config", "SourceDir"), chosen + "/");
  EXPECT_EQ(ui.FolderChoices().back().title, "Path Browser");
  EXPECT_EQ(ui.FolderChoices().back().startFolder, before);
  EXPECT_TRUE(program.Input.BatchWatcherOn);

  // The list follows the selection while the dialog is open; Cancel brings the old folder
  // back and remembers it all the same.
  support::WriteIni(program, "Config", "SourceDir", "");
  ui.MoveFolderSelection({before, (root / "gone").string()}).ExpectFolderChoice(std::nullopt);
  PBrwseS_Click(program);
  EXPECT_EQ(program.Input.SourceFolderText, chosen + "/");
  EXPECT_EQ(program.Input.SourceFolderTip, chosen + "/");
  EXPECT_EQ(support::ReadIni(program, "Config", "SourceDir"), chosen + "/");
  EXPECT_EQ(Items(program.Input.SourceList), std::vector<std::string>{"Part.dxf"});
  EXPECT_TRUE(program.Input.SourceList.Visible);
}

TEST_F(InputWindowTest, DeletingRowsForgetsTheUnitKindOnlyWhenTheListIsEmptied) {
  InstallWorkListEvents(program);
  const char* names[] = {"P1.dxf", "P2.dxf", "P3.dxf", "P4.dxf"};
  for (long row = 1; row <= 4; ++row) SetRow(row, {"1", "1", names[row - 1]});
  program.BatchUnitState = 2;

  program.PList.AddSelection({2, 1, 3, kWorkListCols});
  program.PopupDeleteRequested = true;
  ui.ExpectQuestion("Delete selected entries in Process List?", MsgResult::Yes);
  EXPECT_EQ(WorkListPopupClosed(program), PopupRequest::Delete);
  EXPECT_EQ(Cell(1, kColFileName), "P1.dxf");
  EXPECT_EQ(Cell(2, kColFileName), "P4.dxf");
  EXPECT_EQ(Cell(3, kColFileName), "");
  EXPECT_EQ(program.BatchUnitState, 2);
  EXPECT_FALSE(program.PList.IsBlockSelected());
  EXPECT_FALSE(program.PopupDeleteRequested);

  // Answering No deletes nothing but still drops the selection.
  program.PList.AddSelection({1, 1, 2, kWorkListCols});
  program.PopupDeleteRequested = true;
  ui.ExpectQuestion("Delete selected entries", MsgResult::No);
  WorkListPopupClosed(program);
  EXPECT_EQ(Cell(2, kColFileName), "P4.dxf");
  EXPECT_FALSE(program.PList.IsBlockSelected());

  program.PList.AddSelection({1, 1, 2, kWorkListCols});
  program.PopupDeleteRequested = true;
  ui.ExpectQuestion("Delete selected entries", MsgResult::Yes);
  WorkListPopupClosed(program);
  EXPECT_EQ(Cell(1, kColFileName), "");
  EXPECT_EQ(program.BatchUnitState, 0);
  EXPECT_FALSE(program.Input.ProcEnabled);
}

TEST_F(InputWindowTest, CheckUncheckFollowsTheFirstSelectedRowAndClearAsksFirst) {
  InstallWorkListEvents(program);
  SetRow(1, {"0", "1", "a.dxf"});
  SetRow(2, {"1", "1", "b.dxf"});
  SetRow(3, {"0", "1", "c.dxf"});
  program.PList.AddSelection({2, 3, 3, 3});
  program.PopupCheckUncheckRequested = true;
  EXPECT_EQ(WorkListPopupClosed(program), PopupRequest::CheckUncheck);
  EXPECT_EQ(Cell(1, kColOk) + Cell(2, kColOk) + Cell(3, kColOk), "000");
  EXPECT_FALSE(program.Input.ProcEnabled);
  program.PopupCheckUncheckRequested = true;
  WorkListPopupClosed(program);
  EXPECT_EQ(Cell(1, kColOk) + Cell(2, kColOk) + Cell(3, kColOk), "011");
  EXPECT_TRUE(program.Input.ProcEnabled);

  program.PopupClearWorkListRequested = true;
  ui.ExpectQuestion("Delete all entries in Process List?", MsgResult::No);
  EXPECT_EQ(WorkListPopupClosed(program), PopupRequest::ClearWorkList);
  EXPECT_EQ(Cell(1, kColFileName), "a.dxf");
  program.PopupClearWorkListRequested = true;
  ui.ExpectQuestion("Delete all entries in Process List?", MsgResult::Yes);
  WorkListPopupClosed(program);
  EXPECT_EQ(Cell(1, kColFileName), "");

  // Expand comes first and is the window's own business: nothing else happens.
  program.PopupExpandRequested = true;
  program.PopupClearWorkListRequested = true;
  EXPECT_EQ(WorkListPopupClosed(program), PopupRequest::Expand);
  EXPECT_FALSE(program.PopupExpandRequested || program.PopupClearWorkListRequested);
}

TEST_F(InputWindowTest, SourceListDeleteRemovesOnlyTheSelectedFilesAfterAsking) {
  const std::string source = Folder("source");
  for (const char* name : {"a.dxf", "b.dxf", "c.dxf"}) WriteText(source + name, "");
  SPath_Change(program, source);
  program.Input.SourceList.Selected = {true, false, true};

  program.PopupDeleteRequested = true;
  ui.ExpectQuestion("Delete selected DXF files?", MsgResult::No);
  EXPECT_EQ(SourceListPopupClosed(program), PopupRequest::Delete);
  EXPECT_EQ(Items(program.Input.SourceList).size(), 3u);

  program.PopupDeleteRequested = true;
  ui.ExpectQuestion("Delete selected DXF files?", MsgResult::Yes);
  SourceListPopupClosed(program);
  EXPECT_EQ(Items(program.Input.SourceList), std::vector<std::string>{"b.dxf"});
  EXPECT_FALSE(program.PopupDeleteRequested);
}

TEST_F(InputWindowTest, ClearingTheNestFolderDeletesExactlyTheListedFiles) {
  program.NestPath = Folder("nests");
  // A name with a "*" in it must not take other files with it.
  for (const char* name : {"JOB001.DXF", "JOB*.DXF"}) WriteText(program.NestPath + name, "");
  support::SetFileListPath(program.Input.NestList, program.NestPath);
  WriteText(program.NestPath + "JOB002.DXF", "");  // arrives after the list was read

  ClearDestDir(program);
  EXPECT_FALSE(std::filesystem::exists(program.NestPath + "JOB001.DXF"));
  EXPECT_FALSE(std::filesystem::exists(program.NestPath + "JOB*.DXF"));
  EXPECT_TRUE(std::filesystem::exists(program.NestPath + "JOB002.DXF"));
  EXPECT_EQ(Items(program.Input.NestList), std::vector<std::string>{"JOB002.DXF"});
}

TEST_F(InputWindowTest, ClearingTheNestFolderNeverReachesOutsideIt) {
  const std::string jobs = Folder("jobs");
  program.NestPath = Folder("jobs/nests");
  // The shop's own drawings next to the nest folder, and a listed file whose name, read with
  // "\" as a separator, would point at them.
  for (const char* name : {"victim.DXF", "VICTIM.dxf"}) WriteText(jobs + name, "keep");
  WriteText(program.NestPath + "..\\victim.DXF", "listed");
  WriteText(program.NestPath + "..\\VICTIM.DXF", "listed");
  support::SetFileListPath(program.Input.NestList, program.NestPath);
  ASSERT_EQ(Items(program.Input.NestList).size(), 2u);

  ClearDestDir(program);
  EXPECT_TRUE(std::filesystem::exists(jobs + "victim.DXF"));
  EXPECT_TRUE(std::filesystem::exists(jobs + "VICTIM.dxf"));
  EXPECT_TRUE(Items(program.Input.NestList).empty());  // the listed files themselves went
}

TEST_F(InputWindowTest, ClearingANestFolderTheListDoesNotShowDeletesNothingThere) {
  const std::string shown = Folder("old nests");
  WriteText(shown + "JOB001.DXF", "");
  support::SetFileListPath(program.Input.NestList, shown);
  // A new nest folder typed since: the user never saw its files listed.
  program.NestPath = Folder("new nests");
  for (const char* name : {"JOB001.DXF", "JOB002.DXF"}) WriteText(program.NestPath + name, "");

  ClearDestDir(program);
  EXPECT_TRUE(std::filesystem::exists(program.NestPath + "JOB001.DXF"));
  EXPECT_TRUE(std::filesystem::exists(program.NestPath + "JOB002.DXF"));
  EXPECT_TRUE(std::filesystem::exists(shown + "JOB001.DXF"));
}

TEST_F(InputWindowTest, ADeletedNameIsOneFileDirectlyInsideItsFolder) {
  const std::string parent = Folder("p");
  const std::string folder = Folder("p/f");
  WriteText(parent + "x.DXF", "keep");
  Folder("p/f/sub");
  WriteText(folder + "sub/y.DXF", "keep");
  WriteText(folder + "..\\x.DXF", "literal");
  const struct {
    const char* name;
    bool deleted;
  } cases[] = {
      {"../x.DXF", false},  {"..", false},  {".", false},        {"", false},
      {"sub/y.DXF", false}, {"sub", false}, {"..\\x.DXF", true},  // an ordinary name here, not a way up
  };
  for (const auto& c : cases) EXPECT_EQ(DeleteListedFile(folder, c.name), c.deleted) << "'" << c.name << "'";
  EXPECT_TRUE(std::filesystem::exists(parent + "x.DXF"));
  EXPECT_TRUE(std::filesystem::exists(folder + "sub/y.DXF"));
  EXPECT_FALSE(std::filesystem::exists(folder + "..\\x.DXF"));
}

TEST_F(InputWindowTest, DeleteAllSourceFilesOnlyAfterAClickInTheSourceList) {
  const std::string source = Folder("source");
  for (const char* name : {"a.dxf", "b.dxf"}) WriteText(source + name, "");
  SPath_Change(program, source);

  program.SourceListClicked = false;
  DeleteAllSourceFiles(program);  // asks nothing
  EXPECT_EQ(Items(program.Input.SourceList).size(), 2u);

  program.SourceListClicked = true;
  ui.ExpectQuestion("Delete all DXF files in Source Directory?", MsgResult::Yes);
  DeleteAllSourceFiles(program);
  EXPECT_TRUE(Items(program.Input.SourceList).empty());
}

TEST_F(InputWindowTest, WorkListFocusAndItsTipOnTheFirstFourRequests) {
  InstallWorkListEvents(program);
  program.PList.RaiseGotFocus();
  EXPECT_EQ(program.FocusedGrid, 1);
  int shown = 0;
  for (int i = 0; i < 6; ++i) {
    std::string tip;
    if (program.PList.FetchTextTip(1, 1, tip)) {
      ++shown;
      EXPECT_EQ(tip, "Work List of Files to Process into Nest *** Right Click for Menu.");
    }
  }
  EXPECT_EQ(shown, 4);
}

TEST_F(InputWindowTest, ClicksShowTheDrawingOfTheListOrRow) {
  InstallWorkListEvents(program);
  SPath_Change(program, SampleFolder("Parts"));
  File1_Click(program, 0);  // B1_Back.dxf
  EXPECT_TRUE(program.SourceListClicked);
  EXPECT_EQ(program.ViewerCaption, "2417 B1 Back");

  program.NestPath = SampleFolder("InchJob");
  support::SetFileListPath(program.Input.NestList, program.NestPath);
  File2_Click(program, 0);  // V1_Bottom.dxf
  EXPECT_EQ(program.ViewerCaption, "2418 V1 Bottom");

  SetRow(1, {"1", "1", "b1_door.DXF"});
  SetWorkListCell(program, 1, kColPath, SampleFolder("Parts"));
  program.PList.RaiseDblClick(kColJob, 1);
  EXPECT_FALSE(program.SourceListClicked);
  EXPECT_EQ(program.ViewerCaption, "2417 B1 Door");
}

TEST_F(InputWindowTest, AClickedDrawingThatCannotBeShownSaysWhyAndTheViewerKeepsItsDrawing) {
  SPath_Change(program, SampleFolder("Parts"));
  File1_Click(program, 0);
  ASSERT_EQ(program.ViewerCaption, "2417 B1 Back");
  ASSERT_EQ(ui.Messages().size(), 0u);

  const std::string folder = program.AppDir + "Broken/";
  WriteText(folder + "Bad.dxf", "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nten\n");
  SPath_Change(program, folder);
  File1_Click(program, 0);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_NE(ui.LastMessage().text.find("Drawing not shown"), std::string::npos);
  EXPECT_NE(ui.LastMessage().text.find("Bad.dxf"), std::string::npos) << ui.LastMessage().text;
  EXPECT_EQ(program.ViewerCaption, "2417 B1 Back");
}

TEST_F(InputWindowTest, CommandsThatChangeTheWorkListWaitWhileARunIsInProgress) {
  InstallWorkListEvents(program);
  SetRow(1, {"1", "1", "b.dxf", "", "", "", "", "PINE"});
  SetRow(2, {"1", "1", "a.dxf", "", "", "", "", "ASH"});
  SPath_Change(program, SampleFolder("Parts"));
  program.Input.SourceList.Selected.assign(program.Input.SourceList.Items.size(), true);
  program.PList.AddSelection({1, 1, 2, kWorkListCols});
  program.RunInProgress = true;

  // None of these may ask anything (the scripted Ui would fail the test) or change the list.
  AddFile_Click(program);
  LoadWorkList(program);
  ImportWorkList(program);
  program.PList.RaiseDblClick(kColFileName, 0);
  for (bool* request : {&program.PopupDeleteRequested, &program.PopupCheckUncheckRequested,
                        &program.PopupClearWorkListRequested}) {
    *request = true;
    WorkListPopupClosed(program);
  }
  EXPECT_EQ(Cell(1, kColFileName), "b.dxf");
  EXPECT_EQ(Cell(2, kColFileName), "a.dxf");
  EXPECT_EQ(Cell(3, kColFileName), "");
  EXPECT_EQ(Cell(1, kColOk), "1");
}

}  // namespace
}  // namespace tv::worklist::testing
