// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/house.h"
#include "core/model/flue_gas.h"

namespace varmkalk::core {

// Where the building needs its design heat demand and how its radiators are dimensioned: from
// the case's climate and heating system.
struct DesignConditions {
  float outdoor_temp_c = 0.0f;
  float supply_temp_c = 0.0f;
  float return_temp_c = 0.0f;
};

// The model's values for the whole run, computed once before the first day.
struct ModelConstants {
  House house;
  DesignConditions design;
  float gas_heating_value = 0.0f;  // lower heating value, J/m³n
  float flue_gas_volume = 0.0f;    // m³n of wet flue gas per m³n of gas
  FlueGasMix flue_gas_mix;
  double flame_temp = 0.0;      // °C
  double boiler_ntu = 0.0;      // transfer units at maximum power; 0 when a single-stage burner
                                // has no valid case 2 for it (it never uses it)
  float hot_water_load = 0.0f;  // Q_vv, W
  float pump_heat = 0.0f;       // P_cp, W
};

}  // namespace varmkalk::core
