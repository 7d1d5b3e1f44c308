// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/burner.h"
#include "core/case/calc_identity.h"
#include "core/case/climate_choice.h"
#include "core/case/heating_systems.h"
#include "core/case/house.h"

namespace varmkalk::core {

struct Combustion {
  float air_ratio = 1.0f;      // 1.20 = 20 % excess air
  float pilot_power_w = 0.0f;  // exactly 0: no pilot flame

  friend bool operator==(const Combustion&, const Combustion&) = default;
};

// A measured operating point of the boiler: its flue-gas temperature at a supply and return
// temperature of the water.
struct FlueGasPoint {
  float flue_gas_temp_c = 0.0f;
  float supply_temp_c = 0.0f;
  float return_temp_c = 0.0f;

  friend bool operator==(const FlueGasPoint&, const FlueGasPoint&) = default;
};

struct FlueGasPoints {
  FlueGasPoint low_temp;   // case 1
  FlueGasPoint high_temp;  // case 2, also the point the boiler's heat transfer is fitted to

  friend bool operator==(const FlueGasPoints&, const FlueGasPoints&) = default;
};

// The boiler body's losses to its room: convection C·ΔT^1.3 all day, standby C1·ΔT^C2 while the
// burner is off, ΔT the boiler's mean temperature above the room's.
struct StandingLosses {
  float convection_constant = 0.0f;  // C, W/K^1.3
  float standby_constant = 0.0f;     // C1, W/K^C2
  float standby_exponent = 0.0f;     // C2

  friend bool operator==(const StandingLosses&, const StandingLosses&) = default;
};

struct Building {
  float design_heat_demand_w = 0.0f;  // at the climate's design outdoor temperature
  float indoor_temp_c = 20.0f;
  float min_return_temp_c = 0.0f;  // the lowest return temperature the boiler permits

  friend bool operator==(const Building&, const Building&) = default;
};

struct CirculationPump {
  float power_w = 0.0f;             // electric
  float heat_share_percent = 0.0f;  // of the electric power that ends up as heat in the water

  friend bool operator==(const CirculationPump&, const CirculationPump&) = default;
};

// One calculation: everything the control file carries, as typed values.
struct BoilerCase {
  Burner burner;
  Combustion combustion;
  FlueGasPoints flue_gas;
  StandingLosses losses;
  DesignTemperatures heating_system;
  Building building;
  CirculationPump pump;
  HotWater hot_water;
  ClimateChoice climate = Place::kiruna;
  CalcIdentity identity;

  friend bool operator==(const BoilerCase&, const BoilerCase&) = default;
};

// The house the boiler heats: its building, heating system, hot water and climate.
House house_of(const BoilerCase& input);

}  // namespace varmkalk::core
