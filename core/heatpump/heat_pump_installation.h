// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "core/heatpump/generic_heat_pumps.h"
#include "core/heatpump/heat_pump_model.h"
#include "core/heatpump/heat_pump_unit.h"
#include "core/text/ranged_quantity.h"

namespace varmkalk::core {

// What the installer chooses around the unit: the electric backup heater, the hot-water tank's
// temperature and, for a ground-source unit, the brine's.
struct HeatPumpSettings {
  double backup_kw = 9.0;
  double tank_temp_c = 55.0;
  double brine_temp_c = 0.0;

  friend bool operator==(const HeatPumpSettings&, const HeatPumpSettings&) = default;
};

// One of the settings described once (its key kalvex-batch's column).
using HeatPumpQuantity = RangedQuantity<HeatPumpSettings>;

extern const std::array<HeatPumpQuantity, 3> kHeatPumpQuantities;

// The range of a generic heat pump's rating capacity, kW.
inline constexpr double kLeastRatingKw = 1.0;
inline constexpr double kLargestRatingKw = 100.0;

// The first setting that is no finite number within its range, if any.
std::optional<HeatPumpQuantity> invalid_heat_pump_setting(const HeatPumpSettings& settings);

// A heat pump as it stands in the house: the unit's model, what it draws while it does not heat,
// its backup heater and the tank it keeps warm.
struct HeatPumpInstallation {
  HeatPumpModel model;
  IdlePowers idle;  // W
  double backup_kw = 0.0;
  double tank_temp_c = 0.0;
};

// A certified unit, its idle powers those of its average-climate declaration at 55 °C (at 35 °C
// where that is all it declares). Throws ModelInputError as heat_pump_model does, and for a
// setting out of range.
HeatPumpInstallation installed_unit(const HeatPumpUnit& unit, const HeatPumpSettings& settings);

// A generic heat pump of `rating_kw`. Throws ModelInputError for a rating or a setting out of
// range.
HeatPumpInstallation installed_generic(GenericHeatPump type, double rating_kw,
                                       const HeatPumpSettings& settings);

}  // namespace varmkalk::core
