// Small DXF texts for the drawing tests, written compactly: "0|LINE|8|A|10|0" is the
// group lines of the file separated by "|".
#pragma once

#include <string>
#include <string_view>

#include "drawing/drawing.h"

namespace tv::drawing::testing {

// The "|"-separated lines as a file with the given line end.
inline std::string Lines(std::string_view compact, std::string_view eol = "\n") {
  std::string out;
  for (char c : compact) {
    if (c == '|')
      out += eol;
    else
      out += c;
  }
  out += eol;
  return out;
}

// A file with only an ENTITIES section holding the given entities.
inline std::string EntitiesFile(std::string_view entities, std::string_view eol = "\n") {
  return Lines(std::string("0|SECTION|2|ENTITIES|") + std::string(entities) + "|0|ENDSEC|0|EOF", eol);
}

// A file with a BLOCKS section (blocks) and an ENTITIES section.
inline std::string BlocksFile(std::string_view blocks, std::string_view entities) {
  return Lines(std::string("0|SECTION|2|BLOCKS|") + std::string(blocks) + "|0|ENDSEC|0|SECTION|2|ENTITIES|" +
               std::string(entities) + "|0|ENDSEC|0|EOF");
}

// Reads bytes into the drawing (mode 0 replaces, 1 merges) and fails the test on error.
inline void MustRead(Drawing& d, const std::string& bytes, int mode = 0, double dx = 0, double dy = 0) {
  std::string error;
  if (!d.ReadDrawingFromBytes(bytes, "test.dxf", mode, dx, dy, &error)) throw std::runtime_error(error);
}

}  // namespace tv::drawing::testing
