// The batch watcher: request lines, pickup, the run it starts and the request's deletion.
#include "nesting/batch_watcher.h"

#include <gtest/gtest.h>

#include "run_fixture.h"
#include "testing/encodings.h"

namespace tv::nesting {
namespace {

using testing::Cat;
using testing::PlacedAt;
namespace fs = std::filesystem;

TEST(BatchRequestName, TakesTheFileNameBeforeTheFirstComma) {
  const struct {
    const char* line;
    const char* name;
  } cases[] = {
      {"C:\\Jobs\\Door1,2,Oak", "Door1.dxf"},
      {"Panels\\SIDE.DXF", "SIDE.DXF"},
      {"/jobs/2417/side.Dxf", "side.Dxf"},
      {"Door1\r", "Door1.dxf"},
      {"Door1.dxf.bak", "Door1.dxf.bak.dxf"},
      {"", ""},
      {"   ", ""},
      {",Door1", ""},
      {"C:\\Jobs\\", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(BatchRequestName(c.line), c.name) << "'" << c.line << "'";
}

class BatchWatcher : public testing::RunTest {
 protected:
  BatchWatcher() {
    Setting("Respond to Batch", "YES");
    StockRow(1, {"1", "MEL", "0", "0", "10", "2440", "1220", "19"});
    WritePart("Door1.dxf", 600, 400, "MEL");
    WritePart("SIDE.DXF", 700, 500, "MEL");
    support::SetFileListPath(program.Input.SourceList, Src());
  }
  void Request(const std::string& text) { ASSERT_TRUE(files::WriteFileAtomic(Src() + "Batch.lst", text)); }
  bool RequestThere() const { return fs::exists(Src() + "Batch.lst"); }
  void Tick() { BLT_Timer(program, factory); }
  std::vector<std::string> WorkListFiles() {
    std::vector<std::string> names;
    for (long r = 1; r <= program.PList.MaxRows(); ++r) {
      if (!program.PList.CellText(r, 3).empty()) names.push_back(program.PList.CellText(r, 3));
    }
    return names;
  }
};

TEST_F(BatchWatcher, LoadsTheListedDrawingsRunsAndDeletesTheRequest) {
  SetWorkRow(1, {"old.dxf", "MEL", 100, 100});  // the request replaces the work list
  Request("C:\\Jobs\\Door1,2,Oak\r\n\r\nmissing,1\r\nPanels\\SIDE.DXF\r\n");
  Pass({{{0, 1, 2}, {PlacedAt(1, 600, 400, 0, 0), PlacedAt(2, 700, 500, 0, 410)}}});
  Tick();
  EXPECT_EQ(WorkListFiles(), (std::vector<std::string>{"Door1.dxf", "SIDE.DXF"}));
  EXPECT_EQ(ui.RaiseCalls(), 1);
  EXPECT_EQ(created, 1);
  EXPECT_TRUE(fs::exists(Nests() + "JOB001.DXF"));
  EXPECT_FALSE(RequestThere());
  EXPECT_TRUE(ui.Messages().empty()) << ui.LastMessage().text;
  EXPECT_FALSE(program.BatchPickupInProgress);
  EXPECT_TRUE(program.MetricUnits);  // the rows were metric
}

// A mark before the first line made its drawing silently drop out of the run.
TEST_F(BatchWatcher, ARequestReadsTheSameDrawingsInEveryEncoding) {
  WritePart("T\xC3\xBCr1.dxf", 600, 400, "MEL");
  for (const test_support::EncodedText& encoded :
       test_support::InEveryEncoding("C:\\Jobs\\T\xC3\xBCr1,2,Oak\r\nPanels\\SIDE.DXF\r\n")) {
    Request(encoded.bytes);
    Pass({{{0, 1, 2}, {PlacedAt(1, 600, 400, 0, 0), PlacedAt(2, 700, 500, 0, 410)}}});
    Tick();
    EXPECT_EQ(WorkListFiles(), (std::vector<std::string>{"T\xC3\xBCr1.dxf", "SIDE.DXF"})) << encoded.what;
    EXPECT_FALSE(RequestThere()) << encoded.what;
    EXPECT_TRUE(ui.Messages().empty()) << encoded.what << ": " << ui.LastMessage().text;
  }
  EXPECT_EQ(created, 5);
}

TEST_F(BatchWatcher, ARequestWithNothingToLoadStartsNoRunAndIsDeleted) {
  SetWorkRow(1, {"old.dxf", "MEL", 100, 100});
  Request("gone1\r\ngone2,3\r\n");
  Tick();
  EXPECT_TRUE(WorkListFiles().empty());
  EXPECT_FALSE(program.Input.ProcEnabled);
  EXPECT_EQ(created, 0);
  EXPECT_FALSE(RequestThere());
}

TEST_F(BatchWatcher, ARunDeclinedAtTheNamePromptStillDeletesTheRequest) {
  Setting("Prompt for Nest", "YES");
  Request("Door1\r\n");
  ui.ExpectNestName("");
  Tick();
  EXPECT_EQ(created, 0);
  EXPECT_FALSE(RequestThere());
}

TEST_F(BatchWatcher, LeavesTheRequestAloneWhenNotRespondingOrBusy) {
  Request("Door1\r\n");
  const struct {
    const char* name;
    const char* respond;
    bool running;
    bool pickingUp;
    bool watcherOn;
  } cases[] = {
      {"respond off", "NO", false, false, true},
      {"run in progress", "YES", true, false, true},
      {"pickup in progress", "YES", false, true, true},
      {"watcher off while the source-folder dialog is open", "YES", false, false, false},
  };
  for (const auto& c : cases) {
    Setting("Respond to Batch", c.respond);
    program.RunInProgress = c.running;
    program.BatchPickupInProgress = c.pickingUp;
    program.Input.BatchWatcherOn = c.watcherOn;
    Tick();
    EXPECT_TRUE(RequestThere()) << c.name;
    EXPECT_TRUE(WorkListFiles().empty()) << c.name;
    EXPECT_EQ(ui.RaiseCalls(), 0) << c.name;
  }
}

TEST_F(BatchWatcher, DoesNothingAtAllWhileSwitchedOff) {
  Request("Door1\r\n");
  WritePart("new.dxf", 100, 100);
  program.Input.BatchWatcherOn = false;
  Tick();
  EXPECT_EQ(program.Input.SourceList.Items.size(), 2u);
  EXPECT_TRUE(RequestThere());
  EXPECT_EQ(ui.RaiseCalls(), 0);
  program.Input.BatchWatcherOn = true;
  Pass({{{0, 1, 1}, {PlacedAt(1, 600, 400, 0, 0)}}});
  Tick();
  EXPECT_EQ(program.Input.SourceList.Items.size(), 3u);
  EXPECT_EQ(WorkListFiles(), std::vector<std::string>{"Door1.dxf"});
}

TEST_F(BatchWatcher, RefreshesTheDrawingListsWhenTheirFoldersChange) {
  Setting("Respond to Batch", "NO");
  ASSERT_EQ(program.Input.SourceList.Items.size(), 2u);
  WritePart("new.dxf", 100, 100);
  ASSERT_TRUE(files::WriteFileAtomic(Nests() + "JOB001.DXF", "0\nEOF\n"));
  Tick();
  EXPECT_EQ(program.Input.SourceList.Items.size(), 3u);
  EXPECT_EQ(program.Input.NestList.Items, std::vector<std::string>{"JOB001.DXF"});
}

}  // namespace
}  // namespace tv::nesting
