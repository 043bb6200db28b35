// Writing R12 files: round trips of the sample job, conversions to R12 forms, stripped
// layers, colours, text encoding, and acceptance by an independent DXF reader.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "drawing/drawing.h"
#include "dxf_text.h"
#include "testing/temp_folder.h"

namespace tv::drawing {
namespace {

namespace fs = std::filesystem;
using testing::BlocksFile;
using testing::EntitiesFile;
using testing::Lines;
using testing::MustRead;

const fs::path kSource = TAVOLIN_SOURCE_DIR;

std::vector<fs::path> SampleDrawings() {
  std::vector<fs::path> out;
  for (const char* folder : {"samples/Parts", "samples/InchJob", "samples/Letters"}) {
    if (!fs::exists(kSource / folder)) continue;
    for (const auto& entry : fs::directory_iterator(kSource / folder))
      if (entry.path().extension() == ".dxf" || entry.path().extension() == ".DXF")
        out.push_back(entry.path());
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::string Num(float v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.4f", std::fabs(v) < 5e-5f ? 0.0f : v);
  return buf;
}

// Everything the program reads off a drawing, in a comparable text.
std::string Dump(Drawing& d) {
  std::ostringstream s;
  for (int i = 1; i <= d.Layers().Count(); ++i) {
    const Layer& l = d.Layers().Item(i);
    s << "layer " << l.Name() << " " << l.Color() << "\n";
  }
  for (const auto& list : {d.GetEntities1(), d.GetEntities2()}) {
    for (const SegmentItem& it : list)
      s << it.LayerName << " " << Num(it.X1) << " " << Num(it.Y1) << " " << Num(it.Z1) << " " << Num(it.X2)
        << " " << Num(it.Y2) << " " << Num(it.Z2) << "\n";
    s << "--\n";
  }
  for (const PointItem& p : d.GetEntities3())
    s << "point " << p.LayerName << " " << Num(p.X) << " " << Num(p.Y) << "\n";
  for (const TextItem& t : d.GetTexts())
    s << "text " << t.LayerName << " [" << t.Txt << "] " << Num(t.Rotation) << " " << Num(t.X1) << " "
      << Num(t.Y1) << " " << Num(t.Height) << "\n";
  return s.str();
}

TEST(DrawingWriter, SampleDrawingsComeBackUnchanged) {
  const auto samples = SampleDrawings();
  ASSERT_FALSE(samples.empty()) << "the sample job is missing";
  for (const fs::path& p : samples) {
    SCOPED_TRACE(p.string());
    Drawing original;
    std::string error;
    ASSERT_TRUE(original.ReadDrawing(p.string(), 0, 0, 0, &error)) << error;
    const std::string written = original.WriteDrawingToString();
    Drawing again;
    MustRead(again, written);
    EXPECT_EQ(Dump(again), Dump(original));
    EXPECT_EQ(again.WriteDrawingToString(), written);  // writing is stable
  }
}

TEST(DrawingWriter, CommentBlockStaysWithTheDrawingReadAndGoesWithAMerge) {
  const std::string part = Lines(
      "999|Tavolin: 2417 B1 Side|999|Material: MDF 19|0|SECTION|2|ENTITIES|"
      "0|LINE|8|BORDER|10|0|20|0|11|1|21|0|0|ENDSEC|0|EOF");
  Drawing d;
  MustRead(d, part);
  const std::string written = d.WriteDrawingToString();
  EXPECT_EQ(written.rfind("999\r\nTavolin: 2417 B1 Side\r\n999\r\nMaterial: MDF 19\r\n  0\r\nSECTION\r\n", 0),
            0u);
  MustRead(d, part, 1, 10, 0);
  EXPECT_EQ(d.WriteDrawingToString().find("999"), std::string::npos);
}

TEST(DrawingWriter, LeavesOutStrippedLayersAndTheirEntitiesEverywhere) {
  Drawing d;
  MustRead(d, BlocksFile("0|BLOCK|2|B|70|0|10|0|20|0|30|0|0|LINE|8|NAME1|10|0|20|0|11|1|21|0|"
                         "0|LINE|8|KEEP|10|0|20|0|11|0|21|1|0|ENDBLK",
                         "0|LINE|8|L_Nested_Part_001|10|0|20|0|11|600|21|0|0|LINE|8|KEEP|10|0|20|0|11|0|21|5|"
                         "0|INSERT|8|KEEP|2|B|10|50|20|50|0|TEXT|8|NAME1|10|0|20|0|40|2|1|gone|"
                         "0|INSERT|8|NAME1|2|B|10|900|20|900"));
  for (int i = 1; i <= d.Layers().Count(); ++i) {
    const std::string& name = d.Layers().Item(i).Name();
    if (name == "NAME1" || name == "L_Nested_Part_001") d.Layers().Item(i).SetStripped(true);
  }
  const std::string written = d.WriteDrawingToString();
  EXPECT_EQ(written.find("L_Nested_Part_001"), std::string::npos);
  EXPECT_EQ(written.find("NAME1"), std::string::npos);
  EXPECT_EQ(written.find("gone"), std::string::npos);
  // the header's extents are those of what the file holds
  EXPECT_NE(written.find("$EXTMIN\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n"), std::string::npos);
  EXPECT_NE(written.find("$EXTMAX\r\n 10\r\n50.0\r\n 20\r\n51.0\r\n"), std::string::npos);
  Drawing again;
  MustRead(again, written);
  EXPECT_EQ(again.EntityCount(), 2);
  EXPECT_EQ(again.GetEntities2().size(), 1u);  // the block keeps its line on KEEP only
  EXPECT_TRUE(again.GetTexts().empty());
}

TEST(DrawingWriter, ConvertsEntitiesWithoutAnR12Form) {
  Drawing d;
  MustRead(d, EntitiesFile(
                  "0|LWPOLYLINE|8|ROUTE1|90|2|70|0|38|4.5|10|0|20|0|42|1|10|10|20|0|"
                  "0|MTEXT|8|NOTE|10|0|20|100|40|10|71|1|1|First\\PSecond|"
                  "0|ELLIPSE|8|E|10|0|20|0|11|10|21|0|40|0.5|41|0|42|6.283185307179586|"
                  "0|SPLINE|8|S|70|8|71|2|40|0|40|0|40|0|40|1|40|1|40|1|10|0|20|0|10|5|20|10|10|10|20|0"));
  const std::string written = d.WriteDrawingToString();
  for (const char* gone : {"LWPOLYLINE", "MTEXT", "ELLIPSE", "SPLINE"})
    EXPECT_EQ(written.find(std::string("\r\n") + gone + "\r\n"), std::string::npos) << gone;
  EXPECT_NE(written.find(" 42\r\n1.0\r\n"), std::string::npos);  // the bulge survives
  Drawing again;
  MustRead(again, written);
  // the half circle keeps its depth
  for (const SegmentItem& s : again.GetEntities2()) {
    if (s.LayerName == "ROUTE1") {
      EXPECT_FLOAT_EQ(s.Z1, 4.5f);
    }
  }
  // two text lines, the first with its top at the insertion point, the next one below
  const auto texts = again.GetTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].Txt, "First");
  EXPECT_EQ(texts[1].Txt, "Second");
  EXPECT_FLOAT_EQ(texts[0].Y1, 100);
  EXPECT_LT(texts[1].Y1, texts[0].Y1 - 10);
  // the curves keep their extents within the written tolerance
  float l = 1e9f, t = -1e9f, r = -1e9f, b = 1e9f;
  for (const SegmentItem& s : again.GetEntities2()) {
    if (s.LayerName != "E" && s.LayerName != "S") continue;
    l = std::min({l, s.X1, s.X2});
    r = std::max({r, s.X1, s.X2});
    t = std::max({t, s.Y1, s.Y2});
    b = std::min({b, s.Y1, s.Y2});
  }
  EXPECT_NEAR(l, -10, 0.01);
  EXPECT_NEAR(t, 5, 0.01);
  EXPECT_NEAR(r, 10, 0.01);
  EXPECT_NEAR(b, -5, 0.01);
}

// A paragraph of a multi-line text box is written as lines that stay inside the box's
// width (group 41), broken between words; explicit breaks still break.
TEST(DrawingWriter, MultiLineTextWrapsAtTheWidthOfItsBox) {
  struct Case {
    const char* name;
    std::string width;  // group 41; "" for none
    std::string value;
    std::vector<std::string> lines;
  };
  // Height 10: a character takes 8 units, so a box 100 wide holds 12 characters a line.
  const Case cases[] = {
      {"paragraph",
       "100",
       "one two three four five six seven eight",
       {"one two", "three four", "five six", "seven eight"}},
      {"explicit breaks too", "100", "short\\Pone two three four", {"short", "one two", "three four"}},
      {"a word longer than the box", "100", "a extraordinarily long", {"a", "extraordinarily", "long"}},
      {"no width",
       "",
       "one two three four five six seven eight",
       {"one two three four five six seven eight"}},
      {"fits", "400", "one two three four five six seven eight", {"one two three four five six seven eight"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string width = c.width.empty() ? "" : "41|" + c.width + "|";
    Drawing d;
    MustRead(d, EntitiesFile("0|MTEXT|8|NOTE|10|0|20|100|40|10|" + width + "71|1|1|" + c.value));
    // The text as the drawing holds it is unchanged: only its written lines wrap.
    ASSERT_EQ(d.GetTexts().size(), 1u);
    Drawing again;
    MustRead(again, d.WriteDrawingToString());
    std::vector<std::string> lines;
    for (const TextItem& t : again.GetTexts()) lines.push_back(t.Txt);
    EXPECT_EQ(lines, c.lines);
    float l, t, r, b;
    ASSERT_TRUE(again.GetExtents(l, t, r, b));
    if (c.lines.size() > 1 && c.name != std::string("a word longer than the box")) {
      EXPECT_LE(r - l, std::stof(c.width) + 1e-3f);
    }
    // Each line a line step below the one before, the first with its top at the insertion.
    const auto texts = again.GetTexts();
    for (std::size_t k = 1; k < texts.size(); ++k)
      EXPECT_NEAR(texts[k - 1].Y1 - texts[k].Y1, 10 * 5.0 / 3.0, 1e-3);
    EXPECT_FLOAT_EQ(texts[0].Y1, 100);
  }
}

// The colour number written for a layer.
int WrittenColorNumber(const std::string& written, const std::string& layer) {
  const std::string key = "LAYER\r\n  2\r\n" + layer + "\r\n";
  const std::size_t at = written.find(key);
  if (at == std::string::npos) return -1;
  const std::size_t c = written.find(" 62\r\n", at);
  return std::atoi(written.c_str() + c + 5);
}

TEST(DrawingWriter, WritesSetColoursAsTheNearestColourNumber) {
  struct Case {
    std::int32_t bgr;
    int number;
  } cases[] = {{255, 1}, {0xFF0000, 5}, {0x00FF00, 3}, {0x00FFFF, 2}, {0xFFFFFF, 7}, {0x0000F0, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bgr);
    Drawing d;
    d.Layers().Add(true, c.bgr, "Tavolin", true, true, 0, "");
    d.AddLine(0, 0, 0, 1, 1, 0, "Tavolin");
    EXPECT_EQ(WrittenColorNumber(d.WriteDrawingToString(), "Tavolin"), c.number);
    EXPECT_EQ(d.Layers().Item(2).Color(), c.bgr);
  }
}

TEST(DrawingWriter, TextIsWrittenInWindows1252WithEscapesForTheRest) {
  Drawing d;
  d.AddText(0, 0,
            "Fa\xC3\xA7"
            "ade \xE2\x82\xAC \xCE\xA9",
            "DESCRIPTION", 1, 5);
  const std::string written = d.WriteDrawingToString();
  EXPECT_NE(written.find("Fa\xE7"
                         "ade \x80 \\U+03A9\r\n"),
            std::string::npos);
  EXPECT_NE(written.find("$DWGCODEPAGE\r\n  3\r\nANSI_1252"), std::string::npos);
  Drawing again;
  MustRead(again, written);
  EXPECT_EQ(again.GetTexts()[0].Txt,
            "Fa\xC3\xA7"
            "ade \xE2\x82\xAC \xCE\xA9");
}

// Part drawings from Polish and Russian CAD seats: their letters survive reading, merging
// into a sheet and writing it (Windows-1252 with escapes), for our reader and an independent one.
TEST(DrawingWriter, EightBitDrawingsKeepTheirLettersThroughASheet) {
  struct Case {
    const char* fixture;
    std::string layer;
    std::vector<std::string> lines;  // the two texts, then the two lines of the multi-line text
    std::string escape;              // one character outside Windows-1252, as written
  };
  const Case cases[] = {
      {"part_cp1250.dxf",
       "Opis_cz\xC4\x99\xC5\x9B\x63i",  // Opis_części
       {"P\xC3\xB3\xC5\x82ka \xC5\x9Brodkowa",
        "\xC5\xBB\xC3\xB3\xC5\x82\xC4\x87 g\xC4\x99\xC5\x9Bl\xC4\x85 "
        "ja\xC5\xBA\xC5\x84",
        "Kraw\xC4\x99\x64\xC5\xBA oklejona", "na ca\xC5\x82\x65j d\xC5\x82ugo\xC5\x9B\x63i"},
       "\\U+0142"},  // ł
      {"part_cp1251.dxf",
       "\xD0\x9D\xD0\xB0\xD0\xB4\xD0\xBF\xD0\xB8\xD1\x81\xD0\xB8",  // Надписи
       {"\xD0\x94\xD0\xB2\xD0\xB5\xD1\x80\xD1\x86\xD0\xB0 \xD1\x88\xD0\xBA\xD0\xB0\xD1\x84\xD0\xB0",
        "\xD0\xA1\xD1\x8A\xD0\xB5\xD1\x88\xD1\x8C \xD0\xB6\xD0\xB5 \xD0\xB5\xD1\x89\xD1\x91 "
        "\xD1\x8D\xD1\x82\xD0"
        "\xB8\xD1\x85 \xD0\xBC\xD1\x8F\xD0\xB3\xD0\xBA\xD0\xB8\xD1\x85 "
        "\xD0\xB1\xD1\x83\xD0\xBB\xD0\xBE\xD0\xBA",
        "\xD0\x9A\xD1\x80\xD0\xBE\xD0\xBC\xD0\xBA\xD0\xB0 \xD0\xBF\xD0\xBE \xD0\xB2\xD1\x81\xD0\xB5\xD0\xB9",
        "\xD0\xB4\xD0\xBB\xD0\xB8\xD0\xBD\xD0\xB5 \xD0\xB4\xD0\xB5\xD1\x82\xD0\xB0\xD0\xBB\xD0\xB8"},
       "\\U+0414"},  // Д
  };
  const bool ezdxf = std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") == 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    const test_support::TempFolder folder;
    const fs::path dir = folder.Path();
    Drawing sheet;
    sheet.AddLine(0, 0, 0, 2440, 0, 0, "Tavolin");
    std::string error;
    ASSERT_TRUE(sheet.ReadDrawing((kSource / "tests/platform/drawing/fixtures" / c.fixture).string(), 1, 500,
                                  0, &error))
        << error;
    const auto merged = sheet.GetTexts();
    ASSERT_EQ(merged.size(), 3u);
    EXPECT_EQ(merged[0].Txt, c.lines[0]);
    EXPECT_EQ(merged[1].Txt, c.lines[1]);
    EXPECT_EQ(merged[2].Txt, c.lines[2] + "\n" + c.lines[3]);
    EXPECT_EQ(merged[0].LayerName, c.layer);

    sheet.SetOutputFile((dir / "Nest001.DXF").string());
    ASSERT_TRUE(sheet.WriteDrawing(&error)) << error;
    const std::string written = test_support::ReadText(dir / "Nest001.DXF");
    EXPECT_NE(written.find(c.escape), std::string::npos);

    // Each text line with its layer, as our reader and the independent one see the sheet.
    Drawing again;
    MustRead(again, written);
    std::string ours;
    for (const TextItem& t : again.GetTexts()) ours += t.LayerName + "\t" + t.Txt + "\n";
    std::string expected;
    for (const std::string& line : c.lines) expected += c.layer + "\t" + line + "\n";
    EXPECT_EQ(ours, expected);
    if (!ezdxf) continue;
    const std::string script = (dir / "texts.py").string();
    std::ofstream(script) << "import sys\n"
                             "from ezdxf import recover\n"
                             "doc, auditor = recover.readfile(sys.argv[1])\n"
                             "with open(sys.argv[2], 'w', encoding='utf-8', newline='') as out:\n"
                             "    for e in doc.modelspace().query('TEXT'):\n"
                             "        out.write(e.dxf.layer + '\\t' + e.dxf.text + '\\n')\n";
    const std::string report = (dir / "texts.txt").string();
    ASSERT_EQ(
        std::system(
            ("/usr/bin/python3 " + script + " " + (dir / "Nest001.DXF").string() + " " + report).c_str()),
        0);
    EXPECT_EQ(test_support::ReadText(report), expected);
  }
}

TEST(DrawingWriter, KeptTableAndExtendedDataTextStaysWindows1252) {
  // a Windows-1252 file: the line type description and the extended data carry an e-acute
  const std::string file = Lines(
      "0|SECTION|2|TABLES|0|TABLE|2|LTYPE|0|LTYPE|2|DOTTED|70|0|3|Pointill\xE9|72|65|73|0|40|0|0|ENDTAB|"
      "0|TABLE|2|APPID|0|APPID|2|SHOP|70|0|0|ENDTAB|0|ENDSEC|"
      "0|SECTION|2|ENTITIES|0|LINE|8|0|10|0|20|0|11|1|21|0|1001|SHOP|1000|per\xE7"
      "age|0|ENDSEC|0|EOF");
  Drawing d;
  MustRead(d, file);
  const std::string written = d.WriteDrawingToString();
  EXPECT_NE(written.find("Pointill\xE9\r\n"), std::string::npos);
  EXPECT_NE(written.find("per\xE7"
                         "age\r\n"),
            std::string::npos);
  Drawing again;
  MustRead(again, written);
  EXPECT_EQ(again.WriteDrawingToString(), written);
}

TEST(DrawingWriter, WriteDrawingReplacesTheFileAndReportsFailures) {
  const fs::path dir = fs::temp_directory_path() / "h4_writer_test";
  fs::remove_all(dir);
  fs::create_directories(dir);
  Drawing d;
  d.AddLine(0, 0, 0, 100, 0, 0, "Border_Z18");
  d.SetOutputFile((dir / "Nest001.DXF").string());
  std::string error;
  ASSERT_TRUE(d.WriteDrawing(&error)) << error;
  EXPECT_EQ(test_support::ReadText(dir / "Nest001.DXF"), d.WriteDrawingToString());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // no temporary left

  d.SetOutputFile((dir / "missing" / "Nest002.DXF").string());
  EXPECT_FALSE(d.WriteDrawing(&error));
  EXPECT_NE(error.find("Nest002.DXF"), std::string::npos) << error;
  fs::remove_all(dir);
}

// The groups of a written file whose value a strict reader cannot take for the type of
// their code (real or whole number), as "code value" lines.
std::string BadlyTypedGroups(const std::string& written) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  for (std::size_t end; (end = written.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(written.substr(at, end - at));
  std::string bad;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
    const int code = std::atoi(lines[i].c_str());
    const std::string& value = lines[i + 1];
    const bool real =
        (code >= 10 && code <= 59) || (code >= 210 && code <= 239) || (code >= 1010 && code <= 1059);
    const bool whole = (code >= 60 && code <= 99) || (code >= 1060 && code <= 1071);
    if (!real && !whole) continue;
    std::size_t used = 0;
    bool ok = !value.empty();
    try {
      if (real)
        ok = ok && std::isfinite(std::stod(value, &used));
      else
        std::stol(value, &used);
    } catch (const std::exception&) {
      ok = false;
    }
    if (!ok || used != value.size()) bad += std::to_string(code) + " " + value + "\n";
  }
  return bad;
}

TEST(DrawingWriter, KeptGroupsWithValuesThatDoNotFitTheirCodeAreLeftOut) {
  // Groups the reader keeps without interpreting them: header values, table entries, an
  // attribute definition, extended data and polyline vertex data, each with a value a
  // strict reader rejects next to one it takes.
  const std::string file = Lines(
      "0|SECTION|2|HEADER|9|$LIMMIN|10|abc|20|0|9|$LIMMAX|10|420|20|297|0|ENDSEC|"
      "0|SECTION|2|TABLES|0|TABLE|2|LTYPE|0|LTYPE|2|DASHED|70|0|3|Dashed|72|65|73|2x|40|0.75|49|0.5|49|-0.25|"
      "0|ENDTAB|0|TABLE|2|APPID|0|APPID|2|SHOP|70|0|0|ENDTAB|0|ENDSEC|"
      "0|SECTION|2|BLOCKS|0|BLOCK|2|HINGE|70|2|10|0|20|0|30|0|"
      "0|ATTDEF|8|0|10|0|20|25|40|3|1||3|Hinge type|2|TYPE|70|%|0|ENDBLK|0|ENDSEC|"
      "0|SECTION|2|ENTITIES|0|LINE|8|ROUTE1|10|0|20|0|11|1|21|0|1001|SHOP|1040|1.5e|1070|7|"
      "0|POLYLINE|8|ROUTE2|66|1|70|0|0|VERTEX|8|ROUTE2|10|0|20|0|50|north|0|VERTEX|8|ROUTE2|10|5|20|0|50|45|"
      "0|SEQEND|0|ENDSEC|0|EOF");
  Drawing d;
  MustRead(d, file);
  const std::string written = d.WriteDrawingToString();
  EXPECT_EQ(BadlyTypedGroups(written), "");
  // the well-formed neighbours stay
  for (const char* kept :
       {"$LIMMAX\r\n 10\r\n420", " 40\r\n0.75\r\n", "  2\r\nTYPE\r\n", "1070\r\n7\r\n", " 50\r\n45\r\n"})
    EXPECT_NE(written.find(kept), std::string::npos) << kept;
  Drawing again;
  MustRead(again, written);
  EXPECT_EQ(again.WriteDrawingToString(), written);
}

// The z values (group 30) of the POLYLINE and VERTEX records of a written file, one line
// per record: "POLYLINE 19.8", "VERTEX 19.8"...
std::string PolylineDepths(const std::string& written) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  for (std::size_t end; (end = written.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(written.substr(at, end - at));
  std::string out, record;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
    if (lines[i] == "  0") record = lines[i + 1];
    if (lines[i] == " 30" && (record == "POLYLINE" || record == "VERTEX"))
      out += record + " " + lines[i + 1] + "\n";
  }
  return out;
}

TEST(DrawingWriter, FlatPolylineVerticesAreWrittenAtTheDepthSetThroughItsItems) {
  // Cutting programs that take a vertex's z as it stands must find the limited depth there,
  // whether the file gave the vertices the elevation or left their z out.
  struct Case {
    const char* name;
    const char* vertexZ;
  } cases[] = {{"vertices with the elevation", "|30|25"}, {"vertices without z", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string polyline = "0|POLYLINE|8|ROUTE1_Z25|66|1|10|0|20|0|30|25|70|1";
    for (const char* xy : {"|10|0|20|0", "|10|10|20|0", "|10|10|20|10"})
      polyline += std::string("|0|VERTEX|8|ROUTE1_Z25") + xy + c.vertexZ;
    polyline += "|0|SEQEND";
    Drawing d;
    MustRead(d, EntitiesFile(polyline), 0, 5, 5);
    for (SegmentItem& item : d.GetEntities2()) {
      EXPECT_FLOAT_EQ(item.Z1, 25);
      if (item.Z1 > 19.8f) item.SetZ1(19.8f);
    }
    EXPECT_EQ(PolylineDepths(d.WriteDrawingToString()),
              "POLYLINE 19.8\nVERTEX 19.8\nVERTEX 19.8\nVERTEX 19.8\n");
  }
}

// Runs the independent reader on every file; its report names files with errors.
TEST(DrawingWriter, IndependentReaderAcceptsEveryWrittenFile) {
  if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "python3-ezdxf is not installed";
  // A folder of its own: this test may run in several build trees at once.
  const test_support::TempFolder folder;
  const fs::path dir = folder.Path();
  int n = 0;
  auto save = [&](Drawing& d) {
    d.SetOutputFile((dir / ("out" + std::to_string(++n) + ".dxf")).string());
    std::string error;
    ASSERT_TRUE(d.WriteDrawing(&error)) << error;
  };
  for (const fs::path& p : SampleDrawings()) {
    Drawing d;
    ASSERT_TRUE(d.ReadDrawing(p.string(), 0, 0, 0));
    save(d);
  }
  {  // every entity kind, merged twice (block clash), one copy turned, a layer stripped
    Drawing d;
    const std::string all = (kSource / "tests/platform/drawing/fixtures/all_kinds.dxf").string();
    std::string error;
    ASSERT_TRUE(d.ReadDrawing(all, 0, 0, 0, &error)) << error;
    ASSERT_TRUE(d.ReadDrawing(all, 1, 700, 0, &error)) << error;
    d.TransformEntities(d.EntityCount(), 700, 0, 500, 0, 90, 1, 1);
    d.Layers().Add(true, 0xFF0000, "Tavolin", true, true, 0, "");
    d.AddText(10, 10, " 12, B1, Side", "Zuvodavi", 1, 20, 1, 90);
    d.AddSolid(0, 10, 0, 0, 5, 0, 5, 10, "TavolinT1");
    d.AddLine(0, 0, 19.8, 10, 0, 0, "Route601_T1L");
    d.SetUseDxfFont(false);
    d.SetFontName("Arial");
    d.AddText(0, -20, "TVV: 1.0.0", "Tavolin", 1, 0);
    d.Layers().Item(2).SetStripped(true);
    save(d);
    d.TransformEntities(d.EntityCount(), 0, 0, 0, 0, 30, 2, 0.5);
    save(d);
  }
  const std::string script = (dir / "check.py").string();
  std::ofstream(script) << "import sys, glob\n"
                           "from ezdxf import recover\n"
                           "bad = 0\n"
                           "for p in sorted(glob.glob(sys.argv[1] + '/*.dxf')):\n"
                           "    doc, auditor = recover.readfile(p)\n"
                           "    again = doc.audit()\n"
                           "    errors = [e.message for e in list(auditor.errors) + list(again.errors)]\n"
                           "    fixes = [f.message for f in list(auditor.fixes) + list(again.fixes)]\n"
                           "    if errors or fixes:\n"
                           "        bad += 1\n"
                           "        print(p, errors[:3], fixes[:3])\n"
                           "sys.exit(1 if bad else 0)\n";
  const std::string report = (dir / "report.txt").string();
  const int rc =
      std::system(("/usr/bin/python3 " + script + " " + dir.string() + " > " + report + " 2>&1").c_str());
  EXPECT_EQ(rc, 0) << test_support::ReadText(report);
}

}  // namespace
}  // namespace tv::drawing
