// Byte-order marks: Windows editors, spreadsheet exports and .NET writers put one before UTF-8
// text, and UTF-16 files always carry one; without it the mark would stick to the first field.
#include "text/file_text.h"

#include <cstdint>
#include <optional>

#include "text/codepage.h"

namespace tv::text {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::uint32_t kReplacement = 0xFFFD;

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  const size_t units = bytes.size() / 2;
  auto unitAt = [&](size_t k) {
    const auto hi = static_cast<unsigned char>(bytes[2 * k + (bigEndian ? 0 : 1)]);
    const auto lo = static_cast<unsigned char>(bytes[2 * k + (bigEndian ? 1 : 0)]);
    return static_cast<std::uint32_t>(hi << 8 | lo);
  };
  for (size_t k = 0; k < units; ++k) {
    const std::uint32_t unit = unitAt(k);
    if (unit >= 0xD800 && unit <= 0xDBFF && k + 1 < units) {
      const std::uint32_t low = unitAt(k + 1);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++k;
        continue;
      }
    }
    AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
  }
  if (bytes.size() % 2 != 0) AppendUtf8(out, kReplacement);
  return out;
}

void AppendUtf16(std::string& out, std::uint32_t cp, bool bigEndian) {
  auto unit = [&](std::uint32_t u) {
    const char hi = static_cast<char>(u >> 8);
    const char lo = static_cast<char>(u & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  };
  if (cp >= 0x10000) {
    cp -= 0x10000;
    unit(0xD800 + (cp >> 10));
    unit(0xDC00 + (cp & 0x3FF));
  } else {
    unit(cp);
  }
}

// The five bytes the code page leaves unassigned are read as the code points of the same number.
bool IsUnassignedWindowsByte(char byte) {
  std::string same;
  AppendUtf8(same, static_cast<unsigned char>(byte));
  return Cp1252ToUtf8(std::string_view(&byte, 1)) == same;
}

// The Windows code page's bytes for the text; nullopt when a character is missing from it.
std::optional<std::string> ToWindows1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const std::uint32_t cp = NextCodePoint(text, i);
    int byte = Cp1252Byte(cp);
    if (byte < 0 && cp >= 0x80 && cp <= 0x9F && IsUnassignedWindowsByte(static_cast<char>(cp))) {
      byte = static_cast<int>(cp);
    }
    if (byte < 0) return std::nullopt;
    out += static_cast<char>(byte);
  }
  return out;
}

}  // namespace

FileText DecodeFileText(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) {
    return {DecodeText(std::string(bytes.substr(kUtf8Mark.size()))), FileEncoding::Utf8WithMark};
  }
  if (bytes.starts_with(kUtf16LeMark)) {
    return {Utf16ToUtf8(bytes.substr(kUtf16LeMark.size()), false), FileEncoding::Utf16Le};
  }
  if (bytes.starts_with(kUtf16BeMark)) {
    return {Utf16ToUtf8(bytes.substr(kUtf16BeMark.size()), true), FileEncoding::Utf16Be};
  }
  if (IsValidUtf8(bytes)) return {std::string(bytes), FileEncoding::Utf8};
  return {Cp1252ToUtf8(bytes), FileEncoding::Windows1252};
}

namespace {

std::string EncodeAs(std::string_view text, FileEncoding encoding) {
  switch (encoding) {
    case FileEncoding::Utf8:
      return std::string(text);
    case FileEncoding::Utf8WithMark:
      return std::string(kUtf8Mark) + std::string(text);
    case FileEncoding::Windows1252:
      return ToWindows1252(text).value_or(std::string(text));
    case FileEncoding::Utf16Le:
    case FileEncoding::Utf16Be: {
      const bool bigEndian = encoding == FileEncoding::Utf16Be;
      std::string out(bigEndian ? kUtf16BeMark : kUtf16LeMark);
      for (size_t i = 0; i < text.size();) AppendUtf16(out, NextCodePoint(text, i), bigEndian);
      return out;
    }
  }
  return std::string(text);
}

}  // namespace

std::string EncodeFileText(std::string_view text, FileEncoding encoding) {
  // Bytes that a reader would take for another encoding (Windows bytes that happen to form
  // UTF-8, a first character that looks like a mark) go out as UTF-8, marked when needed.
  for (const FileEncoding tried : {encoding, FileEncoding::Utf8}) {
    std::string bytes = EncodeAs(text, tried);
    if (DecodeFileText(bytes).text == text) return bytes;
  }
  return EncodeAs(text, FileEncoding::Utf8WithMark);
}

}  // namespace tv::text
