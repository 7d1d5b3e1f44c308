// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/fixed_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>

namespace varmkalk::core {
namespace {

// A float is a binary fraction with at most 149 binary places, so its exact decimal expansion
// has at most 149 decimals; printed with that many, its double is shown without any rounding.
constexpr int kExactDecimals = 149;

std::string asterisks(int width) {
  return std::string(static_cast<std::size_t>(width), '*');
}

std::string right_aligned(const std::string& text, int width) {
  const auto w = static_cast<std::size_t>(width);
  return text.size() > w ? asterisks(width) : std::string(w - text.size(), ' ') + text;
}

}  // namespace

std::string format_decimal(float value, int decimals) {
  if (!std::isfinite(value)) {
    return {};
  }
  std::array<char, 64 + kExactDecimals> buffer{};
  const auto printed = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                     std::fabs(static_cast<double>(value)),
                                     std::chars_format::fixed, kExactDecimals);
  const std::string exact(buffer.data(), printed.ptr);

  // Keep the integer digits and `decimals` decimals; the first dropped digit decides, and
  // since the expansion is exact, 5 or more there means half or more: round up.
  const std::size_t point = exact.find('.');
  const auto kept_decimals = static_cast<std::size_t>(decimals);
  std::string digits = exact.substr(0, point) + exact.substr(point + 1, kept_decimals);
  if (exact[point + 1 + kept_decimals] >= '5') {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') {
      digits[--i] = '0';
    }
    if (i == 0) {
      digits.insert(digits.begin(), '1');
    } else {
      ++digits[i - 1];
    }
  }
  const std::size_t integer_part = digits.size() - kept_decimals;
  std::string text = digits.substr(0, integer_part);
  // Drop leading zeros of the integer part but keep one.
  const auto first_nonzero = text.find_first_not_of('0');
  text = first_nonzero == std::string::npos ? "0" : text.substr(first_nonzero);
  if (decimals > 0) {
    text += '.' + digits.substr(integer_part);
  }
  const bool rounds_to_zero = digits.find_first_not_of('0') == std::string::npos;
  return (value < 0.0f && !rounds_to_zero ? "-" : "") + text;
}

std::string format_fixed(float value, int width, int decimals) {
  std::string text = format_decimal(value, decimals);
  if (text.empty()) {
    return asterisks(width);
  }
  const auto w = static_cast<std::size_t>(width);
  if (text.size() == w + 1 && decimals > 0) {
    // The leading zero of "0.5" or "-0.5" is the one character that may give way.
    const std::size_t zero = text[0] == '-' ? 1 : 0;
    if (text.compare(zero, 2, "0.") == 0) {
      text.erase(zero, 1);
    }
  }
  return right_aligned(text, width);
}

std::string format_integer(long long value, int width) {
  return right_aligned(std::to_string(value), width);
}

std::string format_whole(float value, int width) {
  // 1e18 fits a long long and is wider than any field.
  constexpr float kLargestWhole = 1e18f;
  if (!std::isfinite(value) || std::fabs(value) >= kLargestWhole) {
    return asterisks(width);
  }
  return format_integer(static_cast<long long>(std::trunc(value)), width);
}

}  // namespace varmkalk::core
