#include "grid/grid_text.h"

#include <cctype>
#include <charconv>
#include <cstdlib>

#include "text/ascii_text.h"
#include "text/codepage.h"

namespace tv::grid::detail {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the number at text's start: sign, digits, point, digits, exponent.
size_t NumberLength(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

double ParseNumber(std::string_view number) {
  std::string copy(number);
  if (!copy.empty() && copy[0] == '+') copy.erase(0, 1);
  double value = 0;
  auto result = std::from_chars(copy.data(), copy.data() + copy.size(), value);
  if (result.ec != std::errc()) return 0;  // out of range reads as no number
  return value;
}

}  // namespace

double LeadingNumber(std::string_view text) {
  size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
  text.remove_prefix(start);
  size_t length = NumberLength(text);
  return length == 0 ? 0.0 : ParseNumber(text.substr(0, length));
}

std::optional<double> WholeNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  size_t length = NumberLength(text);
  if (length == 0 || length != text.size()) return std::nullopt;
  return ParseNumber(text);
}

std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (static_cast<unsigned char>(c) >= 0x80) {
      // UTF-8 characters as they are; other bytes escaped, so the file stays UTF-8 and is never
      // read back in the Windows code page.
      if (const size_t n = text::Utf8CharLength(text, i); n > 0) {
        out.append(text.substr(i, n));
        i += n - 1;
      } else {
        out += "\\x";
        text::AppendHex(out, static_cast<unsigned char>(c), 2);
      }
      continue;
    }
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c != '\\' || i + 1 == text.size()) {
      out += c;
      continue;
    }
    char next = text[++i];
    if (next == 'x' && i + 2 < text.size()) {
      if (const auto byte = text::HexValue(text.substr(i + 1, 2))) {
        out += static_cast<char>(*byte);
        i += 2;
        continue;
      }
    }
    switch (next) {
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        out += next;  // "\\" and anything unforeseen stand for themselves
    }
  }
  return out;
}

}  // namespace tv::grid::detail
