// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cost/cost_inputs.h"

#include <QLocale>
#include <QString>

#include <array>
#include <variant>

namespace varmkalk {

// The texts of the fields of "Kostnad och klimat…", in the order of core::kCostQuantities.
using CostTexts = std::array<QString, core::kCostQuantities.size()>;

// A quantity's label with its unit, as the dialog and its messages show it.
QString cost_field_label(const core::CostQuantity& quantity);

// The inputs as the fields show them in `locale`: four significant digits, no grouping.
CostTexts cost_texts(const core::CostInputs& prices, const QLocale& locale);

// A field that is no number, or none in its range: which one, and the message that says so.
struct CostFieldError {
  std::size_t index = 0;
  QString message;
};

// The fields read in `locale`, digit groups set apart by blanks as a bill prints them: every one
// a number within its range, or the first that is not. A field whose text is still the one
// `shown` gives keeps that value to its last digit.
std::variant<core::CostInputs, CostFieldError> read_cost_texts(const CostTexts& texts,
                                                               const core::CostInputs& shown,
                                                               const QLocale& locale);

}  // namespace varmkalk
