// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

#include "core/heatpump/heat_pump_model.h"

namespace varmkalk::core {

// A heat pump of a kind rather than a certified unit, for a house whose heat pump is not yet
// chosen: its efficiency against the ideal COP is the median of certified units of that kind,
// its capacities a typical shape scaled by its rating capacity (the heat it gives at the rating
// point, 35 °C flow: A7 for air, B0 for brine).
enum class GenericHeatPump { air, brine, exhaust };

// "air", "brine", "exhaust": the ids the console tools and tables take.
std::string_view generic_heat_pump_id(GenericHeatPump type);
std::optional<GenericHeatPump> generic_heat_pump_from_id(std::string_view id);

// The model of a generic heat pump of `rating_kw`. Throws ModelInputError for a rating that is
// not a positive number.
HeatPumpModel generic_heat_pump_model(GenericHeatPump type, double rating_kw);

// The powers a generic heat pump draws while it does not heat, W.
IdlePowers generic_heat_pump_idle_powers(GenericHeatPump type);

}  // namespace varmkalk::core
