// Unicode classification, composition and case folding of UTF-8 text, for names typed in any
// script (material names are matched on their letters and digits).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tv::text {

// A letter of any script (general categories Lu, Ll, Lt, Lm, Lo) or a decimal digit (Nd).
bool IsLetterOrDigit(std::uint32_t codePoint);

// The text in composed form (NFC), so a letter typed with a separate accent equals the same
// letter typed whole. Bytes that are not UTF-8 become U+FFFD.
std::string ComposeUtf8(std::string_view text);

// The text case-folded, for comparing without regard to case in every script ("МДФ" and "мдф"
// fold alike, as "OAK" and "oak" do). Bytes that are not UTF-8 become U+FFFD.
std::string FoldCase(std::string_view text);

}  // namespace tv::text
