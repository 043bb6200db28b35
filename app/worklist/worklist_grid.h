// Where the input window's grids live in the program, and the small text helpers the work-list
// procedures share.
#pragma once

#include <string>
#include <string_view>

#include "core/program.h"
#include "grid/grid.h"

namespace tv::worklist {

inline grid::Grid& WorkListGrid(core::Program& program) {
  return program.PList;
}

// Blanks removed at both ends (only " ", as the cells and files of the program are trimmed).
inline std::string TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// ASCII letters upper-cased; other bytes (UTF-8 sequences included) kept.
inline std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

}  // namespace tv::worklist
