// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/climate_import/climate_year.h"

namespace varmkalk::klimat {

// The year's figures for the user, one per line, numbers with a decimal comma.
std::string summary_lines(const core::ClimateYear& year);

}  // namespace varmkalk::klimat
