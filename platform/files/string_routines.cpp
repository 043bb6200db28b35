#include "files/string_routines.h"

#include <algorithm>

namespace tv::files {

std::string Compact(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != ' ') out += c;
  }
  return out;
}

std::string ReplaceChar(std::string_view text, char oldChar, char newChar) {
  std::string out(text);
  std::replace(out.begin(), out.end(), oldChar, newChar);
  return out;
}

int QInstrB2(std::string_view text, std::string_view search) {
  if (search.empty()) return 0;
  const std::size_t found = text.rfind(search);
  return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

int InstrTbl2(int start, std::string_view text, std::string_view table) {
  const auto from = static_cast<std::size_t>(std::max(start, 1) - 1);
  if (from >= text.size() || table.empty()) return 0;
  const std::size_t found = text.find_first_of(table, from);
  return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

std::string ParseString(int& position, std::string_view text, std::string_view delimiters) {
  if (position < 1) position = 1;
  const auto from = static_cast<std::size_t>(position - 1);
  if (from > text.size()) return {};
  const std::size_t found =
      delimiters.empty() ? std::string_view::npos : text.find_first_of(delimiters, from);
  if (found == std::string_view::npos) {
    position = static_cast<int>(text.size()) + 2;
    return std::string(text.substr(from));
  }
  position = static_cast<int>(found) + 2;
  return std::string(text.substr(from, found - from));
}

}  // namespace tv::files
