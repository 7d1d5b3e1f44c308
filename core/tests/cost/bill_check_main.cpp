// SPDX-License-Identifier: GPL-3.0-or-later
// varmkalk_bill_check FOLDER...: the bill's check of the tests (bill_check.h) over case folders,
// each with its styrfil.dat and perhaps a climate file of its own; the bundled climates beside.
// Prints its figures; exit status 1 when a year breaks the check.
#include <exception>
#include <iostream>

#include "core/case/climate_choice.h"
#include "core/formats/control_file.h"
#include "core/tests/support/bill_check.h"

int main(int argc, char** argv) {
  using namespace varmkalk;
  testing::BillCheck check;
  int unreadable = 0;
  for (int i = 1; i < argc; ++i) {
    try {
      const core::BoilerCase house = core::read_control_file(argv[i]);
      const core::FoundClimate climate = core::find_climate(core::climate_file_name(house.climate),
                                                            argv[i], VARMKALK_CLIMATE_TEST_DATA);
      check.check(argv[i], house, climate, core::default_cost_inputs());
    } catch (const std::exception&) {
      ++unreadable;
    }
  }
  for (const std::string& fault : check.faults) {
    std::cout << fault << '\n';
  }
  std::cout << "hus " << check.houses << ", vägrade vid egen effekt " << check.refused_houses
            << ", olästa " << unreadable << ", år " << check.years << ", år utan värmedygn "
            << check.years_without_heating << ", största fall " << check.largest_fall_share * 100.0
            << " %, minsta marginal över värmen " << check.least_heat_margin_kwh
            << " kWh, år under varmvatten, beredarförlust och pilotlåga "
            << check.years_below_the_listed_sum << ", fel " << check.faults.size() << '\n';
  return check.faults.empty() ? 0 : 1;
}
