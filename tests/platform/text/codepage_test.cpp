#include "text/codepage.h"

#include <gtest/gtest.h>

#include <string>

namespace tv::text {
namespace {

TEST(Codepage, RecognisesOnlyWellFormedUtf8) {
  struct Case {
    std::string bytes;
    bool valid;
  };
  const Case cases[] = {
      {"plain ASCII text long enough for the fast path", true},
      {"Caf\xC3\xA9", true},
      {"\xE2\x82\xAC 12", true},    // euro sign
      {"\xF0\x9F\x93\x90", true},   // four bytes
      {"Caf\xE9", false},           // Windows-1252 e acute
      {"\xC3", false},              // cut short
      {"\xC0\xAF", false},          // overlong slash
      {"\xED\xA0\x80", false},      // surrogate
      {"\xF4\x90\x80\x80", false},  // beyond U+10FFFF
      {"12345678\x80", false},      // stray continuation after an ASCII run
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(Codepage, WindowsBytesBecomeTheirCharacters) {
  EXPECT_EQ(Cp1252ToUtf8("Caf\xE9"), "Caf\xC3\xA9");
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign in the 0x80 row
  EXPECT_EQ(Cp1252ToUtf8("\x93x\x94"), "\xE2\x80\x9Cx\xE2\x80\x9D");
  EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");  // unassigned: kept as its code point
  EXPECT_EQ(DecodeText("Caf\xE9"), "Caf\xC3\xA9");
  EXPECT_EQ(DecodeText("Caf\xC3\xA9"), "Caf\xC3\xA9");  // already UTF-8: unchanged
}

TEST(Codepage, CodePointsFindTheirWindowsByte) {
  EXPECT_EQ(Cp1252Byte('A'), 'A');
  EXPECT_EQ(Cp1252Byte(0xE9), 0xE9);
  EXPECT_EQ(Cp1252Byte(0x20AC), 0x80);
  EXPECT_EQ(Cp1252Byte(0x03A9), -1);  // Greek capital omega is not in the code page
  std::string out;
  AppendUtf8(out, 0x20AC);
  size_t i = 0;
  EXPECT_EQ(NextCodePoint(out, i), 0x20ACu);
  EXPECT_EQ(i, out.size());
}

}  // namespace
}  // namespace tv::text
