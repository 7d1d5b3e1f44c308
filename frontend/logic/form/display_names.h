// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/climate_choice.h"
#include "core/case/heating_systems.h"

#include <QString>

#include <string>
#include <variant>

namespace varmkalk {

// The heating system by its design supply and return temperatures: "55/45 °C".
QString heating_system_text(const core::DesignTemperatures& system);

// The climate as the user knows it: the place's name, or the own climate file's name.
QString climate_name(const core::ClimateChoice& climate);
// As a summary names it: the place, or the own file by its name (Windows-1252).
QString climate_name(const std::variant<core::Place, std::string>& climate);

}  // namespace varmkalk
