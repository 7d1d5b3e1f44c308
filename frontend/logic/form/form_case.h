// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

#include <optional>
#include <variant>

#include "core/case/boiler_case.h"
#include "frontend/logic/form/field_error.h"
#include "frontend/logic/form/form_input.h"
#include "frontend/logic/run/file_error.h"

namespace varmkalk {

// The case for the input of the form and the confirmed calculation identity: every number read
// by the user's locale, units converted to the control file's, loss constants fitted. Fails with
// the first fault met, naming the field, when a needed text is not a number, a derivation would
// divide by zero or take a logarithm or power of a value that is not positive, a value is too large
// for the engine's 32-bit numbers, a component is not chosen, or the identity cannot be used.
std::variant<core::BoilerCase, FieldError> derive_case(const FormInput& input,
                                                       const QString& identity,
                                                       const QLocale& locale);

// Every fault of the input that derive_case could meet, the identity aside: the needed fields
// whose text is no number the engine can hold, and the values derived from them that cannot be
// made. At most one per field, in the form's order; empty when the input can be written.
FieldErrors input_faults(const FormInput& input, const QLocale& locale);

// Writes the case's control file into the folder. The file is written beside the target and
// renamed over it only when complete, so an existing styrfil.dat is either replaced whole or left
// as it was.
std::optional<FileError> write_control_file(const QString& folder, const core::BoilerCase& input);

}  // namespace varmkalk
