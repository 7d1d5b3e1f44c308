#include "burner_power.h"

#include "burner.h"
#include "combustion_efficiency.h"
#include "flue_gas_temperature.h"

namespace kalvex {

BurnerChoice choose_burner_power(const RunParameters& run, const ModelConstants& constants,
                                 float heat_demand, float convection_loss,
                                 const HeatingTemperatures& heating,
                                 const BoilerTemperatures& boiler) {
  BurnerChoice choice;
  choice.flue_gas_temp = day_flue_gas_temperature(run, constants.flame_temp, constants.boiler_ntu,
                                                  heating.return_temp, boiler.boiler_return_temp);
  if (!is_modulating(run)) {
    choice.burner_power = run.burner_max_power;
    return choice;
  }
  const float mean_power = mean_burner_power(run);
  const float mean_efficiency =
      combustion_efficiency(run.air_ratio, choice.flue_gas_temp, run.indoor_temp);
  const float mean_flue_gas_loss = (1.0f - mean_efficiency) * mean_power;
  // The pump heat is subtracted for both balance variants: they share one burner power.
  const float estimate = convection_loss + heat_demand + mean_flue_gas_loss + run.heater_loss +
                         constants.hot_water_load - constants.pump_heat;
  if (estimate < run.burner_min_power) {
    choice.burner_power = run.burner_min_power;  // cycles at its minimum
  } else if (estimate < run.burner_max_power) {
    choice.burner_power = estimate;  // modulates to the demand
  } else {
    choice.burner_power = run.burner_max_power;  // can give no more
  }
  return choice;
}

}  // namespace kalvex
