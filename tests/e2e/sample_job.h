// The sample program folder copied to a temporary directory and started headless: settings from
// its "Tavo.CFG", sheet stock from its "Mat.dat", the kitchen job's drawings in the source list.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/program.h"
#include "drawing/drawing.h"
#include "settings/setting_lookup.h"
#include "stock/stock_window.h"
#include "testing/cat.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"
#include "worklist/input_window.h"
#include "worklist/row_builder.h"

namespace tv::e2e {

namespace fs = std::filesystem;

using test_support::Cat;

class SampleJob : public ::testing::Test {
 protected:
  SampleJob() : program(ui) {
    fs::copy(fs::path(TAVOLIN_SOURCE_DIR) / "samples", root, fs::copy_options::recursive);
    program.AppDir = root.string() + "/";
    program.IniPath = program.AppDir + "TAVO.INI";
    program.TmpDir = program.AppDir + "TMP/";
    program.NestTmpDir = program.AppDir + "NestTmp/";
    program.RegistryFolder = TAVOLIN_BUILD_REGISTRY;
    program.PrinterFonts = [] {
      return std::optional<std::vector<std::string>>(std::vector<std::string>{"Arial"});
    };
    ui.SetTimeOfDay(36000);
    program.SplashStart = 36000;
  }
  // The input and material windows' loads, then the given job folder's drawings, all selected,
  // added to the work list.
  void StartWithJob(const std::string& folder = "Parts") {
    ASSERT_EQ(worklist::InputWindow_Load(program), worklist::InputWindowLoad::Loaded);
    stock::ShtStk_Load(program);
    worklist::SPath_Change(program, Cat(program.AppDir, folder, "/"));
    core::FileListState& source = program.Input.SourceList;
    ASSERT_FALSE(source.Items.empty());
    source.Selected.assign(source.Items.size(), true);
    worklist::AddFile_Click(program);
    ASSERT_TRUE(program.Input.ProcEnabled);
  }

  // Sets a YES/NO setting the way a click on its check box leaves it.
  void Flag(const std::string& name, bool on) {
    const long row = settings::FindSettingRow(program, name);
    ASSERT_GT(row, 0) << name;
    program.Settings.SetCellKindAt(row, 2, grid::Kind::CheckBox);
    program.Settings.SetCheckValueAt(row, 2, on ? 1 : 0);
    program.Settings.SetCheckCaptionAt(row, 2, on ? " Yes" : " No");
  }
  void Text(const std::string& name, const std::string& value) {
    ASSERT_GT(settings::FindSettingRow(program, name), 0) << name;
    settings::SetSettingValue(program, name, value);
  }

  std::string NestFolder() const { return program.AppDir + "Nests/"; }
  std::string CsvFolder() const { return program.AppDir + "CSV/"; }

  test_support::TempFolder temp;
  fs::path root = fs::path(temp.Path()).parent_path();
  test_support::ScriptedUi ui;
  core::Program program;
};

}  // namespace tv::e2e
