// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"

namespace varmkalk::core {

// Convection and radiation loss of the boiler body, C·(T_b − T_in)^1.3, W; all day.
float convection_loss(const BoilerCase& input, float boiler_mean_temp);

// Standby loss C1·(T_b − T_in)^C2 while the burner is off, W (as a full-time power).
float standby_loss(const BoilerCase& input, float boiler_mean_temp);

// The annual hot-water demand spread evenly over the year's hours, W.
float hot_water_load(const BoilerCase& input);

// The circulation pump's heat in the water, W.
float pump_heat(const BoilerCase& input);

}  // namespace varmkalk::core
