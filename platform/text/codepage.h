// Windows-1252 and UTF-8: text that is not valid UTF-8 comes from the Windows code page, or
// from the code page a file declares (read through iconv).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tv::text {

bool IsValidUtf8(std::string_view bytes);
std::string Cp1252ToUtf8(std::string_view bytes);

// The iconv name of a code page named as drawings and Windows programs name it ("ANSI_1250",
// "DOS866", "ISO8859-2", "MACINTOSH", "BIG5"...); "" for Windows-1252 and for every name not
// known here (those are read as Windows-1252).
std::string CharsetOfCodePage(std::string_view name);
// The bytes read in an iconv character set as UTF-8. Bytes the set cannot read are taken as
// Windows-1252 characters; an empty name, or a set the system lacks, reads all as Windows-1252.
std::string CharsetToUtf8(std::string_view bytes, const std::string& charset);
// The bytes as UTF-8: unchanged when they already are valid UTF-8, else read in charset (the
// code page of the file; Windows-1252 when empty).
std::string DecodeText(std::string bytes, const std::string& charset = {});

// The Windows-1252 byte of a code point, -1 when the code page lacks it.
int Cp1252Byte(std::uint32_t codePoint);
void AppendUtf8(std::string& out, std::uint32_t codePoint);
// Decodes the UTF-8 sequence of valid text at i and moves i past it.
std::uint32_t NextCodePoint(std::string_view text, std::size_t& i);
// The length of the UTF-8 character of two to four bytes at i, 0 when the bytes there are
// none (a byte of another code page, a sequence cut short).
std::size_t Utf8CharLength(std::string_view text, std::size_t i);
// The characters of UTF-8 text, not its bytes: a name with accented letters is as long as
// it looks.
std::size_t Utf8CharCount(std::string_view text);

}  // namespace tv::text
