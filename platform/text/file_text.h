// The text of a file that a user or another program hands us: a byte-order mark says how it is
// encoded; without one, valid UTF-8 is UTF-8 and anything else the Windows code page.
#pragma once

#include <string>
#include <string_view>

namespace tv::text {

enum class FileEncoding { Utf8, Utf8WithMark, Windows1252, Utf16Le, Utf16Be };

struct FileText {
  std::string text;  // UTF-8, without the mark
  FileEncoding encoding = FileEncoding::Utf8;
};

// The bytes of a whole text file as UTF-8. A leading EF BB BF is dropped and the rest read as
// text without a mark; FF FE and FE FF introduce UTF-16 (little and big end first), where a
// lone surrogate or a trailing odd byte becomes U+FFFD.
FileText DecodeFileText(std::string_view bytes);

// UTF-8 text in the encoding a file was read with, mark included, for files that are rewritten
// in place; bytes of the Windows code page that stand for no character come back as they were
// read. Whatever would not read back as the same text in that encoding (a character the
// Windows code page lacks, Windows bytes that happen to form UTF-8) is written as UTF-8, so no
// character is lost or changed.
std::string EncodeFileText(std::string_view text, FileEncoding encoding);

}  // namespace tv::text
