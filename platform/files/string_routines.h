// Small text routines shared by the drawing inspection, the cut paths and the material matching.
// Positions are 1-based and 0 means "not found", as the callers count them.
#pragma once

#include <string>
#include <string_view>

namespace tv::files {

// The text with every blank (" ") removed.
std::string Compact(std::string_view text);

// The text with every oldChar replaced by newChar.
std::string ReplaceChar(std::string_view text, char oldChar, char newChar);

// Position of the last occurrence of search in text; 0 when there is none or search is empty.
int QInstrB2(std::string_view text, std::string_view search);

// Position of the first character at or after start that occurs in table (exact byte
// comparison); 0 when there is none. A start below 1 counts as 1.
int InstrTbl2(int start, std::string_view text, std::string_view table);

// The field that begins at position and ends before the next character of delimiters; position
// moves past that delimiter. The last field runs to the end of the text and moves position to
// text.size() + 2, so a caller reads fields while position <= text.size() + 1 and sees every
// field of "a,,b," (four of them) and one empty field of "". Past that, the field is empty.
std::string ParseString(int& position, std::string_view text, std::string_view delimiters);

}  // namespace tv::files
