// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/climate_import/climate_year.h"

namespace varmkalk::core {

// The year's figures for the user, one per line, numbers with the given decimal separator (a
// comma in Swedish).
std::string summary_lines(const ClimateYear& year, char decimal_separator = ',');

}  // namespace varmkalk::core
