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

TEST(Codepage, CodePageNamesOfDrawingsAndWindowsPrograms) {
  struct Case {
    const char* name;
    const char* charset;
  };
  const Case cases[] = {
      {"ANSI_1250", "CP1250"},
      {"ansi_1251 ", "CP1251"},
      {"ANSI_932", "CP932"},
      {"ANSI_1361", "JOHAB"},
      {"DOS866", "CP866"},
      {"ISO8859-2", "ISO-8859-2"},
      {"MACINTOSH", "MACINTOSH"},
      {"BIG5", "CP950"},
      {"GB2312", "CP936"},
      {"KSC5601", "CP949"},
      // Windows-1252 itself, and names not known here, read as Windows-1252.
      {"ANSI_1252", ""},
      {"", ""},
      {"ANSI_", ""},
      {"ANSI_12x2", ""},
      {"ANSI_123456", ""},
      {"UTF8", ""},
      {"DOS932//IGNORE", ""},
      {"ISO8859-99", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CharsetOfCodePage(c.name), c.charset) << c.name;
}

TEST(Codepage, EightBitTextIsReadInItsCodePage) {
  struct Case {
    const char* codePage;
    std::string bytes;
    std::string utf8;
  };
  const Case cases[] = {
      {"ANSI_1250", "u\xBFytku \xA3\xF3\x64\x9F",
       "u\xC5\xBCytku \xC5\x81\xC3\xB3\x64\xC5\xBA"},                         // użytku Łódź
      {"ANSI_1251", "\xD1\xF2\xEE\xEB", "\xD0\xA1\xD1\x82\xD0\xBE\xD0\xBB"},  // Стол
      {"ANSI_1253", "\xD9", "\xCE\xA9"},                                      // Ω
      {"ANSI_932", "\x93\xFA\x96\x7B", "\xE6\x97\xA5\xE6\x9C\xAC"},           // 日本
      {"ANSI_936", "\xD6\xD0", "\xE4\xB8\xAD"},                               // 中
      {"ANSI_949", "\xC7\xD1", "\xED\x95\x9C"},                               // 한
      {"ANSI_950", "\xA4\xA4", "\xE4\xB8\xAD"},                               // 中
      {"DOS866", "\x8F", "\xD0\x9F"},                                         // П
      {"ANSI_1252", "Caf\xE9", "Caf\xC3\xA9"},
      {"ANSI_9999", "Caf\xE9", "Caf\xC3\xA9"},  // unknown: Windows-1252
      {"ANSI_1250", "ASCII only", "ASCII only"},
      // A lead byte without its second byte is taken as a Windows-1252 character and the
      // line end after it stays a line end.
      {"ANSI_932", "A\x81\r\nB", "A\xC2\x81\r\nB"},
      // Text that is valid UTF-8 stays as it is whatever the page says.
      {"ANSI_1251", "Caf\xC3\xA9", "Caf\xC3\xA9"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DecodeText(c.bytes, CharsetOfCodePage(c.codePage)), c.utf8) << c.codePage << " " << c.bytes;
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
