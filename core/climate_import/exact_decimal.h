// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>
#include <variant>

namespace varmkalk::core {

// A temperature held exactly as the decimal text gave it, in billionths of a degree: sums and
// means of such values need no binary floating point.
using NanoCelsius = std::int64_t;
constexpr NanoCelsius kNanoPerDegree = 1'000'000'000;
constexpr NanoCelsius kNanoPerTenth = kNanoPerDegree / 10;

// A decimal number as written: an optional sign, digits, then optionally a decimal point (or a
// comma where `comma_allowed`) and more digits. No exponent, no blanks inside.
struct ExactDecimal {
  NanoCelsius value_nano_c = 0;
  int decimals = 0;  // digits written after the decimal sign
};
enum class DecimalFault { not_a_number, too_many_decimals, too_large };

std::variant<ExactDecimal, DecimalFault> parse_exact_decimal(std::string_view text,
                                                             bool comma_allowed);

// The mean of `count` values whose sum is `sum`, in tenths rounded half away from zero.
int mean_in_tenths(NanoCelsius sum, int count);

}  // namespace varmkalk::core
