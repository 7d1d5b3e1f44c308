// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/heatpump/heat_pump_unit.h"

namespace varmkalk::core {

// A Heat Pump KEYMARK declaration as published: comma-separated, every field quoted, the header
// modelID,varName,value,temperature,climate,indoorUnittype,info,hpType; a `title` row opens each
// variant's block of rows, and a few seven-field rows after the last block describe the whole
// family (its `Type` names the heat source). A value is identified by its varName (EN14825_009:
// the COP at −7 °C), the flow family (temperature 4 = 35 °C, 5 = 55 °C), the climate (3 average,
// 2 colder, 10 the rating point) and hpType (0 for a single-source unit; brine units give each
// value once more with 2 for brine, 3 for water).

// A file that is no such declaration, or lacks what the model needs. what() is one Swedish line
// naming the file, the line and the field at fault.
class KeymarkError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The titles of the file's variants, in the file's order, blanks around them trimmed.
std::vector<std::string> keymark_titles(std::string_view bytes, std::string_view file_name);

// The variant of the file whose title, blanks trimmed, is `title`: its seasonal declarations at
// 35 and 55 °C for the average climate (needed) and the colder one (where given), its rating
// capacity and whether it is reversible. A brine unit is read as brine/water. Where a value is
// given twice the first counts; values the model does not use are not looked at.
HeatPumpUnit read_keymark_unit(std::string_view bytes, std::string_view file_name,
                               std::string_view title);

}  // namespace varmkalk::core
