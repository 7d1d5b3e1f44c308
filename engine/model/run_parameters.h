#pragma once

#include "fixed_text.h"

namespace kalvex {

using CodeText = FixedText<20>;
using CalcId = FixedText<4>;
using FileNameText = FixedText<20>;

// Everything one run needs: the 23 values of the control file, in file order, and the values
// chosen at start from them. Filled once before the first day and never changed afterwards.
struct RunParameters {
  float convection_constant = 0.0f;  // C, W/K^1.3
  float standby_constant = 0.0f;     // C1, W/K^C2
  float standby_exponent = 0.0f;     // C2
  float burner_max_power = 0.0f;     // W
  float burner_min_power = 0.0f;     // W; below the maximum makes the burner modulating
  float air_ratio = 0.0f;            // 1.20 = 20 % excess air
  float pilot_power = 0.0f;          // W; exactly 0 = no pilot flame
  float flue_gas_temp_1 = 0.0f;      // °C, case 1 (low temperature)
  float supply_temp_1 = 0.0f;        // °C
  float return_temp_1 = 0.0f;        // °C
  float flue_gas_temp_2 = 0.0f;      // °C, case 2 (high temperature)
  float supply_temp_2 = 0.0f;        // °C
  float return_temp_2 = 0.0f;        // °C
  float pump_power = 0.0f;           // W, electric
  float pump_efficiency = 0.0f;      // %, share of the pump power that heats the water
  float design_heat_demand = 0.0f;   // W at the design outdoor temperature
  CodeText climate_code;
  CodeText heating_system_code;
  float indoor_temp = 0.0f;       // °C
  float min_return_temp = 0.0f;   // °C, lowest permitted boiler return temperature
  float hot_water_demand = 0.0f;  // kWh per year
  float heater_loss = 0.0f;       // W, standing loss of the hot-water heater
  CalcId calc_id;

  // Chosen at start.
  float design_outdoor_temp = 0.0f;  // °C, from the climate
  float design_supply_temp = 0.0f;   // °C, 80 or 55
  float design_return_temp = 0.0f;   // °C, 60 or 45
  FileNameText raw_file_name;
  FileNameText summary_file_name;
  FileNameText pump_file_name;
};

}  // namespace kalvex
