// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cost/cost_inputs.h"
#include "frontend/logic/form/engine_case.h"
#include "frontend/logic/form/form_input.h"
#include "frontend/logic/form/heat_pump_plan.h"

#include <QLocale>
#include <QString>

#include <variant>

namespace varmkalk {

// The case a sensitivity sweep starts from: the form's engine case (see engine_case), and the
// inputs of cost and CO2 the points' years are shown with.
struct SweepBase : EngineCase {
  core::CostInputs prices = core::default_cost_inputs();
  std::optional<HeatPumpPlan> heat_pump = std::nullopt;  // shown beside the boiler at every point
};

// The sweep's base for the form's input, or why there is none (see engine_case).
std::variant<SweepBase, QString> sweep_base(const FormInput& form, const QLocale& locale);

}  // namespace varmkalk
