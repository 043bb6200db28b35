#include "stock/material_key.h"

#include "files/string_routines.h"
#include "text/ascii_text.h"

namespace tv::stock {

std::string CleanName(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  for (char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if ((code >= 45 && code <= 58) || (code >= 64 && code <= 122) || code == 32) kept += c;
  }
  return text::TrimBlanks(kept);
}

std::string MaterialKey(std::string_view text) {
  return CleanName(files::Compact(text));
}

}  // namespace tv::stock
