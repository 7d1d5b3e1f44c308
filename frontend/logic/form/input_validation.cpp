// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/input_validation.h"

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
  for (const FormField& field : kFormFields) {
    if (field.needed(input)) {
      fields.push_back(field.text);
    }
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
