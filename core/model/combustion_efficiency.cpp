#include "core/model/combustion_efficiency.h"

#include "core/model/float_math.h"

namespace varmkalk::core {
namespace {

// Vapour pressure law p_s = 10^(A − B / (T + C)), bar and °C.
constexpr float vapour_a = 5.2501483f;
constexpr float vapour_b = 1759.8083f;
constexpr float vapour_c = 235.72633f;

constexpr float pascal_per_bar = 100000.0f;
constexpr float atmosphere_pa = 101325.0f;
constexpr float atmosphere_bar = 1.01325f;
constexpr float relative_humidity = 50.0f;  // per cent
constexpr float humidity_factor = 0.009667f;
constexpr float per_cent = 0.01f;

// The gas as a lumped fuel, per kJ of lower heating value (38988 kJ/m³n).
constexpr float gas_heating_value_kj = 38988.0f;
constexpr float gas_air = 10.373f;       // m³n of air per m³n of gas
constexpr float gas_nitrogen = 8.1073f;  // m³n of N2 per m³n of gas at λ = 1
constexpr float air_oxygen = 0.2094f;    // share of O2 in the excess air
constexpr float air_argon = 0.0093f;     // share of Ar in the air
constexpr float air_carbon_dioxide = 0.0003f;
constexpr float fuel_carbon_dioxide = 2.8683184e-5f;  // 1.1183 m³n / 38988 kJ
constexpr float fuel_water = 5.2257106e-5f;           // 2.0374 m³n / 38988 kJ

// Condensation: latent heat 2502 − 2.4 T kJ/kg, 0.833 kg of vapour per m³n.
constexpr float latent_heat_0 = 2502.0f;
constexpr float latent_heat_slope = 2.4f;
constexpr float vapour_density = 0.833f;

// Heat capacities J/(m³n·K) at 0 °C and at 200 °C.
constexpr float capacity_span = 200.0f;
constexpr float n2_0 = 1302.0f, n2_200 = 1315.0f;
constexpr float o2_0 = 1310.0f, o2_200 = 1373.0f;
constexpr float ar_0 = 926.0f, ar_200 = 926.0f;
constexpr float co2_0 = 1620.0f, co2_200 = 1972.0f;
constexpr float h2o_0 = 1491.0f, h2o_200 = 1553.0f;
constexpr float joule_per_kj = 1000.0f;

float dew_point_of(float vapour_pressure) {
  return vapour_b / (vapour_a - log10_f(vapour_pressure)) - vapour_c;
}

}  // namespace

float saturation_pressure(float temp) {
  const float from_pole = temp + vapour_c;
  // The law's limit from above its pole: no vapour at all, instead of an overflow below it.
  if (!(from_pole > 0.0f)) {
    return 0.0f;
  }
  return pow_f(10.0f, vapour_a - vapour_b / from_pole);
}

float combustion_air_humidity(float air_temp) {
  const float vapour_pa = saturation_pressure(air_temp) * pascal_per_bar;
  return humidity_factor * relative_humidity * vapour_pa /
         (atmosphere_pa - per_cent * relative_humidity * vapour_pa);
}

CombustionBalance combustion_balance(float air_ratio, float flue_gas_temp, float air_temp) {
  const float humidity = combustion_air_humidity(air_temp);
  const float air = air_ratio * gas_air / gas_heating_value_kj;

  const float n2 = air_ratio * gas_nitrogen / gas_heating_value_kj;
  const float o2 = (air_ratio - 1.0f) * air_oxygen * gas_air / gas_heating_value_kj;
  const float ar = air_argon * air;
  const float co2 = air_carbon_dioxide * air + fuel_carbon_dioxide;
  float h2o = humidity * air + fuel_water;
  float volume = n2 + o2 + ar + co2 + h2o;

  CombustionBalance balance;
  balance.dew_point = dew_point_of(h2o * atmosphere_bar / volume);

  // Below its dew point the gas keeps only the vapour that saturates it at its temperature.
  if (balance.dew_point > flue_gas_temp) {
    const float saturated = saturation_pressure(flue_gas_temp);
    const float h2o_left = (n2 + o2 + ar + co2) * saturated / (atmosphere_bar - saturated);
    volume = n2 + o2 + ar + co2 + h2o_left;
    const float mean_temp = (balance.dew_point + flue_gas_temp) / 2.0f;
    balance.condensation_gain =
        (h2o - h2o_left) * (latent_heat_0 - latent_heat_slope * mean_temp) * vapour_density;
    h2o = h2o_left;
  }

  const float y_n2 = n2 / volume;
  const float y_o2 = o2 / volume;
  const float y_ar = ar / volume;
  const float y_co2 = co2 / volume;
  const float y_h2o = h2o / volume;
  const float capacity_0 = y_n2 * n2_0 + y_o2 * o2_0 + y_ar * ar_0 + y_co2 * co2_0 + y_h2o * h2o_0;
  const float capacity_200 =
      y_n2 * n2_200 + y_o2 * o2_200 + y_ar * ar_200 + y_co2 * co2_200 + y_h2o * h2o_200;
  const float capacity = capacity_0 + (capacity_200 - capacity_0) * flue_gas_temp / capacity_span;

  balance.efficiency = 1.0f - (flue_gas_temp - air_temp) * volume * capacity / joule_per_kj +
                       balance.condensation_gain;
  return balance;
}

float combustion_efficiency(float air_ratio, float flue_gas_temp, float air_temp) {
  return combustion_balance(air_ratio, flue_gas_temp, air_temp).efficiency;
}

}  // namespace varmkalk::core
