// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/standing_losses.h"

#include "core/case/units.h"
#include "core/model/float_math.h"

namespace varmkalk::core {
namespace {

constexpr float kConvectionExponent = 1.3f;

// A boiler not warmer than its room loses nothing to it (and a negative difference has no
// real power).
float loss_law(float constant, float exponent, float boiler_mean_temp, float indoor_temp) {
  const float above_room = boiler_mean_temp - indoor_temp;
  if (!(above_room > 0.0f)) {
    return 0.0f;
  }
  return constant * pow_f(above_room, exponent);
}

}  // namespace

float convection_loss(const BoilerCase& input, float boiler_mean_temp) {
  return loss_law(input.losses.convection_constant, kConvectionExponent, boiler_mean_temp,
                  input.building.indoor_temp_c);
}

float standby_loss(const BoilerCase& input, float boiler_mean_temp) {
  return loss_law(input.losses.standby_constant, input.losses.standby_exponent, boiler_mean_temp,
                  input.building.indoor_temp_c);
}

float hot_water_load(const BoilerCase& input) {
  return input.hot_water.annual_demand_kwh * kWhPerKwh / kHoursPerYear;
}

float pump_heat(const BoilerCase& input) {
  return input.pump.heat_share_percent * input.pump.power_w / kPerCent;
}

}  // namespace varmkalk::core
