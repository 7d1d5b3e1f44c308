#pragma once

#include <string>

#include "core/model/day_balance.h"

namespace varmkalk::core {

// The 87-character line of one heating day for one balance variant, with CR LF: day, outdoor,
// supply and return temperature, demand, run time, day efficiency in per cent, convection loss,
// standby and flue-gas losses weighted by the run time, flue-gas temperature, combustion
// efficiency.
std::string format_daily_line(const DayBalance& day, const VariantBalance& variant);

}  // namespace varmkalk::core
