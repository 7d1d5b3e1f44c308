// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"
#include "frontend/logic/form/form_input.h"

#include <QLocale>
#include <QString>

#include <variant>

namespace varmkalk {

// The case the engine would run from the form's input: the case as the engine reads it back from
// the control file written for it, and what the form ties to its values.
struct EngineCase {
  core::BoilerCase input;
  // "20 °C (Inomhustemp.)" is chosen: the lowest return temperature is the indoor temperature
  // and follows it when that changes.
  bool min_return_follows_indoor = false;
};

// The form's engine case, or why there is none: the first field that "Indata färdigt" and the
// identity's confirmation would refuse, or a control-file line the engine could not read. The
// case carries a placeholder identity: it is run in memory, and names no files.
std::variant<EngineCase, QString> engine_case(const FormInput& form, const QLocale& locale);

// True when the form's input gives a case, as "Indata färdigt" and the identity's confirmation
// would accept it: every component chosen and every field the choices need a number.
bool engine_case_possible(const FormInput& form, const QLocale& locale);

}  // namespace varmkalk
