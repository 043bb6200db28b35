#include "text/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "text/decimal_digits.h"

namespace tv::text {
namespace detail {

DecimalDigits ToDecimalDigits(double value, int significant) {
  DecimalDigits result;
  // to_chars is locale independent; the Qt program sets the process locale, which would turn the
  // decimal point of printf into a comma on some systems.
  std::array<char, 64> buffer{};
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                 std::chars_format::scientific, significant - 1);
  if (ec != std::errc()) return result;
  std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
  std::size_t pos = 0;
  if (text[pos] == '-') {
    result.negative = true;
    ++pos;
  }
  const std::size_t ePos = text.find('e');
  for (std::size_t i = pos; i < ePos; ++i) {
    if (text[i] != '.') result.digits += text[i];
  }
  std::string_view expText = text.substr(ePos + 1);
  if (!expText.empty() && expText.front() == '+') expText.remove_prefix(1);
  std::from_chars(expText.data(), expText.data() + expText.size(), result.exponent);
  while (result.digits.size() > 1 && result.digits.back() == '0') result.digits.pop_back();
  if (result.digits == "0") {
    result.negative = false;
    result.exponent = 0;
  }
  return result;
}

}  // namespace detail

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string NonFinite(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Inf" : "Inf";
}

std::string PlainText(double value, int significant) {
  if (!std::isfinite(value)) return NonFinite(value);
  const detail::DecimalDigits d = detail::ToDecimalDigits(value, significant);
  std::string out = d.negative ? "-" : "";
  const int count = static_cast<int>(d.digits.size());
  if (d.digits == "0") return "0";
  if (d.exponent < -5 || d.exponent >= 15) {
    out += d.digits[0];
    if (count > 1) out.append(".").append(d.digits, 1);
    const int e = std::abs(d.exponent);
    out += d.exponent < 0 ? "E-" : "E+";
    if (e < 10) out += '0';
    out += std::to_string(e);
    return out;
  }
  if (d.exponent < 0) {
    out.append("0.").append(static_cast<std::size_t>(-d.exponent - 1), '0').append(d.digits);
  } else if (count <= d.exponent + 1) {
    out += d.digits + std::string(static_cast<std::size_t>(d.exponent + 1 - count), '0');
  } else {
    const auto intCount = static_cast<std::size_t>(d.exponent + 1);
    out.append(d.digits, 0, intCount).append(".").append(d.digits, intCount);
  }
  return out;
}

std::string WithBlank(std::string text) {
  if (text.empty() || text.front() != '-') text.insert(text.begin(), ' ');
  return text;
}

}  // namespace

double Val(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() &&
         (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' || text[pos] == '\n'))
    ++pos;
  std::string number;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    if (text[pos] == '-') number += '-';
    ++pos;
  }
  bool anyDigit = false;
  while (pos < text.size() && IsDigit(text[pos])) {
    number += text[pos++];
    anyDigit = true;
  }
  if (pos < text.size() && text[pos] == '.') {
    number += text[pos++];
    while (pos < text.size() && IsDigit(text[pos])) {
      number += text[pos++];
      anyDigit = true;
    }
  }
  if (!anyDigit) return 0;
  if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
    std::size_t expPos = pos + 1;
    std::string exponent = "e";
    if (expPos < text.size() && (text[expPos] == '+' || text[expPos] == '-')) {
      if (text[expPos] == '-') exponent += '-';
      ++expPos;
    }
    // An "E" without digits after it is not part of the number ("12Each" is 12).
    if (expPos < text.size() && IsDigit(text[expPos])) {
      while (expPos < text.size() && IsDigit(text[expPos])) exponent += text[expPos++];
      number += exponent;
    }
  }
  double value = 0;
  auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    // Underflow is a tiny number and reads as 0 anyway; overflow counts as no number.
    return 0;
  }
  return ec == std::errc() ? value : 0;
}

std::string Str(double value) {
  return WithBlank(PlainText(value, 15));
}
std::string StrSingle(float value) {
  return WithBlank(PlainText(static_cast<double>(value), 7));
}
std::string CStr(double value) {
  return PlainText(value, 15);
}
std::string CStrSingle(float value) {
  return PlainText(static_cast<double>(value), 7);
}

long long RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  // 2^63 as a double; every double below it converts exactly.
  constexpr double kLimit = 9223372036854775808.0;
  if (value >= kLimit) return std::numeric_limits<long long>::max();
  if (value < -kLimit) return std::numeric_limits<long long>::min();
  const double floorValue = std::floor(value);
  const double fraction = value - floorValue;
  auto whole = static_cast<long long>(floorValue);
  if (fraction > 0.5 || (fraction == 0.5 && whole % 2 != 0)) ++whole;
  return whole;
}

}  // namespace tv::text
