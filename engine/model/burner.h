#pragma once

#include "run_parameters.h"

namespace kalvex {

// A minimum power below the maximum makes the burner modulating; equal (or above) single-stage.
inline bool is_modulating(const RunParameters& run) {
  return run.burner_min_power < run.burner_max_power;
}

// The power at which a modulating burner's flue-gas temperature is evaluated, W.
inline float mean_burner_power(const RunParameters& run) {
  return (run.burner_min_power + run.burner_max_power) / 2.0f;
}

}  // namespace kalvex
