// The hand-over file for the companion CNC program.
#include "nesting/handover.h"

#include <gtest/gtest.h>

#include <filesystem>

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

class HandOverFile : public ::testing::Test {
 protected:
  const std::string& Folder() const { return temp.Path(); }
  test_support::TempFolder temp;
  fs::path folder = fs::path(temp.Path()).parent_path();
  test_support::ScriptedUi ui;
};

TEST_F(HandOverFile, ReplacesTheOldListAndRaisesTheCompanion) {
  ASSERT_TRUE(
      files::WriteFileAtomic(Folder() + "Batch.lst", "old list with more lines than the new one\r\n"));
  EXPECT_TRUE(WriteHandOver(ui, Folder(), "!HBDOff\r\n/n/A001.DXF\r\n", "!CNCOff\r\n!HBDOn\r\n"));
  EXPECT_EQ(files::ReadFile(Folder() + "Batch.lst"), "!HBDOff\r\n/n/A001.DXF\r\n!CNCOff\r\n!HBDOn\r\n");
  EXPECT_EQ(ui.ActivatedTitles(), std::vector<std::string>{"Fennoway"});
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(HandOverFile, AFailedWriteKeepsTheOldListAndSaysWhy) {
  fs::create_directories(folder / "Batch.lst" / "in the way");  // a folder where the file belongs
  EXPECT_FALSE(WriteHandOver(ui, Folder(), "!HBDOff\r\n", "!CNCOff\r\n!HBDOn\r\n"));
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().title, "Alert!");
  EXPECT_NE(ui.LastMessage().text.find("Batch.lst"), std::string::npos);
  EXPECT_TRUE(fs::is_directory(folder / "Batch.lst"));
}

}  // namespace
}  // namespace tv::nesting
