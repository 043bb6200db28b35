// Blank trimming, ASCII upper case and hex digits: how the program cleans cell texts, compares
// names without regard to case and writes bytes as escapes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tv::text {

// The text without blanks at either end. Only " " counts: a tab is part of the text.
std::string TrimBlanks(std::string_view text);

// ASCII letters upper-cased; every other byte, UTF-8 sequences included, kept as it is.
std::string UpperAscii(std::string_view text);

// The value of digits when every one of them is a hex digit (either case); nullopt otherwise.
std::optional<std::uint32_t> HexValue(std::string_view digits);
// value as its last count hex digits, upper case, leading zeros included.
void AppendHex(std::string& out, std::uint32_t value, int count);

}  // namespace tv::text
