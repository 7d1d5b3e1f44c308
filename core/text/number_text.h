// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace varmkalk::core {

// The shortest text that reads back as the same float, with a decimal point where it needs one
// (2.5, 1.2, -14, 1e+10, inf, nan): how messages and tables show a 32-bit number exactly.
std::string shortest_text(float value);

// A finite number as a control-file number line: a blank before a value of zero or more, a minus
// sign before a negative one, then the shortest decimal text that reads back as the same float,
// with a point and no grouping, all within the 11 columns the engine reads: from 0.1 to 1e10
// every float is written exactly (below 1 the zero before the point gives way where the digits
// need its column). Elsewhere, where even the shortest text does not fit, as many significant
// digits as fit. An exponent is written ("1.5E-7") only where the plain form would keep fewer
// digits, so it can never fall beyond the columns read.
std::string control_number_text(float value);

// A number text as the engine reads it: every comma becomes a point, an empty text "0". Every
// number line of the control file passes through it, so the file carries a point as its decimal
// separator whatever produced the text.
std::string Decimalfilter(std::string_view in_value);

}  // namespace varmkalk::core
