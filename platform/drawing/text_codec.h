// Internal: DXF text escapes. "\U+XXXX" stands for a character the file's code page lacks;
// whether a file is UTF-8 or Windows-1252 is decided by text/codepage.h.
#pragma once

#include <string>
#include <string_view>

namespace tv::drawing {

// Replaces "\U+XXXX" escapes, and "\M+nXXXX" escapes (a character of a double-byte code page),
// by the characters they stand for.
std::string DecodeUnicodeEscapes(std::string_view text);
// UTF-8 text as Windows-1252 bytes, characters outside it as "\U+XXXX".
std::string Utf8ToCp1252Escaped(std::string_view text);

}  // namespace tv::drawing
