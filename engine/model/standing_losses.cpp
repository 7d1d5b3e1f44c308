#include "standing_losses.h"

#include "float_math.h"

namespace kalvex {
namespace {

constexpr float convection_exponent = 1.3f;
constexpr float wh_per_kwh = 1000.0f;
constexpr float hours_per_year = 8760.0f;
constexpr float per_cent = 100.0f;

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

float convection_loss(const RunParameters& run, float boiler_mean_temp) {
  return loss_law(run.convection_constant, convection_exponent, boiler_mean_temp, run.indoor_temp);
}

float standby_loss(const RunParameters& run, float boiler_mean_temp) {
  return loss_law(run.standby_constant, run.standby_exponent, boiler_mean_temp, run.indoor_temp);
}

float hot_water_load(const RunParameters& run) {
  return run.hot_water_demand * wh_per_kwh / hours_per_year;
}

float pump_heat(const RunParameters& run) {
  return run.pump_efficiency * run.pump_power / per_cent;
}

}  // namespace kalvex
