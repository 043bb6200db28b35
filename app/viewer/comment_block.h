// The comment block at the top of a part drawing: pairs of a "999" group-code line and one
// "Key: Value" line, which carry the part's work-list fields.
#pragma once

#include <istream>
#include <string>

namespace tv::viewer {

// Every comment line of the block, each followed by ", ", read from the start of the stream.
// Reading stops at the first group-code line without "999" or at the end. Lines end at CR LF,
// CR or LF. A line that is not UTF-8 is taken as Windows-1252 text.
std::string ReadCommentBlock(std::istream& in);

// The same for a file; throws std::runtime_error naming the file when it cannot be read.
std::string ReadCommentBlockFile(const std::string& path);

// Latin text of older drawings: the line as it is when valid UTF-8, else decoded from
// Windows-1252.
std::string ToUtf8Text(const std::string& bytes);

}  // namespace tv::viewer
