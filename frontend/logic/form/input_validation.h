// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/form/form_input.h"

#include <QStringList>

#include <vector>

namespace varmkalk {

// The outcome of the check behind "Indata färdigt".
struct InputValidation {
  // All four component groups (burner, hot-water heater, convection source, standby source)
  // have a choice. When false no field has been checked and `missing_fields` is empty.
  bool components_complete = false;
  // Control names of the needed fields whose text is exactly empty, in the order they are checked.
  QStringList missing_fields;
};

// The fields whose numbers the chosen components need, in the order they are checked. A
// component not chosen counts as its second option.
std::vector<QString FormInput::*> needed_fields(const FormInput& input);

// Checks the input form's values: first that every component is chosen, then that every field
// the choices need holds some text. A text of blanks counts as filled; numbers are not checked
// here, since the control file writer reads them.
InputValidation validate_input(const FormInput& input);

}  // namespace varmkalk
