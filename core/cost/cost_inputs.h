// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "core/text/ranged_quantity.h"

namespace varmkalk::core {

// What the year's gas, electricity and emissions cost and weigh, on the gas bill's terms. These
// are no inputs of the model: the control file never carries them.
struct CostInputs {
  double fuel_hhv_ratio = 0.0;                 // upper over lower heating value of the gas
  double gas_kwh_per_m3 = 0.0;                 // the bill's kWh (upper) per normal m³
  double gas_price_sek_per_kwh = 0.0;          // all-in, per kWh of the bill
  double fixed_fee_sek = 0.0;                  // per year
  double electricity_price_sek_per_kwh = 0.0;  // for the circulation pump
  double gas_co2_kg_per_kwh = 0.0;             // per kWh of the bill (upper heating value)
  double electricity_co2_kg_per_kwh = 0.0;

  friend bool operator==(const CostInputs&, const CostInputs&) = default;
};

// One of the inputs described once.
using CostQuantity = RangedQuantity<CostInputs>;

extern const std::array<CostQuantity, 7> kCostQuantities;

// Every input at its default.
CostInputs default_cost_inputs();

// The quantity of that key, if there is one.
const CostQuantity* cost_quantity(std::string_view key);

// The first quantity whose value is no finite number within its range, if any.
std::optional<CostQuantity> invalid_cost_input(const CostInputs& inputs);

}  // namespace varmkalk::core
