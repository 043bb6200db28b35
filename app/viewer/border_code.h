// The thickness code that a part outline's layer name carries ("BORDER_Z19", "BORDER_Z0P75",
// "BORDER_Zc"): the readers that turn it into a number.
#pragma once

#include <string>

namespace tv::viewer {

// Thickness coded in a BORDER layer name: after the first upper-case "Z" at position 6 or
// later either a letter code (a-g or i, any case, gives its character code; an upper-case "D"
// gives 100) or a number whose decimal point may be written "P". 0 when the name has no code.
float ParseBorderThickness(std::string layerName);

// Fraction part of a thickness number that starts at position start (1-based): the digits
// after the first "P" or "." at or after start, provided the point comes before the first
// terminator letter (blank, D, E, F, G, I, K, L, M, O, R, S, T, V, X, Y, Z, æçäåèé) and at
// least one character lies between them; else 0. When it reads a fraction it replaces the first
// "D" or "E" at or after start in name by "~", so callers pass a copy.
float ParseLayerFraction(int start, std::string& name);

}  // namespace tv::viewer
