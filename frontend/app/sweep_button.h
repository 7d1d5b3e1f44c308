// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cost/cost_inputs.h"
#include "frontend/logic/form/form_input.h"
#include "frontend/logic/form/heat_pump_plan.h"

#include <QString>

#include <functional>

class QDialog;
class QPushButton;

namespace varmkalk {

class Platform;

// Adds "Känslighetsanalys…" to the input form, enabled while the form's input gives a case (it is
// checked again at every edit of a field or option), opening the sweep window over the form for
// a copy of that case. Called once the form's own controls are built. `program_folder` is where
// the engine is looked for, whose climate folder the window falls back on; `prices` gives the
// inputs of cost and CO2 the points are shown with, `heat_pump` the heat pump beside the boiler.
QPushButton* add_sweep_button(QDialog& form, Platform& platform,
                              std::function<FormInput()> form_input, const QString& program_folder,
                              std::function<core::CostInputs()> prices,
                              std::function<std::optional<HeatPumpPlan>()> heat_pump);

}  // namespace varmkalk
