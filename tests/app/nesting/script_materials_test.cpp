// Materials named in scripts beyond ASCII, nested by the real optimizer: each material keeps its
// own group and its own sheets.
#include <gtest/gtest.h>

#include <map>

#include "nesting/run_driver.h"
#include "run_fixture.h"

namespace tv::nesting {
namespace {

using testing::WorkRow;

class ScriptMaterials : public testing::RunTest {
 protected:
  ScriptMaterials() { program.RegistryFolder = TAVOLIN_BUILD_REGISTRY; }
};

TEST_F(ScriptMaterials, AnMdfDoorAndTwoMelamineSidesGoOnSheetsOfTheirOwnMaterial) {
  WritePart("door.dxf", 716, 396);
  WritePart("left.dxf", 720, 560);
  WritePart("right.dxf", 720, 560);
  StockRow(1, {"1", "ЛДСП 19", "0", "0", "10", "2800", "2070", "19"});
  StockRow(2, {"1", "МДФ 19", "0", "0", "10", "2800", "2070", "19"});
  SetWorkRow(1, {"door.dxf", "МДФ 19", 716, 396, 1, "B1", "Door"});
  SetWorkRow(2, {"left.dxf", "ЛДСП 19", 720, 560, 1, "B1", "Left Side"});
  SetWorkRow(3, {"right.dxf", "ЛДСП 19", 720, 560, 1, "B1", "Right Side"});
  Proc_Click(program);
  EXPECT_TRUE(ui.Messages().empty()) << ui.LastMessage().text;

  ASSERT_EQ(program.NestFiles.size(), 2u);
  // Work-list row of every part label -> the material the sheet it is on was cut from.
  std::map<std::string, std::string> materialOfPart;
  for (const std::string& path : program.NestFiles) {
    auto sheet = ReadBack(path);
    std::string material;
    std::vector<std::string> parts;
    for (const drawing::TextItem& text : sheet->GetTexts()) {
      if (text.LayerName == "DESCRIPTION") material = text.Txt;
      if (text.LayerName == "Zuvodavi") parts.push_back(text.Txt.substr(text.Txt.rfind(", ") + 2));
    }
    for (const std::string& part : parts) materialOfPart[part] = material;
  }
  EXPECT_EQ(materialOfPart, (std::map<std::string, std::string>{
                                {"door", "МДФ 19"}, {"left", "ЛДСП 19"}, {"right", "ЛДСП 19"}}));
  EXPECT_EQ(program.SheetsUsedByRow.at(1), 1);
  EXPECT_EQ(program.SheetsUsedByRow.at(2), 1);
}

}  // namespace
}  // namespace tv::nesting
