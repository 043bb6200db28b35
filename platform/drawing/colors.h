// Colour numbers of the DXF format and 24-bit colours (&HBBGGRR): the palette both ways.
#pragma once

#include <cstdint>

namespace tv::drawing {

// &HBBGGRR of a 24-bit colour as the file writes it (&HRRGGBB).
std::int32_t RgbToBgr(std::uint32_t rgb);
// &HBBGGRR of colour number 1..255 (7, white, for anything else).
std::int32_t AciToBgr(int aci);
// The colour number 1..255 nearest to a &HBBGGRR colour (the lowest number on a tie).
int NearestAci(std::int32_t bgr);

}  // namespace tv::drawing
