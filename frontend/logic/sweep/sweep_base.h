// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"
#include "core/cost/cost_inputs.h"
#include "frontend/logic/form/form_input.h"

#include <QLocale>
#include <QString>

#include <variant>

namespace varmkalk {

// The case a sensitivity sweep starts from: the form's input as the engine would read it from
// the control file written for it, and what the form ties to its values.
struct SweepBase {
  core::BoilerCase input;
  // "20 °C (Inomhustemp.)" is chosen: the lowest return temperature is the indoor temperature
  // and follows it when that changes.
  bool min_return_follows_indoor = false;
  // The inputs of cost and CO2 the points' years are shown with.
  core::CostInputs prices = core::default_cost_inputs();
};

// The sweep's base for the form's input, or why there is none: the first field that
// "Indata färdigt" and the identity's confirmation would refuse, or a control-file line the
// engine could not read.
std::variant<SweepBase, QString> sweep_base(const FormInput& form, const QLocale& locale);

// True when the form's input gives a case, as "Indata färdigt" and the identity's confirmation
// would accept it: every component chosen and every field the choices need a number.
bool sweep_possible(const FormInput& form, const QLocale& locale);

}  // namespace varmkalk
