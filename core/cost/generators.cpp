// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cost/generators.h"

#include <array>
#include <stdexcept>

namespace varmkalk::core {
namespace {

constexpr std::string_view kKwhPerYear = "kWh/år";
constexpr std::string_view kSekPerYear = "kr/år";

// In the order the result box lists them.
constexpr std::array<YearFigure, 8> kGasBoilerFigures = {{
    {"Gas enligt gasräkningen", "övre värmevärde", kKwhPerYear, &YearCost::gas_bill_kwh,
     "gas_bill_kwh"},
    {"Gas enligt gasräkningen", "", "m³/år", &YearCost::gas_m3, "gas_m3"},
    // The days without heat demand: their hot water, the heater's loss and the boiler's own losses.
    {"Varmvatten och pannförluster, dygn utan värme", "", kKwhPerYear,
     &YearCost::summer_gas_bill_kwh, ""},
    {"Kostnad för gasen", "", kSekPerYear, &YearCost::gas_cost_sek, ""},
    {"Fast avgift", "", kSekPerYear, &YearCost::fixed_fee_sek, ""},
    {"Cirkulationspumpens el", "", kSekPerYear, &YearCost::electricity_cost_sek, ""},
    {"Kostnad totalt", "", kSekPerYear, &YearCost::total_cost_sek, "cost_sek"},
    {"Koldioxid", "", "kg/år", &YearCost::co2_kg, "co2_kg"},
}};

// The heat pump buys electricity alone: for the unit, its backup heater, its off modes and the
// circulation pump.
constexpr std::array<YearFigure, 4> kHeatPumpFigures = {{
    {"El", "värmepump, elpatron och cirkulationspump", kKwhPerYear, &YearCost::electricity_kwh, ""},
    {"Kostnad för elen", "", kSekPerYear, &YearCost::electricity_cost_sek, ""},
    {"Kostnad totalt", "", kSekPerYear, &YearCost::total_cost_sek, "hp_cost_sek"},
    {"Koldioxid", "", "kg/år", &YearCost::co2_kg, "hp_co2_kg"},
}};

const std::array<Generator, 2> kGenerators = {{
    {"gas_boiler", "Gaspanna", kGasBoilerFigures},
    {"heat_pump", "Värmepump", kHeatPumpFigures},
}};

}  // namespace

std::span<const Generator> generators() {
  return kGenerators;
}

const Generator& gas_boiler() {
  return kGenerators[0];
}

const Generator& heat_pump() {
  return kGenerators[1];
}

const YearFigure& year_figure(const Generator& generator, double YearCost::*member) {
  for (const YearFigure& figure : generator.figures) {
    if (figure.member == member) {
      return figure;
    }
  }
  throw std::out_of_range("no figure of " + std::string(generator.key) + " reads that member");
}

}  // namespace varmkalk::core
