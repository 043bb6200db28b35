// Small text helpers shared by the grid's sources: the leading number of a cell text and the
// escaping of the grid file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tv::grid::detail {

// The number at the start of text (blanks skipped, 0 when there is none).
double LeadingNumber(std::string_view text);
// The value when text, blanks around it removed, is one number and nothing else.
std::optional<double> WholeNumber(std::string_view text);
// Backslash escapes for "\\", Tab, LF and CR, so that a text fits in one Tab-separated field,
// and "\\xHH" for a byte that is no part of a UTF-8 character, so that the file is UTF-8.
std::string Escape(std::string_view text);
std::string Unescape(std::string_view text);

}  // namespace tv::grid::detail
