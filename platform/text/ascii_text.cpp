#include "text/ascii_text.h"

#include <charconv>

namespace tv::text {

std::string TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::optional<std::uint32_t> HexValue(std::string_view digits) {
  std::uint32_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [ptr, ec] = std::from_chars(digits.data(), end, value, 16);
  if (digits.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

void AppendHex(std::string& out, std::uint32_t value, int count) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (int shift = (count - 1) * 4; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

}  // namespace tv::text
