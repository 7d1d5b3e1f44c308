// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cost/heat_pump_economy.h"
#include "core/heatpump/heat_pump_choice.h"

#include <array>

namespace varmkalk {

// What "Värmepump…" sets: the heat pump put beside the boiler and what it costs to put in.
struct HeatPumpPlan {
  core::HeatPumpChoice choice;
  core::HeatPumpEconomy economy;

  friend bool operator==(const HeatPumpPlan&, const HeatPumpPlan&) = default;
};

// A generic outdoor-air heat pump of a size that suits a house of the form's defaults.
HeatPumpPlan default_heat_pump_plan();

// A generic heat pump's size, as the dialog and the inputs file take it.
extern const std::array<core::RangedQuantity<core::HeatPumpChoice>, 1> kCapacityQuantities;

}  // namespace varmkalk
