// Texts of a fixed length, as kept in sort keys and fixed-size record fields.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tv::text {

// The text padded with blanks or cut to exactly n characters. Characters are counted as UTF-8
// code points so a cut never splits one; the byte length may therefore exceed n.
std::string FixedWidth(std::string_view text, std::size_t n);

}  // namespace tv::text
