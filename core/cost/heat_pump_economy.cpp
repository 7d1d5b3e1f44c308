// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cost/heat_pump_economy.h"

#include <algorithm>

namespace varmkalk::core {

namespace {

// A house's heat pump with drilling and the work around it stays well below this.
constexpr double kLargestInvestmentSek = 5'000'000.0;

}  // namespace

const std::array<EconomyQuantity, 2> kEconomyQuantities = {{
    {"investment_sek", "Investering", "kr", &HeatPumpEconomy::investment_sek, 0.0, 0.0,
     kLargestInvestmentSek, "ingen investering angiven"},
    {"avoided_boiler_sek", "Undviken pannkostnad", "kr", &HeatPumpEconomy::avoided_boiler_sek, 0.0,
     0.0, kLargestInvestmentSek, "inget pannbyte undviks"},
}};

double yearly_saving_sek(const YearCost& boiler, const YearCost& heat_pump,
                         bool gas_connection_closed) {
  const double fee_sek = gas_connection_closed ? boiler.fixed_fee_sek : 0.0;
  return boiler.gas_cost_sek + boiler.electricity_cost_sek + fee_sek - heat_pump.total_cost_sek;
}

std::optional<double> payback_years(const HeatPumpEconomy& economy, double saving_sek) {
  if (!(saving_sek > 0.0)) {
    return std::nullopt;
  }
  return std::max(0.0, economy.investment_sek - economy.avoided_boiler_sek) / saving_sek;
}

}  // namespace varmkalk::core
