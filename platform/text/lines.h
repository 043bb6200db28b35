// Splitting a text file's contents into its lines, whatever line ends it was written with.
#pragma once

#include <string_view>
#include <vector>

namespace tv::text {

// The lines of a text, each without its end. A line ends at CR LF, LF or a lone CR; a line end
// at the very end of the text starts no further line, so "a\n" is one line and "" none.
// The views point into text.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace tv::text
