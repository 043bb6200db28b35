#include "text/unicode_text.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>

namespace tv::text {
namespace {

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string ToUtf8(const icu::UnicodeString& text) {
  std::string out;
  text.toUTF8String(out);
  return out;
}

}  // namespace

bool IsLetterOrDigit(std::uint32_t codePoint) {
  const auto category = static_cast<UCharCategory>(u_charType(static_cast<UChar32>(codePoint)));
  switch (category) {
    case U_UPPERCASE_LETTER:
    case U_LOWERCASE_LETTER:
    case U_TITLECASE_LETTER:
    case U_MODIFIER_LETTER:
    case U_OTHER_LETTER:
    case U_DECIMAL_DIGIT_NUMBER:
      return true;
    default:
      return false;
  }
}

std::string ComposeUtf8(std::string_view text) {
  if (IsAscii(text)) return std::string(text);
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  const icu::UnicodeString decoded =
      icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  if (U_FAILURE(status)) return ToUtf8(decoded);
  const icu::UnicodeString composed = nfc->normalize(decoded, status);
  return U_SUCCESS(status) ? ToUtf8(composed) : ToUtf8(decoded);
}

std::string FoldCase(std::string_view text) {
  icu::UnicodeString folded =
      icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  folded.foldCase();
  return ToUtf8(folded);
}

}  // namespace tv::text
