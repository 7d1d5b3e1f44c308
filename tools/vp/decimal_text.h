// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace varmkalk::vp {

// The value with `decimals` decimals after a point, as kalvex-vp prints its figures; a value
// that rounds to zero is printed without a sign.
std::string decimal_text(double value, int decimals);

}  // namespace varmkalk::vp
