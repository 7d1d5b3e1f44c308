// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cost/side_by_side.h"

#include <array>
#include <stdexcept>

#include "core/model/model_input_error.h"

namespace varmkalk::core {

namespace {

using Value = std::optional<double>;

constexpr std::string_view kKwhPerYear = "kWh/år";

constexpr std::array<SideBySideFigure, 13> kFigures = {{
    {"gas_bill_kwh", "Gas enligt gasräkningen", kKwhPerYear, FigureFormat::whole, FigureOf::boiler,
     [](const SideBySide& s) -> Value { return s.boiler_cost.gas_bill_kwh; },
     [](const SideBySide&) -> Value { return std::nullopt; }},
    {"gas_m3", "Gas enligt gasräkningen", "m³/år", FigureFormat::whole, FigureOf::boiler,
     [](const SideBySide& s) -> Value { return s.boiler_cost.gas_m3; },
     [](const SideBySide&) -> Value { return std::nullopt; }},
    {"electricity_kwh", "El", kKwhPerYear, FigureFormat::whole, FigureOf::both,
     [](const SideBySide& s) -> Value { return s.boiler_cost.electricity_kwh; },
     [](const SideBySide& s) -> Value { return s.heat_pump_cost.electricity_kwh; }},
    // The boiler's on the lower heating value, as the engine's summary gives it.
    {"annual_efficiency", "Årsverkningsgrad", "%", FigureFormat::percent, FigureOf::boiler,
     [](const SideBySide& s) -> Value { return s.boiler.year.seasonal_figure; },
     [](const SideBySide&) -> Value { return std::nullopt; }},
    {"spf", "Årsvärmefaktor", "", FigureFormat::two_decimals, FigureOf::heat_pump,
     [](const SideBySide&) -> Value { return std::nullopt; },
     [](const SideBySide& s) -> Value { return s.heat_pump.seasonal_performance_factor; }},
    {"backup_kwh", "Elpatronens värme", kKwhPerYear, FigureFormat::whole, FigureOf::heat_pump,
     [](const SideBySide&) -> Value { return std::nullopt; },
     [](const SideBySide& s) -> Value { return s.heat_pump.backup_heat_kwh; }},
    {"backup_days", "Dygn med elpatron", "dygn", FigureFormat::whole, FigureOf::heat_pump,
     [](const SideBySide&) -> Value { return std::nullopt; },
     [](const SideBySide& s) -> Value { return s.heat_pump.backup_days; }},
    {"unmet_kwh", "Värme som inte täcks", kKwhPerYear, FigureFormat::whole, FigureOf::heat_pump,
     [](const SideBySide&) -> Value { return std::nullopt; },
     [](const SideBySide& s) -> Value { return s.heat_pump.unmet_kwh; }},
    {"bivalent_c", "Balanstemperatur", "°C", FigureFormat::one_decimal, FigureOf::heat_pump,
     [](const SideBySide&) -> Value { return std::nullopt; },
     [](const SideBySide& s) -> Value { return s.heat_pump.bivalent_c; }},
    {"cost_sek", "Kostnad totalt", "kr/år", FigureFormat::whole, FigureOf::both,
     [](const SideBySide& s) -> Value { return s.boiler_cost.total_cost_sek; },
     [](const SideBySide& s) -> Value { return s.heat_pump_cost.total_cost_sek; }},
    {"co2_kg", "Koldioxid", "kg/år", FigureFormat::whole, FigureOf::both,
     [](const SideBySide& s) -> Value { return s.boiler_cost.co2_kg; },
     [](const SideBySide& s) -> Value { return s.heat_pump_cost.co2_kg; }},
    {"saving_sek", "Besparing med värmepumpen", "kr/år", FigureFormat::whole, FigureOf::heat_pump,
     [](const SideBySide&) -> Value { return std::nullopt; },
     [](const SideBySide& s) -> Value { return s.saving_sek; }},
    {"co2_saving_kg", "Minskad koldioxid", "kg/år", FigureFormat::whole, FigureOf::heat_pump,
     [](const SideBySide&) -> Value { return std::nullopt; },
     [](const SideBySide& s) -> Value { return s.co2_saving_kg; }},
}};

}  // namespace

std::variant<SideBySide, std::string> side_by_side(const BoilerCase& input,
                                                   const CaseResult& result,
                                                   const FoundClimate& climate,
                                                   const CostInputs& prices,
                                                   const HeatPumpInstallation& installation,
                                                   const HeatPumpEconomy& economy) {
  if (std::optional<std::string> fault = not_a_climate_year(climate)) {
    return std::move(*fault);
  }
  if (result.status == CaseStatus::error) {
    return result.message;
  }
  SideBySide sides;
  try {
    const auto days = static_cast<int>(climate.days->records.size());
    sides.boiler = gas_boiler_year(input, result, days);
    sides.heat_pump = heat_pump_year(input, installation, climate.days->records);
  } catch (const ModelInputError& refusal) {
    return std::string(refusal.what());
  }
  sides.boiler_cost = year_cost(sides.boiler.year, prices);
  sides.heat_pump_cost = year_cost(sides.heat_pump.year, prices);
  sides.saving_sek =
      yearly_saving_sek(sides.boiler_cost, sides.heat_pump_cost, economy.gas_connection_closed);
  sides.co2_saving_kg = sides.boiler_cost.co2_kg - sides.heat_pump_cost.co2_kg;
  sides.has_investment = economy.has_investment();
  if (sides.has_investment) {
    sides.payback_years = payback_years(economy, sides.saving_sek);
  }
  return sides;
}

int figure_decimals(FigureFormat format) {
  switch (format) {
    case FigureFormat::one_decimal:
    case FigureFormat::percent:
      return 1;
    case FigureFormat::two_decimals:
      return 2;
    case FigureFormat::whole:
      break;
  }
  return 0;
}

std::span<const SideBySideFigure> side_by_side_figures() {
  return kFigures;
}

const SideBySideFigure& side_by_side_figure(std::string_view key) {
  for (const SideBySideFigure& figure : kFigures) {
    if (figure.key == key) {
      return figure;
    }
  }
  throw std::out_of_range("no side-by-side figure " + std::string(key));
}

}  // namespace varmkalk::core
