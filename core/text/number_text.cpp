// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>

namespace varmkalk::core {
namespace {

// The engine reads a number line from its first 11 columns; column 1 carries the sign.
constexpr std::size_t kBodyWidth = 10;

// A positive magnitude as d.ddd × 10^exponent with trailing zeros of the digits dropped.
struct DecimalDigits {
  std::string digits;
  int exponent = 0;
};

DecimalDigits from_scientific(const char* first, const char* last) {
  const std::string_view text(first, static_cast<std::size_t>(last - first));
  const std::size_t e_pos = text.find('e');
  DecimalDigits decimal;
  for (const char c : text.substr(0, e_pos)) {
    if (c != '.') {
      decimal.digits += c;
    }
  }
  const std::string_view exponent = text.substr(e_pos + 1);
  std::from_chars(exponent.data() + (exponent[0] == '+' ? 1 : 0), exponent.data() + exponent.size(),
                  decimal.exponent);
  while (decimal.digits.size() > 1 && decimal.digits.back() == '0') {
    decimal.digits.pop_back();
  }
  return decimal;
}

// The magnitude rounded to `digits` significant digits, from its exact value.
DecimalDigits rounded(float magnitude, int digits) {
  std::array<char, 64> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<double>(magnitude),
                    std::chars_format::scientific, digits - 1);
  return from_scientific(buffer.data(), result.ptr);
}

// The fewest significant digits that read back as the magnitude.
DecimalDigits shortest(float magnitude) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                    std::chars_format::scientific);
  return from_scientific(buffer.data(), result.ptr);
}

std::string plain_form(const DecimalDigits& decimal) {
  const int integer_digits = decimal.exponent + 1;
  const auto size = static_cast<int>(decimal.digits.size());
  if (integer_digits <= 0) {
    return "0." + std::string(static_cast<std::size_t>(-integer_digits), '0') + decimal.digits;
  }
  if (size <= integer_digits) {
    return decimal.digits + std::string(static_cast<std::size_t>(integer_digits - size), '0');
  }
  const auto split = static_cast<std::size_t>(integer_digits);
  return decimal.digits.substr(0, split) + '.' + decimal.digits.substr(split);
}

std::string exponent_form(const DecimalDigits& decimal) {
  std::string mantissa = decimal.digits.substr(0, 1);
  if (decimal.digits.size() > 1) {
    mantissa += '.' + decimal.digits.substr(1);
  }
  return mantissa + 'E' + std::to_string(decimal.exponent);
}

// The plain form if it fits, else without the zero before the point of a value below 1 (the
// engine reads ".124419475"), else the exponent form if it fits; empty when none does.
std::string fitting_form(const DecimalDigits& decimal) {
  std::string plain = plain_form(decimal);
  if (plain.size() <= kBodyWidth) {
    return plain;
  }
  if (plain.starts_with("0.") && plain.size() - 1 <= kBodyWidth) {
    return plain.substr(1);
  }
  if (std::string exponent = exponent_form(decimal); exponent.size() <= kBodyWidth) {
    return exponent;
  }
  return {};
}

}  // namespace

std::string shortest_text(float value) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

std::string control_number_text(float value) {
  const std::string sign = value < 0.0f ? "-" : " ";
  const float magnitude = std::fabs(value);
  if (magnitude == 0.0f) {
    return " 0";
  }
  const DecimalDigits exact = shortest(magnitude);
  std::string body = fitting_form(exact);
  // Near the ends of the float range the exact digits may not fit; one digit always does
  // ("3E-45", "3E38").
  for (auto digits = static_cast<int>(exact.digits.size()) - 1; body.empty(); --digits) {
    body = fitting_form(rounded(magnitude, digits));
  }
  return sign + body;
}

std::string Decimalfilter(std::string_view in_value) {
  if (in_value.empty()) {
    return "0";
  }
  std::string out(in_value);
  for (char& c : out) {
    if (c == ',') {
      c = '.';
    }
  }
  return out;
}

}  // namespace varmkalk::core
