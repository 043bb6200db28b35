// The "\U+XXXX" and "\M+nXXXX" escapes of DXF text and the Windows-1252 form drawings are
// written in.
#include "drawing/text_codec.h"

#include <cstdint>

#include "text/codepage.h"

namespace tv::drawing {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The double-byte code pages of "\M+nXXXX", by n.
const char* MultiByteCharset(char n) {
  switch (n) {
    case '1':
      return "CP932";
    case '2':
      return "CP950";
    case '3':
      return "CP949";
    case '4':
      return "JOHAB";
    case '5':
      return "CP936";
    default:
      return nullptr;
  }
}

// "\M+nXXXX" at i: a character of a double-byte code page as its two bytes in hex. Appends
// the character and gives true when the escape is whole and stands for one.
bool DecodeMultiByte(std::string_view s, std::size_t i, std::string& out) {
  if (i + 8 > s.size() || (s[i + 1] != 'M' && s[i + 1] != 'm') || s[i + 2] != '+') return false;
  const char* charset = MultiByteCharset(s[i + 3]);
  if (charset == nullptr) return false;
  int value = 0;
  for (std::size_t k = 4; k < 8; ++k) {
    const int h = HexDigit(s[i + k]);
    if (h < 0) return false;
    value = value * 16 + h;
  }
  const char pair[2] = {static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)};
  const std::string_view bytes = pair[0] == 0 ? std::string_view(pair + 1, 1) : std::string_view(pair, 2);
  if (bytes[0] == 0) return false;
  const std::string decoded = text::CharsetToUtf8(bytes, charset);
  // One character, not two bytes the page could not read.
  std::size_t at = 0;
  text::NextCodePoint(decoded, at);
  if (at != decoded.size()) return false;
  out += decoded;
  return true;
}

}  // namespace

std::string DecodeUnicodeEscapes(std::string_view s) {
  if (s.find("\\U+") == std::string_view::npos && s.find("\\u+") == std::string_view::npos &&
      s.find("\\M+") == std::string_view::npos && s.find("\\m+") == std::string_view::npos)
    return std::string(s);
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    if (s[i] == '\\' && DecodeMultiByte(s, i, out)) {
      i += 8;
      continue;
    }
    if (s[i] == '\\' && i + 6 < s.size() + 0 && (s[i + 1] == 'U' || s[i + 1] == 'u') && s[i + 2] == '+') {
      std::uint32_t cp = 0;
      bool ok = true;
      for (std::size_t k = 3; k < 7; ++k) {
        const int h = HexDigit(s[i + k]);
        if (h < 0) {
          ok = false;
          break;
        }
        cp = cp * 16 + static_cast<std::uint32_t>(h);
      }
      if (ok && cp != 0 && !(cp >= 0xD800 && cp <= 0xDFFF)) {
        text::AppendUtf8(out, cp);
        i += 7;
        continue;
      }
    }
    out += s[i++];
  }
  return out;
}

std::string Utf8ToCp1252Escaped(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      out += s[i++];
      continue;
    }
    const std::uint32_t cp = text::NextCodePoint(s, i);
    if (const int byte = text::Cp1252Byte(cp); byte >= 0) {
      out += static_cast<char>(byte);
      continue;
    }
    if (cp > 0xFFFF) {
      out += '?';  // the escape has four hex digits only
      continue;
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\U+";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(cp >> shift) & 0xF];
  }
  return out;
}

}  // namespace tv::drawing
