#include "viewer/comment_block.h"

#include <fstream>
#include <vector>

#include "drawing/drawing.h"
#include "text/codepage.h"

namespace tv::viewer {
namespace {

// A header longer than this is not searched for its code page (a damaged file).
constexpr std::size_t kHeaderLimit = 1 << 20;

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

std::string ReadCommentBlock(std::istream& in) {
  std::vector<std::string> comments;
  std::string codeLine;
  std::string comment;
  bool eightBit = false;
  while (ReadLine(in, codeLine) && codeLine.find("999") != std::string::npos) {
    if (!ReadLine(in, comment)) break;
    eightBit = eightBit || !text::IsValidUtf8(comment);
    comments.push_back(comment);
  }
  // An eight-bit comment is in the code page the header below declares, as the drawing's
  // texts are: the header is read on (it is short) to find it.
  std::string charset;
  if (eightBit) {
    std::string header = codeLine + "\n";
    std::string line;
    while (header.size() < kHeaderLimit && ReadLine(in, line)) {
      header += line;
      header += '\n';
      if (line.find("ENDSEC") != std::string::npos) break;
    }
    charset = text::CharsetOfCodePage(drawing::DeclaredCodePage(header));
  }
  std::string block;
  for (const std::string& c : comments) {
    block += text::DecodeText(c, charset);
    block += ", ";
  }
  return block;
}

bool ReadCommentBlockFile(const std::string& path, std::string& block, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (in) {
    block = ReadCommentBlock(in);
    if (!in.bad()) return true;
  }
  block.clear();
  if (error) *error = (in.bad() ? "Cannot read the drawing " : "Cannot open the drawing ") + path;
  return false;
}

}  // namespace tv::viewer
