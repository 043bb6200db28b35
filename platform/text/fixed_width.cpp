#include "text/fixed_width.h"

namespace tv::text {

std::string FixedWidth(std::string_view text, std::size_t n) {
  std::size_t count = 0;
  std::size_t pos = 0;
  while (pos < text.size() && count < n) {
    ++pos;
    // Continuation bytes belong to the character that started before them.
    while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
    ++count;
  }
  std::string out(text.substr(0, pos));
  out.append(n - count, ' ');
  return out;
}

}  // namespace tv::text
