#pragma once

#include <string>
#include <vector>

#include "core/model/annual_totals.h"

namespace varmkalk::core {

// Swedish warnings about a complete year that the user should know of: days on which the boiler
// could not meet the demand, and a year without any heating day. One line each, no line end.
std::vector<std::string> run_warnings(const AnnualTotals& totals);

}  // namespace varmkalk::core
