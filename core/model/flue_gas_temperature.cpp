// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/flue_gas_temperature.h"

#include <cmath>

#include "core/model/float_math.h"

namespace varmkalk::core {
namespace {

// Exponent of the power factor (P_mid / P_max) on the transfer units.
constexpr float kPowerFactorExponent = -0.2f;

float single_stage_flue_gas_temperature(const BoilerCase& input, float heating_return_temp) {
  // Equal return temperatures are valid only with equal flue-gas temperatures (a boiler held
  // at constant temperature); the run's start refuses the other case.
  if (input.flue_gas.high_temp.return_temp_c == input.flue_gas.low_temp.return_temp_c) {
    return input.flue_gas.low_temp.flue_gas_temp_c;
  }
  return input.flue_gas.low_temp.flue_gas_temp_c +
         (input.flue_gas.high_temp.flue_gas_temp_c - input.flue_gas.low_temp.flue_gas_temp_c) *
             (heating_return_temp - input.flue_gas.low_temp.return_temp_c) /
             (input.flue_gas.high_temp.return_temp_c - input.flue_gas.low_temp.return_temp_c);
}

float modulating_flue_gas_temperature(const BoilerCase& input, double flame_temp, double ntu,
                                      float boiler_return_temp) {
  const float power_factor =
      pow_f(input.burner.mean_power_w() / input.burner.max_power_w(), kPowerFactorExponent);
  return static_cast<float>(boiler_return_temp +
                            (flame_temp - boiler_return_temp) * std::exp(-ntu * power_factor));
}

}  // namespace

double boiler_ntu(double flame_temp, float flue_gas_temp_2, float return_temp_2) {
  return std::log((flame_temp - return_temp_2) / (flue_gas_temp_2 - return_temp_2));
}

float day_flue_gas_temperature(const BoilerCase& input, double flame_temp, double ntu,
                               float heating_return_temp, float boiler_return_temp) {
  if (input.burner.is_modulating()) {
    return modulating_flue_gas_temperature(input, flame_temp, ntu, boiler_return_temp);
  }
  return single_stage_flue_gas_temperature(input, heating_return_temp);
}

}  // namespace varmkalk::core
