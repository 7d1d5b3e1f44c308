// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/form/field_error.h"
#include "frontend/logic/form/form_input.h"

#include <QLocale>
#include <QStringList>

namespace varmkalk {

// What "Indata färdigt" finds to correct once every component is chosen: the needed fields left
// empty, and the faults of the other fields (no usable number, or a value that cannot be made
// from them), each field once, so that one press names them all.
struct FormFaults {
  QStringList empty;  // control names, in the form's order
  FieldErrors bad;
};

FormFaults form_faults(const FormInput& input, const QLocale& locale);

// The empty fields by their labels, as one line to append to the message that fields are missing.
QString empty_fields_text(const QStringList& empty);

}  // namespace varmkalk
