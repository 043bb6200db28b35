// Typed lengths and areas in the work unit: millimetres or inches, decided by size or suffix.
#pragma once

#include <string_view>

namespace tv::core {
class Program;
}

namespace tv::stock {

// The length (threshold >= 0) or area (threshold < 0) typed in text, in the work unit that
// Program::MetricUnits names. A number above |threshold| is millimetres (square millimetres),
// else inches; a trailing "M" or "I" decides instead. Rounded to 4 decimals.
double ToWorkUnits(const core::Program& program, std::string_view text, float threshold);

}  // namespace tv::stock
