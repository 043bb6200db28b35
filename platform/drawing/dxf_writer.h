// Internal: the DXF R12 (AC1009) writer.
#pragma once

#include <string>

#include "drawing/document.h"

namespace tv::drawing {

// The whole drawing as an R12 file (CR LF line ends, Windows-1252 text), without the
// Stripped layers and their entities.
std::string WriteR12(const Document& doc);

// The block's content as it would be written, to tell equal blocks from different ones.
std::string BlockSignature(const Document& doc, const Block& block);

// Shortest text that reads back as the same double.
std::string FormatNumber(double value);

}  // namespace tv::drawing
