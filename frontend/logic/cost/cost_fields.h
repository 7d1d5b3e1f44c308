// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cost/cost_inputs.h"
#include "frontend/logic/form/ranged_fields.h"

#include <QLocale>
#include <QString>

#include <array>
#include <variant>

namespace varmkalk {

// The texts of the fields of "Kostnad och klimat…", in the order of core::kCostQuantities.
using CostTexts = std::array<QString, core::kCostQuantities.size()>;
using CostFieldError = RangedFieldError;

// A quantity's label with its unit, as the dialog and its messages show it.
inline QString cost_field_label(const core::CostQuantity& quantity) {
  return ranged_field_label(quantity);
}

// The inputs as the fields show them in `locale`: four significant digits, no grouping.
inline CostTexts cost_texts(const core::CostInputs& prices, const QLocale& locale) {
  return ranged_texts(prices, core::kCostQuantities, locale);
}

// The fields read in `locale`, digit groups set apart by blanks as a bill prints them: every one
// a number within its range, or the first that is not. A field whose text is still the one
// `shown` gives keeps that value to its last digit.
inline std::variant<core::CostInputs, CostFieldError> read_cost_texts(const CostTexts& texts,
                                                                      const core::CostInputs& shown,
                                                                      const QLocale& locale) {
  return read_ranged_texts(texts, shown, core::kCostQuantities, locale);
}

}  // namespace varmkalk
