// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/case/boiler_case.h"

namespace varmkalk::core {

House house_of(const BoilerCase& input) {
  House house;
  house.design_heat_demand_w = input.building.design_heat_demand_w;
  house.indoor_temp_c = input.building.indoor_temp_c;
  house.design_supply_temp_c = input.heating_system.supply_temp_c;
  house.design_return_temp_c = input.heating_system.return_temp_c;
  house.hot_water = input.hot_water;
  house.climate = input.climate;
  return house;
}

}  // namespace varmkalk::core
