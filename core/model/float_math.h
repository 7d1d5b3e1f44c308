// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

namespace varmkalk::core {

// 32-bit results of the transcendental functions, each the float nearest the exact value: the
// function is evaluated in double and rounded once. The C library's float variants (expf, powf)
// are not correctly rounded everywhere, which would make results depend on the library.
inline float exp_f(float x) {
  return static_cast<float>(std::exp(static_cast<double>(x)));
}
inline float log_f(float x) {
  return static_cast<float>(std::log(static_cast<double>(x)));
}
inline float log10_f(float x) {
  return static_cast<float>(std::log10(static_cast<double>(x)));
}
inline float pow_f(float base, float exponent) {
  return static_cast<float>(std::pow(static_cast<double>(base), static_cast<double>(exponent)));
}

}  // namespace varmkalk::core
