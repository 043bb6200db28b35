// The comment block at the top of a part drawing and the fields read from it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/program.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"
#include "viewer/comment_block.h"
#include "viewer/drawing_inspection.h"

namespace tv::viewer {
namespace {

struct BlockCase {
  const char* name;
  std::string file;
  std::string block;
};

class CommentBlockTest : public testing::TestWithParam<BlockCase> {};

TEST_P(CommentBlockTest, ReadsThePairsAtTheTop) {
  std::istringstream in(GetParam().file);
  EXPECT_EQ(ReadCommentBlock(in), GetParam().block);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, CommentBlockTest,
    testing::Values(BlockCase{"CrLf", "999\r\nJob: 12\r\n999\r\nRoom: 5\r\n  0\r\nSECTION\r\n",
                              "Job: 12, Room: 5, "},
                    BlockCase{"CrOnly", "999\rJob: 12\r999\rRoom: 5\r  0\rSECTION\r", "Job: 12, Room: 5, "},
                    // Files saved with LF-only line ends carry the same block.
                    BlockCase{"LfOnly", "999\nJob: 12\n999\nRoom: 5\n  0\nSECTION\n", "Job: 12, Room: 5, "},
                    // the group code may stand anywhere on its line
                    BlockCase{"RightAligned", "  999\r\nJob: 12\r\n  0\r\n", "Job: 12, "},
                    // a group code without 999 ends the block, even when later pairs follow
                    BlockCase{"StopsAtOtherCode", "999\nJob: 12\n  0\nSECTION\n999\nRoom: 5\n", "Job: 12, "},
                    BlockCase{"NoBlock", "  0\r\nSECTION\r\n999\r\nJob: 12\r\n", ""},
                    // the end of the file ends it too, also right after a 999 line
                    BlockCase{"EndsAfterCode", "999\nJob: 12\n999", "Job: 12, "},
                    BlockCase{"EmptyFile", "", ""},
                    // an empty comment line is still a field line
                    BlockCase{"EmptyComment", "999\n\n999\nJob: 7\n", ", Job: 7, "}),
    [](const testing::TestParamInfo<BlockCase>& param) { return std::string(param.param.name); });

TEST(CommentBlockTest, OlderDrawingsInWindows1252AreDecoded) {
  std::istringstream in("999\r\nDescription: T\xFCr \x80 5\r\n  0\r\n");
  EXPECT_EQ(ReadCommentBlock(in), "Description: T\xC3\xBCr \xE2\x82\xAC 5, ");
  // valid UTF-8 stays as it is
  std::istringstream utf8("999\nDescription: T\xC3\xBCr\n");
  EXPECT_EQ(ReadCommentBlock(utf8), "Description: T\xC3\xBCr, ");
}

TEST(CommentBlockTest, EightBitCommentsAreReadInTheCodePageTheHeaderDeclares) {
  struct Case {
    const char* name;
    std::string file;
    std::string block;
  };
  const std::string header1250 =
      "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n"
      "  9\r\n$DWGCODEPAGE\r\n  3\r\nANSI_1250\r\n  0\r\nENDSEC\r\n";
  const Case cases[] = {
      {"Polish page", "999\r\nMaterial: D\xB9\x62\r\n999\r\nDescription: do u\xBFytku\r\n" + header1250,
       "Material: D\xC4\x85\x62, Description: do u\xC5\xBCytku, "},  // Dąb, użytku
      {"Russian page, LF",
       "999\nMaterial: \xC4\xF3\xE1\n  0\nSECTION\n  2\nHEADER\n  9\n$DWGCODEPAGE\n  3\nANSI_1251\n  "
       "0\nENDSEC\n",
       "Material: \xD0\x94\xD1\x83\xD0\xB1, "},  // Дуб
      // A declaration after the header is no declaration.
      {"after the header",
       "999\nMaterial: D\xB9\x62\n  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n  9\n$DWGCODEPAGE\n  "
       "3\nANSI_1250\n",
       "Material: D\xC2\xB9\x62, "},
      // UTF-8 lines stay as they are.
      {"UTF-8", "999\nMaterial: D\xC4\x85\x62\n" + header1250, "Material: D\xC4\x85\x62, "},
  };
  for (const Case& c : cases) {
    std::istringstream in(c.file);
    EXPECT_EQ(ReadCommentBlock(in), c.block) << c.name;
  }
}

// Fields of drawings written to a temporary folder, read as the row builder reads them: the
// title first (which re-reads the block), then the other keys.
class DrawingFieldTest : public testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& text) { return dir_.Write(name, text); }
  std::string Field(std::string key) { return GetDrawingField(program_, key); }
  std::string Title(const std::string& path) {
    program_.DXF1.SetDrawingFile(path);
    return Field("Tavolin");
  }

  test_support::TempFolder dir_;
  test_support::ScriptedUi ui_;
  core::Program program_{ui_};
};

TEST_F(DrawingFieldTest, ReadsTheFieldsOfTheBlock) {
  const std::string path = Write("part.dxf",
                                 "999\r\nTavolin: 2417 B1 Left Side\r\n999\r\nQuantity: 2\r\n999\r\n"
                                 "Job: 1234, Room: 5\r\n999\r\nMaterial:   WHITE MELAMINE 19  \r\n999\r\n"
                                 "EB L2:\r\n999\r\nRotatable: Rotatable\r\n  0\r\nEOF\r\n");
  EXPECT_EQ(Title(path), "2417 B1 Left Side");
  EXPECT_EQ(Field("Quantity"), "2");
  // a comma inside a line separates fields like a line end
  EXPECT_EQ(Field("Job"), "1234");
  EXPECT_EQ(Field("Room"), "5");
  // keys match in any case; values are trimmed and keep their case
  EXPECT_EQ(Field("material"), "WHITE MELAMINE 19");
  EXPECT_EQ(Field("Rotatable"), "Rotatable");
  // an empty value, and a key that is not there, fall back to texts (none here)
  EXPECT_EQ(Field("EB L2"), "");
  EXPECT_EQ(Field("Cabinet"), "");
}

TEST_F(DrawingFieldTest, TheCallersKeyComesBackUpperCased) {
  program_.DrawingCommentText = "Job: 7, ";
  std::string key = "Job";
  EXPECT_EQ(GetDrawingField(program_, key), "7");
  EXPECT_EQ(key, "JOB");
}

TEST_F(DrawingFieldTest, AKeyInsideAnEarlierValueIsFoundThere) {
  // "JOB" first occurs in the description; the colon after it is the material's.
  program_.DrawingCommentText = "Description: Job site cabinet, Material: MDF, Job: 42, ";
  EXPECT_EQ(Field("Job"), "MDF");
}

TEST_F(DrawingFieldTest, OnlyTheTitleKeyRereadsTheBlock) {
  const std::string first = Write("first.dxf", "999\nTavolin: First\n999\nJob: 1\n  0\nEOF\n");
  const std::string second = Write("second.dxf", "999\nTavolin: Second\n999\nJob: 2\n  0\nEOF\n");
  EXPECT_EQ(Title(first), "First");
  program_.DXF1.SetDrawingFile(second);
  EXPECT_EQ(Field("Job"), "1");
  EXPECT_EQ(Field("Tavolin"), "Second");
  EXPECT_EQ(Field("Job"), "2");

  // A title request for a drawing whose file is gone keeps the block read last.
  program_.DXF1.SetDrawingFile(dir_.Path() + "missing.dxf");
  EXPECT_EQ(Field("Tavolin"), "Second");
}

TEST_F(DrawingFieldTest, ADrawingWithoutBlockHasNoFields) {
  const std::string path = Write("plain.dxf", "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n");
  program_.DrawingCommentText = "Job: old, ";
  EXPECT_EQ(Title(path), "");
  EXPECT_EQ(Field("Job"), "");
}

TEST_F(DrawingFieldTest, FileNamesAreFoundWithoutRegardToCase) {
  Write("PART7.DXF", "999\nTavolin: Seven\n  0\nEOF\n");
  EXPECT_EQ(Title(dir_.Path() + "part7.dxf"), "Seven");
}

}  // namespace
}  // namespace tv::viewer
