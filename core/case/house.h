// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/climate_choice.h"

namespace varmkalk::core {

struct HotWater {
  float annual_demand_kwh = 0.0f;
  float heater_loss_w = 0.0f;  // standing loss of the hot-water heater

  friend bool operator==(const HotWater&, const HotWater&) = default;
};

// The house the heat is for, whatever makes it: what it needs at the design outdoor temperature,
// the temperatures its heating system is dimensioned for, its hot water and its climate.
struct House {
  float design_heat_demand_w = 0.0f;  // at the climate's design outdoor temperature
  float indoor_temp_c = 20.0f;
  float design_supply_temp_c = 0.0f;
  float design_return_temp_c = 0.0f;
  HotWater hot_water;
  ClimateChoice climate = Place::kiruna;

  friend bool operator==(const House&, const House&) = default;
};

}  // namespace varmkalk::core
