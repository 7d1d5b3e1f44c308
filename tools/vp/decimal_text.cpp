// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/vp/decimal_text.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace varmkalk::vp {

std::string decimal_text(double value, int decimals) {
  std::array<char, 64> text{};
  const double shown = std::abs(value) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : value;
  std::snprintf(text.data(), text.size(), "%.*f", decimals, shown);
  return text.data();
}

}  // namespace varmkalk::vp
