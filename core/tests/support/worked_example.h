// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"
#include "core/model/model_constants.h"
#include "core/model/start_model.h"

namespace varmkalk::testing {

// The worked day of the daily balance: design outdoor temperature −14 °C (Malmö), indoor 20 °C,
// 8000 W design demand, 55/45 system, lowest boiler return 35 °C, 15 kW single-stage burner at
// air ratio 1.2, case 1: 60 °C flue gas at 30 °C return, case 2: 80 °C at 60 °C, C = 1,
// C1 = 1, C2 = 1.25, no pilot flame, 45 W heater loss, 5000 kWh hot water a year, a 60 W pump
// at 25 %.
inline core::BoilerCase worked_example() {
  core::BoilerCase input;
  input.losses = {1.0f, 1.0f, 1.25f};
  input.burner = core::Burner::single_stage(15000.0f);
  input.combustion = {1.2f, 0.0f};
  input.flue_gas.low_temp = {60.0f, 35.0f, 30.0f};
  input.flue_gas.high_temp = {80.0f, 70.0f, 60.0f};
  input.pump = {60.0f, 25.0f};
  input.building = {8000.0f, 20.0f, 35.0f};
  input.hot_water = {5000.0f, 45.0f};
  input.climate = core::Place::malmo;
  input.heating_system = core::design_temperatures(core::HeatingSystem::radiators_55_45);
  return input;
}

// Its design conditions: Malmö and the 55/45 °C system.
inline core::DesignConditions worked_design() {
  return core::design_conditions(worked_example());
}

// The same boiler with a burner that modulates from 4000 W up to its 15000 W.
inline core::BoilerCase modulating_example() {
  core::BoilerCase input = worked_example();
  input.burner = core::Burner(15000.0f, 4000.0f);
  return input;
}

}  // namespace varmkalk::testing
