// What a canvas draws: the drawing flattened into coloured paths and texts in drawing
// coordinates (block references expanded, curves split into short chords).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tv::drawing {

struct Vec2 {
  double x = 0, y = 0;
};

struct DisplayPath {
  std::vector<Vec2> points;
  bool closed = false;
  bool filled = false;     // solids, traces and wide polylines are drawn filled
  std::int32_t color = 0;  // &HBBGGRR, layer and block colours resolved
};

struct DisplayText {
  Vec2 position;  // the point the text is aligned on
  double height = 0;
  double rotation = 0;  // degrees, counter-clockwise
  double widthFactor = 1;
  int hAlign = 0;    // 0 left, 1 centre, 2 right
  int vAlign = 0;    // 0 baseline, 1 bottom, 2 middle, 3 top
  std::string text;  // one line
  std::string font;  // font name of the text's style ("" for the drawing font)
  std::int32_t color = 0;
};

struct DisplayList {
  std::vector<DisplayPath> paths;
  std::vector<DisplayText> texts;
};

}  // namespace tv::drawing
