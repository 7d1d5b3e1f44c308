// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/kept/cost_figures.h"

#include "core/case/climate_choice.h"
#include "core/formats/control_file.h"
#include "frontend/logic/kept/kept_year.h"
#include "frontend/logic/run/calc_identity.h"
#include "frontend/logic/run/file_names.h"

#include <QCoreApplication>
#include <QHash>

#include <memory>

#include <cmath>
#include <filesystem>
#include <variant>

namespace varmkalk {

namespace {

// The column the values of the result box's lines stand in, and their width.
constexpr qsizetype kLabelWidth = 49;
constexpr qsizetype kValueWidth = 9;

std::optional<core::BoilerCase> case_of(const KeptCalculation& calculation) {
  const QString& identity =
      calculation.inputs ? calculation.inputs->identity : calculation.identity;
  auto input = kept_case(calculation.inputs, calculation.summary, identity.trimmed());
  if (auto* found = std::get_if<core::BoilerCase>(&input)) {
    return std::move(*found);
  }
  return std::nullopt;
}

}  // namespace

std::vector<CostFigure> cost_figures(const core::YearCost& cost) {
  const QString kwh = QStringLiteral("kWh/år");
  const QString sek = QStringLiteral("kr/år");
  return {
      {QStringLiteral("Gas enligt gasräkningen (övre värmevärde)"), kwh, cost.gas_bill_kwh},
      {QStringLiteral("Gas enligt gasräkningen"), QStringLiteral("m³/år"), cost.gas_m3},
      {QString::fromUtf8(kSummerHotWaterLabel), kwh, cost.summer_gas_bill_kwh},
      {QStringLiteral("Kostnad för gasen"), sek, cost.gas_cost_sek},
      {QStringLiteral("Fast avgift"), sek, cost.fixed_fee_sek},
      {QStringLiteral("Cirkulationspumpens el"), sek, cost.pump_cost_sek},
      {QStringLiteral("Kostnad totalt"), sek, cost.total_cost_sek},
      {QStringLiteral("Koldioxid"), QStringLiteral("kg/år"), cost.co2_kg},
  };
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
  QStringList lines{QStringLiteral("Hela året på gasräkningens villkor:")};
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

std::variant<core::YearCost, QString> folder_cost(const QString& folder,
                                                  const QString& climate_fallback_dir,
                                                  const core::CostInputs& prices) {
  try {
    const core::BoilerCase input = core::read_control_file(to_path(folder));
    const core::FoundClimate climate =
        core::find_climate(core::climate_file_name(input.climate), to_path(folder),
                           optional_folder_path(climate_fallback_dir));
    auto cost = core::case_cost(input, climate, prices);
    if (auto* billed = std::get_if<core::YearCost>(&cost)) {
      return *billed;
    }
    return from_utf8(std::get<std::string>(cost));
  } catch (const std::exception& e) {
    return from_utf8(e.what());
  }
}

std::vector<KeptPrices> kept_prices(const std::vector<KeptCalculation>& calculations,
                                    const std::optional<SessionCalculation>& session) {
  std::vector<KeptPrices> prices;
  for (const KeptCalculation& calculation : calculations) {
    if (calculation.inputs && calculation.inputs->prices) {
      prices.push_back({*calculation.inputs->prices, PriceSource::kept});
    } else if (!calculation.inputs && session &&
               calculation.identity ==
                   session->identity.leftJustified(kIdentityLength, QLatin1Char(' '))) {
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

std::vector<std::optional<core::YearCost>> kept_costs(
    const std::vector<KeptCalculation>& calculations, const std::vector<KeptPrices>& prices,
    const QString& folder, const QString& climate_fallback_dir) {
  std::vector<std::optional<core::YearCost>> costs;
  QHash<QString, std::shared_ptr<core::FoundClimate>> climates;
  for (std::size_t i = 0; i < calculations.size(); ++i) {
    const std::optional<core::BoilerCase> input = case_of(calculations[i]);
    if (!input || i >= prices.size()) {
      costs.emplace_back();
      continue;
    }
    const std::string_view name = core::climate_file_name(input->climate);
    const QString key = from_utf8(name);
    if (!climates.contains(key)) {
      climates.insert(key, std::make_shared<core::FoundClimate>(core::find_climate(
                               name, to_path(folder), optional_folder_path(climate_fallback_dir))));
    }
    auto cost = core::case_cost(*input, *climates.value(key), prices[i].prices);
    if (auto* billed = std::get_if<core::YearCost>(&cost)) {
      costs.emplace_back(*billed);
    } else {
      costs.emplace_back();
    }
  }
  return costs;
}

}  // namespace varmkalk
