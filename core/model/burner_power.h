// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"
#include "core/model/heating_system.h"
#include "core/model/model_constants.h"

namespace varmkalk::core {

struct BurnerChoice {
  float burner_power = 0.0f;   // P_b, heat input while the burner runs, W
  float flue_gas_temp = 0.0f;  // T_fg of the day, °C
};

// A single-stage burner runs at its power; a modulating one follows the heat input a
// continuously running burner would need, held within its range.
BurnerChoice choose_burner_power(const BoilerCase& input, const ModelConstants& constants,
                                 float heat_demand, float convection_loss,
                                 const HeatingTemperatures& heating,
                                 const BoilerTemperatures& boiler);

}  // namespace varmkalk::core
