// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <optional>

#include "core/case/house.h"
#include "core/model/climate_record.h"
#include "core/model/heating_system.h"
#include "core/model/model_constants.h"
#include "core/model/model_input_error.h"

namespace varmkalk::core {

// The design conditions of the house's climate and heating system.
DesignConditions design_conditions(const House& house);

// With one decimal in the climate files, 14.9 °C is a heating day and 15.0 °C is not.
inline constexpr float kHeatingLimitC = 14.95f;
// Free gains cover the building's losses down to 5 K below the indoor temperature.
inline constexpr float kFreeGainKelvin = 5.0f;

// Kelvin from the design outdoor temperature up to the outdoor temperature of zero demand,
// 5 K below the indoor temperature (free gains); the demand line needs it above 0.
inline float demand_span(const House& house, const DesignConditions& design) {
  return house.indoor_temp_c - kFreeGainKelvin - design.outdoor_temp_c;
}

// The house's space-heating demand at an outdoor temperature, W: the design demand at the design
// outdoor temperature, zero at 5 K below the indoor temperature, linear between and beyond.
inline float day_heat_demand(const House& house, const DesignConditions& design,
                             float outdoor_temp) {
  return house.design_heat_demand_w - (outdoor_temp - design.outdoor_temp_c) *
                                          house.design_heat_demand_w / demand_span(house, design);
}

// What the house asks of any heat generator on a heating day.
struct HouseDay {
  float heat_demand = 0.0f;    // space heating, W
  float relative_load = 0.0f;  // of the design demand
  HeatingTemperatures heating;
};

// One climate record for the house. Empty when the day needs no heating: outdoor temperature
// 14.95 °C or above, or no heating demand. Throws ModelInputError, naming the day, for a demand
// that is not a finite number. In the header, since every generator asks it of every day.
inline std::optional<HouseDay> house_day(const House& house, const DesignConditions& design,
                                         const ClimateRecord& record) {
  if (!(record.outdoor_temp < kHeatingLimitC)) {
    return std::nullopt;
  }
  const float heat_demand = day_heat_demand(house, design, record.outdoor_temp);
  // A demand beyond the range of 32-bit numbers would otherwise read as no demand at all.
  if (std::isnan(heat_demand) || std::isinf(heat_demand)) {
    throw day_not_finite(record.day_number, record.outdoor_temp);
  }
  // Below an indoor temperature of 19.95 °C a day under the heating limit can be warmer than
  // the point of zero demand; it needs no heat, and the radiator formula needs a load above 0.
  if (!(heat_demand > 0.0f)) {
    return std::nullopt;
  }
  HouseDay day;
  day.heat_demand = heat_demand;
  day.relative_load = heat_demand / house.design_heat_demand_w;
  day.heating = heating_system_temperatures(day.relative_load, design.supply_temp_c,
                                            design.return_temp_c, house.indoor_temp_c);
  return day;
}

// The heating system on a day without heat demand: at no load the radiator formula gives the
// radiators the temperature of the room it works from, on supply and return alike.
HeatingTemperatures no_load_heating(const House& house, const DesignConditions& design);

}  // namespace varmkalk::core
