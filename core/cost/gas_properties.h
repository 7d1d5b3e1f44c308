// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/natural_gas.h"

namespace varmkalk::core {

// An ideal gas at 0 °C and 1.01325 bar: 22.414 litres per mole.
inline constexpr double kMolesPerNormalM3 = 1000.0 / 22.414;
// The heat that condensing a mole of water vapour gives at 15 °C, the combustion reference of
// the gas trade's tables (2466 kJ/kg at 18.015 g/mol).
inline constexpr double kCondensationMjPerMole = 44.42e-3;
inline constexpr double kCo2KgPerMole = 44.01e-3;
inline constexpr double kMjPerKwh = 3.6;

// What the model's gas is worth on a gas bill's terms, from its composition: a bill counts the
// upper heating value, the heat of the fuel with the water of its flue gas condensed, while the
// model counts the lower one. Per normal m³ (0 °C, 1.01325 bar).
struct GasProperties {
  double lower_heating_value_mj_per_m3 = 0.0;
  double upper_heating_value_mj_per_m3 = 0.0;
  double co2_kg_per_m3 = 0.0;  // the carbon of the gas burnt, and its own CO2

  constexpr double upper_to_lower_ratio() const {
    return upper_heating_value_mj_per_m3 / lower_heating_value_mj_per_m3;
  }
  constexpr double upper_kwh_per_m3() const { return upper_heating_value_mj_per_m3 / kMjPerKwh; }
  constexpr double co2_kg_per_upper_kwh() const { return co2_kg_per_m3 / upper_kwh_per_m3(); }
  constexpr double co2_kg_per_lower_kwh() const {
    return co2_kg_per_m3 / (lower_heating_value_mj_per_m3 / kMjPerKwh);
  }
};

// The model's gas: about 39.0 MJ lower and 43.2 MJ upper per m³n, a ratio of about 1.107, and
// about 0.183 kg of CO2 per kWh of upper heating value. Each molecule CₙH₂ₙ₊₂ burns to n CO2 and
// n + 1 H2O; the upper heating value adds to the lower the heat of condensing that water, and
// the gas's own CO2 passes through and counts with the rest.
constexpr GasProperties model_gas_properties() {
  double lower_mj = 0.0;
  double water_moles = 0.0;
  double carbon_moles = double(kGasInertCarbonDioxide) * kMolesPerNormalM3;
  for (const GasComponent& c : kGasComponents) {
    lower_mj += double(c.fraction) * double(c.heating_value);
    water_moles += double(c.fraction) * kMolesPerNormalM3 * c.hydrogen_atoms / 2.0;
    carbon_moles += double(c.fraction) * kMolesPerNormalM3 * c.carbon_atoms;
  }
  return {lower_mj, lower_mj + water_moles * kCondensationMjPerMole, carbon_moles * kCo2KgPerMole};
}

}  // namespace varmkalk::core
