// The batch watcher: request lines, pickup, the run it starts and the request's deletion.
#include "nesting/batch_watcher.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

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
  // A request is taken by the tick after the one that first finds it, when it has not changed.
  void Pickup() {
    Tick();
    Tick();
  }
  // The optimizer's answer for a request of Door1 (600 x 400), SIDE (700 x 500) or both.
  void DoorPass() { Pass({{{0, 1, 1}, {PlacedAt(1, 600, 400, 0, 0)}}}); }
  void SidePass() { Pass({{{0, 1, 1}, {PlacedAt(1, 700, 500, 0, 0)}}}); }
  void BothPass() { Pass({{{0, 1, 2}, {PlacedAt(1, 600, 400, 0, 0), PlacedAt(2, 700, 500, 0, 410)}}}); }
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
  Tick();  // the first sight: the other program may still be writing it
  EXPECT_EQ(ui.RaiseCalls(), 0);
  EXPECT_TRUE(RequestThere());
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
    Pickup();
    EXPECT_EQ(WorkListFiles(), (std::vector<std::string>{"T\xC3\xBCr1.dxf", "SIDE.DXF"})) << encoded.what;
    EXPECT_FALSE(RequestThere()) << encoded.what;
    EXPECT_TRUE(ui.Messages().empty()) << encoded.what << ": " << ui.LastMessage().text;
  }
  EXPECT_EQ(created, 5);
}

TEST_F(BatchWatcher, ARequestWithNothingToLoadStartsNoRunAndIsDeleted) {
  SetWorkRow(1, {"old.dxf", "MEL", 100, 100});
  Request("gone1\r\ngone2,3\r\n");
  Pickup();
  EXPECT_TRUE(WorkListFiles().empty());
  EXPECT_FALSE(program.Input.ProcEnabled);
  EXPECT_EQ(created, 0);
  EXPECT_FALSE(RequestThere());
}

TEST_F(BatchWatcher, ARunDeclinedAtTheNamePromptStillDeletesTheRequest) {
  Setting("Prompt for Nest", "YES");
  Request("Door1\r\n");
  ui.ExpectNestName("");
  Pickup();
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
    Pickup();
    EXPECT_TRUE(RequestThere()) << c.name;
    EXPECT_TRUE(WorkListFiles().empty()) << c.name;
    EXPECT_EQ(ui.RaiseCalls(), 0) << c.name;
  }
}

TEST_F(BatchWatcher, DoesNothingAtAllWhileSwitchedOff) {
  Request("Door1\r\n");
  WritePart("new.dxf", 100, 100);
  program.Input.BatchWatcherOn = false;
  Pickup();
  EXPECT_EQ(program.Input.SourceList.Items.size(), 2u);
  EXPECT_TRUE(RequestThere());
  EXPECT_EQ(ui.RaiseCalls(), 0);
  program.Input.BatchWatcherOn = true;
  Pass({{{0, 1, 1}, {PlacedAt(1, 600, 400, 0, 0)}}});
  Pickup();
  EXPECT_EQ(program.Input.SourceList.Items.size(), 3u);
  EXPECT_EQ(WorkListFiles(), std::vector<std::string>{"Door1.dxf"});
}

TEST_F(BatchWatcher, WithoutASourceFolderNoRequestIsTaken) {
  // An empty folder text once made the file system root's "Batch.lst" the request.
  const std::string rootRequest = "/Batch.lst";
  const int fd = ::open(rootRequest.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) GTEST_SKIP() << "no request of this test's own can be put at " << rootRequest;
  const std::string text = "Door1\r\n";
  const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  ::close(fd);
  program.Input.SourceFolderText = "";
  if (written) {
    Pickup();
    Pickup();
  }
  const bool stillThere = fs::exists(rootRequest);
  fs::remove(rootRequest);
  ASSERT_TRUE(written);
  EXPECT_TRUE(stillThere);
  EXPECT_EQ(ui.RaiseCalls(), 0);
  EXPECT_TRUE(WorkListFiles().empty());
}

TEST_F(BatchWatcher, ASourceFolderWithoutItsSeparatorFindsTheRequestAndItsDrawings) {
  std::string folder = Src();
  folder.pop_back();
  program.Input.SourceFolderText = folder;
  Request("Door1\r\nSIDE.DXF\r\n");
  BothPass();
  Pickup();
  EXPECT_EQ(WorkListFiles(), (std::vector<std::string>{"Door1.dxf", "SIDE.DXF"}));
  EXPECT_EQ(program.PList.CellText(1, 12), Src());  // the separator once, in the "Path" column too
  EXPECT_EQ(created, 1);
  EXPECT_FALSE(RequestThere());
}

TEST_F(BatchWatcher, ARequestIsTakenOnlyWhenItHasStoppedChanging) {
  std::ofstream out(Src() + "Batch.lst", std::ios::binary);
  out << "Door1\r\n" << std::flush;
  Tick();
  out << "SIDE.DXF\r\n" << std::flush;  // the other program writes on
  Tick();
  EXPECT_EQ(ui.RaiseCalls(), 0);
  EXPECT_TRUE(WorkListFiles().empty());
  out.close();
  BothPass();
  Tick();
  EXPECT_EQ(WorkListFiles(), (std::vector<std::string>{"Door1.dxf", "SIDE.DXF"}));
  EXPECT_FALSE(RequestThere());
}

TEST_F(BatchWatcher, ARequestChangedDuringItsRunStaysForTheNextPickup) {
  WritePart("Door2.dxf", 600, 400, "MEL");
  enum class Change { Replaced, Extended, RewrittenInPlace };
  const struct {
    const char* name;
    Change change;
    std::vector<std::string> secondJob;
  } cases[] = {
      {"replaced", Change::Replaced, {"SIDE.DXF"}},
      {"extended", Change::Extended, {"Door1.dxf", "SIDE.DXF"}},
      {"rewritten in place, same size", Change::RewrittenInPlace, {"Door2.dxf"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Request("Door1\r\n");
    DoorPass();
    bool changed = false;
    ui.SetProcessEventsHook([&] {
      if (!program.RunInProgress || changed) return;
      changed = true;
      const std::string path = Src() + "Batch.lst";
      if (c.change == Change::Replaced) Request("SIDE.DXF\r\n");
      if (c.change == Change::Extended)
        std::ofstream(path, std::ios::binary | std::ios::app) << "SIDE.DXF\r\n";
      if (c.change == Change::RewrittenInPlace) std::ofstream(path, std::ios::binary) << "Door2\r\n";
    });
    Pickup();
    ui.SetProcessEventsHook(nullptr);
    ASSERT_TRUE(changed);
    EXPECT_EQ(WorkListFiles(), std::vector<std::string>{"Door1.dxf"});
    ASSERT_TRUE(RequestThere());

    if (c.secondJob.size() == 2) {
      BothPass();
    } else if (c.secondJob.front() == "SIDE.DXF") {
      SidePass();
    } else {
      DoorPass();
    }
    Pickup();
    EXPECT_EQ(WorkListFiles(), c.secondJob);
    EXPECT_FALSE(RequestThere());
  }
  EXPECT_EQ(created, 6);
}

TEST_F(BatchWatcher, ARequestThatCannotBeDeletedIsReportedOnceAndNotRunAgainUntilItChanges) {
  int removals = 0;
  const FileRemover refuse = [&removals](const std::string&, std::string& reason) {
    ++removals;
    reason = "Operation not permitted";
    return false;
  };
  auto tick = [&] { BLT_Timer(program, factory, refuse); };
  Request("Door1\r\n");
  DoorPass();
  tick();
  tick();
  EXPECT_EQ(created, 1);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_NE(ui.LastMessage().text.find(Src() + "Batch.lst"), std::string::npos) << ui.LastMessage().text;
  EXPECT_NE(ui.LastMessage().text.find("Operation not permitted"), std::string::npos)
      << ui.LastMessage().text;
  for (int i = 0; i < 5; ++i) tick();
  EXPECT_EQ(created, 1);
  EXPECT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.RaiseCalls(), 1);

  Request("SIDE.DXF\r\n");  // the other program's next job
  SidePass();
  tick();
  tick();
  EXPECT_EQ(created, 2);
  EXPECT_EQ(WorkListFiles(), std::vector<std::string>{"SIDE.DXF"});
  EXPECT_EQ(removals, 2);
}

TEST_F(BatchWatcher, APipeAsTheRequestIsNeverOpened) {
  const std::string path = Src() + "Batch.lst";
  ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
  // A writer for a tick that opens the pipe after all, so that the test fails instead of hanging.
  std::atomic<bool> done{false};
  std::atomic<bool> opened{false};
  std::thread writer([&] {
    while (!done) {
      const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) {
        opened = true;
        ::close(fd);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  Pickup();
  Pickup();
  done = true;
  writer.join();
  EXPECT_FALSE(opened);
  EXPECT_TRUE(fs::is_fifo(path));
  EXPECT_EQ(ui.RaiseCalls(), 0);
}

TEST_F(BatchWatcher, LinesEndAtCrLfLfOrALoneCr) {
  for (const char* text :
       {"Door1\r\nSIDE.DXF\r\n", "Door1\nSIDE.DXF", "Door1\rSIDE.DXF\r", "Door1\r\rSIDE.DXF\n"}) {
    Request(text);
    BothPass();
    Pickup();
    EXPECT_EQ(WorkListFiles(), (std::vector<std::string>{"Door1.dxf", "SIDE.DXF"}))
        << ::testing::PrintToString(text);
  }
}

TEST_F(BatchWatcher, RefreshesTheDrawingListsWhenTheirFoldersChange) {
  Setting("Respond to Batch", "NO");
  ASSERT_EQ(program.Input.SourceList.Items.size(), 2u);
  std::vector<core::Change> notices;
  auto listening = program.Changes.Subscribe([&notices](core::Change c) { notices.push_back(c); });
  Tick();
  EXPECT_TRUE(notices.empty());  // nothing changed, nothing to show
  WritePart("new.dxf", 100, 100);
  ASSERT_TRUE(files::WriteFileAtomic(Nests() + "JOB001.DXF", "0\nEOF\n"));
  Tick();
  EXPECT_EQ(program.Input.SourceList.Items.size(), 3u);
  EXPECT_EQ(program.Input.NestList.Items, std::vector<std::string>{"JOB001.DXF"});
  // The windows showing the lists are told.
  EXPECT_EQ(notices, (std::vector<core::Change>{core::Change::SourceList, core::Change::NestList}));
}

}  // namespace
}  // namespace tv::nesting
