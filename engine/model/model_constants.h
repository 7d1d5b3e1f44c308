#pragma once

#include "flue_gas.h"

namespace kalvex {

// The model's values for the whole run, computed once before the first day.
struct ModelConstants {
  float gas_heating_value = 0.0f;  // lower heating value, J/m³n
  float flue_gas_volume = 0.0f;    // m³n of wet flue gas per m³n of gas
  FlueGasMix flue_gas_mix;
  double flame_temp = 0.0;      // °C
  double boiler_ntu = 0.0;      // transfer units at maximum power; 0 when a single-stage burner
                                // has no valid case 2 for it (it never uses it)
  float hot_water_load = 0.0f;  // Q_vv, W
  float pump_heat = 0.0f;       // P_cp, W
};

}  // namespace kalvex
