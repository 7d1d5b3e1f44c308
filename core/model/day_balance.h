// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace varmkalk::core {

// One of the two ways of balancing a day: with the circulation pump's heat credited as a free
// gain, or without it.
struct VariantBalance {
  float run_time = 0.0f;        // τ, fraction of the day the burner runs
  float day_efficiency = 0.0f;  // η, fraction
  // Heat the boiler could not deliver even running all day, W (0 when the demand is met).
  float shortfall = 0.0f;
};

// The result of one heating day.
struct DayBalance {
  int day_number = 0;
  float outdoor_temp = 0.0f;     // °C
  float supply_temp = 0.0f;      // °C, heating system
  float return_temp = 0.0f;      // °C, heating system (not raised to the boiler's minimum)
  float heat_demand = 0.0f;      // W, building
  float hot_water_load = 0.0f;   // W, the run's constant hot-water load
  float convection_loss = 0.0f;  // W, all day
  float standby_loss = 0.0f;     // W, as a full-time power
  float flue_gas_temp = 0.0f;    // °C
  float combustion_eff = 0.0f;   // fraction
  float burner_power = 0.0f;     // W, heat input while the burner runs
  float flue_gas_loss = 0.0f;    // W, while the burner runs
  float pilot_power = 0.0f;      // W, the pilot flame's fuel while the burner is off
  VariantBalance with_pump;
  VariantBalance without_pump;
};

// The boiler fell short of the day's demand in either balance.
inline bool unmet(const DayBalance& day) {
  return day.with_pump.shortfall > 0.0f || day.without_pump.shortfall > 0.0f;
}

}  // namespace varmkalk::core
