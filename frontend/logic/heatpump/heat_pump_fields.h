// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/form/heat_pump_plan.h"
#include "frontend/logic/form/ranged_fields.h"

#include <QLocale>
#include <QString>

#include <array>
#include <variant>

namespace varmkalk {

// The texts of the dialog's number fields, each group in the order of its quantities.
struct HeatPumpTexts {
  std::array<QString, 1> capacity;
  std::array<QString, core::kHeatPumpQuantities.size()> settings;
  std::array<QString, core::kEconomyQuantities.size()> economy;
};

HeatPumpTexts heat_pump_texts(const HeatPumpPlan& plan, const QLocale& locale);

// A field that is no number or none in its range: its quantity's key and the message.
struct HeatPumpFieldError {
  QString key;
  QString message;
};

// The fields read over `shown` (whose unit and check boxes stand): every one a number within
// its range, or the first that is not. The capacity is read only for a generic unit.
std::variant<HeatPumpPlan, HeatPumpFieldError> read_heat_pump_texts(const HeatPumpTexts& texts,
                                                                    const HeatPumpPlan& shown,
                                                                    const QLocale& locale);

}  // namespace varmkalk
