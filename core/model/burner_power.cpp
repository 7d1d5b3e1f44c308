// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/burner_power.h"

#include "core/model/combustion_efficiency.h"
#include "core/model/flue_gas_temperature.h"

namespace varmkalk::core {

BurnerChoice choose_burner_power(const BoilerCase& input, const ModelConstants& constants,
                                 float heat_demand, float convection_loss,
                                 const HeatingTemperatures& heating,
                                 const BoilerTemperatures& boiler) {
  BurnerChoice choice;
  choice.flue_gas_temp = day_flue_gas_temperature(input, constants.flame_temp, constants.boiler_ntu,
                                                  heating.return_temp, boiler.boiler_return_temp);
  if (!input.burner.is_modulating()) {
    choice.burner_power = input.burner.max_power_w();
    return choice;
  }
  const float mean_power = input.burner.mean_power_w();
  const float mean_efficiency = combustion_efficiency(
      input.combustion.air_ratio, choice.flue_gas_temp, input.building.indoor_temp_c);
  const float mean_flue_gas_loss = (1.0f - mean_efficiency) * mean_power;
  // The pump heat is subtracted for both balance variants: they share one burner power.
  const float estimate = convection_loss + heat_demand + mean_flue_gas_loss +
                         input.hot_water.heater_loss_w + constants.hot_water_load -
                         constants.pump_heat;
  if (estimate < input.burner.min_power_w()) {
    choice.burner_power = input.burner.min_power_w();  // cycles at its minimum
  } else if (estimate < input.burner.max_power_w()) {
    choice.burner_power = estimate;  // modulates to the demand
  } else {
    choice.burner_power = input.burner.max_power_w();  // can give no more
  }
  return choice;
}

}  // namespace varmkalk::core
