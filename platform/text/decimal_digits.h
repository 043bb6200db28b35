// Internal: the significant decimal digits of a number, shared by the plain and the pattern
// forms so both round the binary value the same way before writing it.
#pragma once

#include <string>

namespace tv::text::detail {

struct DecimalDigits {
  bool negative = false;
  std::string digits;  // significant digits, first one non-zero unless the value is 0
  int exponent = 0;    // decimal place of the first digit: value = 0.d1d2... * 10^(exponent + 1)
};

// The value rounded to `significant` digits (1 to 17), trailing zeros removed; finite values only.
DecimalDigits ToDecimalDigits(double value, int significant);

}  // namespace tv::text::detail
