#include "text/file_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tv::text {
namespace {

// "Küche, 19 €" in each form a file may arrive in.
const std::string kUtf8 =
    "K\xC3\xBC"
    "che, 19 \xE2\x82\xAC\r\n";
const std::string kWindows =
    "K\xFC"
    "che, 19 \x80\r\n";
const std::string kUtf16Le = std::string("\xFF\xFEK\0\xFC\0c\0h\0e\0,\0 \0001\0009\0 \0\xAC\x20\r\0\n\0", 28);
const std::string kUtf16Be = std::string("\xFE\xFF\0K\0\xFC\0c\0h\0e\0,\0 \0001\0009\0 \x20\xAC\0\r\0\n", 28);

TEST(FileText, EveryEncodingReadsToTheSameTextAndWritesBackItsOwnBytes) {
  struct Case {
    const char* what;
    std::string bytes;
    FileEncoding encoding;
  };
  const Case cases[] = {
      {"UTF-8", kUtf8, FileEncoding::Utf8},
      {"UTF-8 with mark", "\xEF\xBB\xBF" + kUtf8, FileEncoding::Utf8WithMark},
      {"Windows-1252", kWindows, FileEncoding::Windows1252},
      {"UTF-16 LE", kUtf16Le, FileEncoding::Utf16Le},
      {"UTF-16 BE", kUtf16Be, FileEncoding::Utf16Be},
  };
  for (const Case& c : cases) {
    const FileText read = DecodeFileText(c.bytes);
    EXPECT_EQ(read.text, kUtf8) << c.what;
    EXPECT_EQ(read.encoding, c.encoding) << c.what;
    EXPECT_EQ(EncodeFileText(read.text, read.encoding), c.bytes) << c.what;
  }
}

TEST(FileText, DamagedTextStillReads) {
  struct Case {
    const char* what;
    std::string bytes;
    std::string text;
  };
  const Case cases[] = {
      {"mark before Windows text",
       "\xEF\xBB\xBF"
       "Caf\xE9",
       "Caf\xC3\xA9"},
      {"lone high surrogate", std::string("\xFF\xFE\x3D\xD8x\0", 6), "\xEF\xBF\xBDx"},
      {"lone low surrogate", std::string("\xFE\xFF\xDC\x00\0y", 6), "\xEF\xBF\xBDy"},
      {"surrogate pair", std::string("\xFF\xFE\x3D\xD8\x50\xDC", 6), "\xF0\x9F\x91\x90"},
      {"odd byte at the end", std::string("\xFF\xFEz\0!", 5), "z\xEF\xBF\xBD"},
      {"only a mark", "\xFE\xFF", ""},
      {"mark not at the start", "a\xEF\xBB\xBF", "a\xEF\xBB\xBF"},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeFileText(c.bytes).text, c.text) << c.what;
}

TEST(FileText, WindowsTextKeepsItsUnassignedBytesAndTurnsUtf8ForCharactersItLacks) {
  const FileText read = DecodeFileText("a\x81\x8D\x8F\x90\x9D\xE9");
  ASSERT_EQ(read.encoding, FileEncoding::Windows1252);
  EXPECT_EQ(EncodeFileText(read.text, read.encoding), "a\x81\x8D\x8F\x90\x9D\xE9");
  const std::string omega = "\xCE\xA9 \xC3\xA9";
  EXPECT_EQ(EncodeFileText(omega, FileEncoding::Windows1252), omega);
}

TEST(FileText, WhatWouldReadBackAsOtherTextIsWrittenAsUtf8) {
  struct Case {
    const char* what;
    std::string text;
    FileEncoding encoding;
    std::string bytes;
  };
  const Case cases[] = {
      // In the Windows code page "Ã©" is C3 A9, which reads back as UTF-8 "é".
      {"Windows bytes forming UTF-8", "\xC3\x83\xC2\xA9", FileEncoding::Windows1252, "\xC3\x83\xC2\xA9"},
      {"Windows bytes after a mark's look", "\xC3\xAF\xC2\xBB\xC2\xBFx", FileEncoding::Windows1252,
       "\xC3\xAF\xC2\xBB\xC2\xBFx"},
      {"a first character that looks like a mark", "\xEF\xBB\xBFx", FileEncoding::Utf8,
       "\xEF\xBB\xBF\xEF\xBB\xBFx"},
  };
  for (const Case& c : cases) {
    const std::string bytes = EncodeFileText(c.text, c.encoding);
    EXPECT_EQ(bytes, c.bytes) << c.what;
    EXPECT_EQ(DecodeFileText(bytes).text, c.text) << c.what;
  }
}

}  // namespace
}  // namespace tv::text
