// The nest name as the name of the run's sheet and CSV files: a name that would reach another
// folder ends the run before anything is deleted or written.
#include <gtest/gtest.h>

#include "nesting/run_driver.h"
#include "run_fixture.h"

namespace tv::nesting {
namespace {

using testing::PlacedAt;
namespace fs = std::filesystem;

class NestName : public testing::RunTest {};

TEST_F(NestName, ANameWithALevelInItEndsTheRunWithNothingWrittenOrDeleted) {
  const struct {
    const char* name;
    bool prompted;  // typed in the dialog, else the "Nest Name" setting
  } cases[] = {
      {"..\\OUT", true}, {"../OUT", true},   {"sub/OUT", true},
      {"..", true},      {"..\\OUT", false}, {"A/B", false},
  };
  WritePart("a.dxf", 600, 400);
  StockRow(1, {"1", "MEL", "0", "0", "10", "2440", "1220", "19"});
  ASSERT_TRUE(files::WriteFileAtomic(Nests() + "OLD001.DXF", "0\nEOF\n"));
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.prompted ? " typed" : " set"));
    SetWorkRow(1, {"a.dxf", "MEL", 600, 400});
    support::RefreshFileList(program.Input.NestList);
    Setting("Prompt for Nest", c.prompted ? "YES" : "NO");
    Setting("Nest Name", c.prompted ? "JOB" : c.name);
    if (c.prompted) ui.ExpectNestName(c.name);
    ui.ClearMessages();
    Run();

    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.LastMessage().title, "Nesting Error");
    EXPECT_NE(ui.LastMessage().text.find(c.name), std::string::npos) << ui.LastMessage().text;
    EXPECT_EQ(created, 0);
    EXPECT_EQ(FilesIn(Nests()), std::vector<std::string>{"OLD001.DXF"});
    EXPECT_TRUE(FilesIn(Csv()).empty());
    EXPECT_EQ(FilesIn(root.string()), (std::vector<std::string>{"csv", "nests", "src"}));
    EXPECT_TRUE(program.Input.ProcEnabled);
    EXPECT_EQ(ui.CurrentPointer(), core::Pointer::Normal);
  }
}

TEST_F(NestName, APlainNameStillNamesTheSheets) {
  WritePart("a.dxf", 600, 400);
  StockRow(1, {"1", "MEL", "0", "0", "10", "2440", "1220", "19"});
  SetWorkRow(1, {"a.dxf", "MEL", 600, 400});
  Setting("Prompt for Nest", "YES");
  ui.ExpectNestName("..Kit");
  Pass({{{0, 1, 1}, {PlacedAt(1, 600, 400, 0, 0)}}});
  Run();
  EXPECT_TRUE(fs::exists(Nests() + "..Kit001.DXF"));
  EXPECT_TRUE(fs::exists(Csv() + "..Kit001.CSV"));
}

}  // namespace
}  // namespace tv::nesting
