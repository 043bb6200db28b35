// The "\U+XXXX" and "\M+nXXXX" escapes of DXF text and the Windows-1252 form drawings are
// written in.
#include "drawing/text_codec.h"

#include <cstdint>
#include <optional>

#include "text/ascii_text.h"
#include "text/codepage.h"

namespace tv::drawing {
namespace {

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
  const std::optional<std::uint32_t> value = text::HexValue(s.substr(i + 4, 4));
  if (!value) return false;
  const char pair[2] = {static_cast<char>(*value >> 8), static_cast<char>(*value & 0xFF)};
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
    if (s[i] == '\\' && i + 6 < s.size() && (s[i + 1] == 'U' || s[i + 1] == 'u') && s[i + 2] == '+') {
      const std::optional<std::uint32_t> cp = text::HexValue(s.substr(i + 3, 4));
      if (cp && *cp != 0 && !(*cp >= 0xD800 && *cp <= 0xDFFF)) {
        text::AppendUtf8(out, *cp);
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
    out += "\\U+";
    text::AppendHex(out, cp, 4);
  }
  return out;
}

}  // namespace tv::drawing
