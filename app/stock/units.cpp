#include "stock/units.h"

#include <cmath>
#include <string>

#include "core/program.h"
#include "text/number_text.h"

namespace tv::stock {

double ToWorkUnits(const core::Program& program, std::string_view text, float threshold) {
  const double factor = threshold < 0 ? 645.16 : 25.4;
  float limit = std::fabs(threshold);

  std::string_view trimmed = text;
  while (!trimmed.empty() && trimmed.front() == ' ') trimmed.remove_prefix(1);
  while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
  if (!trimmed.empty()) {
    const char last = trimmed.back();
    if (last == 'M' || last == 'm') limit = 0;
    if (last == 'I' || last == 'i') limit = 99999;
  }

  const double v = text::Val(text);
  double result;
  if (static_cast<float>(v) > limit) {
    result = program.MetricUnits ? v : v / factor;  // typed in millimetres
  } else {
    result = program.MetricUnits ? v * factor : v;  // typed in inches
  }
  return static_cast<double>(text::RoundHalfEven(result * 10000.0)) / 10000.0;
}

}  // namespace tv::stock
