#pragma once

#include <string_view>

#include "run_parameters.h"

namespace kalvex {

// One of the six places the engine has climate data for.
struct Climate {
  char upper_code;  // the code letters that select the place; none (0) for the default
  char lower_code;
  std::string_view file_name;
  float design_outdoor_temp;     // °C, where the building needs its design heat demand
  std::string_view report_line;  // the summary report's line for the place (UTF-8)
};

// The place selected by climate_code: A to E in either case by the code match rule, any other
// value Kiruna.
const Climate& choose_climate(const CodeText& climate_code);

}  // namespace kalvex
