// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "core/files/file_access.h"
#include "core/formats/keymark_file.h"
#include "core/heatpump/heat_pump_unit.h"

namespace varmkalk::core::testing {

// A unit shipped in data/heatpumps and its declared SCOP, average 35 / 55, colder 35 / 55 °C,
// as the certificates give them.
struct ShippedUnit {
  const char* file;
  const char* title;
  HeatSource source;
  std::array<double, 4> declared_scop;
};

inline constexpr std::array<ShippedUnit, 11> kShippedUnits{{
    {"_CTC_ABCTC_EcoAir_610M.csv",
     "CTC EcoAir 610M",
     HeatSource::outdoor_air,
     {4.81, 3.64, 4.08, 3.17}},
    {"_CTC_ABCTC_EcoAir_622M.csv",
     "CTC EcoAir 622M",
     HeatSource::outdoor_air,
     {4.92, 3.77, 4.30, 3.48}},
    {"_Bosch_Thermoteknik_ABIVT_AirSplit_306_308_309-S.csv",
     "IVT AirBox Split E6 308-S",
     HeatSource::outdoor_air,
     {4.71, 3.22, 3.90, 2.75}},
    {"_ThermiaATHENA_18_400V_H_.csv",
     "ATHENA 18 400V H",
     HeatSource::outdoor_air,
     {4.63, 3.59, 4.05, 3.33}},
    {"_CTC_ABCTC_EcoAir_410.csv",
     "CTC EcoAir 410 3x400V",
     HeatSource::outdoor_air,
     {3.92, 3.25, 3.50, 2.80}},
    {"_Nibe_ABS1x55-12.csv", "S1155-12 3x400", HeatSource::brine, {5.23, 4.13, 5.40, 4.25}},
    {"_ThermiaThermia_Calibra_Eco_12.csv",
     "Thermia Calibra Eco 12 230V",
     HeatSource::brine,
     {5.67, 4.25, 5.85, 4.39}},
    {"_ThermiaThermia_Calibra_7.csv",
     "Thermia Calibra 7 230V",
     HeatSource::brine,
     {5.56, 3.96, 5.77, 4.12}},
    {"_ThermiaThermia_Atlas_12.csv", "ATLAS 12 400V", HeatSource::brine, {5.75, 4.25, 5.86, 4.39}},
    {"_ThermiaThermia_Legend_8.csv",
     "Thermia Legend 8 230-1",
     HeatSource::brine,
     {4.96, 3.64, 5.10, 3.74}},
    {"_Nibe_ABF7x0.csv", "F730", HeatSource::exhaust_air, {4.38, 3.38, 4.65, 3.58}},
}};

inline HeatPumpUnit read_shipped(const ShippedUnit& unit) {
  const std::string path = std::string(VARMKALK_HEAT_PUMP_TEST_DATA) + "/" + unit.file;
  return read_keymark_unit(read_file(path), unit.file, unit.title);
}

}  // namespace varmkalk::core::testing
