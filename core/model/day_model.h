// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "core/case/boiler_case.h"
#include "core/model/climate_record.h"
#include "core/model/day_balance.h"
#include "core/model/model_constants.h"

namespace varmkalk::core {

// Kelvin from the design outdoor temperature up to the outdoor temperature of zero demand,
// 5 K below the indoor temperature (free gains); the demand line needs it above 0.
float demand_span(const BoilerCase& input, const DesignConditions& design);

// The building's heating demand at an outdoor temperature, W: the design demand at the design
// outdoor temperature, zero at 5 K below the indoor temperature, linear between and beyond.
float day_heat_demand(const BoilerCase& input, const DesignConditions& design, float outdoor_temp);

// One climate record through the model. Empty when the day needs no heating: outdoor
// temperature 14.95 °C or above, no heating demand, or free heat that covers the day. Throws
// ModelInputError, naming the day, when input beyond the model's range gives a value that is
// not a finite number.
std::optional<DayBalance> simulate_day(const BoilerCase& input, const ModelConstants& constants,
                                       const ClimateRecord& record);

}  // namespace varmkalk::core
