// Internal: the ASCII DXF reader (R12 to current versions) that fills a Document.
#pragma once

#include <string>
#include <string_view>

#include "drawing/document.h"

namespace tv::drawing {

// Reads bytes into an empty doc. False on a file that is not ASCII DXF or is damaged;
// error then names the file (name), the line and the reason.
bool ParseDxf(std::string_view bytes, std::string_view name, Document& doc, std::string* error);

}  // namespace tv::drawing
