#include "flue_gas_temperature.h"

#include <cmath>

#include "burner.h"
#include "float_math.h"

namespace kalvex {
namespace {

// Exponent of the power factor (P_mid / P_max) on the transfer units.
constexpr float power_factor_exponent = -0.2f;

float single_stage_flue_gas_temperature(const RunParameters& run, float heating_return_temp) {
  // Equal return temperatures are valid only with equal flue-gas temperatures (a boiler held
  // at constant temperature); the run's start refuses the other case.
  if (run.return_temp_2 == run.return_temp_1) {
    return run.flue_gas_temp_1;
  }
  return run.flue_gas_temp_1 + (run.flue_gas_temp_2 - run.flue_gas_temp_1) *
                                   (heating_return_temp - run.return_temp_1) /
                                   (run.return_temp_2 - run.return_temp_1);
}

float modulating_flue_gas_temperature(const RunParameters& run, double flame_temp, double ntu,
                                      float boiler_return_temp) {
  const float power_factor =
      pow_f(mean_burner_power(run) / run.burner_max_power, power_factor_exponent);
  return static_cast<float>(boiler_return_temp +
                            (flame_temp - boiler_return_temp) * std::exp(-ntu * power_factor));
}

}  // namespace

double boiler_ntu(double flame_temp, float flue_gas_temp_2, float return_temp_2) {
  return std::log((flame_temp - return_temp_2) / (flue_gas_temp_2 - return_temp_2));
}

float day_flue_gas_temperature(const RunParameters& run, double flame_temp, double ntu,
                               float heating_return_temp, float boiler_return_temp) {
  if (is_modulating(run)) {
    return modulating_flue_gas_temperature(run, flame_temp, ntu, boiler_return_temp);
  }
  return single_stage_flue_gas_temperature(run, heating_return_temp);
}

}  // namespace kalvex
