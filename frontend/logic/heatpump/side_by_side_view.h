// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cost/cost_inputs.h"
#include "core/cost/side_by_side.h"
#include "frontend/logic/heatpump/heat_pump_fields.h"
#include "frontend/logic/kept/comparison_table.h"
#include "frontend/logic/kept/cost_figures.h"
#include "frontend/logic/run/folder_year.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

namespace varmkalk {

// How a heat pump is named to the user: a certified unit by its variant's title, a generic one
// by its kind and size.
QString heat_pump_name(const core::HeatPumpChoice& choice, const QLocale& locale);

// A generic heat pump's kind as the dialog names it.
QString generic_heat_pump_text(core::GenericHeatPump type);

// The heat pump a calculation was shown with: both years, its name and the plan it came from.
struct ShownHeatPump {
  core::SideBySide sides;
  QString name;
  HeatPumpPlan plan;
};

// A calculation's year beside the plan's heat pump in the same house (units of shipped
// declarations found in `heat_pump_folder`), or why there is none (one line).
std::variant<core::SideBySide, QString> calculation_side_by_side(const CalculationYear& computed,
                                                                 const core::CostInputs& prices,
                                                                 const HeatPumpPlan& plan,
                                                                 const QString& heat_pump_folder);

// The heat pump each kept calculation was kept with (its inputs file's; for `session`'s
// calculation not kept yet, the session's), beside its boiler on its year (from kept_years) with
// its prices (from kept_prices); empty for a calculation without one.
std::vector<std::optional<ComparedHeatPump>> kept_heat_pumps(
    const std::vector<KeptCalculation>& calculations, const std::vector<CalculationYear>& years,
    const std::vector<KeptPrices>& prices, const std::optional<SessionCalculation>& session,
    const QString& heat_pump_folder, const QLocale& locale);

// A figure's value as the columns show it: in `format`, grouped as the locale groups (with a
// plain blank); "–" where the generator has none.
QString side_by_side_value_text(const std::optional<double>& value, core::FigureFormat format,
                                const QLocale& locale);

// One line of the two columns, its texts as shown.
struct SideBySideRow {
  QString label;  // with its unit in parentheses
  QString boiler;
  QString heat_pump;
};

// Every figure, and the payback where an investment is typed ("lönar sig inte" without a
// saving).
std::vector<SideBySideRow> side_by_side_rows(const core::SideBySide& sides, const QLocale& locale);

// The payback as shown: years with one decimal, "lönar sig inte" without a saving; empty
// without an investment.
std::optional<QString> payback_text(const core::SideBySide& sides, const QLocale& locale);

// What a daily model cannot tell of the heat pump, as the result box and the report say it.
QString daily_model_limits_line();

// The lines the result box shows above the engine's summary for the two: a heading naming the
// heat pump, the two columns, the line of what a day's model cannot tell, an empty line.
QStringList side_by_side_lines(const core::SideBySide& sides, const QString& heat_pump,
                               const QLocale& locale);

}  // namespace varmkalk
