// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/case/climate_choice.h"

#include "core/text/windows1252.h"

namespace varmkalk::core {

std::string_view climate_file_name(const ClimateChoice& climate) {
  if (const auto* own = std::get_if<OwnClimate>(&climate)) {
    return own->file_name;
  }
  return climate_of(std::get<Place>(climate)).file_name;
}

float design_outdoor_temp_c(const ClimateChoice& climate) {
  if (const auto* own = std::get_if<OwnClimate>(&climate)) {
    return own->design_outdoor_temp_c;
  }
  return climate_of(std::get<Place>(climate)).design_outdoor_temp_c;
}

std::string climate_report_line(const ClimateChoice& climate) {
  if (const auto* own = std::get_if<OwnClimate>(&climate)) {
    return std::string(kOwnClimateLineStart) + shown_from_windows1252(own->file_name) +
           std::string(kOwnClimateLineEnd);
  }
  return std::string(climate_of(std::get<Place>(climate)).report_line);
}

}  // namespace varmkalk::core
