// Reading DXF files: line ends, text encodings, newer file versions, and damaged files
// that must fail cleanly without touching the drawing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "drawing/drawing.h"
#include "dxf_text.h"

namespace tv::drawing {
namespace {

using testing::EntitiesFile;
using testing::Lines;
using testing::MustRead;

TEST(DrawingReader, ReadsCrLfLfAndCrLineEndsAlike) {
  const char* kEntities =
      "0|LINE|8|BORDER|10|1.5|20|2|30|0|11|7|21|-3.25|31|0|0|TEXT|8|NAME|10|4|20|5|40|2|1|Side panel";
  for (const char* eol : {"\r\n", "\n", "\r"}) {
    SCOPED_TRACE(::testing::PrintToString(std::string(eol)));
    Drawing d;
    MustRead(d, EntitiesFile(kEntities, eol));
    const auto lines = d.GetEntities1();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].LayerName, "BORDER");
    EXPECT_FLOAT_EQ(lines[0].X1, 1.5f);
    EXPECT_FLOAT_EQ(lines[0].Y2, -3.25f);
    const auto texts = d.GetTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Txt, "Side panel");
  }
}

TEST(DrawingReader, DecodesWindows1252UnlessTheFileIsUtf8) {
  struct Case {
    std::string raw;
    std::string expected;
  } cases[] = {
      {"Fa\xE7"
       "ade \x80"
       "5",
       "Fa\xC3\xA7"
       "ade \xE2\x82\xAC"
       "5"},  // Windows-1252 bytes
      {"Fa\xC3\xA7"
       "ade",
       "Fa\xC3\xA7"
       "ade"},                           // already UTF-8
      {"\\U+03A9mega", "\xCE\xA9mega"},  // escaped character
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.raw);
    Drawing d;
    MustRead(d, EntitiesFile("0|TEXT|8|0|10|0|20|0|40|1|1|" + c.raw));
    ASSERT_EQ(d.GetTexts().size(), 1u);
    EXPECT_EQ(d.GetTexts()[0].Txt, c.expected);
  }
}

// Eight-bit files are read in the code page their header declares, Windows-1252 without one.
TEST(DrawingReader, DecodesEightBitTextInTheDeclaredCodePage) {
  struct Case {
    const char* codePage;  // "" for no declaration at all
    std::string raw;
    std::string expected;
  };
  const Case cases[] = {
      {"ANSI_1250", "u\xBFytku", "u\xC5\xBCytku"},                            // użytku
      {"ANSI_1251", "\xD1\xF2\xEE\xEB", "\xD0\xA1\xD1\x82\xD0\xBE\xD0\xBB"},  // Стол
      {"ANSI_932", "\x93\xFA\x96\x7B", "\xE6\x97\xA5\xE6\x9C\xAC"},           // 日本
      {"DOS866", "\x8F", "\xD0\x9F"},                                         // П
      {"ANSI_1252", "u\xBFytku", "u\xC2\xBFytku"},
      {"ANSI_4711", "u\xBFytku", "u\xC2\xBFytku"},  // unknown page: Windows-1252
      {"", "u\xBFytku", "u\xC2\xBFytku"},
      // Escapes as before, in any page: a Unicode character, and a double-byte one of the
      // Japanese page (\M+1 and its two bytes).
      {"ANSI_1251", "\\U+017C \\M+193FA \xD1", "\xC5\xBC \xE6\x97\xA5 \xD0\xA1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.codePage) + " " + c.raw);
    std::string header = "0|SECTION|2|HEADER|9|$ACADVER|1|AC1009|";
    if (*c.codePage) header += std::string("9|$DWGCODEPAGE|3|") + c.codePage + "|";
    header += "0|ENDSEC|";
    Drawing d;
    MustRead(d, Lines(header + "0|SECTION|2|TABLES|0|TABLE|2|LAYER|70|1|0|LAYER|2|" + c.raw +
                      "|70|0|62|7|6|CONTINUOUS|0|ENDTAB|0|ENDSEC|0|SECTION|2|ENTITIES|0|TEXT|8|" + c.raw +
                      "|10|0|20|0|40|1|1|" + c.raw + "|0|ENDSEC|0|EOF"));
    ASSERT_EQ(d.GetTexts().size(), 1u);
    EXPECT_EQ(d.GetTexts()[0].Txt, c.expected);
    EXPECT_EQ(d.GetTexts()[0].LayerName, c.expected);
    EXPECT_EQ(d.Layers().Item(1).Name(), c.expected);
  }
}

TEST(DrawingReader, ReadsNewerVersionsWithHandlesClassMarkersAndObjects) {
  const std::string file = Lines(
      "999|made by a newer program|0|SECTION|2|HEADER|9|$ACADVER|1|AC1015|9|$HANDSEED|5|FF|0|ENDSEC|"
      "0|SECTION|2|CLASSES|0|CLASS|1|ACDBDICTIONARYWDFLT|0|ENDSEC|"
      "0|SECTION|2|TABLES|0|TABLE|2|LAYER|5|2|100|AcDbSymbolTable|70|1|"
      "0|LAYER|5|10|330|2|100|AcDbSymbolTableRecord|100|AcDbLayerTableRecord|2|ROUTE1_Z5|70|0|62|3|6|"
      "Continuous|370|-3|390|F|"
      "0|ENDTAB|0|ENDSEC|"
      "0|SECTION|2|ENTITIES|"
      "0|LWPOLYLINE|5|2A|102|{ACAD_REACTORS|330|1F|102|}|330|1F|100|AcDbEntity|8|ROUTE1_Z5|100|AcDbPolyline|"
      "90|2|70|0|43|0|38|5|"
      "10|0|20|0|42|1|10|10|20|0|"
      "0|ENDSEC|0|SECTION|2|OBJECTS|0|DICTIONARY|5|C|100|AcDbDictionary|0|ENDSEC|0|EOF");
  Drawing d;
  MustRead(d, file);
  ASSERT_EQ(d.Layers().Count(), 1);
  EXPECT_EQ(d.Layers().Item(1).Name(), "ROUTE1_Z5");
  EXPECT_EQ(d.Layers().Item(1).Color(), 0x00FF00);  // colour number 3
  // The bulge 1 makes a half circle below the chord; the elevation is the depth.
  float l, t, r, b;
  ASSERT_TRUE(d.GetExtents(l, t, r, b));
  EXPECT_FLOAT_EQ(l, 0);
  EXPECT_FLOAT_EQ(r, 10);
  EXPECT_NEAR(b, -5, 1e-5);
  EXPECT_NEAR(t, 0, 1e-5);
  for (const SegmentItem& s : d.GetEntities2()) EXPECT_FLOAT_EQ(s.Z1, 5);
}

// Newer programs follow a multi-line text with an "Embedded Object" part (from group 101 on)
// whose groups reuse the codes of the text's own: position, height, direction.
TEST(DrawingReader, EmbeddedObjectOfAMultiLineTextLeavesTheTextsOwnGroups) {
  const std::string embedded =
      "101|Embedded Object|70|1|10|1|20|0|30|0|11|100|21|50|31|0|40|60|41|0|42|20|43|2.5|71|2|72|1|44|60|"
      "45|0|73|0|74|0|46|0";
  struct Case {
    const char* name;
    std::string file;
  };
  const Case cases[] = {
      {"text",
       EntitiesFile("0|MTEXT|5|2A|100|AcDbEntity|8|NOTE|100|AcDbMText|10|100|20|50|30|0|40|2.5|41|60|46|0|"
                    "71|1|72|5|1|Hinge side|73|1|44|1|" +
                    embedded + "|1001|TAVOLIN|1000|kept")},
      {"attribute", testing::BlocksFile(
                        "0|BLOCK|8|0|2|B|70|2|10|0|20|0|30|0|0|LINE|8|0|10|0|20|0|11|1|21|0|0|ENDBLK|8|0",
                        "0|INSERT|8|0|66|1|2|B|10|0|20|0|30|0|"
                        "0|ATTRIB|100|AcDbEntity|8|NOTE|100|AcDbText|10|100|20|50|30|0|40|2.5|1|Hinge side|"
                        "100|AcDbAttribute|280|0|2|SIDE|70|0|71|2|72|0|" +
                            embedded + "|0|SEQEND|8|0")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Drawing d;
    MustRead(d, c.file);
    const auto texts = d.GetTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Txt, "Hinge side");
    EXPECT_FLOAT_EQ(texts[0].X1, 100);
    EXPECT_FLOAT_EQ(texts[0].Y1, 50);
    EXPECT_FLOAT_EQ(texts[0].Rotation, 0);
    EXPECT_FLOAT_EQ(texts[0].Height, 2.5f);
    // The extents stay with the text, and the written file places it there too.
    float l, t, r, b;
    ASSERT_TRUE(d.GetExtents(l, t, r, b));
    EXPECT_GE(l, 0);
    EXPECT_LE(r, 130);
    EXPECT_LE(t, 55);
    const std::string written = d.WriteDrawingToString();
    // Extended data after the embedded part is the text's own again.
    EXPECT_EQ(written.find("kept") != std::string::npos, std::string(c.name) == "text");
    Drawing again;
    MustRead(again, written);
    ASSERT_EQ(again.GetTexts().size(), 1u);
    EXPECT_NEAR(again.GetTexts()[0].Y1, 50, 2.5);
    EXPECT_NEAR(again.GetTexts()[0].X1, 100, 1e-3);
  }
}

TEST(DrawingReader, KeepsLayerOrderOfTheTableThenFirstUse) {
  Drawing d;
  MustRead(d, Lines("0|SECTION|2|TABLES|0|TABLE|2|LAYER|0|LAYER|2|ZED|70|0|62|1|0|LAYER|2|ALPHA|70|0|62|2|"
                    "0|ENDTAB|0|ENDSEC|0|SECTION|2|ENTITIES|0|POINT|8|NEW|10|0|20|0|0|POINT|10|1|20|1|"
                    "0|POINT|8|ALPHA|10|2|20|2|0|ENDSEC|0|EOF"));
  std::vector<std::string> names;
  for (int i = 1; i <= d.Layers().Count(); ++i) names.push_back(d.Layers().Item(i).Name());
  // An entity without a layer group is on layer 0.
  EXPECT_EQ(names, (std::vector<std::string>{"ZED", "ALPHA", "NEW", "0"}));
  EXPECT_EQ(d.GetEntities3()[1].LayerName, "0");
}

struct BadFile {
  const char* what;
  std::string bytes;
  int line;
  const char* reason;
};

std::vector<BadFile> BadFiles() {
  return {
      {"empty", "", 1, "empty"},
      {"text", "Cut list for job 2417\nSide 720 x 560\n", 1, "not a DXF file"},
      {"binary", std::string("AutoCAD Binary DXF\r\n\x1a\0\0\0", 24), 1, "binary"},
      {"malformed code", EntitiesFile("0|LINE|8|A|1x|5"), 9, "malformed group code"},
      {"code out of range", EntitiesFile("0|LINE|8|A|2000|5"), 9, "malformed group code"},
      {"bad number", EntitiesFile("0|LINE|8|A|10|twelve"), 9, "invalid number"},
      {"not finite", EntitiesFile("0|CIRCLE|8|A|10|0|20|0|40|nan"), 13, "invalid number"},
      {"cut in a section", Lines("0|SECTION|2|ENTITIES|0|LINE|8|A|10|1"), 10, "ends inside the ENTITIES"},
      {"cut after a code", Lines("0|SECTION|2|ENTITIES|0|LINE|8"), 7, "ends after group code 8"},
      {"cut in the tables", Lines("0|SECTION|2|TABLES|0|TABLE|2|LAYER|0|LAYER|2|A"), 12,
       "ends inside the TABLES"},
      {"block not closed", Lines("0|SECTION|2|BLOCKS|0|BLOCK|2|B|0|LINE|8|0|0|ENDSEC|0|EOF"), 13,
       "unexpected ENDSEC"},
  };
}

TEST(DrawingReader, BadFilesFailNamingFileLineAndReasonAndLeaveTheDrawing) {
  for (int mode : {0, 1}) {
    for (const BadFile& bad : BadFiles()) {
      SCOPED_TRACE(std::string(bad.what) + " mode " + std::to_string(mode));
      Drawing d;
      MustRead(d, EntitiesFile("0|LINE|8|KEEP|10|0|20|0|11|5|21|5"));
      std::string error;
      EXPECT_FALSE(d.ReadDrawingFromBytes(bad.bytes, "part7.dxf", mode, 10, 10, &error));
      EXPECT_NE(error.find("part7.dxf"), std::string::npos) << error;
      EXPECT_NE(error.find("line " + std::to_string(bad.line) + ":"), std::string::npos) << error;
      EXPECT_NE(error.find(bad.reason), std::string::npos) << error;
      ASSERT_EQ(d.EntityCount(), 1);
      ASSERT_EQ(d.Layers().Count(), 1);
      EXPECT_EQ(d.Layers().Item(1).Name(), "KEEP");
      EXPECT_FLOAT_EQ(d.GetEntities1()[0].X2, 5);
    }
  }
}

TEST(DrawingReader, MissingFileFailsWithItsPath) {
  Drawing d;
  MustRead(d, EntitiesFile("0|POINT|8|KEEP|10|1|20|1"));
  const std::string path = (std::filesystem::temp_directory_path() / "no-such-part-h4.dxf").string();
  std::string error;
  EXPECT_FALSE(d.ReadDrawing(path, 0, 0, 0, &error));
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_EQ(d.EntityCount(), 1);
  EXPECT_EQ(d.DrawingFile(), path);
}

TEST(DrawingReader, ReadsTheDrawingFileFromDisk) {
  const auto path = std::filesystem::temp_directory_path() / "h4_reader_part.dxf";
  std::ofstream(path, std::ios::binary) << EntitiesFile("0|LINE|8|BORDER|10|0|20|0|11|600|21|0", "\r\n");
  Drawing d;
  d.SetDrawingFile(path.string());
  std::string error;
  ASSERT_TRUE(d.ReadDrawing(0, 0, 0, &error)) << error;
  EXPECT_EQ(d.EntityCount(), 1);
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace tv::drawing
