// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/cost/cost_inputs.h"
#include "core/cost/year_cost.h"
#include "core/generators/heat_pump_year.h"

namespace varmkalk::vp {

// The heat pump's year in the house as kalvex-vp prints it (UTF-8, one line per figure, in the
// manner of the engine's summary): the heat and where it came from, the electricity in its
// parts, the seasonal factor, the backup's days, the bivalent point, the coldest day, the bill
// at `prices`, and what a year of daily means cannot tell.
std::string year_report(std::string_view unit_name, std::string_view climate_name,
                        const core::HeatPumpYear& year, const core::YearCost& cost,
                        const core::CostInputs& prices);

}  // namespace varmkalk::vp
