// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/input_quantities.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "core/case/units.h"

namespace varmkalk::core {
namespace {

double same(double value) {
  return value;
}

constexpr InputQuantity plain(std::string_view key, std::string_view label, std::string_view unit,
                              const SummaryValueLine* line, bool swept = true) {
  return {key, label, unit, same, same, line, swept};
}

}  // namespace

// The order is the sweep's list.
const std::array<InputQuantity, 20> kInputQuantities{{
    plain("min_return_temp", "Lägsta temperatur till pannan", "°C", &kMinReturnTempLine),
    {"burner_max_power", "Brännarens maxeffekt", "kW", watts_from_kw<double>, kw_from_watts<double>,
     &kMaxPowerLine, true},
    {"burner_min_power", "Brännarens mineffekt", "kW", watts_from_kw<double>, kw_from_watts<double>,
     &kMinPowerLine, true},
    {"air_ratio", "Luftöverskott", "%", air_ratio_from_excess_air<double>,
     excess_air_from_air_ratio<double>, &kAirRatioLine, true},
    plain("pilot_power", "Pilotflamma", "W", &kPilotPowerLine),
    plain("flue_gas_temp_2", "Avgastemperatur, hög", "°C", nullptr),
    plain("flue_gas_temp_1", "Avgastemperatur, låg", "°C", nullptr),
    plain("convection_constant", "Konvektionsförlust, konstant", "W/K^1,3",
          &kConvectionConstantLine),
    plain("standby_constant", "Stilleståndsförlust, konstant", "W/K^n", &kStandbyConstantLine),
    plain("standby_exponent", "Stilleståndsförlust, exponent", "", &kStandbyExponentLine),
    {"design_heat_demand", "Husets maximala uppvärmningsbehov", "kW", watts_from_kw<double>,
     kw_from_watts<double>, &kDesignHeatDemandLine, true},
    plain("indoor_temp", "Inomhustemperatur", "°C", &kIndoorTempLine),
    plain("hot_water_demand", "Årligt varmvattenbehov", "kWh/år", &kHotWaterLine),
    {"heater_loss", "Beredarens värmeförlust", "kWh/dag", watts_from_kwh_per_day<double>,
     kwh_per_day_from_watts<double>, &kHeaterLossLine, true},
    plain("pump_power", "Cirkulationspumpens eleffekt", "W", &kPumpPowerLine),
    plain("supply_temp_2", "Framtemperatur, hög", "°C", nullptr, false),
    plain("return_temp_2", "Returtemperatur, hög", "°C", nullptr, false),
    plain("supply_temp_1", "Framtemperatur, låg", "°C", nullptr, false),
    plain("return_temp_1", "Returtemperatur, låg", "°C", nullptr, false),
    plain("pump_efficiency", "Cirkulationspumpens verkningsgrad", "%", &kPumpShareLine, false),
}};

const ControlLine& InputQuantity::control_line() const {
  const auto found = std::find_if(kControlLines.begin(), kControlLines.end(),
                                  [this](const ControlLine& line) { return line.field == key; });
  if (found == kControlLines.end() || found->kind != ControlLineKind::number) {
    throw std::invalid_argument("ingen talrad i styrfilen heter " + std::string(key));
  }
  return *found;
}

double InputQuantity::value(const BoilerCase& input) const {
  return from_case(double(control_line().number(input)));
}

void InputQuantity::set(BoilerCase& input, double typed) const {
  control_line().set_number(input, static_cast<float>(to_case(typed)));
}

const InputQuantity& input_quantity(std::string_view key) {
  const auto found =
      std::find_if(kInputQuantities.begin(), kInputQuantities.end(),
                   [key](const InputQuantity& quantity) { return quantity.key == key; });
  if (found == kInputQuantities.end()) {
    throw std::invalid_argument("ingen indatastorhet heter " + std::string(key));
  }
  return *found;
}

}  // namespace varmkalk::core
