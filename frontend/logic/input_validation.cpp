// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/input_validation.h"

namespace varmkalk {

namespace {

int chosen_components(const FormInput& input) {
  return (input.burner != Burner::Unchosen ? 1 : 0) +
         (input.hot_water_heater != HotWaterHeater::Unchosen ? 1 : 0) +
         (input.convection_source != ConvectionSource::Unchosen ? 1 : 0) +
         (input.standby_source != StandbySource::Unchosen ? 1 : 0);
}

}  // namespace

std::vector<QString FormInput::*> needed_fields(const FormInput& input) {
  std::vector<QString FormInput::*> fields;
  // One by one: vector::insert of a list trips a false -Wstringop-overflow in g++ 12 at -O3.
  const auto add = [&fields](std::initializer_list<QString FormInput::*> more) {
    for (QString FormInput::*field : more) {
      fields.push_back(field);
    }
  };
  if (input.burner == Burner::SingleStage) {
    add({&FormInput::single_stage_power_kw, &FormInput::single_stage_excess_air_percent});
  } else {
    add({&FormInput::modulating_max_power_kw, &FormInput::modulating_min_power_kw,
         &FormInput::modulating_excess_air_percent});
  }
  if (input.hot_water_heater == HotWaterHeater::Yes) {
    add({&FormInput::heater_loss_kwh_per_day, &FormInput::hot_water_kwh_per_year});
  }
  if (input.convection_source == ConvectionSource::Constant) {
    fields.push_back(&FormInput::convection_constant);
  } else {
    add({&FormInput::convection_loss_w, &FormInput::convection_temp_difference_k});
  }
  if (input.standby_source == StandbySource::Constants) {
    add({&FormInput::standby_exponent, &FormInput::standby_constant});
  } else {
    add({&FormInput::standby_loss_1_w, &FormInput::standby_loss_2_w,
         &FormInput::standby_temp_difference_1_k, &FormInput::standby_temp_difference_2_k});
  }
  add({&FormInput::design_heat_demand_kw, &FormInput::indoor_temp_c, &FormInput::pump_power_w,
       &FormInput::pilot_power_w, &FormInput::flue_gas_temp_high_c, &FormInput::flue_gas_temp_low_c,
       &FormInput::supply_temp_high_c, &FormInput::supply_temp_low_c,
       &FormInput::return_temp_high_c, &FormInput::return_temp_low_c});
  if (input.own_climate) {
    fields.push_back(&FormInput::own_design_outdoor_temp_c);
  }
  return fields;
}

InputValidation validate_input(const FormInput& input) {
  constexpr int kComponentGroups = 4;
  InputValidation result;
  if (chosen_components(input) < kComponentGroups) {
    return result;
  }
  result.components_complete = true;
  for (QString FormInput::*field : needed_fields(input)) {
    if ((input.*field).isEmpty()) {
      result.missing_fields.append(form_field_name(field));
    }
  }
  if (input.own_climate && input.own_climate_file.isEmpty()) {
    result.missing_fields.append(QLatin1String(kOwnClimateFileField));
  }
  return result;
}

}  // namespace varmkalk
