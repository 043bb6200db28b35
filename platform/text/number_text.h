// Numbers inside texts: reading the leading number of a text, writing a number in the plain
// decimal form that cells and the INI file hold, and whole-number rounding.
#pragma once

#include <string>
#include <string_view>

#include "text/fixed_width.h"
#include "text/number_pattern.h"

namespace tv::text {

// The leading number of a text: blanks before it are skipped, then an optional sign, digits with
// an optional "." and fraction, and an exponent ("E" or "e", optional sign, digits) directly
// after the digits. Reading stops at the first character that cannot continue the number, so
// " 600mm" is 600. 0 when the text has no leading number, and also when the number is too large
// for a Double (an overflow must not turn a typed cell into infinity).
double Val(std::string_view text);

// Plain decimal text of a number with one leading blank when it is not negative (" 0", " 600",
// " 0.75", "-2.5"). Whole numbers have no decimal point. Doubles keep up to 15 significant
// digits, so 0.1 + 0.2 is " 0.3". Magnitudes below 1E-05 or from 1E+15 on use the exponent
// form (" 1E+15", " 1.5E-07"), which Val reads back.
std::string Str(double value);
// The same for a Single: up to 7 significant digits.
std::string StrSingle(float value);

// The same texts without the leading blank.
std::string CStr(double value);
std::string CStrSingle(float value);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2). NaN gives 0; values beyond the range of long long are clamped to it.
long long RoundHalfEven(double value);

}  // namespace tv::text
