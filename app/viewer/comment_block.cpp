#include "viewer/comment_block.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace tv::viewer {
namespace {

// One line without its end; false at the end of the stream with nothing read.
bool ReadLine(std::istream& in, std::string& line) {
  line.clear();
  std::streambuf* buf = in.rdbuf();
  bool any = false;
  for (;;) {
    const int c = buf->sbumpc();
    if (c == std::char_traits<char>::eof()) return any;
    any = true;
    if (c == '\n') return true;
    if (c == '\r') {
      if (buf->sgetc() == '\n') buf->sbumpc();
      return true;
    }
    line += static_cast<char>(c);
  }
}

bool IsValidUtf8(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    int follow = 0;
    std::uint32_t code = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      follow = 1;
      code = c & 0x1Fu;
    } else if (c >= 0xE0 && c <= 0xEF) {
      follow = 2;
      code = c & 0x0Fu;
    } else if (c >= 0xF0 && c <= 0xF4) {
      follow = 3;
      code = c & 0x07u;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(follow) >= text.size()) return false;
    for (int k = 1; k <= follow; ++k) {
      const auto f = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((f & 0xC0u) != 0x80u) return false;
      code = (code << 6) | (f & 0x3Fu);
    }
    // overlong forms, surrogates and values past U+10FFFF are not text
    if ((follow == 2 && code < 0x800) || (follow == 3 && (code < 0x10000 || code > 0x10FFFF)) ||
        (code >= 0xD800 && code <= 0xDFFF))
      return false;
    i += static_cast<std::size_t>(follow) + 1;
  }
  return true;
}

// Code points of Windows-1252 bytes 0x80-0x9F; 0 marks the five unassigned bytes, kept as
// the C1 control of the same number.
constexpr std::array<std::uint16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string ToUtf8Text(const std::string& bytes) {
  if (IsValidUtf8(bytes)) return bytes;
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    std::uint32_t code = c;
    if (c >= 0x80 && c <= 0x9F && kHighControls[c - 0x80] != 0) code = kHighControls[c - 0x80];
    AppendUtf8(out, code);
  }
  return out;
}

std::string ReadCommentBlock(std::istream& in) {
  std::string block;
  std::string codeLine;
  std::string comment;
  while (ReadLine(in, codeLine) && codeLine.find("999") != std::string::npos) {
    if (!ReadLine(in, comment)) break;
    block += ToUtf8Text(comment);
    block += ", ";
  }
  return block;
}

std::string ReadCommentBlockFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot open the drawing " + path);
  std::string block = ReadCommentBlock(in);
  if (in.bad()) throw std::runtime_error("Cannot read the drawing " + path);
  return block;
}

}  // namespace tv::viewer
