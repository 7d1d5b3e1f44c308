// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/exact_decimal.h"

#include <cstdlib>

namespace varmkalk::core {
namespace {

// Far beyond any temperature, far within the range of NanoCelsius.
constexpr int kMostIntegerDigits = 9;

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::variant<ExactDecimal, DecimalFault> parse_exact_decimal(std::string_view text,
                                                             bool comma_allowed) {
  std::size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    ++i;
  }
  NanoCelsius whole = 0;
  int integer_digits = 0;
  bool any_digit = false;
  for (; i < text.size() && is_digit(text[i]); ++i) {
    any_digit = true;
    if (whole == 0 && text[i] == '0') {
      continue;
    }
    if (++integer_digits > kMostIntegerDigits) {
      return DecimalFault::too_large;
    }
    whole = whole * 10 + (text[i] - '0');
  }
  NanoCelsius fraction = 0;
  int decimals = 0;
  NanoCelsius place = kNanoPerDegree;
  bool fraction_beyond_billionths = false;
  if (i < text.size() && (text[i] == '.' || (comma_allowed && text[i] == ','))) {
    for (++i; i < text.size() && is_digit(text[i]); ++i) {
      any_digit = true;
      ++decimals;
      if (place > 1) {
        place /= 10;
        fraction += (text[i] - '0') * place;
      } else if (text[i] != '0') {
        fraction_beyond_billionths = true;
      }
    }
  }
  if (!any_digit || i != text.size()) {
    return DecimalFault::not_a_number;
  }
  if (fraction_beyond_billionths) {
    return DecimalFault::too_many_decimals;
  }
  const NanoCelsius value = whole * kNanoPerDegree + fraction;
  return ExactDecimal{negative ? -value : value, decimals};
}

int mean_in_tenths(NanoCelsius sum, int count) {
  const NanoCelsius divisor = kNanoPerTenth * count;
  const NanoCelsius magnitude = (2 * std::abs(sum) + divisor) / (2 * divisor);
  return static_cast<int>(sum < 0 ? -magnitude : magnitude);
}

}  // namespace varmkalk::core
