#include "viewer/border_code.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>

#include "text/number_text.h"

namespace tv::viewer {
namespace {

// The letters that end a thickness number. Layer names are UTF-8, so the six accented letters
// are two-byte sequences (lead byte 0xC3) rather than single characters.
bool IsTerminatorAt(const std::string& text, std::size_t index) {
  const auto c = static_cast<unsigned char>(text[index]);
  if (std::string_view(" DEFGIKLMORSTVXYZ").find(static_cast<char>(c)) != std::string_view::npos) return true;
  if (c != 0xC3 || index + 1 >= text.size()) return false;
  const auto next = static_cast<unsigned char>(text[index + 1]);
  // ä å æ ç è é
  return next >= 0xA4 && next <= 0xA9;
}

// 0-based index of the first character at or after position start (1-based) that satisfies
// the test, or npos.
template <typename Test>
std::size_t FindFrom(const std::string& text, int start, Test test) {
  for (std::size_t i = start < 1 ? 0 : static_cast<std::size_t>(start - 1); i < text.size(); ++i) {
    if (test(i)) return i;
  }
  return std::string::npos;
}

}  // namespace

float ParseLayerFraction(int start, std::string& name) {
  // The appended blank guarantees a terminator, at the latest one past the end of the name.
  const std::string padded = name + " ";
  const std::size_t terminator =
      FindFrom(padded, start, [&](std::size_t i) { return IsTerminatorAt(padded, i); });
  const std::size_t point =
      FindFrom(name, start, [&](std::size_t i) { return name[i] == 'P' || name[i] == '.'; });
  if (point == std::string::npos || point + 1 >= terminator) return 0.0f;

  const std::size_t exponent =
      FindFrom(name, start, [&](std::size_t i) { return name[i] == 'D' || name[i] == 'E'; });
  if (exponent != std::string::npos) name[exponent] = '~';

  // Only the digits right after the point count: "0P5E3" is half a unit, not 500.
  std::string fraction = "0.";
  for (std::size_t i = point + 1; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i)
    fraction += name[i];
  if (fraction.size() == 2) return 0.0f;
  float value = 0.0f;
  std::from_chars(fraction.data(), fraction.data() + fraction.size(), value);
  return value;
}

float ParseBorderThickness(std::string layerName) {
  // An upper-case "D" after "BORDER" would read as an exponent ("1D2"), so it is masked first.
  for (std::size_t i = 5; i < layerName.size(); ++i) {
    if (layerName[i] == 'D') layerName[i] = '~';
  }
  const std::size_t z = layerName.find('Z', 5);
  if (z == std::string::npos || z + 1 >= layerName.size()) return 0.0f;

  const char code = layerName[z + 1];
  if (code == '~') return 100.0f;
  const char lower = (code >= 'A' && code <= 'Z') ? static_cast<char>(code - 'A' + 'a') : code;
  if ((lower >= 'a' && lower <= 'g') || lower == 'i') return static_cast<float>(lower);

  const double whole = std::floor(text::Val(std::string_view(layerName).substr(z + 1)));
  return static_cast<float>(whole) + ParseLayerFraction(static_cast<int>(z) + 2, layerName);
}

}  // namespace tv::viewer
