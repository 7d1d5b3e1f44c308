#pragma once

#include <QString>

namespace varmkalk {

// The engine reads a number line from its first 11 columns only.
inline constexpr qsizetype kNumberFieldWidth = 11;
// Significant digits written at most for a 64-bit and for a 32-bit value.
inline constexpr int kDoubleDigits = 15;
inline constexpr int kFloatDigits = 7;

// A finite number as text for a number line: a blank before a value of zero or more, a minus
// sign before a negative one, a point as decimal separator, no grouping, and as many significant
// digits (at most max_digits) as fit into the engine's 11 columns. Exponent form ("1.2345E-7")
// is used when it keeps more digits than the plain form, so the exponent never falls beyond the
// columns the engine reads.
QString number_text(double value, int max_digits);

}  // namespace varmkalk
