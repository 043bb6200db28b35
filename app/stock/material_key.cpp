#include "stock/material_key.h"

#include <cstdint>

#include "files/string_routines.h"
#include "text/ascii_text.h"
#include "text/codepage.h"
#include "text/unicode_text.h"

namespace tv::stock {

std::string CleanName(std::string_view text) {
  // Composed first, so an accented letter typed as letter and accent keeps the same key as the
  // letter typed whole.
  const std::string composed = text::ComposeUtf8(text);
  std::string kept;
  kept.reserve(composed.size());
  for (std::size_t i = 0; i < composed.size();) {
    const std::size_t start = i;
    const std::uint32_t code = text::NextCodePoint(composed, i);
    const bool keep = code < 128 ? (code >= 45 && code <= 58) || (code >= 64 && code <= 122) || code == 32
                                 : text::IsLetterOrDigit(code);
    if (keep) kept.append(composed, start, i - start);
  }
  return text::TrimBlanks(kept);
}

std::string MaterialKey(std::string_view text) {
  return CleanName(files::Compact(text));
}

}  // namespace tv::stock
