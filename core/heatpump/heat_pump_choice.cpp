// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/heatpump/heat_pump_choice.h"

#include <stdexcept>

namespace varmkalk::core {

HeatPumpInstallation installed_choice(const HeatPumpChoice& choice, const HeatPumpUnit* unit) {
  if (choice.is_generic()) {
    return installed_generic(choice.generic, choice.capacity_kw, choice.settings);
  }
  if (unit == nullptr) {
    throw std::invalid_argument("a certified heat pump needs its unit");
  }
  return installed_unit(*unit, choice.settings);
}

}  // namespace varmkalk::core
