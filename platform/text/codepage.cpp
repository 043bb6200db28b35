// Windows-1252 and UTF-8: older drawings and lists from Windows machines arrive in the
// Windows code page, everything inside the program is UTF-8.
#include "text/codepage.h"

#include <array>
#include <cstdint>

namespace tv::text {
namespace {

// Code points of bytes 0x80..0x9F in Windows-1252 (0 where the code page has none).
constexpr std::array<std::uint16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::uint32_t NextCodePoint(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  int extra = b0 < 0x80 ? 0 : b0 < 0xE0 ? 1 : b0 < 0xF0 ? 2 : 3;
  std::uint32_t cp = extra == 0 ? b0 : extra == 1 ? (b0 & 0x1F) : extra == 2 ? (b0 & 0x0F) : (b0 & 0x07);
  ++i;
  for (; extra > 0 && i < s.size(); --extra, ++i) cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
  return cp;
}

int Cp1252Byte(std::uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (std::size_t k = 0; k < kHigh.size(); ++k) {
    if (kHigh[k] != 0 && kHigh[k] == cp) return static_cast<int>(0x80 + k);
  }
  return -1;
}

bool IsValidUtf8(std::string_view s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const auto* end = p + s.size();
  while (p < end) {
    // Runs of ASCII are by far the most common: skip them eight bytes at a time.
    while (end - p >= 8) {
      std::uint64_t word;
      __builtin_memcpy(&word, p, 8);
      if (word & 0x8080808080808080ULL) break;
      p += 8;
    }
    if (p >= end) break;
    const unsigned char b = *p;
    if (b < 0x80) {
      ++p;
      continue;
    }
    int n;
    std::uint32_t min;
    if ((b & 0xE0) == 0xC0) {
      n = 1, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      n = 2, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      n = 3, min = 0x10000;
    } else {
      return false;
    }
    if (end - p <= n) return false;
    std::uint32_t cp = b & (0x3F >> n);
    for (int k = 1; k <= n; ++k) {
      if ((p[k] & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (p[k] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    p += n + 1;
  }
  return true;
}

std::string Cp1252ToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() + s.size() / 8);
  for (char ch : s) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      out += ch;
    } else if (b < 0xA0) {
      const std::uint16_t cp = kHigh[b - 0x80];
      AppendUtf8(out, cp ? cp : b);
    } else {
      AppendUtf8(out, b);
    }
  }
  return out;
}

std::string DecodeText(std::string bytes) {
  return IsValidUtf8(bytes) ? bytes : Cp1252ToUtf8(bytes);
}

}  // namespace tv::text
