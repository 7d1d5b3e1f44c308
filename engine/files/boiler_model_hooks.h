#pragma once

#include "model_hooks.h"

namespace kalvex {

// The run sequence's hooks bound to the boiler model.
ModelHooks boiler_model_hooks();

}  // namespace kalvex
