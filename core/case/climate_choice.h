// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "core/case/climates.h"

namespace varmkalk::core {

// A climate file of the user's own, found like the bundled ones, with the outdoor temperature at
// which the building needs its design heat demand (the bundled places carry theirs in their
// table).
struct OwnClimate {
  std::string file_name;  // as the control file holds it (Windows-1252)
  float design_outdoor_temp_c = 0.0f;

  friend bool operator==(const OwnClimate&, const OwnClimate&) = default;
};

// The climate of a case: one of the bundled places, or a climate file of the user's own.
using ClimateChoice = std::variant<Place, OwnClimate>;

std::string_view climate_file_name(const ClimateChoice& climate);
float design_outdoor_temp_c(const ClimateChoice& climate);
// The summary report's line for the climate (UTF-8): the place, or the own file by its name
// between these two texts.
std::string climate_report_line(const ClimateChoice& climate);
inline constexpr std::string_view kOwnClimateLineStart = "- Klimatfilen ";
inline constexpr std::string_view kOwnClimateLineEnd = " har använts";

}  // namespace varmkalk::core
