// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/combustion_efficiency.h"

#include "core/model/float_math.h"

namespace varmkalk::core {
namespace {

// Vapour pressure law p_s = 10^(A − B / (T + C)), bar and °C.
constexpr float kVapourA = 5.2501483f;
constexpr float kVapourB = 1759.8083f;
constexpr float kVapourC = 235.72633f;

constexpr float kPascalPerBar = 100000.0f;
constexpr float kAtmospherePa = 101325.0f;
constexpr float kAtmosphereBar = 1.01325f;
constexpr float kRelativeHumidity = 50.0f;  // per cent
constexpr float kHumidityFactor = 0.009667f;
constexpr float kFractionPerPercent = 0.01f;

// The gas as a lumped fuel, per kJ of lower heating value (38988 kJ/m³n).
constexpr float kGasHeatingValueKj = 38988.0f;
constexpr float kGasAir = 10.373f;       // m³n of air per m³n of gas
constexpr float kGasNitrogen = 8.1073f;  // m³n of N2 per m³n of gas at λ = 1
constexpr float kAirOxygen = 0.2094f;    // share of O2 in the excess air
constexpr float kAirArgon = 0.0093f;     // share of Ar in the air
constexpr float kAirCarbonDioxide = 0.0003f;
constexpr float kFuelCarbonDioxide = 2.8683184e-5f;  // 1.1183 m³n / 38988 kJ
constexpr float kFuelWater = 5.2257106e-5f;          // 2.0374 m³n / 38988 kJ

// Condensation: latent heat 2502 − 2.4 T kJ/kg, 0.833 kg of vapour per m³n.
constexpr float kLatentHeat0 = 2502.0f;
constexpr float kLatentHeatSlope = 2.4f;
constexpr float kVapourDensity = 0.833f;

// Heat capacities J/(m³n·K) at 0 °C and at 200 °C.
constexpr float kCapacitySpan = 200.0f;
constexpr float kN2At0 = 1302.0f, kN2At200 = 1315.0f;
constexpr float kO2At0 = 1310.0f, kO2At200 = 1373.0f;
constexpr float kArAt0 = 926.0f, kArAt200 = 926.0f;
constexpr float kCo2At0 = 1620.0f, kCo2At200 = 1972.0f;
constexpr float kH2oAt0 = 1491.0f, kH2oAt200 = 1553.0f;
constexpr float kJoulePerKj = 1000.0f;

float dew_point_of(float vapour_pressure) {
  return kVapourB / (kVapourA - log10_f(vapour_pressure)) - kVapourC;
}

}  // namespace

float saturation_pressure(float temp) {
  const float from_pole = temp + kVapourC;
  // The law's limit from above its pole: no vapour at all, instead of an overflow below it.
  if (!(from_pole > 0.0f)) {
    return 0.0f;
  }
  return pow_f(10.0f, kVapourA - kVapourB / from_pole);
}

float combustion_air_humidity(float air_temp) {
  const float vapour_pa = saturation_pressure(air_temp) * kPascalPerBar;
  return kHumidityFactor * kRelativeHumidity * vapour_pa /
         (kAtmospherePa - kFractionPerPercent * kRelativeHumidity * vapour_pa);
}

CombustionBalance combustion_balance(float air_ratio, float flue_gas_temp, float air_temp) {
  const float humidity = combustion_air_humidity(air_temp);
  const float air = air_ratio * kGasAir / kGasHeatingValueKj;

  const float n2 = air_ratio * kGasNitrogen / kGasHeatingValueKj;
  const float o2 = (air_ratio - 1.0f) * kAirOxygen * kGasAir / kGasHeatingValueKj;
  const float ar = kAirArgon * air;
  const float co2 = kAirCarbonDioxide * air + kFuelCarbonDioxide;
  float h2o = humidity * air + kFuelWater;
  float volume = n2 + o2 + ar + co2 + h2o;

  CombustionBalance balance;
  balance.dew_point = dew_point_of(h2o * kAtmosphereBar / volume);

  // Below its dew point the gas keeps only the vapour that saturates it at its temperature.
  if (balance.dew_point > flue_gas_temp) {
    const float saturated = saturation_pressure(flue_gas_temp);
    const float h2o_left = (n2 + o2 + ar + co2) * saturated / (kAtmosphereBar - saturated);
    volume = n2 + o2 + ar + co2 + h2o_left;
    const float mean_temp = (balance.dew_point + flue_gas_temp) / 2.0f;
    balance.condensation_gain =
        (h2o - h2o_left) * (kLatentHeat0 - kLatentHeatSlope * mean_temp) * kVapourDensity;
    h2o = h2o_left;
  }

  const float y_n2 = n2 / volume;
  const float y_o2 = o2 / volume;
  const float y_ar = ar / volume;
  const float y_co2 = co2 / volume;
  const float y_h2o = h2o / volume;
  const float capacity_0 =
      y_n2 * kN2At0 + y_o2 * kO2At0 + y_ar * kArAt0 + y_co2 * kCo2At0 + y_h2o * kH2oAt0;
  const float capacity_200 =
      y_n2 * kN2At200 + y_o2 * kO2At200 + y_ar * kArAt200 + y_co2 * kCo2At200 + y_h2o * kH2oAt200;
  const float capacity = capacity_0 + (capacity_200 - capacity_0) * flue_gas_temp / kCapacitySpan;

  balance.efficiency = 1.0f - (flue_gas_temp - air_temp) * volume * capacity / kJoulePerKj +
                       balance.condensation_gain;
  return balance;
}

float combustion_efficiency(float air_ratio, float flue_gas_temp, float air_temp) {
  return combustion_balance(air_ratio, flue_gas_temp, air_temp).efficiency;
}

}  // namespace varmkalk::core
