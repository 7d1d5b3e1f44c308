// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "core/case/boiler_case.h"
#include "core/cost/cost_inputs.h"
#include "core/cost/heat_pump_economy.h"
#include "core/cost/year_cost.h"
#include "core/generators/gas_boiler.h"
#include "core/generators/heat_pump_year.h"
#include "core/run/case_run.h"

namespace varmkalk::core {

// The gas boiler and a heat pump on the same house and climate year, each on the bill's terms,
// and what changing from the one to the other saves.
struct SideBySide {
  GasBoilerYear boiler;
  YearCost boiler_cost;
  HeatPumpYear heat_pump;
  YearCost heat_pump_cost;
  double saving_sek = 0.0;              // a year, see yearly_saving_sek
  double co2_saving_kg = 0.0;           // a year: the boiler's CO2 less the heat pump's
  std::optional<double> payback_years;  // empty: no investment typed, or no saving
  bool has_investment = false;

  friend bool operator==(const SideBySide&, const SideBySide&) = default;
};

// The case's year `result` on `climate` beside `installation`'s in the same house, priced with
// `prices`; or why there is none (Swedish, one line): the case refused, the climate no year, the
// heat pump refused by the model.
std::variant<SideBySide, std::string> side_by_side(const BoilerCase& input,
                                                   const CaseResult& result,
                                                   const FoundClimate& climate,
                                                   const CostInputs& prices,
                                                   const HeatPumpInstallation& installation,
                                                   const HeatPumpEconomy& economy);

// How a figure's value is written: whole, with one or two decimals, or a fraction as per cent.
enum class FigureFormat { whole, one_decimal, two_decimals, percent };

// The decimals a figure of that format is written with (per cent for a fraction).
int figure_decimals(FigureFormat format);

// Which generator a figure has a value for.
enum class FigureOf { boiler, heat_pump, both };

// One line of the two columns, described once for the result box, the report, the comparison,
// the sweep and kalvex-batch: its label and unit, and each generator's value where it has one.
struct SideBySideFigure {
  std::string_view key;    // names it in tables and files
  std::string_view label;  // Swedish, without the unit
  std::string_view unit;   // UTF-8; empty for none
  FigureFormat format;
  FigureOf of;
  std::optional<double> (*boiler)(const SideBySide&);
  std::optional<double> (*heat_pump)(const SideBySide&);
};

// The figures of both years in the order the columns list them, the yearly difference last.
std::span<const SideBySideFigure> side_by_side_figures();

// The figure of that key; throws std::out_of_range for none.
const SideBySideFigure& side_by_side_figure(std::string_view key);

}  // namespace varmkalk::core
