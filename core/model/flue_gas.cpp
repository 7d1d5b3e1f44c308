// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/flue_gas.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "core/model/natural_gas.h"

namespace varmkalk::core {
namespace {

// Composition of the excess air.
constexpr float kAirN2 = 0.7723f;
constexpr float kAirO2 = 0.2071f;
constexpr float kAirCo2 = 0.0003f;
constexpr float kAirAr = 0.0093f;
constexpr float kAirH2o = 0.011f;

constexpr float kMega = 1000000.0f;

// Heat capacities in kJ/(m³n·K) at the breakpoints; argon is the same at every temperature.
constexpr std::size_t kBreakpointCount = 8;
using Column = std::array<double, kBreakpointCount>;
constexpr Column kBreakpoints{0.0, 500.0, 1000.0, 1200.0, 1400.0, 1600.0, 1800.0, 2000.0};
constexpr Column kCapacityN2{1.302, 1.331, 1.398, 1.424, 1.440, 1.461, 1.478, 1.491};
constexpr Column kCapacityO2{1.319, 1.398, 1.482, 1.503, 1.524, 1.541, 1.557, 1.574};
constexpr Column kCapacityCo2{1.620, 2.018, 2.232, 2.290, 2.336, 2.378, 2.412, 2.441};
constexpr Column kCapacityH2o{1.503, 1.587, 1.717, 1.767, 1.817, 1.863, 1.905, 1.947};
constexpr double kCapacityAr = 0.926;
constexpr double kilo = 1000.0;

// Bisection of the flame temperature.
constexpr double kFlameFirstTrial = 1500.0;
constexpr float kFlameLowest = 1000.0f;
constexpr float kFlameHighest = 2200.0f;
constexpr double kFlameTolerance = 1.0;
// The 32-bit bracket collapses within about 30 rounds; a search still open by then never ends.
constexpr int kFlameMaxRounds = 200;

// Segment of the table that holds a temperature: below 500 the first one (extrapolating below
// 0 °C), from 1800 up the last one (extrapolating above 2000 °C); a breakpoint belongs to the
// segment above it.
std::size_t segment_of(double temp) {
  std::size_t segment = 0;
  while (segment + 2 < kBreakpointCount && temp >= kBreakpoints[segment + 1]) {
    ++segment;
  }
  return segment;
}

double interpolate(const Column& column, std::size_t segment, double temp) {
  const double t_lo = kBreakpoints[segment];
  const double t_hi = kBreakpoints[segment + 1];
  return column[segment] + (column[segment + 1] - column[segment]) * (temp - t_lo) / (t_hi - t_lo);
}

}  // namespace

FlueGasComposition flue_gas_composition(float air_ratio) {
  float heating_value = 0.0f;
  float stoichiometric_air = 0.0f;
  double n2 = 0.0;
  double co2 = 0.0;
  double ar = 0.0;
  double h2o = 0.0;
  for (const GasComponent& c : kGasComponents) {
    heating_value += c.fraction * c.heating_value * kMega;
    stoichiometric_air += c.fraction * c.air;
    n2 += c.fraction * c.n2;
    co2 += c.fraction * c.co2;
    ar += c.fraction * c.ar;
    h2o += c.fraction * c.h2o;
  }
  n2 += kGasInertNitrogen;
  double o2 = 0.0;
  co2 += kGasInertCarbonDioxide;

  const float excess_air = (air_ratio - 1.0f) * stoichiometric_air;
  n2 += excess_air * kAirN2;
  o2 += excess_air * kAirO2;
  co2 += excess_air * kAirCo2;
  ar += excess_air * kAirAr;
  h2o += excess_air * kAirH2o;

  const double volume = n2 + o2 + co2 + ar + h2o;
  FlueGasComposition gas;
  gas.gas_heating_value = heating_value;
  gas.stoichiometric_air = stoichiometric_air;
  gas.flue_gas_volume = static_cast<float>(volume);
  gas.mix = FlueGasMix{n2 / volume, o2 / volume, co2 / volume, ar / volume, h2o / volume};
  return gas;
}

double flue_gas_heat_capacity(const FlueGasMix& mix, double temp) {
  const std::size_t segment = segment_of(temp);
  return (mix.n2 * interpolate(kCapacityN2, segment, temp) +
          mix.o2 * interpolate(kCapacityO2, segment, temp) +
          mix.co2 * interpolate(kCapacityCo2, segment, temp) + mix.ar * kCapacityAr +
          mix.h2o * interpolate(kCapacityH2o, segment, temp)) *
         kilo;
}

std::optional<double> adiabatic_flame_temperature(const FlueGasComposition& gas) {
  double temp = kFlameFirstTrial;
  float lowest = kFlameLowest;
  float highest = kFlameHighest;
  for (int round = 0; round < kFlameMaxRounds; ++round) {
    const double capacity = flue_gas_heat_capacity(gas.mix, temp);
    const float heated_to =
        static_cast<float>(gas.gas_heating_value / (gas.flue_gas_volume * capacity));
    if (std::abs(temp - heated_to) <= kFlameTolerance) {
      return temp;
    }
    if (temp < heated_to) {
      lowest = static_cast<float>(temp);
    } else {
      highest = static_cast<float>(temp);
    }
    temp = (lowest + highest) / 2.0f;
  }
  return std::nullopt;
}

}  // namespace varmkalk::core
