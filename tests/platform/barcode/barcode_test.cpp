// Code 39 patterns of the sheet codes: module order, error numbers, and a round trip through
// an independent reader (zbarimg) of an image drawn from the pattern.
#include "barcode/barcode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "testing/run_command.h"
#include "testing/temp_folder.h"

namespace tv::barcode {
namespace {

// Published Code 39 module strings: each character is 12 modules followed by a one-module gap.
constexpr std::string_view kStart = "100101101101";  // "*"
constexpr std::string_view kA = "110101001011";
constexpr std::string_view kOne = "110100101011";

TEST(BarcodeEncode, ModulesComeOutInReadingOrder) {
  // A wrong bit order inside zint's packed rows scrambles every character but keeps the width.
  EXPECT_EQ(Encode("A").pattern, std::string(kStart) + "0" + std::string(kA) + "0" + std::string(kStart));
  EXPECT_EQ(Encode("1").pattern, std::string(kStart) + "0" + std::string(kOne) + "0" + std::string(kStart));
}

TEST(BarcodeEncode, SheetCodesEncodeWithoutError) {
  for (const char* code : {"NEST001", "NEST001.CNC N%", "JOB-7 $/+.CNC 12%"}) {
    const Encoded encoded = Encode(code);
    EXPECT_EQ(encoded.error, 0) << code;
    // start and stop plus one character per code letter, 13 modules each, last gap dropped
    EXPECT_EQ(encoded.pattern.size(), 13 * (std::string_view(code).size() + 2) - 1) << code;
    EXPECT_EQ(encoded.pattern.find_first_not_of("01"), std::string::npos) << code;
  }
}

TEST(BarcodeEncode, FailuresGiveTheirErrorNumberAndNoPattern) {
  struct Case {
    std::string code;
    int type;
    int error;
  };
  const Case cases[] = {
      {"", kCode39, kWrongLength},
      {std::string(86, 'X'), kCode39, kWrongLength},
      {"NEST*1", kCode39, kIllegalCharacter},
      {"NEST_001", kCode39, kIllegalCharacter},
      {"NEST001", 8, kUnknownType},
      {"NEST001", 0, kUnknownType},
  };
  for (const Case& c : cases) {
    const Encoded encoded = Encode(c.code, c.type);
    EXPECT_EQ(encoded.error, c.error) << c.code << " type " << c.type;
    EXPECT_TRUE(encoded.pattern.empty()) << c.code;
  }
  EXPECT_EQ(Encode(std::string(85, 'X')).error, 0);  // the longest code that fits
}

TEST(BarcodeErrorText, NumbersOneToNineHaveTheirTexts) {
  EXPECT_EQ(ErrorText(1), "Wrong code length");
  EXPECT_EQ(ErrorText(2), "Unrecognised code type");
  EXPECT_EQ(ErrorText(3), "Wrong add-on code length");
  EXPECT_EQ(ErrorText(4), "Illegal character in code");
  EXPECT_EQ(ErrorText(5), "Error in embedded code");
  EXPECT_EQ(ErrorText(6), "Generated line width less than 1 unit");
  EXPECT_EQ(ErrorText(7), "Invalid text font");
  EXPECT_EQ(ErrorText(8), "Invalid device context");
  EXPECT_EQ(ErrorText(9), "Invalid Caption property");
  EXPECT_EQ(ErrorText(0), "");
  EXPECT_EQ(ErrorText(10), "");
}

// Draws the pattern as a plain black-and-white bitmap with quiet zones, 3 pixels a module.
void WritePbm(const std::filesystem::path& file, const std::string& pattern) {
  constexpr int kScale = 3, kQuiet = 10, kHeight = 60;
  std::string row;
  auto addModules = [&](char module, int count) {
    for (int i = 0; i < count * kScale; ++i) row += module == '1' ? "1 " : "0 ";
  };
  addModules('0', kQuiet);
  for (char module : pattern) addModules(module, 1);
  addModules('0', kQuiet);
  std::ofstream out(file);
  out << "P1\n" << (pattern.size() + 2 * kQuiet) * kScale << " " << kHeight << "\n";
  for (int y = 0; y < kHeight; ++y) out << row << "\n";
}

TEST(BarcodeEncode, IndependentReaderDecodesTheSheetCode) {
  if (std::system("command -v zbarimg >/dev/null 2>&1") != 0) GTEST_SKIP() << "zbarimg not installed";
  const test_support::TempFolder folder;
  for (const std::string code : {"NEST001", "KITCHEN 12.CNC N%"}) {
    const Encoded encoded = Encode(code);
    ASSERT_EQ(encoded.error, 0) << code;
    const std::filesystem::path image = folder.Path() + "code.pbm";
    WritePbm(image, encoded.pattern);
    EXPECT_EQ(test_support::RunCommand("zbarimg --raw -q '" + image.string() + "' 2>/dev/null").output,
              code + "\n");
  }
}

}  // namespace
}  // namespace tv::barcode
