// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"
#include "core/model/model_constants.h"
#include "core/model/model_input_error.h"

namespace varmkalk::core {

// The run's constants, before the daily loop. Throws ModelInputError for input on which the
// model's arithmetic is undefined (a division by zero, the logarithm or power of a
// non-positive number, a search that cannot end) or that lies outside its range.
ModelConstants start_model(const BoilerCase& input, const DesignConditions& design);

// The design conditions of the case's climate and heating system.
DesignConditions design_conditions(const BoilerCase& input);

}  // namespace varmkalk::core
