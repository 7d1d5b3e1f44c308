// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/heatpump/heat_pump_fields.h"

#include "frontend/logic/run/file_names.h"

namespace varmkalk {

namespace {

template <typename Inputs, std::size_t N>
std::optional<HeatPumpFieldError> read_group(
    const std::array<QString, N>& texts, Inputs& inputs,
    const std::array<core::RangedQuantity<Inputs>, N>& quantities, const QLocale& locale) {
  auto read = read_ranged_texts(texts, inputs, quantities, locale);
  if (const auto* fault = std::get_if<RangedFieldError>(&read)) {
    return HeatPumpFieldError{from_utf8(quantities[fault->index].key), fault->message};
  }
  inputs = std::get<Inputs>(read);
  return std::nullopt;
}

}  // namespace

HeatPumpTexts heat_pump_texts(const HeatPumpPlan& plan, const QLocale& locale) {
  return {ranged_texts(plan.choice, kCapacityQuantities, locale),
          ranged_texts(plan.choice.settings, core::kHeatPumpQuantities, locale),
          ranged_texts(plan.economy, core::kEconomyQuantities, locale)};
}

std::variant<HeatPumpPlan, HeatPumpFieldError> read_heat_pump_texts(const HeatPumpTexts& texts,
                                                                    const HeatPumpPlan& shown,
                                                                    const QLocale& locale) {
  HeatPumpPlan plan = shown;
  std::optional<HeatPumpFieldError> fault;
  if (plan.choice.is_generic()) {
    fault = read_group(texts.capacity, plan.choice, kCapacityQuantities, locale);
  }
  if (!fault) {
    fault = read_group(texts.settings, plan.choice.settings, core::kHeatPumpQuantities, locale);
  }
  if (!fault) {
    fault = read_group(texts.economy, plan.economy, core::kEconomyQuantities, locale);
  }
  if (fault) {
    return *fault;
  }
  return plan;
}

}  // namespace varmkalk
