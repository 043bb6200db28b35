// Blank trimming and ASCII upper case: how the program cleans cell texts and compares names
// without regard to case.
#pragma once

#include <string>
#include <string_view>

namespace tv::text {

// The text without blanks at either end. Only " " counts: a tab is part of the text.
std::string TrimBlanks(std::string_view text);

// ASCII letters upper-cased; every other byte, UTF-8 sequences included, kept as it is.
std::string UpperAscii(std::string_view text);

}  // namespace tv::text
