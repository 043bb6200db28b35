// ReadIni and WriteIni on the program's INI file.
#include "support/ini.h"

#include <gtest/gtest.h>

#include "core/program.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"

namespace tv::support {
namespace {

class IniTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program_.AppDir = temp_.Path();
    program_.IniPath = temp_.Path() + "TAVO.INI";
  }
  void WriteFile(const std::string& text) { test_support::WriteText(program_.IniPath, text); }

  test_support::ScriptedUi ui_;
  core::Program program_{ui_};
  test_support::TempFolder temp_;
};

TEST_F(IniTest, ReadsWholeValuesAndTreatsTheMissingMarkerAsEmpty) {
  const std::string longFolder =
      "/home/anna/Werkstatt/Aufträge 2024/Küche Familie Müller/Unterschränke links/Korpus/";
  ASSERT_GT(longFolder.size(), 79u);
  WriteFile("[Config]\nSourceDir=" + longFolder +
            "\nCfgFile=END.-\nMaterialDataPath=\n[Options]\nBackColor= 0\n");
  const struct {
    const char* section;
    const char* key;
    std::string expected;
  } cases[] = {
      {"Config", "SourceDir", longFolder},  {"Config", "CfgFile", ""},     {"Config", "MaterialDataPath", ""},
      {"Config", "DimensionTolerance", ""}, {"Options", "BackColor", "0"}, {"options", "backcolor", "0"},
      {"Nowhere", "BackColor", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadIni(program_, c.section, c.key), c.expected) << c.key;
}

TEST_F(IniTest, MissingFileReadsEmpty) {
  EXPECT_EQ(ReadIni(program_, "Config", "CfgFile"), "");
}

TEST_F(IniTest, WrittenValuesReadBackAndKeepTheRestOfTheFile) {
  WriteFile("; shop settings\n[Config]\nCfgFile=Tavo.CFG\n");
  ASSERT_TRUE(WriteIni(program_, "Options", "PrintBlack", " 1"));
  ASSERT_TRUE(WriteIni(program_, "Config", "CfgFile", "Shop.CFG"));

  EXPECT_EQ(ReadIni(program_, "Options", "PrintBlack"), " 1");
  EXPECT_EQ(ReadIni(program_, "Config", "CfgFile"), "Shop.CFG");
  EXPECT_EQ(test_support::ReadText(program_.IniPath),
            "; shop settings\n[Config]\nCfgFile=Shop.CFG\n[Options]\nPrintBlack=\" 1\"\n");
}

TEST_F(IniTest, FailedWriteIsReported) {
  program_.IniPath = temp_.Path() + "missing folder/TAVO.INI";
  EXPECT_FALSE(WriteIni(program_, "Config", "CfgFile", "Shop.CFG"));
  EXPECT_EQ(ReadIni(program_, "Config", "CfgFile"), "");
}

}  // namespace
}  // namespace tv::support
