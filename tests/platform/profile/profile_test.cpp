// INI reads and writes: lookups ignore case and blanks around names, values are read as a
// hand-edited INI file means them (blanks and one pair of quotes around them dropped, no CR),
// what is written reads back the same, and a write changes only the one line it is about.
#include "profile/profile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/encodings.h"
#include "testing/temp_folder.h"

namespace tv::profile {
namespace {

namespace fs = std::filesystem;

using test_support::ReadText;
using test_support::WriteText;

class ProfileTest : public ::testing::Test {
 protected:
  test_support::TempFolder temp_;
  fs::path folder_{temp_.Path()};
  std::string ini_{temp_.Path() + "TAVO.INI"};
};

TEST_F(ProfileTest, ReadsValuesAsAnIniFileMeansThem) {
  WriteText(ini_,
            "\xEF\xBB\xBF[Config]\r\n"
            "; CfgFile=commented out\r\n"
            "CfgFile=Shop.CFG\r\n"
            "this line is not a key\r\n"
            "SourceDir=/home/anna/parts/  \r\n"
            "  DimensionTolerance  = 0.5\r\n"
            "Formula=a=b\r\n"
            "Empty=\r\n"
            "CfgFile=second one is ignored\r\n"
            "[ Options ]\n"
            "PrintBlack= 0\n"
            "BackColor= 16777215\n"
            "[Config]\n"
            "MaterialDataPath=/ignored/because/the/first/Config/counts\n"
            "[Other]\n"
            "Key=last line without a break");
  const struct {
    const char* section;
    const char* key;
    std::optional<std::string> expected;
  } cases[] = {
      {"Config", "CfgFile", "Shop.CFG"},
      {"CONFIG", "cfgfile", "Shop.CFG"},
      {"Config", "SourceDir", "/home/anna/parts/"},
      {"Config", "DimensionTolerance", "0.5"},
      {"Config", "Formula", "a=b"},
      {"Config", "Empty", ""},
      {"Options", "PrintBlack", "0"},
      {" options ", " BACKCOLOR ", "16777215"},
      {"Other", "Key", "last line without a break"},
      {"Config", "MaterialDataPath", std::nullopt},
      {"Config", "PrintBlack", std::nullopt},
      {"Config", "; CfgFile", std::nullopt},
      {"Config", "this line is not a key", std::nullopt},
      {"Missing", "CfgFile", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadValue(ini_, c.section, c.key), c.expected) << "[" << c.section << "] " << c.key;
  }
}

// TAVO.INI is edited by hand: "MaterialDataPath = /srv/shop/stock/" used to give a stock path
// starting with a blank, and "CfgFile = shop.cfg" a name no file has.
TEST_F(ProfileTest, BlanksQuotesAndLineEndsAroundAValueAreNoPartOfIt) {
  const struct {
    const char* line;
    const char* value;
  } cases[] = {
      {"MaterialDataPath = /srv/shop/stock/", "/srv/shop/stock/"},
      {"CfgFile\t=\tshop.cfg\t", "shop.cfg"},
      {"  SourceDir  =  \"/srv/parts with blanks/ \"  ", "/srv/parts with blanks/ "},
      {"SourceDir='/srv/parts/'", "/srv/parts/"},
      {"SourceDir=\"\"twice\"\"", "\"twice\""},
      {"SourceDir=\"unmatched'", "\"unmatched'"},
      {"SourceDir=\"", "\""},
      {"SourceDir=in\"side\"", "in\"side\""},
      {"SourceDir= ", ""},
      {"SourceDir=v\r", "v"},
      {"SourceDir=v\r\r", "v"},
  };
  for (const auto& c : cases) {
    // As the last line (no line end after it) and as a line in the middle.
    for (const std::string& after : {std::string(), std::string("\n[Next]\nK=1\n")}) {
      WriteText(ini_, std::string("[Config]\n") + c.line + after);
      EXPECT_EQ(ReadValue(ini_, "Config",
                          c.line[0] == 'M'   ? "MaterialDataPath"
                          : c.line[0] == 'C' ? "CfgFile"
                                             : "SourceDir"),
                c.value)
          << c.line;
    }
  }
  // A last line that ends in a lone CR reads the same before and after an unrelated write, and
  // every other line keeps its bytes.
  const std::string before = "[Options]\r\n; keep me  \r\nPrintBlack = 1 \r\n[Config]\nCfgFile=v\r";
  WriteText(ini_, before);
  EXPECT_EQ(ReadValue(ini_, "Config", "CfgFile"), "v");
  ASSERT_TRUE(WriteValue(ini_, "Options", "ZoomLeft", "200"));
  EXPECT_EQ(ReadValue(ini_, "Config", "CfgFile"), "v");
  EXPECT_EQ(ReadText(ini_),
            "[Options]\r\n; keep me  \r\nPrintBlack = 1 \r\nZoomLeft=200\r\n[Config]\nCfgFile=v\r");
}

// An INI file saved by a Windows editor: marked UTF-8, UTF-16 or the Windows code page.
TEST_F(ProfileTest, EveryEncodingReadsTheSameAndIsRewrittenInItsOwn) {
  const std::string ini =
      "[Config]\r\nCfgFile=K\xC3\xBC"
      "che.CFG\r\nSourceDir=/home/j\xC3\xBCrgen/\r\n[Options]\r\nPrintBlack=0\r\n";
  const std::string rewritten =
      "[Config]\r\nCfgFile=K\xC3\xBC"
      "che.CFG\r\nSourceDir=/srv/\xC3\xA9tag\xC3\xA8re/\r\n[Options]\r\nPrintBlack=0\r\n";
  const std::vector<test_support::EncodedText> before = test_support::InEveryEncoding(ini);
  const std::vector<test_support::EncodedText> after = test_support::InEveryEncoding(rewritten);
  for (size_t i = 0; i < before.size(); ++i) {
    const char* what = before[i].what;
    WriteText(ini_, before[i].bytes);
    EXPECT_EQ(ReadValue(ini_, "config", "CfgFile"),
              "K\xC3\xBC"
              "che.CFG")
        << what;
    EXPECT_EQ(ReadValue(ini_, "Options", "PrintBlack"), "0") << what;
    std::string error;
    ASSERT_TRUE(WriteValue(ini_, "Config", "SourceDir", "/srv/\xC3\xA9tag\xC3\xA8re/", &error))
        << what << error;
    EXPECT_EQ(ReadText(ini_), after[i].bytes) << what;
  }
  // A character the Windows code page lacks turns such a file into UTF-8 rather than being lost.
  WriteText(ini_, before[0].bytes);
  ASSERT_TRUE(WriteValue(ini_, "Options", "Label", "\xCE\xA9"));
  EXPECT_EQ(ReadText(ini_), ini + "Label=\xCE\xA9\r\n");
  // A value that is no UTF-8 is taken as Windows text, so the rest of the file keeps its letters.
  WriteText(ini_, ini);
  ASSERT_TRUE(WriteValue(ini_, "Options", "Raw", "caf\xE9"));
  EXPECT_EQ(ReadValue(ini_, "Options", "Raw"), "caf\xC3\xA9");
  EXPECT_EQ(ReadValue(ini_, "Config", "CfgFile"),
            "K\xC3\xBC"
            "che.CFG");
}

TEST_F(ProfileTest, MissingOrUnreadableFileReadsAsMissing) {
  EXPECT_EQ(ReadValue(ini_, "Config", "CfgFile"), std::nullopt);
  fs::create_directory(ini_);
  EXPECT_EQ(ReadValue(ini_, "Config", "CfgFile"), std::nullopt);
}

TEST_F(ProfileTest, WriteChangesOnlyItsOwnLine) {
  const struct {
    const char* what;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
  } cases[] = {
      {"replaces the value, keeps the key's spelling and the line break",
       "[Config]\r\nCfgFile = Old.CFG\r\n[X]\r\n", "config", "CFGFILE", "New.CFG",
       "[Config]\r\nCfgFile =New.CFG\r\n[X]\r\n"},
      {"adds a key after the section's last key", "[Config]\nA=1\nB=2\n\n; about Options\n[Options]\nC=3\n",
       "Config", "New", "v", "[Config]\nA=1\nB=2\nNew=v\n\n; about Options\n[Options]\nC=3\n"},
      {"adds a key to a section without keys", "[Config]\n[Options]\n", "Config", "K", "v",
       "[Config]\nK=v\n[Options]\n"},
      {"adds a key after a last line without a break", "[Config]\nA=1", "Config", "B", "2",
       "[Config]\nA=1\nB=2"},
      {"appends a missing section with the file's line breaks", "; note\r\n[Config]\r\nA=1", "Options",
       "PrintBlack", "1", "; note\r\n[Config]\r\nA=1\r\n[Options]\r\nPrintBlack=1\r\n"},
      {"quotes a value whose edges the reader would drop", "[Options]\nPrintBlack=0\n", "Options",
       "PrintBlack", " 1", "[Options]\nPrintBlack=\" 1\"\n"},
      {"writes into the first of two sections", "[S]\nK=1\n[T]\n[s]\nK=2\n", "S", "K", "3",
       "[S]\nK=3\n[T]\n[s]\nK=2\n"},
      {"keeps malformed lines and lines before the first section", "stray text\n[S]\nno equals sign\nK=1\n",
       "S", "K", "2", "stray text\n[S]\nno equals sign\nK=2\n"},
      {"keeps a byte order mark", "\xEF\xBB\xBFK=0\n[S]\nK=1\n", "S", "K", "2",
       "\xEF\xBB\xBFK=0\n[S]\nK=2\n"},
  };
  for (const auto& c : cases) {
    WriteText(ini_, c.before);
    std::string error;
    EXPECT_TRUE(WriteValue(ini_, c.section, c.key, c.value, &error)) << c.what << ": " << error;
    EXPECT_EQ(ReadText(ini_), c.after) << c.what;
    EXPECT_EQ(ReadValue(ini_, c.section, c.key), c.value) << c.what;
  }
}

TEST_F(ProfileTest, WriteCreatesTheFileAndValuesRoundTrip) {
  const std::string values[] = {" 0",
                                " 16777215",
                                "",
                                "  ",
                                "a=b",
                                ";not a comment",
                                "[not a section]",
                                "/home/jürgen/Küche/",
                                "'single'",
                                "\ttab ",
                                "\"",
                                "\"quoted\""};
  for (const std::string& value : values) {
    ASSERT_TRUE(WriteValue(ini_, "Options", "Value", value)) << value;
    EXPECT_EQ(ReadValue(ini_, "Options", "Value"), value);
  }
  EXPECT_EQ(ReadText(ini_), "[Options]\nValue=\"\"quoted\"\"\n");
}

TEST_F(ProfileTest, WhatCannotBeStoredOnOneLineIsRefusedAndTheFileKept) {
  const std::string before = "[Config]\nA=1\n";
  const struct {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"Config", "A", "two\nlines"},
      {"Config", "A", "carriage\rreturn"},
      {"Config", "A=B", "1"},
      {"Config", "", "1"},
      {"Config", "  ", "1"},
      {"Config", "[A", "1"},
      {"Config", ";A", "1"},
      {"Con]fig", "A", "1"},
      {"", "A", "1"},
      {"Config\n[Evil", "A", "1"},
  };
  for (const auto& c : cases) {
    WriteText(ini_, before);
    std::string error;
    EXPECT_FALSE(WriteValue(ini_, c.section, c.key, c.value, &error)) << c.section << "/" << c.key;
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadText(ini_), before);
  }
}

TEST_F(ProfileTest, FailedWriteReportsItAndLeavesTheOldFile) {
  std::string error;
  EXPECT_FALSE(WriteValue((folder_ / "no such folder" / "TAVO.INI").string(), "S", "K", "v", &error));
  EXPECT_FALSE(error.empty());

  fs::create_directory(ini_);  // a file that exists but cannot be read is not overwritten
  EXPECT_FALSE(WriteValue(ini_, "S", "K", "v"));
  EXPECT_TRUE(fs::is_directory(ini_));
}

TEST_F(ProfileTest, FileNameDifferingInCaseIsReadAndUpdatedInPlace) {
  const fs::path lower = folder_ / "tavo.ini";
  WriteText(lower, "[Config]\nCfgFile=Shop.CFG\n");
  EXPECT_EQ(ReadValue(ini_, "Config", "CfgFile"), "Shop.CFG");
  ASSERT_TRUE(WriteValue(ini_, "Config", "SourceDir", "/parts/"));
  EXPECT_FALSE(fs::exists(folder_ / "TAVO.INI"));
  EXPECT_EQ(ReadText(lower), "[Config]\nCfgFile=Shop.CFG\nSourceDir=/parts/\n");
}

}  // namespace
}  // namespace tv::profile
