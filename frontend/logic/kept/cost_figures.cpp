// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/kept/cost_figures.h"

#include "core/cost/generators.h"
#include "core/files/run_error.h"
#include "frontend/logic/run/calc_identity.h"
#include "frontend/logic/run/file_names.h"

#include <QCoreApplication>

#include <cmath>
#include <exception>
#include <variant>

namespace varmkalk {

namespace {

// The column the values of the result box's lines stand in, and their width.
constexpr qsizetype kLabelWidth = 49;
constexpr qsizetype kValueWidth = 9;

}  // namespace

std::vector<CostFigure> cost_figures(const core::YearCost& cost) {
  std::vector<CostFigure> figures;
  for (const core::YearFigure& figure : core::gas_boiler().figures) {
    QString label = from_utf8(figure.label);
    if (!figure.qualifier.empty()) {
      label += QStringLiteral(" (%1)").arg(from_utf8(figure.qualifier));
    }
    figures.push_back({label, from_utf8(figure.unit), cost.*figure.member});
  }
  return figures;
}

QString cost_value_text(const std::optional<double>& value, const QLocale& locale) {
  if (!value || !std::isfinite(*value)) {
    return QStringLiteral("–");
  }
  // A plain blank between the groups of digits: a text box shows the locale's no-break space
  // as one anyway, and a copied line then reads the same.
  return locale.toString(static_cast<qlonglong>(std::llround(*value)))
      .replace(QChar(0x00A0), QLatin1Char(' '));
}

QStringList cost_lines(const core::YearCost& cost, const QLocale& locale,
                       std::optional<double> fuel_hhv_ratio) {
  QStringList lines{
      QCoreApplication::translate("CostFigures", "Hela året på gasräkningens villkor:")};
  for (const CostFigure& figure : cost_figures(cost)) {
    lines +=
        QStringLiteral("  %1%2 %3")
            .arg((figure.label + QLatin1Char(' ')).leftJustified(kLabelWidth, QLatin1Char('.')),
                 cost_value_text(figure.value, locale).rightJustified(kValueWidth), figure.unit);
  }
  if (fuel_hhv_ratio && std::isfinite(*fuel_hhv_ratio)) {
    lines += efficiency_basis_line(*fuel_hhv_ratio, locale);
  }
  lines += QString();
  return lines;
}

QString efficiency_basis_line(double fuel_hhv_ratio, const QLocale& locale) {
  constexpr int kRatioDecimals = 3;
  // As narrow as the figures above it, so that the result box shows it without scrolling.
  return QCoreApplication::translate(
             "CostFigures", "Sammanfattningen: undre värmevärdet; gasräkningen: övre (×%1).")
      .arg(locale.toString(fuel_hhv_ratio, 'f', kRatioDecimals));
}

std::variant<core::YearCost, QString> calculation_cost(const CalculationYear& computed,
                                                       const core::CostInputs& prices) {
  if (const auto* why = std::get_if<QString>(&computed)) {
    return *why;
  }
  const CaseYear& ran = std::get<CaseYear>(computed);
  // The engine's order: a climate that is no year is named before the model is asked.
  if (const std::optional<std::string> fault = core::not_a_climate_year(*ran.climate)) {
    return from_utf8(*fault);
  }
  if (!ran.year) {
    return from_utf8(core::kOutOfMemory);
  }
  try {
    auto cost = core::billed_year(ran.input, core::case_result(ran.input, *ran.climate, *ran.year),
                                  *ran.climate, prices);
    if (auto* billed = std::get_if<core::YearCost>(&cost)) {
      return *billed;
    }
    return from_utf8(std::get<std::string>(cost));
  } catch (const std::exception& e) {
    return from_utf8(e.what());
  }
}

bool is_unkept_session_calculation(const KeptCalculation& calculation,
                                   const std::optional<SessionCalculation>& session) {
  return !calculation.inputs && session &&
         calculation.identity == session->identity.leftJustified(kIdentityLength, QLatin1Char(' '));
}

std::vector<KeptPrices> kept_prices(const std::vector<KeptCalculation>& calculations,
                                    const std::optional<SessionCalculation>& session) {
  std::vector<KeptPrices> prices;
  for (const KeptCalculation& calculation : calculations) {
    if (calculation.inputs && calculation.inputs->prices) {
      prices.push_back({*calculation.inputs->prices, PriceSource::kept});
    } else if (is_unkept_session_calculation(calculation, session)) {
      prices.push_back({session->prices, PriceSource::session});
    } else {
      prices.push_back({core::default_cost_inputs(), PriceSource::unknown});
    }
  }
  return prices;
}

QString price_source_text(PriceSource source) {
  switch (source) {
    case PriceSource::kept:
      return QCoreApplication::translate("CostFigures", "sparade");
    case PriceSource::session:
      return QCoreApplication::translate("CostFigures", "sessionens");
    case PriceSource::unknown:
      break;
  }
  return QCoreApplication::translate("CostFigures", "okända, standardvärden");
}

std::vector<std::optional<core::YearCost>> kept_costs(const std::vector<CalculationYear>& years,
                                                      const std::vector<KeptPrices>& prices) {
  std::vector<std::optional<core::YearCost>> costs;
  for (std::size_t i = 0; i < years.size(); ++i) {
    if (i >= prices.size()) {
      costs.emplace_back();
      continue;
    }
    auto cost = calculation_cost(years[i], prices[i].prices);
    if (auto* billed = std::get_if<core::YearCost>(&cost)) {
      costs.emplace_back(*billed);
    } else {
      costs.emplace_back();
    }
  }
  return costs;
}

}  // namespace varmkalk
