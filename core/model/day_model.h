// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "core/case/boiler_case.h"
#include "core/model/climate_record.h"
#include "core/model/day_balance.h"
#include "core/model/model_constants.h"

namespace varmkalk::core {

// One climate record through the model: the house's day (house_day), then the boiler's. Empty
// when the house needs no heating that day or the boiler's free heat covers it. Throws
// ModelInputError, naming the day, when input beyond the model's range gives a value that is
// not a finite number.
std::optional<DayBalance> simulate_day(const BoilerCase& input, const ModelConstants& constants,
                                       const ClimateRecord& record);

// A day on which the house needs no heat: the radiators cold at supply = return = 20 °C, the
// pump standing still, and the burner keeping up the hot water, the heater's loss and the
// boiler's own losses at its lowest return temperature. It does not depend on the outdoor
// temperature, so one such day stands for every day the model passes over.
struct ZeroLoadDay {
  float boiler_mean_temp = 0.0f;  // °C
  float convection_loss = 0.0f;   // W, all day
  float standby_loss = 0.0f;      // W, as a full-time power
  float burner_power = 0.0f;      // W, while the burner runs
  float run_time = 0.0f;          // τ; 0 when free heat covers the day, 1 when it falls short
  float burner_fuel_wh = 0.0f;    // P_b·τ·24 h
  float pilot_fuel_wh = 0.0f;  // P_pilot·(1 − τ)·24 h, the pilot flame while the burner is off
};

// The day without heat demand of a case through the model's own balance: demand the hot-water
// load, no pump heat. Throws ModelInputError when input beyond the model's range gives a value
// that is not a finite number.
ZeroLoadDay zero_load_day(const BoilerCase& input, const ModelConstants& constants);

}  // namespace varmkalk::core
