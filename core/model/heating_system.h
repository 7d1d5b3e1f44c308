// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace varmkalk::core {

// The radiator system's temperatures of one day, °C.
struct HeatingTemperatures {
  float supply_temp = 0.0f;
  float return_temp = 0.0f;
};

// Supply and return of a radiator system (exponent 1.3, constant flow) at a relative load ≥ 0; at
// no load both stand at the reference room temperature of the supply formula.
HeatingTemperatures heating_system_temperatures(float relative_load, float design_supply_temp,
                                                float design_return_temp, float indoor_temp);

// The boiler's water temperatures of one day, °C.
struct BoilerTemperatures {
  float boiler_return_temp = 0.0f;  // never below the lowest permitted return temperature
  float boiler_mean_temp = 0.0f;    // drives the standing losses
};

BoilerTemperatures boiler_temperatures(float supply_temp, float return_temp, float min_return_temp);

}  // namespace varmkalk::core
