#pragma once

#include "run_parameters.h"

namespace kalvex::test {

// The worked day of the daily balance: design outdoor temperature −14 °C, indoor 20 °C,
// 8000 W design demand, 55/45 system, lowest boiler return 35 °C, 15 kW single-stage burner at
// air ratio 1.2, case 1: 60 °C flue gas at 30 °C return, case 2: 80 °C at 60 °C, C = 1,
// C1 = 1, C2 = 1.25, no pilot flame, 45 W heater loss, 5000 kWh hot water a year, a 60 W pump
// at 25 %.
inline RunParameters worked_example() {
  RunParameters run;
  run.convection_constant = 1.0f;
  run.standby_constant = 1.0f;
  run.standby_exponent = 1.25f;
  run.burner_max_power = 15000.0f;
  run.burner_min_power = 15000.0f;
  run.air_ratio = 1.2f;
  run.pilot_power = 0.0f;
  run.flue_gas_temp_1 = 60.0f;
  run.supply_temp_1 = 35.0f;
  run.return_temp_1 = 30.0f;
  run.flue_gas_temp_2 = 80.0f;
  run.supply_temp_2 = 70.0f;
  run.return_temp_2 = 60.0f;
  run.pump_power = 60.0f;
  run.pump_efficiency = 25.0f;
  run.design_heat_demand = 8000.0f;
  run.indoor_temp = 20.0f;
  run.min_return_temp = 35.0f;
  run.hot_water_demand = 5000.0f;
  run.heater_loss = 45.0f;
  run.design_outdoor_temp = -14.0f;
  run.design_supply_temp = 55.0f;
  run.design_return_temp = 45.0f;
  return run;
}

// The same boiler with a burner that modulates from 4000 W up to its 15000 W.
inline RunParameters modulating_example() {
  RunParameters run = worked_example();
  run.burner_min_power = 4000.0f;
  return run;
}

}  // namespace kalvex::test
