// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cost/cost_inputs.h"
#include "core/cost/year_cost.h"
#include "frontend/logic/kept/kept_calculations.h"
#include "frontend/logic/run/folder_year.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

namespace varmkalk {

// One figure of the year on the gas bill's terms, as the result box, the report, the comparison
// and the exports show it; `value` empty where it cannot be estimated.
struct CostFigure {
  QString label;
  QString unit;
  std::optional<double> value;
};

// The year's gas on the bill's basis (kWh and m³), the days without heat demand within it, the cost
// of the gas, the fee, the pump's electricity and their sum, and the CO2, in that order.
std::vector<CostFigure> cost_figures(const core::YearCost& cost);

// A figure's value as shown: whole, grouped as the locale groups (with a plain blank); "–" for
// none.
QString cost_value_text(const std::optional<double>& value, const QLocale& locale);

// The lines the result box shows above the engine's summary: a heading, a line per figure with its
// values in a column, with `fuel_hhv_ratio` the line of efficiency_basis_line, and an empty line.
QStringList cost_lines(const core::YearCost& cost, const QLocale& locale,
                       std::optional<double> fuel_hhv_ratio = std::nullopt);

// The one line that tells the summary's basis from the bill's: the engine's efficiencies and
// energies count the gas's lower heating value, so that a condensing boiler passes 100 %, while
// the bill counts the upper one, `fuel_hhv_ratio` times as much.
QString efficiency_basis_line(double fuel_hhv_ratio, const QLocale& locale);

// A calculation's year run in memory (see folder_year) on the bill's terms; or why it cannot be had
// (Swedish, one line): the case or its climate cannot be read, the climate is no whole year, the
// model refuses the case.
std::variant<core::YearCost, QString> calculation_cost(const CalculationYear& computed,
                                                       const core::CostInputs& prices);

// Where the inputs of cost a kept calculation is priced with come from.
enum class PriceSource {
  kept,     // its inputs file keeps them
  session,  // this session's calculation without an inputs file: the session's own
  unknown,  // no inputs file or one without them: the defaults stand in
};

struct KeptPrices {
  core::CostInputs prices;
  PriceSource source = PriceSource::unknown;
};

// Whether `calculation` is `session`'s, listed from its summary before its inputs file is kept.
bool is_unkept_session_calculation(const KeptCalculation& calculation,
                                   const std::optional<SessionCalculation>& session);

// The inputs of cost of each kept calculation: those its inputs file keeps; for `session`'s
// calculation, which has none before its keep question is answered, the session's; else the
// defaults, as unknown.
std::vector<KeptPrices> kept_prices(const std::vector<KeptCalculation>& calculations,
                                    const std::optional<SessionCalculation>& session);

// How the comparison names where a calculation's prices come from.
QString price_source_text(PriceSource source);

// Each kept calculation's year (see kept_years) on the bill's terms, with `prices` (one per
// calculation, from kept_prices). Nothing for a calculation whose case or climate cannot be had.
std::vector<std::optional<core::YearCost>> kept_costs(const std::vector<CalculationYear>& years,
                                                      const std::vector<KeptPrices>& prices);

}  // namespace varmkalk
