// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/form/form_input.h"

#include <QLocale>
#include <QString>

namespace varmkalk {

// Writes the control file of the input, its numbers read in `locale`, under
// `identity` into the working folder and runs the engine beside this program
// there. False when the input gives no control file or the run fails; a failed
// run's messages go to the error stream.
bool run_engine_here(const FormInput& input, const QString& identity, const QLocale& locale);

}  // namespace varmkalk
