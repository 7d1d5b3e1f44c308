#pragma once

#include "model_constants.h"
#include "model_input_error.h"
#include "run_parameters.h"

namespace kalvex {

// The run's constants, before the daily loop. Throws ModelInputError for input on which the
// model's arithmetic is undefined (a division by zero, the logarithm or power of a
// non-positive number, a search that cannot end) or that lies outside its range.
ModelConstants start_model(const RunParameters& run);

}  // namespace kalvex
