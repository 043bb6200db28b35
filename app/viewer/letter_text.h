// Engraved text composed letter by letter from one drawing per character (AppDir
// "Letters/"), and the small drawing helpers of the input window that go with it.
#pragma once

#include <string>

#include "core/program.h"

namespace tv::viewer {

// Trims text in place and composes it in Program::DXFText from the letter drawings
// AppDir + "Letters/<char>.DXF" ("Comma" for ","), each scaled by factor, then writes the
// result to AppDir + "Letters/String.DXF". An empty text writes the reference letter "A".
// False, with error (when given) naming the drawing, when a letter drawing cannot be read or
// the result cannot be written; String.DXF is then not written.
bool BuildLetterText(core::Program& program, std::string& text, float factor, std::string* error = nullptr);

// Distance between two points.
float Dist(float x1, float y1, float x2, float y2);

// Position of the engraving point of DXF1: the last POINT on a layer whose name contains
// "ENGRAVING" (case ignored). False, x and y unchanged, when there is none.
bool GetIP(core::Program& program, float& x, float& y);

}  // namespace tv::viewer
