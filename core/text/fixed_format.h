// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace varmkalk::core {

// The value rounded to `decimals` decimals, unpadded: minus sign when negative, a single 0
// before the point below 1, a point and exactly `decimals` digits. Halves are rounded away from
// zero, decided on the float's exact decimal value. A value that rounds to zero prints without
// a minus sign ("0.00", never "-0.00"). Not finite: empty.
std::string format_decimal(float value, int decimals);

// Fixed w.d: format_decimal right-aligned in `width` characters. Where only the leading 0 of a
// value below 1 does not fit, it is left out (".50"); anything else too wide, and any value
// that is not finite, is `width` asterisks.
std::string format_fixed(float value, int width, int decimals);

// Integer w: the whole number right-aligned in `width` characters, asterisks when too wide.
std::string format_integer(long long value, int width);

// The value cut to a whole number toward zero, then Integer w; not finite or too large for
// any field: asterisks.
std::string format_whole(float value, int width);

}  // namespace varmkalk::core
