#include "files/wildcard.h"

#include <algorithm>
#include <cstddef>

namespace tv::files {
namespace {

char FoldCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Length in bytes of the UTF-8 character that starts at pos.
std::size_t CharLength(std::string_view text, std::size_t pos) {
  std::size_t end = pos + 1;
  while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  return end - pos;
}

bool Match(std::string_view name, std::string_view pattern) {
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t starP = std::string_view::npos;
  std::size_t starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      n += CharLength(name, n);
      ++p;
    } else if (p < pattern.size() && FoldCase(pattern[p]) == FoldCase(name[n])) {
      ++n;
      ++p;
    } else if (starP != std::string_view::npos) {
      // Let the last "*" take one more character and try again from there.
      p = starP + 1;
      starN += CharLength(name, starN);
      n = starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool HasWildcards(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

bool WildcardMatch(std::string_view name, std::string_view pattern) {
  if (Match(name, pattern)) return true;
  return pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
         name.find('.') == std::string_view::npos && Match(name, pattern.substr(0, pattern.size() - 2));
}

bool FileNameLess(std::string_view a, std::string_view b) {
  const auto folded = [](char x, char y) { return FoldCase(x) < FoldCase(y); };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded)) return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded)) return false;
  return a < b;
}

}  // namespace tv::files
