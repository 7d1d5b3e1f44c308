// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <stdexcept>
#include <string>

#include "frontend/logic/form/form_input.h"

namespace varmkalk {

bool always_needed(const FormInput&) {
  return true;
}

// A form whose burner is not yet chosen asks for the modulating burner's fields, as it shows them.
bool single_stage_chosen(const FormInput& input) {
  return input.burner == Burner::SingleStage;
}

bool modulating_chosen(const FormInput& input) {
  return !single_stage_chosen(input);
}

bool hot_water_heater_chosen(const FormInput& input) {
  return input.hot_water_heater == HotWaterHeater::Yes;
}

bool convection_constant_chosen(const FormInput& input) {
  return input.convection_source == ConvectionSource::Constant;
}

bool convection_loss_chosen(const FormInput& input) {
  return !convection_constant_chosen(input);
}

bool standby_constants_chosen(const FormInput& input) {
  return input.standby_source == StandbySource::Constants;
}

bool standby_losses_chosen(const FormInput& input) {
  return !standby_constants_chosen(input);
}

bool own_climate_chosen(const FormInput& input) {
  return input.own_climate;
}

bool own_design_temps_chosen(const FormInput& input) {
  return input.own_design_temps;
}

const FormField& form_field(std::string_view name) {
  const auto found = std::find_if(kFormFields.begin(), kFormFields.end(),
                                  [name](const FormField& field) { return field.name == name; });
  if (found == kFormFields.end()) {
    throw std::invalid_argument("inget fält heter " + std::string(name));
  }
  return *found;
}

}  // namespace varmkalk
