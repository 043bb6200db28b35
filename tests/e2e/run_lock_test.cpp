// A nesting run yields to the window system while it builds its sheets in the viewer's drawing.
// Clicks, edits, pastes and commands delivered at those yields must leave every file the run
// writes exactly as an undisturbed run writes it (but for the clock time on each sheet).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>

#include "commands/main_commands.h"
#include "nesting/run_driver.h"
#include "sample_job.h"
#include "settings/setting_lookup.h"
#include "stock/stock_window.h"
#include "worklist/input_window.h"

namespace tv::e2e {
namespace {

// Every file of the nest and CSV folders, without the lines that hold the clock time.
std::map<std::string, std::string> WrittenFiles(const std::vector<std::string>& folders) {
  std::map<std::string, std::string> files;
  for (const std::string& folder : folders) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      std::istringstream in(test_support::ReadText(entry.path()));
      std::string kept;
      for (std::string line; std::getline(in, line);) {
        if (line.find("TVV: ") == std::string::npos) kept += line + "\n";
      }
      files[entry.path().string()] = kept;
    }
  }
  return files;
}

class RunLockTest : public SampleJob {
 protected:
  // Everything an operator could do to the work list, the settings, the stock and the viewer
  // while the run waits for events.
  void Disturb() {
    ++disturbances_;
    worklist::File1_Click(program, 0);
    worklist::File2_Click(program, 0);
    program.PList.RaiseDblClick(3, 1);
    program.PList.RaiseDblClick(8, 0);
    program.PList.UserEditText(1, 2, "9");
    program.PList.UserClickButton(2, 1);
    program.PList.SetActiveCell(1, 9);
    program.PList.Paste("1\t1\t1");
    program.SSList.UserEditText(1, 6, "100");
    program.SSList.UserClickButton(1, 1);
    stock::SSList_CellChange(program, 2, 1);
    stock::SSList_ButtonClicked(program, 1, 1, 1);
    program.SSList.RaiseDblClick(2, 0);
    program.Settings.UserEditText(settings::FindSettingRow(program, "Perimeter Margin"), 2, "0");
    program.FocusedGrid = 1;
    commands::PasteFocusedGrid(program, "77");
    program.FocusedGrid = 2;
    commands::PasteFocusedGrid(program, "77");
    commands::SheetStockClear(program);
    commands::OpenDrawing(program);
    std::string lastName;
    commands::SaveDrawingAs(program, lastName);
  }

  int disturbances_ = 0;
};

TEST_F(RunLockTest, InputAtTheRunsYieldsChangesNoWrittenFile) {
  StartWithJob();
  std::vector<core::Change> notices;
  auto listening = program.Changes.Subscribe([&notices](core::Change c) { notices.push_back(c); });
  program.Input.NestList.BringToFront = false;
  nesting::Proc_Click(program);
  ASSERT_FALSE(program.NestFiles.empty());
  // The window was asked to show the nest list in front and, after the alerts, the viewer.
  EXPECT_TRUE(program.Input.NestList.BringToFront);
  for (const core::Change asked :
       {core::Change::RunState, core::Change::NestList, core::Change::ViewerFocus, core::Change::NestFiles,
        core::Change::ViewerCaption, core::Change::ProcEnabled}) {
    EXPECT_NE(std::find(notices.begin(), notices.end(), asked), notices.end()) << static_cast<int>(asked);
  }
  listening.Reset();
  const auto undisturbed = WrittenFiles({NestFolder(), CsvFolder()});
  for (const auto& message : ui.Messages()) ADD_FAILURE() << message.title << ": " << message.text;

  ui.SetProcessEventsHook([this] { Disturb(); });
  nesting::Proc_Click(program);
  ui.SetProcessEventsHook({});
  EXPECT_GT(disturbances_, 10);
  for (const auto& message : ui.Messages()) ADD_FAILURE() << message.title << ": " << message.text;

  const auto disturbed = WrittenFiles({NestFolder(), CsvFolder()});
  ASSERT_EQ(disturbed.size(), undisturbed.size());
  for (const auto& [path, bytes] : undisturbed) {
    const auto found = disturbed.find(path);
    ASSERT_NE(found, disturbed.end()) << path;
    EXPECT_TRUE(found->second == bytes) << path << " differs";
  }

  // After the run the same input is taken again.
  program.PList.UserEditText(1, 2, "9");
  EXPECT_EQ(program.PList.CellText(1, 2), "9");
}

}  // namespace
}  // namespace tv::e2e
