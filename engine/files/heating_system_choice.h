#pragma once

#include "run_parameters.h"

namespace kalvex {

// True for a heating system dimensioned for 80/60 °C: heating_system_code "A" or "a".
bool is_high_temperature_system(const CodeText& heating_system_code);

// Sets design_supply_temp and design_return_temp: 80/60 °C for code A or a, otherwise 55/45 °C.
void choose_heating_system(RunParameters& params);

}  // namespace kalvex
