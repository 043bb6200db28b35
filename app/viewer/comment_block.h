// The comment block at the top of a part drawing: pairs of a "999" group-code line and one
// "Key: Value" line, which carry the part's work-list fields.
#pragma once

#include <istream>
#include <string>

namespace tv::viewer {

// Every comment line of the block, each followed by ", ", read from the start of the stream.
// Reading stops at the first group-code line without "999" or at the end. Lines end at CR LF,
// CR or LF. A line that is not UTF-8 is read in the code page the file's header declares
// ($DWGCODEPAGE), Windows-1252 when it declares none.
std::string ReadCommentBlock(std::istream& in);

// The same for a file. False, with block empty and error (when given) naming the file, when
// it cannot be read.
bool ReadCommentBlockFile(const std::string& path, std::string& block, std::string* error = nullptr);

}  // namespace tv::viewer
