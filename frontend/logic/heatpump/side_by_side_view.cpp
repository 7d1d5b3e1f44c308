// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/heatpump/side_by_side_view.h"

#include "core/files/run_error.h"
#include "frontend/logic/heatpump/heat_pump_units.h"
#include "frontend/logic/run/file_names.h"

#include <QCoreApplication>

#include <cmath>
#include <exception>

namespace varmkalk {

namespace {

// The columns the two generators' values stand in, as wide as the cost lines above them.
constexpr qsizetype kLabelWidth = 41;
constexpr qsizetype kValueWidth = 10;
constexpr double kPercent = 100.0;

}  // namespace

QString generic_heat_pump_text(core::GenericHeatPump type) {
  switch (type) {
    case core::GenericHeatPump::brine:
      return QCoreApplication::translate("SideBySide", "Bergvärme");
    case core::GenericHeatPump::exhaust:
      return QCoreApplication::translate("SideBySide", "Frånluft");
    case core::GenericHeatPump::air:
      break;
  }
  return QCoreApplication::translate("SideBySide", "Luft/vatten");
}

QString heat_pump_name(const core::HeatPumpChoice& choice, const QLocale& locale) {
  if (!choice.is_generic()) {
    return from_utf8(choice.model);
  }
  return QCoreApplication::translate("SideBySide", "%1, typisk, %2 kW")
      .arg(generic_heat_pump_text(choice.generic),
           locale.toString(choice.capacity_kw, 'g', QLocale::FloatingPointShortest));
}

std::variant<core::SideBySide, QString> calculation_side_by_side(const CalculationYear& computed,
                                                                 const core::CostInputs& prices,
                                                                 const HeatPumpPlan& plan,
                                                                 const QString& heat_pump_folder) {
  if (const auto* why = std::get_if<QString>(&computed)) {
    return *why;
  }
  const CaseYear& ran = std::get<CaseYear>(computed);
  if (!ran.year) {
    return from_utf8(core::kOutOfMemory);
  }
  const auto loaded = load_heat_pump(plan.choice, heat_pump_folder);
  if (const auto* why = std::get_if<QString>(&loaded)) {
    return *why;
  }
  try {
    auto sides = core::side_by_side(
        ran.input, core::case_result(ran.input, *ran.climate, *ran.year), *ran.climate, prices,
        std::get<LoadedHeatPump>(loaded).installation, plan.economy);
    if (auto* both = std::get_if<core::SideBySide>(&sides)) {
      return *both;
    }
    return from_utf8(std::get<std::string>(sides));
  } catch (const std::exception& e) {
    return from_utf8(e.what());
  }
}

std::vector<std::optional<ComparedHeatPump>> kept_heat_pumps(
    const std::vector<KeptCalculation>& calculations, const std::vector<CalculationYear>& years,
    const std::vector<KeptPrices>& prices, const std::optional<SessionCalculation>& session,
    const QString& heat_pump_folder, const QLocale& locale) {
  std::vector<std::optional<ComparedHeatPump>> heat_pumps;
  for (std::size_t i = 0; i < calculations.size(); ++i) {
    const KeptCalculation& calculation = calculations[i];
    std::optional<HeatPumpPlan> plan;
    if (calculation.inputs) {
      plan = calculation.inputs->heat_pump;
    } else if (is_unkept_session_calculation(calculation, session)) {
      plan = session->heat_pump;
    }
    if (!plan || i >= years.size() || i >= prices.size()) {
      heat_pumps.emplace_back();
      continue;
    }
    ComparedHeatPump compared{heat_pump_name(plan->choice, locale), std::nullopt};
    auto sides = calculation_side_by_side(years[i], prices[i].prices, *plan, heat_pump_folder);
    if (auto* both = std::get_if<core::SideBySide>(&sides)) {
      compared.sides = *both;
    }
    heat_pumps.emplace_back(std::move(compared));
  }
  return heat_pumps;
}

QString side_by_side_value_text(const std::optional<double>& value, core::FigureFormat format,
                                const QLocale& locale) {
  if (!value || !std::isfinite(*value)) {
    return QStringLiteral("–");
  }
  QString text =
      format == core::FigureFormat::whole
          ? locale.toString(static_cast<qlonglong>(std::llround(*value)))
          : locale.toString(format == core::FigureFormat::percent ? *value * kPercent : *value, 'f',
                            core::figure_decimals(format));
  // A plain blank between digit groups, so that a copied line reads the same.
  return text.replace(QChar(0x00A0), QLatin1Char(' '));
}

std::optional<QString> payback_text(const core::SideBySide& sides, const QLocale& locale) {
  if (!sides.has_investment) {
    return std::nullopt;
  }
  if (!sides.payback_years) {
    return QCoreApplication::translate("SideBySide", "lönar sig inte");
  }
  return side_by_side_value_text(sides.payback_years, core::FigureFormat::one_decimal, locale);
}

std::vector<SideBySideRow> side_by_side_rows(const core::SideBySide& sides, const QLocale& locale) {
  std::vector<SideBySideRow> rows;
  for (const core::SideBySideFigure& figure : core::side_by_side_figures()) {
    const QString label = from_utf8(figure.label);
    rows.push_back(
        {figure.unit.empty() ? label : QStringLiteral("%1 (%2)").arg(label, from_utf8(figure.unit)),
         side_by_side_value_text(figure.boiler(sides), figure.format, locale),
         side_by_side_value_text(figure.heat_pump(sides), figure.format, locale)});
  }
  if (const std::optional<QString> payback = payback_text(sides, locale)) {
    rows.push_back({QCoreApplication::translate("SideBySide", "Återbetalningstid (år)"),
                    QStringLiteral("–"), *payback});
  }
  return rows;
}

QString daily_model_limits_line() {
  return QCoreApplication::translate(
      "SideBySide", "Dygnsmodellen visar inte toppeffekt, säkringar eller effekttariffer.");
}

QStringList side_by_side_lines(const core::SideBySide& sides, const QString& heat_pump,
                               const QLocale& locale) {
  QStringList lines{
      QCoreApplication::translate("SideBySide", "Gaspannan och värmepumpen, hela året:"),
      QStringLiteral("  %1").arg(
          QCoreApplication::translate("SideBySide", "Värmepump: %1").arg(heat_pump)),
      QStringLiteral("  %1%2%3")
          .arg(QString().leftJustified(kLabelWidth),
               QCoreApplication::translate("SideBySide", "Gaspanna").rightJustified(kValueWidth),
               QCoreApplication::translate("SideBySide", "Värmepump")
                   .rightJustified(kValueWidth + 1))};
  for (const SideBySideRow& row : side_by_side_rows(sides, locale)) {
    lines +=
        QStringLiteral("  %1%2 %3")
            .arg((row.label + QLatin1Char(' ')).leftJustified(kLabelWidth, QLatin1Char('.')),
                 row.boiler.rightJustified(kValueWidth), row.heat_pump.rightJustified(kValueWidth));
  }
  lines += QStringLiteral("  %1").arg(daily_model_limits_line());
  lines += QString();
  return lines;
}

}  // namespace varmkalk
