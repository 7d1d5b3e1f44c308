// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "core/case/house.h"
#include "core/model/climate_record.h"
#include "core/model/heating_system.h"
#include "core/model/model_constants.h"

namespace varmkalk::core {

// The design conditions of the house's climate and heating system.
DesignConditions design_conditions(const House& house);

// Kelvin from the design outdoor temperature up to the outdoor temperature of zero demand,
// 5 K below the indoor temperature (free gains); the demand line needs it above 0.
float demand_span(const House& house, const DesignConditions& design);

// The house's space-heating demand at an outdoor temperature, W: the design demand at the design
// outdoor temperature, zero at 5 K below the indoor temperature, linear between and beyond.
float day_heat_demand(const House& house, const DesignConditions& design, float outdoor_temp);

// What the house asks of any heat generator on a heating day.
struct HouseDay {
  float heat_demand = 0.0f;    // space heating, W
  float relative_load = 0.0f;  // of the design demand
  HeatingTemperatures heating;
};

// One climate record for the house. Empty when the day needs no heating: outdoor temperature
// 14.95 °C or above, or no heating demand. Throws ModelInputError, naming the day, for a demand
// that is not a finite number.
std::optional<HouseDay> house_day(const House& house, const DesignConditions& design,
                                  const ClimateRecord& record);

// The heating system on a day without heat demand: at no load the radiator formula gives the
// radiators the temperature of the room it works from, on supply and return alike.
HeatingTemperatures no_load_heating(const House& house, const DesignConditions& design);

}  // namespace varmkalk::core
