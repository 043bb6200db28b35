// The material key: how a work-list material is matched against the sheet stock.
#pragma once

#include <string>
#include <string_view>

namespace tv::stock {

// Keeps, of ASCII, only the characters "-" to ":" (codes 45-58), "@" to "z" (64-122) and the
// blank; beyond ASCII, every letter and decimal digit of any script (accented letters, Cyrillic,
// Greek, CJK...), composed; and trims blanks at both ends. Everything else goes.
std::string CleanName(std::string_view text);

// CleanName of the text with every blank removed: "MDF 3/4" and "MDF3/4" share a key.
std::string MaterialKey(std::string_view text);

}  // namespace tv::stock
