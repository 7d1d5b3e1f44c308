// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace varmkalk::core {

// Volume fractions of the run's wet flue gas; they sum to 1.
struct FlueGasMix {
  double n2 = 0.0;
  double o2 = 0.0;
  double co2 = 0.0;
  double ar = 0.0;
  double h2o = 0.0;
};

// The natural gas burnt at one air ratio.
struct FlueGasComposition {
  float gas_heating_value = 0.0f;   // lower heating value, J/m³n
  float stoichiometric_air = 0.0f;  // A0, m³n of air per m³n of gas
  float flue_gas_volume = 0.0f;     // m³n of wet flue gas per m³n of gas
  FlueGasMix mix;
};

// The flue gas of the fixed (Danish) natural gas at the given air ratio.
FlueGasComposition flue_gas_composition(float air_ratio);

// Volumetric heat capacity of the flue gas at a temperature (°C), J/(m³n·K).
double flue_gas_heat_capacity(const FlueGasMix& mix, double temp);

// The temperature (°C) the gas's heating value gives its own flue gas, with the air at 0 °C.
// Empty when the flame lies outside 1000..2200 °C, where the search cannot end.
std::optional<double> adiabatic_flame_temperature(const FlueGasComposition& gas);

}  // namespace varmkalk::core
