#include "text/number_pattern.h"

#include <algorithm>
#include <cmath>

#include "text/decimal_digits.h"
#include "text/number_text.h"

namespace tv::text {
namespace {

bool IsPlaceholder(char c) {
  return c == '0' || c == '#';
}

// Integer and fraction digits of |value| rounded half away from zero to `fractionPlaces`.
// Working from 15 significant digits first keeps binary noise out: 2.675 rounds to 2.68 as
// typed, not to 2.67 as its nearest Double would.
void RoundToPlaces(double value, int fractionPlaces, std::string& intDigits, std::string& fracDigits,
                   bool& negative) {
  const detail::DecimalDigits d = detail::ToDecimalDigits(value, 15);
  negative = d.negative;
  const int top = std::max(d.exponent, 0);
  auto digitAt = [&](int place) -> char {
    const int index = d.exponent - place;
    if (index < 0 || index >= static_cast<int>(d.digits.size())) return '0';
    return d.digits[static_cast<std::size_t>(index)];
  };
  std::string all;  // places top .. -fractionPlaces
  for (int place = top; place >= -fractionPlaces; --place) all += digitAt(place);
  if (digitAt(-fractionPlaces - 1) >= '5') {
    int i = static_cast<int>(all.size()) - 1;
    while (i >= 0 && all[static_cast<std::size_t>(i)] == '9') all[static_cast<std::size_t>(i--)] = '0';
    if (i >= 0) {
      ++all[static_cast<std::size_t>(i)];
    } else {
      all.insert(all.begin(), '1');
    }
  }
  const std::size_t intCount = all.size() - static_cast<std::size_t>(fractionPlaces);
  intDigits = all.substr(0, intCount);
  fracDigits = all.substr(intCount);
  const std::size_t firstNonZero = intDigits.find_first_not_of('0');
  intDigits = firstNonZero == std::string::npos ? "" : intDigits.substr(firstNonZero);
  if (intDigits.empty() && fracDigits.find_first_not_of('0') == std::string::npos) negative = false;
}

}  // namespace

std::string Format(double value, std::string_view pattern) {
  if (pattern.empty() || !std::isfinite(value)) return CStr(value);
  const std::size_t point = pattern.find('.');
  const std::string_view intPattern = pattern.substr(0, point);
  const std::string_view fracPattern =
      point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);

  const auto fracPlaces =
      static_cast<int>(std::count_if(fracPattern.begin(), fracPattern.end(), IsPlaceholder));
  std::string intDigits;
  std::string fracDigits;
  bool negative = false;
  RoundToPlaces(value, fracPlaces, intDigits, fracDigits, negative);

  // Integer part: at least as many digits as placeholders from the first "0" on.
  int minInt = 0;
  bool seenZero = false;
  for (char c : intPattern) {
    if (c == '0') seenZero = true;
    if (seenZero && IsPlaceholder(c)) ++minInt;
  }
  if (static_cast<int>(intDigits.size()) < minInt)
    intDigits.insert(0, static_cast<std::size_t>(minInt) - intDigits.size(), '0');

  // Fill the integer placeholders from the right; the leftmost one takes every digit left over.
  const auto intPlaces = static_cast<int>(std::count_if(intPattern.begin(), intPattern.end(), IsPlaceholder));
  std::string intOut;
  int remaining = static_cast<int>(intDigits.size());
  int placesLeft = intPlaces;
  for (auto it = intPattern.rbegin(); it != intPattern.rend(); ++it) {
    if (!IsPlaceholder(*it)) {
      intOut.insert(intOut.begin(), *it);
      continue;
    }
    --placesLeft;
    if (remaining <= 0) continue;
    const int take = placesLeft == 0 ? remaining : 1;
    intOut.insert(
        0, intDigits.substr(static_cast<std::size_t>(remaining - take), static_cast<std::size_t>(take)));
    remaining -= take;
  }
  if (remaining > 0) intOut += intDigits.substr(0, static_cast<std::size_t>(remaining));

  // Fraction part: digits up to the last "0" placeholder always, further ones while significant.
  int minFrac = 0;
  int placeIndex = 0;
  for (char c : fracPattern) {
    if (!IsPlaceholder(c)) continue;
    ++placeIndex;
    if (c == '0') minFrac = placeIndex;
  }
  const std::size_t lastSignificant = fracDigits.find_last_not_of('0');
  const int significantFrac =
      lastSignificant == std::string::npos ? 0 : static_cast<int>(lastSignificant) + 1;
  const int fracWritten = std::max(minFrac, significantFrac);
  std::string fracOut;
  placeIndex = 0;
  for (char c : fracPattern) {
    if (!IsPlaceholder(c)) {
      fracOut += c;
      continue;
    }
    if (placeIndex < fracWritten) fracOut += fracDigits[static_cast<std::size_t>(placeIndex)];
    ++placeIndex;
  }

  std::string out = negative ? "-" : "";
  out += intOut;
  if (fracWritten > 0)
    out.append(".").append(fracOut);
  else
    out += fracOut;
  return out;
}

}  // namespace tv::text
