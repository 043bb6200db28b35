// Windows-1252 and UTF-8: text that is not valid UTF-8 comes from the Windows code page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tv::text {

bool IsValidUtf8(std::string_view bytes);
std::string Cp1252ToUtf8(std::string_view bytes);
// The bytes as UTF-8: unchanged when they already are valid UTF-8, else read as Windows-1252.
std::string DecodeText(std::string bytes);

// The Windows-1252 byte of a code point, -1 when the code page lacks it.
int Cp1252Byte(std::uint32_t codePoint);
void AppendUtf8(std::string& out, std::uint32_t codePoint);
// Decodes the UTF-8 sequence of valid text at i and moves i past it.
std::uint32_t NextCodePoint(std::string_view text, std::size_t& i);

}  // namespace tv::text
