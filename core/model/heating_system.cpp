// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/heating_system.h"

#include "core/model/float_math.h"

namespace varmkalk::core {
namespace {

// (n − 1) / n for the radiator exponent n = 1.3.
constexpr float kRadiatorExponentTerm = 0.23076925f;
// The supply formula works from a fixed 20 °C room, whatever the indoor temperature.
constexpr float kReferenceRoomTemp = 20.0f;

}  // namespace

HeatingTemperatures heating_system_temperatures(float relative_load, float design_supply_temp,
                                                float design_return_temp, float indoor_temp) {
  const float design_spread = design_supply_temp - design_return_temp;
  const float r =
      exp_f(pow_f(relative_load, kRadiatorExponentTerm) *
            log_f((design_supply_temp - indoor_temp) / (design_return_temp - indoor_temp)));
  HeatingTemperatures temps;
  // A load too small to lift r above 1 in 32 bits: the formula's limit, the radiators at the
  // reference room temperature.
  if (!(r > 1.0f)) {
    temps.supply_temp = kReferenceRoomTemp;
  } else {
    temps.supply_temp =
        ((design_spread * relative_load + kReferenceRoomTemp) * r - kReferenceRoomTemp) /
        (r - 1.0f);
  }
  temps.return_temp = temps.supply_temp - design_spread * relative_load;
  return temps;
}

BoilerTemperatures boiler_temperatures(float supply_temp, float return_temp,
                                       float min_return_temp) {
  BoilerTemperatures temps;
  temps.boiler_return_temp = min_return_temp > return_temp ? min_return_temp : return_temp;
  temps.boiler_mean_temp = (temps.boiler_return_temp + supply_temp) / 2.0f;
  return temps;
}

}  // namespace varmkalk::core
