// The hand-over file for the companion CNC program.
#include "nesting/handover.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "files/files.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"

namespace tv::nesting {
namespace {

namespace fs = std::filesystem;

TEST(HandOverText, ListsSheetsThenEveryWorkListRowWithAQuantity) {
  grid::Grid workList(4, 26);
  const struct {
    long row;
    const char* ok;
    const char* qty;
    const char* name;
  } rows[] = {{1, "1", "2", "B1_Door.dxf"}, {2, "1", "0", "B1_Back.dxf"}, {3, "0", "1", "B1_Shelf.dxf"}};
  for (const auto& r : rows) {
    workList.SetCellText(r.row, 1, r.ok);
    workList.SetCellText(r.row, 2, r.qty);
    workList.SetCellText(r.row, 3, r.name);
    workList.SetCellText(r.row, 12, "/jobs/2417/");
  }
  std::string sheets = HandOverHead();
  for (int k = 1; k <= 3; ++k) sheets += HandOverSheetLine("/nests/JOB00" + std::to_string(k) + ".DXF");
  EXPECT_EQ(sheets + HandOverPartsText(workList),
            "!HBDOff\r\n/nests/JOB001.DXF\r\n/nests/JOB002.DXF\r\n/nests/JOB003.DXF\r\n"
            "!CNCOff\r\n!HBDOn\r\n/jobs/2417/B1_Door.dxf^\r\n/jobs/2417/B1_Shelf.dxf^\r\n");
}

// Notes what the hand-over file held each time the companion program was raised.
class CompanionUi : public test_support::ScriptedUi {
 public:
  explicit CompanionUi(std::string list) : list_(std::move(list)) {}
  void ActivateWindowByTitle(const std::string& title) override {
    listAtRaise.push_back(files::ReadFile(list_));
    ScriptedUi::ActivateWindowByTitle(title);
  }
  std::vector<std::optional<std::string>> listAtRaise;

 private:
  std::string list_;
};

class HandOverFile : public ::testing::Test {
 protected:
  const std::string& Folder() const { return temp.Path(); }
  test_support::TempFolder temp;
  fs::path folder = fs::path(temp.Path()).parent_path();
  test_support::ScriptedUi ui;
};

TEST_F(HandOverFile, ReplacesTheOldListAndThenRaisesTheCompanion) {
  ASSERT_TRUE(
      files::WriteFileAtomic(Folder() + "Batch.lst", "old list with more lines than the new one\r\n"));
  CompanionUi companionUi(Folder() + "Batch.lst");
  EXPECT_TRUE(WriteHandOver(companionUi, Folder(), "!HBDOff\r\n/n/A001.DXF\r\n", "!CNCOff\r\n!HBDOn\r\n"));
  const std::string written = "!HBDOff\r\n/n/A001.DXF\r\n!CNCOff\r\n!HBDOn\r\n";
  EXPECT_EQ(files::ReadFile(Folder() + "Batch.lst"), written);
  EXPECT_EQ(companionUi.ActivatedTitles(), std::vector<std::string>{"Fennoway"});
  // The companion, once raised, reads this run's list.
  EXPECT_EQ(companionUi.listAtRaise, std::vector<std::optional<std::string>>{written});
  EXPECT_TRUE(companionUi.Messages().empty());
}

TEST_F(HandOverFile, ANewListThatCannotBeWrittenLeavesNoOldOneAndRaisesNoCompanion) {
  ASSERT_TRUE(files::WriteFileAtomic(Folder() + "Batch.lst", "!HBDOff\r\n/n/OLD001.DXF\r\n"));
  const FileWriter fullDisk = [](const std::string&, std::string_view, std::string* error) {
    *error = "No space left on device";
    return false;
  };
  EXPECT_FALSE(WriteHandOver(ui, Folder(), "!HBDOff\r\n", "!CNCOff\r\n!HBDOn\r\n", fullDisk));
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().title, "Alert!");
  EXPECT_NE(ui.LastMessage().text.find("Batch.lst"), std::string::npos);
  EXPECT_NE(ui.LastMessage().text.find("No space left on device"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder / "Batch.lst"));  // the older run's sheets are not handed over
  EXPECT_TRUE(ui.ActivatedTitles().empty());
}

TEST_F(HandOverFile, AFolderInTheWayStaysAndTheCompanionIsNotRaised) {
  fs::create_directories(folder / "Batch.lst" / "in the way");  // a folder where the file belongs
  EXPECT_FALSE(WriteHandOver(ui, Folder(), "!HBDOff\r\n", "!CNCOff\r\n!HBDOn\r\n"));
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().title, "Alert!");
  EXPECT_NE(ui.LastMessage().text.find("Batch.lst"), std::string::npos);
  EXPECT_TRUE(fs::is_directory(folder / "Batch.lst" / "in the way"));
  EXPECT_TRUE(ui.ActivatedTitles().empty());
}

}  // namespace
}  // namespace tv::nesting
