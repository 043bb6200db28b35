#include "printing/print_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/calendar_time.h"
#include "testing/dxf_fixture.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"
#include "viewer/viewer_procedures.h"

namespace tv::printing {
namespace {

using test_support::CalendarTime;
using test_support::DxfFixture;
using test_support::ScriptedUi;
using test_support::TempFolder;

// Records what each command asked of the printer.
class RecordingDevice : public PrintDevice {
 public:
  struct Page {
    std::string drawingFile;  // "" for grid pages
    DrawingArea area = DrawingArea::Extents;
    bool blackWhite = false;
    grid::PrintOptions gridOptions;
  };
  bool BeginJob(const core::PrintSetup& setup, const std::string& title, std::string&) override {
    ++jobs;
    lastSetup = setup;
    lastTitle = title;
    return true;
  }
  bool PrintDrawing(const drawing::Drawing& drawing, DrawingArea area, bool blackWhite,
                    std::string& error) override {
    if (failPages) {
      error = "The printer is out of paper.";
      return false;
    }
    pages.push_back({drawing.DrawingFile(), area, blackWhite, {}});
    return true;
  }
  bool PrintGrid(const grid::Grid& grid, std::string&) override {
    pages.push_back({"", DrawingArea::Extents, false, grid.Printing()});
    return true;
  }
  bool EndJob(std::string&) override {
    ++endedJobs;
    return true;
  }

  int jobs = 0, endedJobs = 0;
  bool failPages = false;
  core::PrintSetup lastSetup;
  std::string lastTitle;
  std::vector<Page> pages;
};

class PrintCommandsTest : public ::testing::Test {
 protected:
  std::string Sheet(const std::string& name) {
    return folder.Write(name, DxfFixture().LineRect("BORDER", 0, 0, 100, 50).Dxf());
  }

  TempFolder folder;
  ScriptedUi ui;
  core::Program program{ui};
  RecordingDevice device;
  core::PrintSetup setup{2, "Office", 7, 9};
};

TEST_F(PrintCommandsTest, CancelInTheSetUpPrintsNothing) {
  const std::function<void()> commands[] = {
      [&] { mFPrintCurrentView_Click(program, device); },
      [&] { mFPrintExtents_Click(program, device); },
      [&] { mfPAN_Click(program, device); },
      [&] { mFPrtMPL_Click(program, device, std::tm{}); },
  };
  program.NestFiles = {Sheet("N001.DXF")};
  for (const auto& command : commands) {
    ui.ExpectPrintSetup(std::nullopt);
    command();
  }
  EXPECT_EQ(ui.PrintSetupCalls(), 4);
  EXPECT_EQ(device.jobs, 0);
  EXPECT_TRUE(device.pages.empty());
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(program.MPL.Printing().header, "");
}

TEST_F(PrintCommandsTest, NothingIsPrintedWhileARunIsInProgress) {
  program.NestFiles = {Sheet("N001.DXF")};
  program.RunInProgress = true;
  mFPrintCurrentView_Click(program, device);
  mFPrintExtents_Click(program, device);
  mfPAN_Click(program, device);
  mFPrtMPL_Click(program, device, std::tm{});
  EXPECT_EQ(ui.PrintSetupCalls(), 0);
  EXPECT_EQ(device.jobs, 0);
  EXPECT_EQ(program.DXF1.DrawingFile(), "");
}

TEST_F(PrintCommandsTest, ViewAndExtentsPrintTheViewersDrawingOnceWithTheChosenSetUp) {
  ASSERT_TRUE(viewer::ShowDxf(program, Sheet("Part.DXF")));
  program.DXF1.SetPrintBlackWhite(true);
  ui.ExpectPrintSetup(setup).ExpectPrintSetup(setup);
  mFPrintCurrentView_Click(program, device);
  mFPrintExtents_Click(program, device);
  ASSERT_EQ(device.pages.size(), 2u);
  EXPECT_EQ(device.pages[0].area, DrawingArea::CurrentView);
  EXPECT_EQ(device.pages[1].area, DrawingArea::Extents);
  EXPECT_TRUE(device.pages[1].blackWhite);
  EXPECT_EQ(device.pages[1].drawingFile, folder.Path() + "Part.DXF");
  EXPECT_EQ(device.lastSetup, setup);
  EXPECT_EQ(device.lastTitle, "Part.DXF");
  EXPECT_EQ(device.endedJobs, 2);
}

TEST_F(PrintCommandsTest, AllNestsSkipsADeletedSheetAndShowsTheEarlierDrawingAgain) {
  const std::string earlier = Sheet("Earlier.DXF");
  ASSERT_TRUE(viewer::ShowDxf(program, earlier));
  const std::string earlierCaption = program.ViewerCaption;
  program.NestFiles = {Sheet("NEST001.DXF"), Sheet("NEST002.DXF"), Sheet("NEST003.DXF")};
  std::filesystem::remove(program.NestFiles[1]);
  ui.ExpectPrintSetup(setup);
  mfPAN_Click(program, device);
  ASSERT_EQ(device.pages.size(), 2u);
  EXPECT_EQ(device.pages[0].drawingFile, program.NestFiles[0]);
  EXPECT_EQ(device.pages[1].drawingFile, program.NestFiles[2]);
  EXPECT_EQ(device.pages[0].area, DrawingArea::Extents);
  EXPECT_EQ(device.jobs, 1);
  EXPECT_EQ(device.endedJobs, 1);
  EXPECT_EQ(program.DXF1.DrawingFile(), earlier);
  EXPECT_EQ(program.ViewerCaption, earlierCaption);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(PrintCommandsTest, AllNestsBeforeAnyRunPrintsNothingAndKeepsTheViewer) {
  const std::string earlier = Sheet("Earlier.DXF");
  ASSERT_TRUE(viewer::ShowDxf(program, earlier));
  ui.ExpectPrintSetup(setup);
  mfPAN_Click(program, device);
  EXPECT_EQ(device.jobs, 0);
  EXPECT_TRUE(device.pages.empty());
  EXPECT_EQ(program.DXF1.DrawingFile(), earlier);
}

TEST_F(PrintCommandsTest, AFailedPageIsReportedAndTheViewerStillRestored) {
  const std::string earlier = Sheet("Earlier.DXF");
  ASSERT_TRUE(viewer::ShowDxf(program, earlier));
  program.NestFiles = {Sheet("NEST001.DXF"), Sheet("NEST002.DXF")};
  device.failPages = true;
  ui.ExpectPrintSetup(setup);
  mfPAN_Click(program, device);
  EXPECT_EQ(ui.CountMessages("out of paper"), 1u);
  EXPECT_EQ(device.endedJobs, 1);
  EXPECT_EQ(program.DXF1.DrawingFile(), earlier);
}

TEST_F(PrintCommandsTest, PullListPrintsWithTheJobHeaderMarginAndOrientation) {
  program.JobName = "K12";
  const std::tm when = CalendarTime(2024, 3, 5, 14, 7, 9);
  ui.ExpectPrintSetup(setup);
  mFPrtMPL_Click(program, device, when);
  ASSERT_EQ(device.pages.size(), 1u);
  const grid::PrintOptions& printed = device.pages[0].gridOptions;
  EXPECT_EQ(printed.header, "Job: K12           03-05-2024    14:07:09");
  EXPECT_EQ(printed.margin, 500);
  EXPECT_EQ(printed.orientation, grid::Orientation::Landscape);

  setup.orientation = 1;
  ui.ExpectPrintSetup(setup);
  mFPrtMPL_Click(program, device, when);
  EXPECT_EQ(device.pages.back().gridOptions.orientation, grid::Orientation::Portrait);
}

TEST(PullListHeader, PadsDateAndTimeAndKeepsAnEmptyJob) {
  EXPECT_EQ(PullListHeader("", CalendarTime(1999, 12, 31, 23, 59, 0)),
            "Job: " + std::string(11, ' ') + "12-31-1999    23:59:00");
}

}  // namespace
}  // namespace tv::printing
