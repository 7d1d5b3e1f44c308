// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace varmkalk::core {

// A heat generator's whole climate year, as every generator reports it: the heat it gave the
// house, what it bought of each carrier and how well it turned one into the other.
struct GeneratorYear {
  double heat_delivered_kwh = 0.0;  // space heat and hot water, every day of the climate year
  std::optional<double> gas_kwh;    // gas bought, lower heating value; empty: it buys no gas
  double electricity_kwh = 0.0;     // electricity bought
  // Heat delivered over energy bought: a boiler's annual efficiency on its heating days (a
  // fraction; empty without a heating day), a heat pump's seasonal performance factor over the
  // year (empty where it bought no electricity).
  std::optional<double> seasonal_figure;
  int heating_days = 0;
  int shortfall_days = 0;  // days the generator could not meet the house's demand
  int climate_days = 0;    // 365 or 366
  // Of the climate days, those the house needs no heat on, and the gas bought on them (within
  // gas_kwh): their hot water and the generator's own losses.
  int idle_days = 0;
  double idle_gas_kwh = 0.0;

  friend bool operator==(const GeneratorYear&, const GeneratorYear&) = default;
};

}  // namespace varmkalk::core
