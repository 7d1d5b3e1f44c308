// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/heat_pump_plan.h"

namespace varmkalk {

namespace {

// Enough for the form's default house (about 6 kW at the design temperature) without backup.
constexpr double kDefaultCapacityKw = 8.0;

}  // namespace

const std::array<core::RangedQuantity<core::HeatPumpChoice>, 1> kCapacityQuantities = {{
    {"hp_capacity_kw", "Värmeeffekt vid märkpunkten", "kW", &core::HeatPumpChoice::capacity_kw,
     kDefaultCapacityKw, core::kLeastRatingKw, core::kLargestRatingKw,
     "en luft/vattenvärmepump för ett hus med formulärets standardvärden"},
}};

HeatPumpPlan default_heat_pump_plan() {
  HeatPumpPlan plan;
  plan.choice.capacity_kw = kDefaultCapacityKw;
  return plan;
}

}  // namespace varmkalk
