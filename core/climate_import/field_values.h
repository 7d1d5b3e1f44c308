// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "core/climate_import/calendar.h"
#include "core/climate_import/exact_decimal.h"
#include "core/climate_import/import_failure.h"

namespace varmkalk::core {

// The temperature a field holds: a plain decimal number within -90 to +60 °C (a point, or a
// comma where `comma_allowed`, as decimal sign). Anything else fails naming `place`.
NanoCelsius read_temperature(std::string_view field, bool comma_allowed, const FieldPlace& place);

// The whole number a field holds, from `lowest` to `highest`; anything else fails naming
// `place`.
int read_whole_number(std::string_view field, int lowest, int highest, const FieldPlace& place);

// The ISO date YYYY-MM-DD a field holds; anything else fails naming `place`.
Date read_date(std::string_view field, const FieldPlace& place);

}  // namespace varmkalk::core
