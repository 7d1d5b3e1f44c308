// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cost/side_by_side.h"
#include "core/cost/year_cost.h"
#include "core/heatpump/heat_pump_installation.h"
#include "frontend/logic/sweep/sweep_inputs.h"
#include "frontend/logic/sweep/sweep_run.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <array>
#include <cstddef>
#include <vector>

namespace varmkalk {

// A finished sweep: what was varied, every point with its year, and the case itself.
struct Sweep {
  SweepInput input = SweepInput::min_return_temp;
  QString heading;  // what was varied, with its unit
  std::vector<SweepPoint> points;
  std::vector<SweepResult> results;  // one per point
  core::BoilerCase base;
  double current_position = 0.0;
  SweepResult current;  // the base case's own year
  // Each point's year on the gas bill's terms, one per point once add_sweep_costs has run; empty
  // for a point without a year.
  std::vector<std::optional<core::YearCost>> costs;
  core::CostInputs prices = core::default_cost_inputs();
  // The heat pump beside the boiler, where one is chosen, and each point's two years, one per
  // point once add_sweep_heat_pump has run; empty for a point without them.
  std::optional<core::HeatPumpInstallation> heat_pump;
  core::HeatPumpEconomy economy;
  std::vector<std::optional<core::SideBySide>> sides;
};

// Each point's year on the gas bill's terms with the sweep's prices, its climate's days from
// `climates`.
void add_sweep_costs(Sweep& sweep, const core::FoundClimates& climates);

// Each point's boiler beside the sweep's heat pump, with the sweep's prices; nothing without one.
void add_sweep_heat_pump(Sweep& sweep, const core::FoundClimates& climates);

// Where the boiler's and the heat pump's total costs cross: the swept value and the cost there.
struct CostCrossing {
  double position = 0.0;
  double cost_sek = 0.0;
};

// The crossing by the lines between the two points of a numeric sweep whose difference changes
// sign; the first such, if any.
std::optional<CostCrossing> cost_crossing(const Sweep& sweep);

// The columns of the window's table and of the CSV export, in order.
enum class SweepColumn {
  value,
  efficiency,
  efficiency_without_pump,
  net_energy,
  gross_energy,
  gross_energy_without_pump,
  convection_energy,
  standby_energy,
  flue_gas_energy,
  pilot_energy,
  pump_electricity,
  unmet_days,
  gas_bill,
  total_cost,
  co2,
  hp_spf,
  hp_total_cost,
  remark,
};

// The days short of the demand come before the energies, where a narrow window shows them.
inline constexpr std::array<SweepColumn, 16> kSweepColumns{
    SweepColumn::value,
    SweepColumn::efficiency,
    SweepColumn::efficiency_without_pump,
    SweepColumn::unmet_days,
    SweepColumn::total_cost,
    SweepColumn::co2,
    SweepColumn::gas_bill,
    SweepColumn::net_energy,
    SweepColumn::gross_energy,
    SweepColumn::gross_energy_without_pump,
    SweepColumn::convection_energy,
    SweepColumn::standby_energy,
    SweepColumn::flue_gas_energy,
    SweepColumn::pilot_energy,
    SweepColumn::pump_electricity,
    SweepColumn::remark,
};

// The columns of `sweep`: those above, and after the CO2 the heat pump's seasonal factor and
// total cost where the sweep has a heat pump.
std::vector<SweepColumn> sweep_columns(const Sweep& sweep);

QString sweep_column_heading(const Sweep& sweep, SweepColumn column);

// A swept value as the window and its exports write it, with the locale's decimal separator and
// no grouping of digits.
QString sweep_value_text(double value, const QLocale& locale);

// The heat pump's total cost at the point, kr/år, when it has one.
std::optional<double> sweep_heat_pump_cost_sek(const Sweep& sweep, std::size_t row);

// The point's total cost of the year on the gas bill's terms, kr/år, when it has one.
std::optional<double> sweep_cost_sek(const Sweep& sweep, std::size_t row);

// The annual efficiency of a result in per cent, as the chart plots it, when the point has one.
std::optional<double> sweep_efficiency_percent(const SweepResult& result, bool with_pump);

// The point is the case as the form has it.
bool is_current_point(const Sweep& sweep, std::size_t row);

// Why the model refused the point or what its year lacked (decimals written the locale's way), and
// what its value changed beyond itself; empty when nothing needs saying.
QString sweep_remark(const Sweep& sweep, std::size_t row, const QLocale& locale);

// What the chart says of a point on hover: its value and both efficiencies, or why it has none.
QString sweep_point_tip(const Sweep& sweep, std::size_t row, const QLocale& locale);

// A cell of the window's table: efficiencies to a tenth of a per cent and energies in whole kWh,
// as the summary report rounds them, written the locale's way; empty where the point has no
// year.
QString sweep_cell_text(const Sweep& sweep, std::size_t row, SweepColumn column,
                        const QLocale& locale);

// The table as CSV for a spreadsheet program, as the chart window's daily values: UTF-8 with a
// byte order mark, a header row, then a row per point with its numbers exact (the shortest text
// that reads back as the same 32-bit value). Where the locale writes a decimal comma fields are
// separated by semicolons, otherwise by commas.
QByteArray sweep_csv(const Sweep& sweep, const QLocale& locale);

}  // namespace varmkalk
