// Windows-1252 and UTF-8: older drawings and lists from Windows machines arrive in the
// Windows code page, everything inside the program is UTF-8.
#include "text/codepage.h"

#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "text/ascii_text.h"

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

std::size_t Utf8CharLength(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  const std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  return i + n <= text.size() && IsValidUtf8(text.substr(i, n)) ? n : 0;
}

std::size_t Utf8CharCount(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
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

namespace {

// Upper-cased without the locale, so a name reads alike whatever language the desktop speaks.
std::string UpperTrimmed(std::string_view name) {
  constexpr std::string_view kSpace = " \t\n\v\f\r";
  const std::size_t first = name.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  return UpperAscii(name.substr(first, name.find_last_not_of(kSpace) - first + 1));
}

// The number after prefix when the rest of the name is one to four digits, else "".
std::string PageNumber(const std::string& name, std::string_view prefix) {
  if (name.rfind(prefix, 0) != 0) return {};
  const std::string number = name.substr(prefix.size());
  if (number.empty() || number.size() > 4) return {};
  for (char c : number)
    if (c < '0' || c > '9') return {};
  return number;
}

// Closes the converter however the conversion ends.
class Converter {
 public:
  explicit Converter(const std::string& charset) : cd_(iconv_open("UTF-8", charset.c_str())) {}
  ~Converter() {
    if (Ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t Get() const { return cd_; }

 private:
  iconv_t cd_;
};

}  // namespace

std::string CharsetOfCodePage(std::string_view codePage) {
  const std::string name = UpperTrimmed(codePage);
  // Only names built here reach iconv: a file cannot pass options or paths through them.
  if (const std::string n = PageNumber(name, "ANSI_"); !n.empty()) {
    if (n == "1252") return {};
    if (n == "1361") return "JOHAB";
    static constexpr std::string_view kAnsi[] = {"874",  "932",  "936",  "949",  "950",  "1250", "1251",
                                                 "1253", "1254", "1255", "1256", "1257", "1258"};
    for (std::string_view page : kAnsi)
      if (n == page) return "CP" + n;
    return {};
  }
  if (const std::string n = PageNumber(name, "DOS"); !n.empty()) {
    static constexpr std::string_view kDos[] = {"437", "850", "852", "855", "857", "860", "861",
                                                "863", "864", "865", "866", "869", "932"};
    for (std::string_view page : kDos)
      if (n == page) return "CP" + n;
    return {};
  }
  if (const std::string n = PageNumber(name, "ISO8859-"); !n.empty()) {
    const int part = std::stoi(n);
    return part >= 1 && part <= 16 && part != 12 ? "ISO-8859-" + std::to_string(part) : std::string();
  }
  if (name == "MACINTOSH") return "MACINTOSH";
  if (name == "BIG5") return "CP950";
  if (name == "GB2312") return "CP936";
  if (name == "KSC5601") return "CP949";
  if (name == "JOHAB") return "JOHAB";
  return {};
}

std::string CharsetToUtf8(std::string_view bytes, const std::string& charset) {
  if (charset.empty()) return Cp1252ToUtf8(bytes);
  Converter converter(charset);
  if (!converter.Ok()) return Cp1252ToUtf8(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2 + 16);
  // iconv takes its input through a non-const pointer but never writes to it; a copy keeps
  // that promise out of our hands.
  std::string input(bytes);
  char* in = input.data();
  std::size_t inLeft = input.size();
  char buffer[4096];
  while (true) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(converter.Get(), inLeft > 0 ? &in : nullptr, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (result != static_cast<std::size_t>(-1)) {
      if (inLeft == 0) {
        // Flush what a stateful set still holds, then done.
        outPtr = buffer;
        outLeft = sizeof buffer;
        iconv(converter.Get(), nullptr, nullptr, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        return out;
      }
      continue;
    }
    if (errno == E2BIG) continue;
    // EILSEQ, or EINVAL for a sequence cut short by the end: that byte is taken as
    // Windows-1252 and reading goes on after it from a clean state.
    out += Cp1252ToUtf8(std::string_view(in, 1));
    ++in;
    --inLeft;
    iconv(converter.Get(), nullptr, nullptr, nullptr, nullptr);
    if (inLeft == 0) return out;
  }
}

std::string DecodeText(std::string bytes, const std::string& charset) {
  return IsValidUtf8(bytes) ? bytes : CharsetToUtf8(bytes, charset);
}

}  // namespace tv::text
