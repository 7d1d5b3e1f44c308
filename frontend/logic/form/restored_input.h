// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cost/cost_inputs.h"
#include "frontend/logic/form/form_input.h"
#include "frontend/logic/form/heat_pump_plan.h"

#include <QStringList>

#include <optional>

namespace varmkalk {

// The form's input given back for a kept calculation, and what the user should know about it.
struct RestoredInput {
  FormInput input;
  // Where the values came from and each part that could not be restored (Swedish); empty when
  // the input came back exactly.
  QStringList notes;
  // The input as an inputs file kept it, every field's text as typed; nothing for a summary.
  std::optional<FormInput> as_kept;
  // The inputs of cost and CO2 an inputs file kept; nothing for a summary or an older file.
  std::optional<core::CostInputs> prices;
  // The heat pump an inputs file kept beside the boiler; nothing where none was chosen.
  std::optional<HeatPumpPlan> heat_pump;
};

}  // namespace varmkalk
