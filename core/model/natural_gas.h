// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace varmkalk::core {

// Per m³n of each combustible component of the gas: its share, lower heating value, the
// stoichiometric air with the products of its combustion in that air, and the atoms of its
// molecule (CₙH₂ₙ₊₂).
struct GasComponent {
  float fraction;       // volume fraction in the gas
  float heating_value;  // MJ/m³n
  float air;            // m³n
  float n2;
  float co2;
  float ar;
  float h2o;
  int carbon_atoms;
  int hydrogen_atoms;
};

// The model's fuel, Danish natural gas: methane, ethane, propane, butane, pentane.
inline constexpr std::array<GasComponent, 5> kGasComponents{{
    {0.911f, 35.882f, 9.6712f, 7.4691f, 0.9978f, 0.089f, 2.042f, 1, 4},
    {0.047f, 64.353f, 17.056f, 13.1723f, 2.0104f, 0.1569f, 3.1138f, 2, 6},
    {0.017f, 93.207f, 24.6519f, 19.0387f, 3.0507f, 0.2268f, 4.2188f, 3, 8},
    {0.014f, 122.565f, 32.521f, 25.116f, 4.1275f, 0.2992f, 5.3653f, 4, 10},
    {0.0f, 152.798f, 41.0251f, 31.6837f, 5.2879f, 0.3774f, 6.6106f, 5, 12},
}};
// The inert parts of the gas pass straight into the flue gas.
inline constexpr float kGasInertNitrogen = 0.006f;
inline constexpr float kGasInertCarbonDioxide = 0.005f;

}  // namespace varmkalk::core
