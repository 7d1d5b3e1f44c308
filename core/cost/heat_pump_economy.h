// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>

#include "core/cost/year_cost.h"
#include "core/text/ranged_quantity.h"

namespace varmkalk::core {

// What a heat pump costs to put in, against what it saves: its investment (nothing typed: 0),
// the boiler replacement it makes unnecessary, and whether the gas connection is closed, so
// that its fixed fee is saved too.
struct HeatPumpEconomy {
  double investment_sek = 0.0;
  double avoided_boiler_sek = 0.0;
  bool gas_connection_closed = false;

  bool has_investment() const { return investment_sek > 0.0; }

  friend bool operator==(const HeatPumpEconomy&, const HeatPumpEconomy&) = default;
};

using EconomyQuantity = RangedQuantity<HeatPumpEconomy>;

extern const std::array<EconomyQuantity, 2> kEconomyQuantities;

// What the heat pump saves a year against the boiler, kr: the boiler's gas and its pump's
// electricity, and the gas connection's fixed fee where it is closed, less all the heat pump's
// electricity. Negative where the heat pump costs more.
double yearly_saving_sek(const YearCost& boiler, const YearCost& heat_pump,
                         bool gas_connection_closed);

// The simple payback, years: the investment less the avoided boiler over the yearly saving; 0
// where the avoided boiler costs as much as the heat pump. Empty where the saving is none.
std::optional<double> payback_years(const HeatPumpEconomy& economy, double saving_sek);

}  // namespace varmkalk::core
