#include "core/model/flue_gas.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace varmkalk::core {
namespace {

// Per m³n of each combustible component: lower heating value and stoichiometric air with the
// products of its stoichiometric combustion.
struct Component {
  float fraction;       // volume fraction in the gas
  float heating_value;  // MJ/m³n
  float air;            // m³n
  float n2;
  float co2;
  float ar;
  float h2o;
};

// Danish natural gas: methane, ethane, propane, butane, pentane.
constexpr std::array<Component, 5> components{{
    {0.911f, 35.882f, 9.6712f, 7.4691f, 0.9978f, 0.089f, 2.042f},
    {0.047f, 64.353f, 17.056f, 13.1723f, 2.0104f, 0.1569f, 3.1138f},
    {0.017f, 93.207f, 24.6519f, 19.0387f, 3.0507f, 0.2268f, 4.2188f},
    {0.014f, 122.565f, 32.521f, 25.116f, 4.1275f, 0.2992f, 5.3653f},
    {0.0f, 152.798f, 41.0251f, 31.6837f, 5.2879f, 0.3774f, 6.6106f},
}};
// The inert parts of the gas pass straight into the flue gas.
constexpr float gas_nitrogen = 0.006f;
constexpr float gas_carbon_dioxide = 0.005f;

// Composition of the excess air.
constexpr float air_n2 = 0.7723f;
constexpr float air_o2 = 0.2071f;
constexpr float air_co2 = 0.0003f;
constexpr float air_ar = 0.0093f;
constexpr float air_h2o = 0.011f;

constexpr float mega = 1000000.0f;

// Heat capacities in kJ/(m³n·K) at the breakpoints; argon is the same at every temperature.
constexpr std::size_t breakpoint_count = 8;
using Column = std::array<double, breakpoint_count>;
constexpr Column breakpoints{0.0, 500.0, 1000.0, 1200.0, 1400.0, 1600.0, 1800.0, 2000.0};
constexpr Column capacity_n2{1.302, 1.331, 1.398, 1.424, 1.440, 1.461, 1.478, 1.491};
constexpr Column capacity_o2{1.319, 1.398, 1.482, 1.503, 1.524, 1.541, 1.557, 1.574};
constexpr Column capacity_co2{1.620, 2.018, 2.232, 2.290, 2.336, 2.378, 2.412, 2.441};
constexpr Column capacity_h2o{1.503, 1.587, 1.717, 1.767, 1.817, 1.863, 1.905, 1.947};
constexpr double capacity_ar = 0.926;
constexpr double kilo = 1000.0;

// Bisection of the flame temperature.
constexpr double flame_first_trial = 1500.0;
constexpr float flame_lowest = 1000.0f;
constexpr float flame_highest = 2200.0f;
constexpr double flame_tolerance = 1.0;
// The 32-bit bracket collapses within about 30 rounds; a search still open by then never ends.
constexpr int flame_max_rounds = 200;

// Segment of the table that holds a temperature: below 500 the first one (extrapolating below
// 0 °C), from 1800 up the last one (extrapolating above 2000 °C); a breakpoint belongs to the
// segment above it.
std::size_t segment_of(double temp) {
  std::size_t segment = 0;
  while (segment + 2 < breakpoint_count && temp >= breakpoints[segment + 1]) {
    ++segment;
  }
  return segment;
}

double interpolate(const Column& column, std::size_t segment, double temp) {
  const double t_lo = breakpoints[segment];
  const double t_hi = breakpoints[segment + 1];
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
  for (const Component& c : components) {
    heating_value += c.fraction * c.heating_value * mega;
    stoichiometric_air += c.fraction * c.air;
    n2 += c.fraction * c.n2;
    co2 += c.fraction * c.co2;
    ar += c.fraction * c.ar;
    h2o += c.fraction * c.h2o;
  }
  n2 += gas_nitrogen;
  double o2 = 0.0;
  co2 += gas_carbon_dioxide;

  const float excess_air = (air_ratio - 1.0f) * stoichiometric_air;
  n2 += excess_air * air_n2;
  o2 += excess_air * air_o2;
  co2 += excess_air * air_co2;
  ar += excess_air * air_ar;
  h2o += excess_air * air_h2o;

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
  return (mix.n2 * interpolate(capacity_n2, segment, temp) +
          mix.o2 * interpolate(capacity_o2, segment, temp) +
          mix.co2 * interpolate(capacity_co2, segment, temp) + mix.ar * capacity_ar +
          mix.h2o * interpolate(capacity_h2o, segment, temp)) *
         kilo;
}

std::optional<double> adiabatic_flame_temperature(const FlueGasComposition& gas) {
  double temp = flame_first_trial;
  float lowest = flame_lowest;
  float highest = flame_highest;
  for (int round = 0; round < flame_max_rounds; ++round) {
    const double capacity = flue_gas_heat_capacity(gas.mix, temp);
    const float heated_to =
        static_cast<float>(gas.gas_heating_value / (gas.flue_gas_volume * capacity));
    if (std::abs(temp - heated_to) <= flame_tolerance) {
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
