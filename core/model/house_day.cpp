// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/house_day.h"

namespace varmkalk::core {

DesignConditions design_conditions(const House& house) {
  return {design_outdoor_temp_c(house.climate), house.design_supply_temp_c,
          house.design_return_temp_c};
}

HeatingTemperatures no_load_heating(const House& house, const DesignConditions& design) {
  return heating_system_temperatures(0.0f, design.supply_temp_c, design.return_temp_c,
                                     house.indoor_temp_c);
}

}  // namespace varmkalk::core
