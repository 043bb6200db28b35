// Numbers written through digit patterns such as "000", "##.##" or "#0.###" (sheet numbers,
// thickness codes in layer names, yields and rounded measurements).
#pragma once

#include <string>
#include <string_view>

namespace tv::text {

// Writes value by a pattern of "0" (a digit always written), "#" (a digit written only when
// significant) and "." (the decimal point, written only when a fraction digit follows it). The
// value is rounded, halves away from zero, to the pattern's last digit place; integer digits
// beyond the pattern's places are all written. Format(7, "000") is "007", Format(18, "#0.###")
// is "18", Format(0.75, "#0.###") is "0.75", Format(0.5, "##.##") is ".5", Format(18, "##.0##")
// is "18.0". A negative value gets "-" unless it rounds to zero. Other characters of the
// pattern are written as they stand. An empty pattern gives CStr(value).
std::string Format(double value, std::string_view pattern);

}  // namespace tv::text
