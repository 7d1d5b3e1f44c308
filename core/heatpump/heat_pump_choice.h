// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/heatpump/generic_heat_pumps.h"
#include "core/heatpump/heat_pump_installation.h"

namespace varmkalk::core {

// The heat pump a house gets beside its boiler: a certified unit (its Keymark file and the
// variant's title) or a generic one of a size, and what is installed around it.
struct HeatPumpChoice {
  std::string unit_file;  // as the user or the table names it; empty for a generic unit
  std::string model;
  GenericHeatPump generic = GenericHeatPump::air;
  double capacity_kw = 0.0;
  HeatPumpSettings settings;  // the defaults where nothing else is said

  bool is_generic() const { return unit_file.empty(); }

  friend bool operator==(const HeatPumpChoice&, const HeatPumpChoice&) = default;
};

// The choice as it stands in the house; `unit` is the variant its file holds, needed for a
// certified unit and not looked at for a generic one. Throws ModelInputError as installed_unit
// and installed_generic do, and std::invalid_argument for a certified unit without `unit`.
HeatPumpInstallation installed_choice(const HeatPumpChoice& choice, const HeatPumpUnit* unit);

}  // namespace varmkalk::core
