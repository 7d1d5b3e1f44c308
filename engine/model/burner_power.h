#pragma once

#include "heating_system.h"
#include "model_constants.h"
#include "run_parameters.h"

namespace kalvex {

struct BurnerChoice {
  float burner_power = 0.0f;   // P_b, heat input while the burner runs, W
  float flue_gas_temp = 0.0f;  // T_fg of the day, °C
};

// A single-stage burner runs at its power; a modulating one follows the heat input a
// continuously running burner would need, held within its range.
BurnerChoice choose_burner_power(const RunParameters& run, const ModelConstants& constants,
                                 float heat_demand, float convection_loss,
                                 const HeatingTemperatures& heating,
                                 const BoilerTemperatures& boiler);

}  // namespace kalvex
