// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QStringList>

#include "frontend/logic/form/form_input.h"

namespace varmkalk {

// The needed values of a complete input that no boiler of a single-family house has: a burner's
// power typed in W where kW is asked, a flue-gas temperature of a furnace. The engine computes
// them all the same; the user is only asked whether they are meant. One line per value, naming
// the field, the text typed and the limit passed; empty when all are plausible. Fields whose text
// is no number are left to the number check.
QStringList implausible_values(const FormInput& input, const QLocale& locale);

}  // namespace varmkalk
