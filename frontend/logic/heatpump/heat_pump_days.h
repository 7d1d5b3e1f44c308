// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/heatpump/side_by_side_view.h"
#include "frontend/logic/run/folder_year.h"
#include "frontend/logic/year/chart_year.h"

#include <QString>

#include <optional>

namespace varmkalk {

// The heat pump `shown` beside the boiler of the calculation's year, with its every day, for the
// charts; empty where the year or the unit cannot be had (the result box then says why).
std::optional<HeatPumpChart> heat_pump_chart(const CalculationYear& computed,
                                             const ShownHeatPump& shown,
                                             const QString& heat_pump_folder);

}  // namespace varmkalk
