// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"

namespace varmkalk::core {

// Number of transfer units of the boiler as a heat exchanger whose gas side cools from the flame
// towards the return water, fitted to the measurement at maximum power (case 2).
double boiler_ntu(double flame_temp, float flue_gas_temp_2, float return_temp_2);

// The day's flue-gas temperature, °C. A single-stage burner follows the straight line through
// the two measured cases in the heating system's return temperature; a modulating burner
// follows the heat-exchanger model at its mean power and the boiler's return temperature.
float day_flue_gas_temperature(const BoilerCase& input, double flame_temp, double ntu,
                               float heating_return_temp, float boiler_return_temp);

}  // namespace varmkalk::core
