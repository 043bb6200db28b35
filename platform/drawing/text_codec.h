// Internal: text encodings of DXF files. Files are UTF-8 when they are valid UTF-8, else
// Windows-1252; "\U+XXXX" escapes stand for characters the file's code page lacks.
#pragma once

#include <string>
#include <string_view>

namespace tv::drawing {

bool IsValidUtf8(std::string_view bytes);
std::string Cp1252ToUtf8(std::string_view bytes);
// Replaces "\U+XXXX" escapes by the characters they stand for.
std::string DecodeUnicodeEscapes(std::string_view text);
// UTF-8 text as Windows-1252 bytes, characters outside it as "\U+XXXX".
std::string Utf8ToCp1252Escaped(std::string_view text);

}  // namespace tv::drawing
