// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cost/cost_inputs.h"

#include <algorithm>

#include "core/cost/gas_properties.h"

namespace varmkalk::core {
namespace {

// Round figures of the right size for a house in 2024, meant to be replaced by the user's own
// bills: gas all-in (network fee, energy tax, CO2 tax and VAT included), the yearly fixed fee and
// electricity all-in.
constexpr double kGasPriceSekPerKwh = 2.0;
constexpr double kFixedFeeSek = 2000.0;
constexpr double kElectricityPriceSekPerKwh = 2.0;
// Nordic electricity with the trade across the borders counted, on average over the three years
// studied: about 90 g CO2e per kWh (IVL Svenska Miljöinstitutet for SMED and Naturvårdsverket,
// SMED report 4, 2021).
constexpr double kElectricityCo2KgPerKwh = 0.090;

constexpr GasProperties kModelGas = model_gas_properties();

}  // namespace

constinit const std::array<CostQuantity, 7> kCostQuantities{{
    {"fuel_hhv_ratio", "Kvot övre/undre värmevärde", "", &CostInputs::fuel_hhv_ratio,
     kModelGas.upper_to_lower_ratio(), 1.0, 1.2, "modellens naturgas: övre värmevärde genom undre"},
    {"gas_kwh_per_m3", "Gasens energi per m³", "kWh/m³", &CostInputs::gas_kwh_per_m3,
     kModelGas.upper_kwh_per_m3(), 8.0, 15.0, "modellens naturgas: övre värmevärde per normal m³"},
    {"gas_price_sek_per_kwh", "Gaspris, allt inräknat", "kr/kWh",
     &CostInputs::gas_price_sek_per_kwh, kGasPriceSekPerKwh, 0.0, 50.0,
     "ett ungefärligt pris för en villakund 2024"},
    {"fixed_fee_sek", "Fast avgift", "kr/år", &CostInputs::fixed_fee_sek, kFixedFeeSek, 0.0,
     100000.0, "en ungefärlig fast avgift för en villakund 2024"},
    {"electricity_price_sek_per_kwh", "Elpris", "kr/kWh",
     &CostInputs::electricity_price_sek_per_kwh, kElectricityPriceSekPerKwh, 0.0, 50.0,
     "ett ungefärligt pris för en villakund 2024, allt inräknat"},
    {"gas_co2_kg_per_kwh", "Gasens koldioxid", "kg/kWh", &CostInputs::gas_co2_kg_per_kwh,
     kModelGas.co2_kg_per_upper_kwh(), 0.0, 1.0,
     "modellens naturgas: kolet i gasen per kWh övre värmevärde"},
    {"electricity_co2_kg_per_kwh", "Elens koldioxid", "kg/kWh",
     &CostInputs::electricity_co2_kg_per_kwh, kElectricityCo2KgPerKwh, 0.0, 2.0,
     "nordisk elmix med import och export, IVL för SMED/Naturvårdsverket 2021"},
}};

CostInputs default_cost_inputs() {
  CostInputs inputs;
  for (const CostQuantity& quantity : kCostQuantities) {
    inputs.*quantity.member = quantity.default_value;
  }
  return inputs;
}

const CostQuantity* cost_quantity(std::string_view key) {
  const auto found =
      std::find_if(kCostQuantities.begin(), kCostQuantities.end(),
                   [key](const CostQuantity& quantity) { return quantity.key == key; });
  return found == kCostQuantities.end() ? nullptr : &*found;
}

std::optional<CostQuantity> invalid_cost_input(const CostInputs& inputs) {
  return first_outside_range<CostInputs>(kCostQuantities, inputs);
}

}  // namespace varmkalk::core
