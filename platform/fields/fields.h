// Splits one line of a comma-separated work-list import file into its fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv::fields {

// The fields of a line, split at ",". A field that begins with a double quote (blanks before it
// are skipped) runs to the closing quote and may hold commas; the quotes are removed and a
// doubled quote inside stands for one quote. A quote elsewhere is an ordinary character, so an
// inch mark as in 12" Door stays in its field. Text after the closing quote, up to the next
// comma, belongs to the field; a quote that never closes runs to the end of the line. Other
// blanks are kept as they are. A line end (CR, LF) at the end of the line is ignored. An empty
// line has no fields; "," has two empty ones.
std::vector<std::string> SplitFields(std::string_view line);

}  // namespace tv::fields
