// The operations of IVrex on the engine: settings, table capacities, the trace log and what
// ReleaseData leaves behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "instance_fixture.h"
#include "optimizer.h"
#include "testing/temp_folder.h"

namespace sawplan {
namespace {

namespace fs = std::filesystem;
using fixture::NestingSettings;
using fixture::Panel;
using fixture::Part;

// Points $TMPDIR at a fresh folder for the test's trace logs.
class TraceLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* old = std::getenv("TMPDIR")) oldTmp_ = old;
    setenv("TMPDIR", folder_.c_str(), 1);
  }
  void TearDown() override {
    if (oldTmp_.empty()) {
      unsetenv("TMPDIR");
    } else {
      setenv("TMPDIR", oldTmp_.c_str(), 1);
    }
  }

  std::vector<fs::path> Logs() const {
    std::vector<fs::path> logs;
    for (const auto& entry : fs::directory_iterator(folder_)) logs.push_back(entry.path());
    return logs;
  }

  // The lines of the one log, without their "hh:mm - " stamps (checked here too).
  std::vector<std::string> LogLines() const {
    const std::vector<fs::path> logs = Logs();
    EXPECT_EQ(logs.size(), 1u);
    std::vector<std::string> lines;
    if (logs.size() != 1) return lines;
    std::ifstream in(logs[0]);
    const std::regex stamp(R"(^\d\d:\d\d - )");
    for (std::string line; std::getline(in, line);) {
      EXPECT_TRUE(std::regex_search(line, stamp)) << line;
      lines.push_back(line.size() >= 8 ? line.substr(8) : line);
    }
    return lines;
  }

  tv::test_support::TempFolder temp_;
  fs::path folder_{temp_.Path()};
  std::string oldTmp_;
};

TEST_F(TraceLogTest, OnlyTheValueOneOpensTheLog) {
  for (const int32_t useLogfile : {0, 2, -1}) {
    Optimizer optimizer;
    optimizer.Initialize(1, 1, useLogfile);
    optimizer.PutSettings(NestingSettings());
    optimizer.ReleaseData();
    EXPECT_TRUE(Logs().empty()) << useLogfile;
  }
}

TEST_F(TraceLogTest, LogNameAndLines) {
  Optimizer optimizer;
  optimizer.Initialize(1, 1, 1);
  ASSERT_TRUE(optimizer.log.IsOpen());
  EXPECT_TRUE(std::regex_match(fs::path(optimizer.log.Path()).filename().string(),
                               std::regex(R"(VREX_\d{4}_\d\d_\d\d_\d\d_\d\d\.log)")));
  tVREXSettings settings = NestingSettings();
  settings.min_stockutilization = 0.5;
  optimizer.PutSettings(settings);
  optimizer.PutPanel(Panel(1000, 500, 3));
  optimizer.PutPart(Part(9, 500, 500, 2));
  optimizer.Optimize(0);
  tVREXLayoutData layout{};
  optimizer.GetLayout(0, &layout);
  tVREXPlacedPartData placed{};
  optimizer.GetPlacedPart(0, 1, &placed);
  optimizer.ReleaseData();
  EXPECT_FALSE(optimizer.log.IsOpen());

  const std::vector<std::string> expected = {
      "Log file opened",
      "# Panels : 1",
      "# Parts  : 1",
      "max_runtime : 10",
      "max_num_iters : 700",
      "minimize_number_of_layouts : 0",
      "use_one_panel_if_possible : 0",
      "saw_kerf : 0.000000",
      "max_saw_cuttingwidth : 99999.900000",
      "min_stockutilization : 0.500000",
      "start_corner : 0",
      "small_parts_inside : 0",
      "=== Panel - length : 1000.000000",
      "width : 500.000000",
      "num : 3",
      "drilling_area_length : 1000.000000",
      "drilling_area_width : 500.000000",
      "instock : 0",
      "sequence : 1",
      "=== Part - pid : 9",
      "num : 2",
      "length : 500.000000",
      "width : 500.000000",
      "turnable : 1",
      "drilling_required : 0",
      "drill_length : 500.000000",
      "drill_width : 500.000000",
      "drill_length_turned : 500.000000",
      "drill_width_turned : 500.000000",
      "sequence : 1",
      "maxnumperpanel : 2",
      "------- Optimize Start",
      "------- Optimize End - Layouts : 1",
      "=== Get Layout : 0",
      "panelindex : 0",
      "numused : 1",
      "numplacedparts : 2",
      "== Get Part : 1",
      "pid : 9",
      "length : 500.000000",
      "width : 500.000000",
      "lengthcoord : 500.000000",
      "widthcoord : 0.000000",
      "=== Releasing data",
      "Closing log file",
  };
  EXPECT_EQ(LogLines(), expected);
  // The threshold itself is raised to one percent even though the log shows what was passed.
  EXPECT_DOUBLE_EQ(optimizer.settings.min_stockutilization, 1.0);
}

TEST_F(TraceLogTest, ReleaseEndsLoggingUntilTheNextRequest) {
  Optimizer optimizer;
  optimizer.Initialize(0, 0, 1);
  optimizer.ReleaseData();
  const std::vector<fs::path> first = Logs();
  ASSERT_EQ(first.size(), 1u);
  const auto size = fs::file_size(first[0]);
  // Without a new request nothing more is written, even by a run that skips Optimize.
  optimizer.Initialize(0, 0, 0);
  optimizer.PutSettings(NestingSettings());
  optimizer.ReleaseData();
  optimizer.ReleaseData();
  EXPECT_EQ(fs::file_size(first[0]), size);
}

TEST(TraceLogName, FormatsEachFieldWithLeadingZeros) {
  EXPECT_EQ(TraceLog::FileNameFor(2024, 3, 5, 7, 9), "VREX_2024_03_05_07_09.log");
  EXPECT_EQ(TraceLog::FileNameFor(1999, 12, 31, 23, 59), "VREX_1999_12_31_23_59.log");
}

TEST(MethodsTest, TablesHoldTheirCapacityAndReadsOutsideTheResultsAreEmpty) {
  Optimizer optimizer;
  optimizer.Initialize(1, 1, 0);
  optimizer.PutSettings(NestingSettings());
  optimizer.PutPanel(Panel(1000, 500, 3));
  optimizer.PutPanel(Panel(9000, 9000, 3));  // beyond the capacity: dropped
  optimizer.PutPart(Part(1, 500, 500, 2));
  EXPECT_EQ(optimizer.numPanels, 1);
  optimizer.Optimize(0);
  ASSERT_EQ(optimizer.GetNumLayouts(), 1);
  tVREXLayoutData layout{1, 2, 3};
  optimizer.GetLayout(5, &layout);
  EXPECT_EQ(layout.numplacedparts, 0);
  tVREXPlacedPartData placed{};
  placed.pid = 4;
  optimizer.GetPlacedPart(0, 2, &placed);
  EXPECT_EQ(placed.pid, 0);
  optimizer.ReleaseData();
  EXPECT_EQ(optimizer.GetNumLayouts(), 0);
}

}  // namespace
}  // namespace sawplan
