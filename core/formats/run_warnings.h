// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/model/annual_totals.h"

namespace varmkalk::core {

// Swedish warnings about a complete year that the user should know of: days on which the boiler
// could not meet the demand (always first), and a year without any heating day. One line each, no
// line end. Decimals are written with `decimal_separator`: the engine's point, or the comma a
// Swedish desktop shows.
std::vector<std::string> run_warnings(const AnnualTotals& totals,
                                      std::string_view decimal_separator = ".");

}  // namespace varmkalk::core
