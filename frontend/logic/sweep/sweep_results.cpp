// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/sweep/sweep_results.h"

#include "core/cost/generators.h"
#include "core/formats/run_warnings.h"
#include "core/formats/summary_report.h"
#include "core/text/fixed_format.h"
#include "frontend/logic/kept/spreadsheet_csv.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/logic/run/run_notices.h"

#include <QCoreApplication>
#include <QStringList>

#include <cmath>
#include <string>
#include <variant>

namespace varmkalk {

namespace {

// Enough digits to tell the points of a fine sweep apart, few enough to hide the last digits of
// a 32-bit value (20 % excess air is held as 20.000005).
constexpr int kValueDigits = 6;

QString with_decimal_point(std::string text, QChar decimal_point) {
  return QString::fromStdString(text).replace(QLatin1Char('.'), decimal_point);
}

bool has_year(const SweepResult& result) {
  return result.status != core::CaseStatus::error;
}

bool is_cost(SweepColumn column) {
  return column == SweepColumn::gas_bill || column == SweepColumn::total_cost ||
         column == SweepColumn::co2;
}

// The figure of the year on the gas bill's terms a cost column shows.
const core::YearFigure& cost_figure(SweepColumn column) {
  double core::YearCost::*member = &core::YearCost::co2_kg;
  if (column == SweepColumn::gas_bill) {
    member = &core::YearCost::gas_bill_kwh;
  } else if (column == SweepColumn::total_cost) {
    member = &core::YearCost::total_cost_sek;
  }
  return core::year_figure(core::gas_boiler(), member);
}

// The number behind a column of the year on the gas bill's terms.
std::optional<double> cost_number(const Sweep& sweep, std::size_t row, SweepColumn column) {
  if (!is_cost(column) || row >= sweep.costs.size() || !sweep.costs[row]) {
    return std::nullopt;
  }
  return (*sweep.costs[row]).*cost_figure(column).member;
}

// The float behind a numeric column; nothing for the value, the remark, the cost and a point
// without a year.
std::optional<float> column_number(const SweepResult& result, SweepColumn column) {
  if (!has_year(result)) {
    return std::nullopt;
  }
  const core::SummaryEnergies& e = result.energies;
  switch (column) {
    case SweepColumn::efficiency:
      return result.efficiency_percent;
    case SweepColumn::efficiency_without_pump:
      return result.efficiency_without_pump_percent;
    case SweepColumn::net_energy:
      return e.net_energy_kwh;
    case SweepColumn::gross_energy:
      return e.gross_energy_kwh;
    case SweepColumn::gross_energy_without_pump:
      return e.gross_energy_without_pump_kwh;
    case SweepColumn::convection_energy:
      return e.convection_energy_kwh;
    case SweepColumn::standby_energy:
      return e.standby_energy_kwh;
    case SweepColumn::flue_gas_energy:
      return e.flue_gas_energy_kwh;
    case SweepColumn::pilot_energy:
      return e.pilot_energy_kwh;
    case SweepColumn::pump_electricity:
      return e.pump_electricity_kwh;
    case SweepColumn::unmet_days:
      return static_cast<float>(result.totals.unmet_days);
    case SweepColumn::value:
    case SweepColumn::remark:
    case SweepColumn::gas_bill:
    case SweepColumn::total_cost:
    case SweepColumn::co2:
    case SweepColumn::hp_spf:
    case SweepColumn::hp_total_cost:
      break;
  }
  return std::nullopt;
}

bool is_efficiency(SweepColumn column) {
  return column == SweepColumn::efficiency || column == SweepColumn::efficiency_without_pump;
}

bool is_heat_pump(SweepColumn column) {
  return column == SweepColumn::hp_spf || column == SweepColumn::hp_total_cost;
}

// The number behind a column of the heat pump.
std::optional<double> heat_pump_number(const Sweep& sweep, std::size_t row, SweepColumn column) {
  if (!is_heat_pump(column) || row >= sweep.sides.size() || !sweep.sides[row]) {
    return std::nullopt;
  }
  const core::SideBySide& sides = *sweep.sides[row];
  return column == SweepColumn::hp_spf ? sides.heat_pump.seasonal_performance_factor
                                       : std::optional(sides.heat_pump_cost.total_cost_sek);
}

constexpr int kSpfDecimals = 2;

QString value_cell(const Sweep& sweep, std::size_t row, const QLocale& locale) {
  const SweepPoint& point = sweep.points[row];
  return point.category.isEmpty() ? sweep_value_text(point.position, locale) : point.category;
}

}  // namespace

QString sweep_column_heading(const Sweep& sweep, SweepColumn column) {
  switch (column) {
    case SweepColumn::value:
      return sweep.heading;
    case SweepColumn::efficiency:
      return QCoreApplication::translate("SweepResults", "Årsverkningsgrad (%)");
    case SweepColumn::efficiency_without_pump:
      return QCoreApplication::translate("SweepResults", "Årsverkningsgrad exkl. cirkpump (%)");
    case SweepColumn::net_energy:
      return QCoreApplication::translate("SweepResults", "Nettoenergibehov (kWh)");
    case SweepColumn::gross_energy:
      return QCoreApplication::translate("SweepResults", "Bruttoenergibehov (kWh)");
    case SweepColumn::gross_energy_without_pump:
      return QCoreApplication::translate("SweepResults", "Bruttoenergibehov exkl. cirkpump (kWh)");
    case SweepColumn::convection_energy:
      return QCoreApplication::translate("SweepResults", "Konvektionsförluster (kWh)");
    case SweepColumn::standby_energy:
      return QCoreApplication::translate("SweepResults", "Stilleståndsförluster (kWh)");
    case SweepColumn::flue_gas_energy:
      return QCoreApplication::translate("SweepResults", "Avgasförluster (kWh)");
    case SweepColumn::pilot_energy:
      return QCoreApplication::translate("SweepResults", "Pilotlågeenergi (kWh)");
    case SweepColumn::pump_electricity:
      return QCoreApplication::translate("SweepResults", "Cirkulationspumpens elanvändning (kWh)");
    case SweepColumn::unmet_days:
      return QCoreApplication::translate("SweepResults", "Dygn med underskott");
    case SweepColumn::gas_bill:
    case SweepColumn::total_cost:
    case SweepColumn::co2: {
      const core::YearFigure& figure = cost_figure(column);
      return QStringLiteral("%1 (%2)").arg(from_utf8(figure.label), from_utf8(figure.unit));
    }
    case SweepColumn::hp_spf:
      return QCoreApplication::translate("SweepResults", "Värmepumpens årsvärmefaktor");
    case SweepColumn::hp_total_cost:
      return QCoreApplication::translate("SweepResults", "Värmepumpens kostnad (kr/år)");
    case SweepColumn::remark:
      return QCoreApplication::translate("SweepResults", "Anmärkning");
  }
  return {};
}

void add_sweep_costs(Sweep& sweep, const core::FoundClimates& climates) {
  sweep.costs.clear();
  for (std::size_t row = 0; row < sweep.points.size() && row < sweep.results.size(); ++row) {
    const core::BoilerCase& input = sweep.points[row].input;
    auto cost = core::billed_year(input, sweep.results[row], climates.of(input), sweep.prices);
    if (auto* billed = std::get_if<core::YearCost>(&cost)) {
      sweep.costs.emplace_back(*billed);
    } else {
      sweep.costs.emplace_back();
    }
  }
}

void add_sweep_heat_pump(Sweep& sweep, const core::FoundClimates& climates) {
  sweep.sides.clear();
  if (!sweep.heat_pump) {
    return;
  }
  for (std::size_t row = 0; row < sweep.points.size() && row < sweep.results.size(); ++row) {
    const core::BoilerCase& input = sweep.points[row].input;
    auto sides = core::side_by_side(input, sweep.results[row], climates.of(input), sweep.prices,
                                    *sweep.heat_pump, sweep.economy);
    if (auto* both = std::get_if<core::SideBySide>(&sides)) {
      sweep.sides.emplace_back(*both);
    } else {
      sweep.sides.emplace_back();
    }
  }
}

std::optional<CostCrossing> cost_crossing(const Sweep& sweep) {
  const auto difference = [&sweep](std::size_t row) -> std::optional<double> {
    const std::optional<double> boiler = sweep_cost_sek(sweep, row);
    const std::optional<double> heat_pump = sweep_heat_pump_cost_sek(sweep, row);
    if (!boiler || !heat_pump || !sweep.points[row].category.isEmpty()) {
      return std::nullopt;
    }
    return *boiler - *heat_pump;
  };
  for (std::size_t row = 1; row < sweep.points.size(); ++row) {
    const std::optional<double> before = difference(row - 1);
    const std::optional<double> after = difference(row);
    if (!before || !after || (*before > 0.0) == (*after > 0.0) || *before == *after) {
      continue;
    }
    const double share = *before / (*before - *after);
    const double x0 = sweep.points[row - 1].position;
    const double x1 = sweep.points[row].position;
    const double cost0 = *sweep_cost_sek(sweep, row - 1);
    const double cost1 = *sweep_cost_sek(sweep, row);
    return CostCrossing{x0 + (x1 - x0) * share, cost0 + (cost1 - cost0) * share};
  }
  return std::nullopt;
}

std::vector<SweepColumn> sweep_columns(const Sweep& sweep) {
  std::vector<SweepColumn> columns;
  for (const SweepColumn column : kSweepColumns) {
    columns.push_back(column);
    if (column == SweepColumn::co2 && sweep.heat_pump) {
      columns.push_back(SweepColumn::hp_spf);
      columns.push_back(SweepColumn::hp_total_cost);
    }
  }
  return columns;
}

std::optional<double> sweep_heat_pump_cost_sek(const Sweep& sweep, std::size_t row) {
  return heat_pump_number(sweep, row, SweepColumn::hp_total_cost);
}

QString sweep_value_text(double value, const QLocale& locale) {
  QString text = QLocale::c().toString(value, 'g', kValueDigits);
  // A value that rounds to zero is written "0", never "-0".
  if (QLocale::c().toDouble(text) == 0.0) {
    return QStringLiteral("0");
  }
  return text.replace(QLatin1Char('.'), locale.decimalPoint());
}

std::optional<double> sweep_cost_sek(const Sweep& sweep, std::size_t row) {
  return cost_number(sweep, row, SweepColumn::total_cost);
}

std::optional<double> sweep_efficiency_percent(const SweepResult& result, bool with_pump) {
  if (!has_year(result)) {
    return std::nullopt;
  }
  const std::optional<float> percent =
      with_pump ? result.efficiency_percent : result.efficiency_without_pump_percent;
  return percent ? std::optional<double>(*percent) : std::nullopt;
}

bool is_current_point(const Sweep& sweep, std::size_t row) {
  return sweep.points[row].input == sweep.base;
}

QString sweep_remark(const Sweep& sweep, std::size_t row, const QLocale& locale) {
  QStringList parts;
  if (is_current_point(sweep, row)) {
    parts << QCoreApplication::translate("SweepResults", "Formulärets värde.");
  }
  if (!sweep.points[row].note.isEmpty()) {
    parts << sweep.points[row].note;
  }
  const SweepResult& result = sweep.results[row];
  if (!has_year(result)) {
    parts << QCoreApplication::translate("SweepResults", "Beräknas inte: %1")
                 .arg(QString::fromStdString(result.message));
  } else {
    // The engine's warnings, with the decimals the user reads.
    const std::string decimal_point = locale.decimalPoint().toStdString();
    for (const std::string& warning : core::run_warnings(result.totals, decimal_point)) {
      parts << QString::fromStdString(warning);
    }
    if (const QString remark = part_load_remark(result.totals); !remark.isEmpty()) {
      parts << remark;
    }
  }
  return parts.join(QLatin1Char(' '));
}

QString sweep_point_tip(const Sweep& sweep, std::size_t row, const QLocale& locale) {
  const QString unit = sweep_unit(sweep.input);
  QString tip = value_cell(sweep, row, locale);
  if (!unit.isEmpty()) {
    tip += QLatin1Char(' ') + unit;
  }
  const SweepResult& result = sweep.results[row];
  const auto with_pump = column_number(result, SweepColumn::efficiency);
  const auto without_pump = column_number(result, SweepColumn::efficiency_without_pump);
  const QChar decimal_point = locale.decimalPoint().front();
  if (with_pump && without_pump) {
    tip +=
        QCoreApplication::translate("SweepResults", ": årsverkningsgrad %1 % (exkl. cirkpump %2 %)")
            .arg(with_decimal_point(core::format_decimal(*with_pump, 1), decimal_point),
                 with_decimal_point(core::format_decimal(*without_pump, 1), decimal_point));
  }
  const QString remark = sweep_remark(sweep, row, locale);
  return remark.isEmpty() ? tip : tip + QStringLiteral("\n") + remark;
}

QString sweep_cell_text(const Sweep& sweep, std::size_t row, SweepColumn column,
                        const QLocale& locale) {
  if (column == SweepColumn::value) {
    return value_cell(sweep, row, locale);
  }
  if (column == SweepColumn::remark) {
    return sweep_remark(sweep, row, locale);
  }
  if (is_cost(column)) {
    const std::optional<double> cost = cost_number(sweep, row, column);
    return cost ? locale.toString(static_cast<qlonglong>(std::llround(*cost))) : QString();
  }
  if (is_heat_pump(column)) {
    const std::optional<double> number = heat_pump_number(sweep, row, column);
    if (!number) {
      return {};
    }
    return column == SweepColumn::hp_spf
               ? locale.toString(*number, 'f', kSpfDecimals)
               : locale.toString(static_cast<qlonglong>(std::llround(*number)));
  }
  const std::optional<float> number = column_number(sweep.results[row], column);
  if (!number) {
    return {};
  }
  if (is_efficiency(column)) {
    return with_decimal_point(core::format_decimal(*number, 1), locale.decimalPoint().front());
  }
  // Whole kWh as the report prints them; days are whole already.
  const float whole = column == SweepColumn::unmet_days ? *number : core::whole_kwh(*number);
  return locale.toString(static_cast<qlonglong>(whole));
}

QByteArray sweep_csv(const Sweep& sweep, const QLocale& locale) {
  // Only its decimal separator counts.
  const QLocale value_locale =
      writes_decimal_comma(locale) ? QLocale(QLocale::Swedish) : QLocale::c();

  const std::vector<SweepColumn> columns = sweep_columns(sweep);
  QStringList headings;
  for (const SweepColumn column : columns) {
    headings += sweep_column_heading(sweep, column);
  }
  std::vector<QStringList> rows{headings};
  for (std::size_t row = 0; row < sweep.points.size(); ++row) {
    QStringList fields;
    for (const SweepColumn column : columns) {
      QString field;
      if (column == SweepColumn::value) {
        field = value_cell(sweep, row, value_locale);
      } else if (column == SweepColumn::remark) {
        field = sweep_remark(sweep, row, value_locale);
      } else if (is_cost(column)) {
        if (const std::optional<double> cost = cost_number(sweep, row, column)) {
          field = csv_number(static_cast<float>(std::round(*cost)), locale);
        }
      } else if (const std::optional<double> hp = heat_pump_number(sweep, row, column)) {
        field = column == SweepColumn::hp_spf
                    ? value_locale.toString(*hp, 'f', kSpfDecimals)
                    : csv_number(static_cast<float>(std::round(*hp)), locale);
      } else if (const auto number = column_number(sweep.results[row], column)) {
        field = csv_number(*number, locale);
      }
      fields += field;
    }
    rows.push_back(fields);
  }
  return spreadsheet_bytes(rows, csv_separator(locale));
}

}  // namespace varmkalk
