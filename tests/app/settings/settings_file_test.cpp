// Configuration files into the settings grid and back.
#include <gtest/gtest.h>

#include "settings_fixture.h"
#include "testing/encodings.h"

namespace tv::settings {
namespace {

TEST_F(SettingsFixture, EachValueCellGetsTheKindItsValueAndNameCallFor) {
  ASSERT_TRUE(
      Load("Small Parts Inside,yes\r\n"
           "Cut Out First,No\r\n"
           "Nest Name,nO\r\n"  // any row with a yes or no value is a check box
           "Nest From Corner,upper right\r\n"
           "CUT OUT DIRECTION,COUNTER CLOCKWISE\r\n"
           "Nest Font,Serif\r\n"
           "Lead Length,0.5\r\n"
           "Drop Cut,YES \r\n"));  // with the blank it is text
  const grid::Grid& g = program_.Settings;
  const struct {
    long row;
    grid::Kind kind;
    std::string text;
    std::string caption;
    int index;
    std::string answer;
  } cases[] = {
      {1, grid::Kind::CheckBox, "1", " Yes", -1, "YES"},
      {2, grid::Kind::CheckBox, "0", " No", -1, "NO"},
      {3, grid::Kind::CheckBox, "0", " No", -1, "NO"},
      {4, grid::Kind::Choice, "Upper Right", "", 2, "2"},
      {5, grid::Kind::Choice, "Counter Clockwise", "", 1, "1"},
      {6, grid::Kind::Choice, "Serif", "", 2, "2"},
      {7, grid::Kind::Edit, "0.5", "", -1, "0.5"},
      {8, grid::Kind::Edit, "YES ", "", -1, "YES "},
  };
  ASSERT_EQ(g.MaxRows(), 8);
  for (const auto& c : cases) {
    EXPECT_EQ(g.CellKindAt(c.row, 2), c.kind) << c.row;
    EXPECT_EQ(g.CellText(c.row, 2), c.text) << c.row;
    EXPECT_EQ(g.CheckCaptionAt(c.row, 2), c.caption) << c.row;
    if (c.kind == grid::Kind::Choice) {
      EXPECT_EQ(g.ChoiceIndexAt(c.row, 2), c.index) << c.row;
    }
    EXPECT_EQ(GetSettingValue(program_, g.CellText(c.row, 1)), c.answer) << c.row;
  }
  EXPECT_EQ(g.ChoiceListAt(4, 2), "Lower Left\tUpper Left\tUpper Right\tLower Right");
  EXPECT_EQ(g.ChoiceListAt(5, 2), "Clockwise\tCounter Clockwise\tNo Cutouts");
}

TEST_F(SettingsFixture, ReaderTakesTwoFieldsPerLine) {
  ASSERT_TRUE(
      Load("   Nest Name,   Kitchen 12 \r\n"  // leading blanks go, trailing ones stay
           "\"Cut Out Router#\",\"T1, spiral\"\r\n"
           "OS Area <,900,extra,fields\n"
           "\r\n"
           "   \n"
           ",value without a name\r"
           "Font Size,3"));  // the last line needs no line end
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Nest Name=Kitchen 12 ", "Cut Out Router#=T1, spiral",
                                              "OS Area <=900", "Font Size=3"}));
}

TEST_F(SettingsFixture, ABadRecordLeavesTheSettingsOrKeepsWhatWasReadAsAsked) {
  const struct {
    const char* name;
    std::string bad;
    const char* reason;
  } cases[] = {
      {"no comma", "Perimeter Margin 10\r\n", "line 2: no comma between name and value"},
      {"unterminated quote", "Nest Name,\"Kitchen\r\n", "line 2: a quote is not closed"},
      {"quoted name without comma", "\"Nest Name\"\r\n", "line 2: no comma between name and value"},
      {"binary", std::string("Nest\0Name,x\r\n", 13), "line 2: unreadable characters"},
  };
  const std::vector<std::string> before = {"A=1", "B=2", "C=3", "D=4"};
  for (const auto& c : cases) {
    program_.Settings.SetMaxRows(0);
    ASSERT_TRUE(Load("A,1\r\nB,2\r\nC,3\r\nD,4\r\n"));
    const std::string bad = "First,1\r\n" + c.bad + "Third,3\r\n";
    // Refused: not one row changes.
    std::string error;
    EXPECT_FALSE(Load(bad, &error)) << c.name;
    EXPECT_EQ(error, c.reason) << c.name;
    EXPECT_EQ(Rows(), before) << c.name;
    // Kept (start-up): the rows read stay, the old rows beyond them are gone, nothing after the
    // bad line is read.
    std::string keptError;
    EXPECT_FALSE(
        LoadSettingsCSV(program_, WriteCfg("test.cfg", bad), &keptError, grid::PartialLoad::KeepRowsRead))
        << c.name;
    EXPECT_EQ(keptError, c.reason) << c.name;
    EXPECT_EQ(Rows(), (std::vector<std::string>{"First=1"})) << c.name;
  }
}

// A mark left on the first name hid "Perimeter Margin" (sheets cut without a margin), and a
// UTF-16 file was refused at its first line.
TEST_F(SettingsFixture, AConfigurationReadsTheSameInEveryEncoding) {
  std::string cfg = test_support::ReadText(SampleCfg());
  const std::string nest = "Nest Name,NEST";
  ASSERT_NE(cfg.find(nest), std::string::npos);
  cfg.replace(cfg.find(nest), nest.size(),
              "Nest Name,K\xC3\xBC"
              "che \xE2\x82\xAC"
              "5");
  ASSERT_TRUE(Load(cfg));
  const std::vector<std::string> expected = Rows();
  ASSERT_EQ(expected.front(), "Perimeter Margin=10");
  ASSERT_EQ(expected[1],
            "Nest Name=K\xC3\xBC"
            "che \xE2\x82\xAC"
            "5");
  for (const test_support::EncodedText& encoded : test_support::InEveryEncoding(cfg)) {
    program_.Settings.SetMaxRows(0);
    std::string error;
    EXPECT_TRUE(Load(encoded.bytes, &error)) << encoded.what << ": " << error;
    EXPECT_EQ(Rows(), expected) << encoded.what;
    EXPECT_EQ(GetSettingValue(program_, "Perimeter Margin"), "10") << encoded.what;
  }
}

TEST_F(SettingsFixture, LoadsThatReadNoNameLeaveTheGridAlone) {
  ASSERT_TRUE(Load("A,1\r\nB,2\r\n"));
  EXPECT_TRUE(Load(",1\r\n  ,2\r\n\r\n"));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"A=1", "B=2"}));
  std::string error;
  EXPECT_FALSE(LoadSettingsCSV(program_, program_.AppDir + "missing.cfg", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(Rows(), (std::vector<std::string>{"A=1", "B=2"}));
  // A shorter file drops the rows beyond its own.
  EXPECT_TRUE(Load("C,3\r\n"));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"C=3"}));
}

TEST_F(SettingsFixture, ReusedRowsForgetTheirOldKind) {
  ASSERT_TRUE(Load("Nest From Corner,Upper Left\r\nDrop Cut,YES\r\n"));
  ASSERT_TRUE(Load("Nest From Corner,bogus\r\nDrop Cut Length,300\r\n"));
  const grid::Grid& g = program_.Settings;
  EXPECT_EQ(g.ChoiceIndexAt(1, 2), -1);
  EXPECT_EQ(g.CellText(1, 2), "");
  EXPECT_EQ(g.CellKindAt(2, 2), grid::Kind::Edit);
  EXPECT_EQ(g.CheckCaptionAt(2, 2), "");
  EXPECT_EQ(GetSettingValue(program_, "Drop Cut Length"), "300");
}

TEST_F(SettingsFixture, NestFontListsThePrinterFontsSorted) {
  const std::string longName = "Nimbus Sans Narrow Condensed Extra Bold Italic";
  program_.PrinterFonts = [&] {
    return std::vector<std::string>{"  Serif ", "Mono", longName, "Sans", "Mono"};
  };
  const std::string cut = longName.substr(0, 30);
  const struct {
    std::string value;
    int index;
  } cases[] = {
      {"Sans", 4},  {"sans", 0},  // case counts; no match keeps "DXF Font"
      {"Mono", 2},                // the last of equal names
      {"Serif", 5}, {cut, 3},    {"DXF Font", 0},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(Load("Nest Font," + c.value + "\r\n")) << c.value;
    EXPECT_EQ(program_.Settings.ChoiceListAt(1, 2), "DXF Font\tMono\tMono\t" + cut + "\tSans\tSerif");
    EXPECT_EQ(program_.Settings.ChoiceIndexAt(1, 2), c.index) << c.value;
  }
  // The lookup gives the chosen item's index; the cell shows the item itself.
  ASSERT_TRUE(Load("Font Size,3\r\nNest Font,Serif\r\n"));
  EXPECT_EQ(GetSettingValue(program_, "nest font"), "5");
  EXPECT_EQ(program_.Settings.CellText(FindSettingRow(program_, "nest font"), kColValue), "Serif");
}

TEST_F(SettingsFixture, WithoutPrinterFontsTheLoadEndsAtNestFont) {
  ASSERT_TRUE(Load("A,1\r\n"));
  program_.PrinterFonts = nullptr;
  const std::string cfg = WriteCfg("fonts.cfg", "Font Size,3\r\nNest Font,Sans\r\nDrop Cut,YES\r\n");
  std::string error;
  EXPECT_FALSE(LoadSettingsCSV(program_, cfg, &error));
  EXPECT_EQ(error, "line 2: the printer offers no font list");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"A=1"}));
  EXPECT_FALSE(LoadSettingsCSV(program_, cfg, &error, grid::PartialLoad::KeepRowsRead));
  EXPECT_EQ(program_.Settings.MaxRows(), 2);
  EXPECT_EQ(program_.Settings.CellText(2, 2), "DXF Font");
  program_.PrinterFonts = [] { return std::optional<std::vector<std::string>>{}; };
  EXPECT_FALSE(LoadSettingsCSV(program_, WriteCfg("fonts.cfg", "Nest Font,Sans\r\nDrop Cut,YES\r\n"), &error,
                               grid::PartialLoad::KeepRowsRead));
  EXPECT_EQ(program_.Settings.MaxRows(), 1);
}

TEST_F(SettingsFixture, SaveWritesValuesAsTheFileSpellsThem) {
  ASSERT_TRUE(
      Load("Nest From Corner,upper right\r\n"
           "Cut Out Direction,COUNTER CLOCKWISE\r\n"
           "Nest From Corner,sideways\r\n"
           "Drop Cut,yes\r\n"
           "Nest Font,Serif\r\n"
           "Nest Name,Smith, Kitchen\r\n"  // the reader stops at the comma
           "Lead Length, 0.5\r\n"));
  program_.Settings.SetCellText(6, 2, "Smith, Kitchen");  // typed into the grid
  ASSERT_TRUE(SaveSettingsCsv(program_, "out.cfg"));
  EXPECT_EQ(ReadFile("out.cfg"),
            "Nest From Corner,UPPER RIGHT\r\n"
            "Cut Out Direction,Counter Clockwise\r\n"
            "Nest From Corner,\r\n"
            "Drop Cut,YES\r\n"
            "Nest Font,Serif\r\n"
            "Nest Name,\"Smith, Kitchen\"\r\n"
            "Lead Length,0.5\r\n");
  // Two rows of one name: the lookup takes the first, both were saved.
  EXPECT_EQ(GetSettingValue(program_, "NEST FROM CORNER"), "2");
  ASSERT_TRUE(LoadSettingsCSV(program_, program_.AppDir + "out.cfg"));
  EXPECT_EQ(GetSettingValue(program_, "Nest Name"), "SMITH, KITCHEN");
}

// A file with two marks keeps the second as the first name's first character; saved without a
// mark of its own, that character would be taken for one and the name would change.
TEST_F(SettingsFixture, AFirstNameThatBeginsLikeAMarkLoadsBackAsSaved) {
  ASSERT_TRUE(Load("\xEF\xBB\xBF\xEF\xBB\xBFPerimeter Margin,10\r\n"));
  const std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows, (std::vector<std::string>{"\xEF\xBB\xBFPerimeter Margin=10"}));
  ASSERT_TRUE(SaveSettingsCsv(program_, "out.cfg"));
  ASSERT_TRUE(LoadSettingsCSV(program_, program_.AppDir + "out.cfg"));
  EXPECT_EQ(Rows(), rows);
}

// " lead" came back as "lead": the reader skips the blanks before a field.
TEST_F(SettingsFixture, NamesAndValuesWithBlankEdgesLoadBackAsSaved) {
  const std::vector<std::string> rows = {" Nest Name=Kitchen",         "CSV Path= /srv/csv/",
                                         "Nest Path=/srv/nests/ ",     "\tTabbed\t=\tvalue",
                                         "Cut Out Router#=T1, spiral", "Plain=plain"};
  grid::Grid& g = program_.Settings;
  g.SetMaxRows(static_cast<long>(rows.size()));
  for (size_t i = 0; i < rows.size(); ++i) {
    const size_t eq = rows[i].find('=');
    g.SetCellText(static_cast<long>(i) + 1, 1, rows[i].substr(0, eq));
    g.SetCellText(static_cast<long>(i) + 1, 2, rows[i].substr(eq + 1));
  }
  ASSERT_TRUE(SaveSettingsCsv(program_, "blanks.cfg"));
  EXPECT_EQ(ReadFile("blanks.cfg"),
            "\" Nest Name\",Kitchen\r\nCSV Path,\" /srv/csv/\"\r\nNest Path,\"/srv/nests/ \"\r\n"
            "\"\tTabbed\t\",\"\tvalue\"\r\nCut Out Router#,\"T1, spiral\"\r\nPlain,plain\r\n");
  g.SetMaxRows(0);
  ASSERT_TRUE(LoadSettingsCSV(program_, program_.AppDir + "blanks.cfg"));
  EXPECT_EQ(Rows(), rows);
}

TEST_F(SettingsFixture, SaveStopsAtTheFirstRowWithoutAName) {
  ASSERT_TRUE(Load("A,1\r\nB,2\r\nC,3\r\n"));
  program_.Settings.SetCellText(2, 1, "");
  ASSERT_TRUE(SaveSettingsCsv(program_, "out.cfg"));
  EXPECT_EQ(ReadFile("out.cfg"), "A,1\r\n");
  std::string error;
  EXPECT_FALSE(SaveSettingsCsv(program_, "no/such/folder.cfg", &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(SettingsFixture, SampleConfigurationSurvivesAnEditAndReload) {
  std::filesystem::copy_file(SampleCfg(), program_.AppDir + "Tavo.CFG");
  ASSERT_TRUE(LoadSettingsCSV(program_, program_.AppDir + "Tavo.CFG"));
  const std::vector<std::string> names = {
      "Perimeter Margin", "Nest Name",         "NEST PATH",         "CSV Path",         "OS Area <",
      "OS Thickness",     "Lead Length",       "Cut Out Clearance", "Cut Out Diameter", "Cut Out Router#",
      "Cut Out First",    "Cut Out Direction", "Cut Out Depth +",   "Nest From Corner", "Small Parts Inside",
      "Generate Batch",   "Respond to Batch",  "Perimeter Clean",   "Drop Cut",         "Drop Cut Length",
      "Drop Cut Passes",  "Attach Barcode",    "BCM Barcode",       "SField Barcode",   "Tag Parts",
      "Z Limit On",       "Nest by Cabinet",   "Make CSV Files",    "Sheet Stock Qty",  "Prompt for Nest",
      "Font Size",        "Nest Font"};
  for (const auto& name : names) EXPECT_NE(FindSettingRow(program_, name), 0) << name;
  EXPECT_EQ(program_.Settings.MaxRows(), static_cast<long>(names.size()));

  grid::Grid& g = program_.Settings;
  g.UserClickButton(FindSettingRow(program_, "Prompt for Nest"), 2);
  g.UserChooseItem(FindSettingRow(program_, "Nest From Corner"), 2, 3);
  g.UserChooseItem(FindSettingRow(program_, "Nest Font"), 2, 2);
  g.UserEditText(FindSettingRow(program_, "Lead Length"), 2, "12.5");
  const std::vector<std::string> edited = Rows();
  ASSERT_TRUE(SaveSettingsCsv(program_, "Edited.CFG"));

  test_support::ScriptedUi ui;
  core::Program again(ui);
  again.AppDir = program_.AppDir;
  again.PrinterFonts = program_.PrinterFonts;
  ASSERT_TRUE(LoadSettingsCSV(again, again.AppDir + "Edited.CFG"));
  std::vector<std::string> reloaded;
  for (long r = 1; r <= again.Settings.MaxRows(); ++r) {
    reloaded.push_back(again.Settings.CellText(r, 1) + "=" + again.Settings.CellText(r, 2));
    EXPECT_EQ(again.Settings.CellKindAt(r, 2), g.CellKindAt(r, 2)) << r;
    EXPECT_EQ(again.Settings.ChoiceIndexAt(r, 2), g.ChoiceIndexAt(r, 2)) << r;
  }
  EXPECT_EQ(reloaded, edited);
  EXPECT_EQ(GetSettingValue(again, "Prompt for Nest"), "YES");
  EXPECT_EQ(GetSettingValue(again, "Nest From Corner"), "3");
  EXPECT_EQ(again.Settings.CellText(FindSettingRow(again, "Nest From Corner"), kColValue), "Lower Right");
  EXPECT_EQ(GetSettingValue(again, "Nest Font"), "2");
  EXPECT_EQ(again.Settings.CellText(FindSettingRow(again, "Nest Font"), kColValue), "Serif");
  EXPECT_EQ(GetSettingValue(again, "Lead Length"), "12.5");
}

}  // namespace
}  // namespace tv::settings
