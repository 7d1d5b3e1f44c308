// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/house_day.h"

#include <cmath>

#include "core/model/model_input_error.h"

namespace varmkalk::core {
namespace {

// With one decimal in the climate files, 14.9 °C is a heating day and 15.0 °C is not.
constexpr float kHeatingLimit = 14.95f;
// Free gains cover the building's losses down to 5 K below the indoor temperature.
constexpr float kFreeGainKelvin = 5.0f;

}  // namespace

DesignConditions design_conditions(const House& house) {
  return {design_outdoor_temp_c(house.climate), house.design_supply_temp_c,
          house.design_return_temp_c};
}

float demand_span(const House& house, const DesignConditions& design) {
  return house.indoor_temp_c - kFreeGainKelvin - design.outdoor_temp_c;
}

float day_heat_demand(const House& house, const DesignConditions& design, float outdoor_temp) {
  return house.design_heat_demand_w - (outdoor_temp - design.outdoor_temp_c) *
                                          house.design_heat_demand_w / demand_span(house, design);
}

std::optional<HouseDay> house_day(const House& house, const DesignConditions& design,
                                  const ClimateRecord& record) {
  if (!(record.outdoor_temp < kHeatingLimit)) {
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

HeatingTemperatures no_load_heating(const House& house, const DesignConditions& design) {
  return heating_system_temperatures(0.0f, design.supply_temp_c, design.return_temp_c,
                                     house.indoor_temp_c);
}

}  // namespace varmkalk::core
