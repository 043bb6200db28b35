#include "viewer/comment_block.h"

#include <fstream>
#include <stdexcept>

#include "text/codepage.h"

namespace tv::viewer {
namespace {

// One line without its end; false at the end of the stream with nothing read.
bool ReadLine(std::istream& in, std::string& line) {
  line.clear();
  std::streambuf* buf = in.rdbuf();
  bool any = false;
  for (;;) {
    const int c = buf->sbumpc();
    if (c == std::char_traits<char>::eof()) return any;
    any = true;
    if (c == '\n') return true;
    if (c == '\r') {
      if (buf->sgetc() == '\n') buf->sbumpc();
      return true;
    }
    line += static_cast<char>(c);
  }
}

}  // namespace

std::string ToUtf8Text(const std::string& bytes) {
  // the drawing reader's own rule, so fields and texts of one file decode alike
  return text::DecodeText(bytes);
}

std::string ReadCommentBlock(std::istream& in) {
  std::string block;
  std::string codeLine;
  std::string comment;
  while (ReadLine(in, codeLine) && codeLine.find("999") != std::string::npos) {
    if (!ReadLine(in, comment)) break;
    block += ToUtf8Text(comment);
    block += ", ";
  }
  return block;
}

std::string ReadCommentBlockFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot open the drawing " + path);
  std::string block = ReadCommentBlock(in);
  if (in.bad()) throw std::runtime_error("Cannot read the drawing " + path);
  return block;
}

}  // namespace tv::viewer
