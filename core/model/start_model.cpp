// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/start_model.h"

#include <cmath>
#include <string>

#include "core/case/climates.h"
#include "core/case/heating_systems.h"
#include "core/case/units.h"
#include "core/model/combustion_efficiency.h"
#include "core/model/day_model.h"
#include "core/model/flue_gas_temperature.h"
#include "core/model/house_day.h"
#include "core/model/standing_losses.h"
#include "core/text/number_text.h"

namespace varmkalk::core {
namespace {

struct InputValue {
  const char* label;
  float value;
  const char* unit;
};

std::string with_unit(float value, const char* unit) {
  std::string text = shortest_text(value);
  if (*unit != '\0') {
    text += ' ';
    text += unit;
  }
  return text;
}

void require_finite(const BoilerCase& input, const DesignConditions& design) {
  const InputValue values[] = {
      {"Konstanten för konvektionsförlusterna", input.losses.convection_constant, ""},
      {"Konstanten för stilleståndsförlusterna", input.losses.standby_constant, ""},
      {"Exponenten för stilleståndsförlusterna", input.losses.standby_exponent, ""},
      {"Brännarens maxeffekt", input.burner.max_power_w(), "W"},
      {"Brännarens mineffekt", input.burner.min_power_w(), "W"},
      {"Lufttalet", input.combustion.air_ratio, ""},
      {"Pilotlågeeffekten", input.combustion.pilot_power_w, "W"},
      {"Avgastemperaturen i fall 1", input.flue_gas.low_temp.flue_gas_temp_c, "°C"},
      {"Framledningstemperaturen i fall 1", input.flue_gas.low_temp.supply_temp_c, "°C"},
      {"Returtemperaturen i fall 1", input.flue_gas.low_temp.return_temp_c, "°C"},
      {"Avgastemperaturen i fall 2", input.flue_gas.high_temp.flue_gas_temp_c, "°C"},
      {"Framledningstemperaturen i fall 2", input.flue_gas.high_temp.supply_temp_c, "°C"},
      {"Returtemperaturen i fall 2", input.flue_gas.high_temp.return_temp_c, "°C"},
      {"Cirkulationspumpens eleffekt", input.pump.power_w, "W"},
      {"Cirkulationspumpens verkningsgrad", input.pump.heat_share_percent, "%"},
      {"Byggnadens uppvärmningsbehov", input.building.design_heat_demand_w, "W"},
      {"Inomhustemperaturen", input.building.indoor_temp_c, "°C"},
      {"Lägsta tillåtna returtemperaturen till pannan", input.building.min_return_temp_c, "°C"},
      {"Det årliga varmvattenbehovet", input.hot_water.annual_demand_kwh, "kWh/år"},
      {"Beredarförlusten", input.hot_water.heater_loss_w, "W"},
      {"Den dimensionerande utetemperaturen", design.outdoor_temp_c, "°C"},
      {"Den dimensionerande framledningstemperaturen", design.supply_temp_c, "°C"},
      {"Den dimensionerande returtemperaturen", design.return_temp_c, "°C"},
  };
  for (const InputValue& v : values) {
    if (!std::isfinite(v.value)) {
      throw ModelInputError(std::string(v.label) + " är " + shortest_text(v.value) +
                            ", inget ändligt tal");
    }
  }
}

// Loss constants, powers and demands are amounts: a negative one turns a loss into a gain or
// the pilot flame's fuel into a sink, and can zero the balance's denominator.
void require_not_negative(const BoilerCase& input) {
  const InputValue values[] = {
      {"Konstanten för konvektionsförlusterna", input.losses.convection_constant, ""},
      {"Konstanten för stilleståndsförlusterna", input.losses.standby_constant, ""},
      {"Pilotlågeeffekten", input.combustion.pilot_power_w, "W"},
      {"Cirkulationspumpens eleffekt", input.pump.power_w, "W"},
      {"Cirkulationspumpens verkningsgrad", input.pump.heat_share_percent, "%"},
      {"Det årliga varmvattenbehovet", input.hot_water.annual_demand_kwh, "kWh/år"},
      {"Beredarförlusten", input.hot_water.heater_loss_w, "W"},
  };
  for (const InputValue& v : values) {
    if (v.value < 0.0f) {
      throw ModelInputError(std::string(v.label) + " är " + with_unit(v.value, v.unit) +
                            "; värdet får inte vara negativt");
    }
  }
}

// The pump's efficiency is the share of its electricity that ends up as heat in the water: more
// than all of it would make heat out of nothing.
void require_pump_share(const BoilerCase& input) {
  if (input.pump.heat_share_percent > kPerCent) {
    throw ModelInputError("Cirkulationspumpens verkningsgrad är " +
                          with_unit(input.pump.heat_share_percent, "%") +
                          "; den kan inte vara större än 100 %");
  }
}

void require_burner(const BoilerCase& input) {
  if (!(input.burner.max_power_w() > 0.0f)) {
    throw ModelInputError("Brännarens maxeffekt är " + with_unit(input.burner.max_power_w(), "W") +
                          "; den måste vara större än 0");
  }
  if (input.burner.is_modulating() && !(input.burner.min_power_w() > 0.0f)) {
    throw ModelInputError("Brännarens mineffekt är " + with_unit(input.burner.min_power_w(), "W") +
                          "; en modulerande brännare måste ha en mineffekt större än 0");
  }
  if (input.combustion.air_ratio < 1.0f) {
    throw ModelInputError("Lufttalet " + shortest_text(input.combustion.air_ratio) +
                          " är mindre än 1; modellen gäller bara för lufttal från 1 och uppåt");
  }
}

void require_building(const BoilerCase& input, const DesignConditions& design) {
  if (!(input.building.design_heat_demand_w > 0.0f)) {
    throw ModelInputError("Byggnadens uppvärmningsbehov vid dimensionerande utetemperatur är " +
                          with_unit(input.building.design_heat_demand_w, "W") +
                          "; det måste vara större än 0");
  }
  if (!(demand_span(house_of(input), design) > 0.0f)) {
    throw ModelInputError("Inomhustemperaturen " + with_unit(input.building.indoor_temp_c, "°C") +
                          " minus 5 K ligger inte över den dimensionerande utetemperaturen " +
                          with_unit(design.outdoor_temp_c, "°C") +
                          "; värmebehovet kan inte beräknas");
  }
}

// The radiator formula takes the logarithm of (T_sd − T_in) / (T_rd − T_in) and divides by
// r − 1: both need T_sd > T_rd > T_in. Typed temperatures keep to a supply between floor
// heating's and the hottest radiators'.
void require_heating_system(const BoilerCase& input, const DesignConditions& design) {
  if (!coded_heating_system(input.heating_system) &&
      design_temperature_fault(input.heating_system, input.building.indoor_temp_c) ==
          DesignTemperatureFault::supply_out_of_range) {
    throw ModelInputError("Värmesystemets dimensionerande framledningstemperatur " +
                          with_unit(design.supply_temp_c, "°C") + " ligger utanför " +
                          shortest_text(kLowestDesignSupplyTempC) + "–" +
                          with_unit(kHighestDesignSupplyTempC, "°C"));
  }
  if (!(design.supply_temp_c > design.return_temp_c)) {
    throw ModelInputError("Värmesystemets dimensionerande framledningstemperatur " +
                          with_unit(design.supply_temp_c, "°C") +
                          " ligger inte över returtemperaturen " +
                          with_unit(design.return_temp_c, "°C"));
  }
  if (!(design.return_temp_c > input.building.indoor_temp_c)) {
    throw ModelInputError("Inomhustemperaturen " + with_unit(input.building.indoor_temp_c, "°C") +
                          " ligger inte under värmesystemets dimensionerande returtemperatur " +
                          with_unit(design.return_temp_c, "°C") + "; radiatorformeln gäller inte");
  }
  // The combustion air's moisture divides by the atmosphere less the vapour's share.
  const float humidity = combustion_air_humidity(input.building.indoor_temp_c);
  if (!(humidity >= 0.0f) || !std::isfinite(humidity)) {
    throw ModelInputError("Inomhustemperaturen " + with_unit(input.building.indoor_temp_c, "°C") +
                          " är för hög för att förbränningsluftens fukthalt ska kunna beräknas");
  }
}

void require_flue_gas_cases(const BoilerCase& input, double flame_temp) {
  if (!input.burner.is_modulating()) {
    if (input.flue_gas.low_temp.return_temp_c == input.flue_gas.high_temp.return_temp_c &&
        input.flue_gas.low_temp.flue_gas_temp_c != input.flue_gas.high_temp.flue_gas_temp_c) {
      throw ModelInputError("Returtemperaturen är " +
                            with_unit(input.flue_gas.low_temp.return_temp_c, "°C") +
                            " i båda fallen men avgastemperaturerna skiljer sig (" +
                            shortest_text(input.flue_gas.low_temp.flue_gas_temp_c) + " och " +
                            with_unit(input.flue_gas.high_temp.flue_gas_temp_c, "°C") +
                            "); avgastemperaturen kan inte interpoleras");
    }
    return;
  }
  if (!(input.flue_gas.high_temp.flue_gas_temp_c > input.flue_gas.high_temp.return_temp_c)) {
    throw ModelInputError("Avgastemperaturen i fall 2 (" +
                          with_unit(input.flue_gas.high_temp.flue_gas_temp_c, "°C") +
                          ") ligger inte över returtemperaturen i fall 2 (" +
                          with_unit(input.flue_gas.high_temp.return_temp_c, "°C") +
                          "); pannans värmeöverföring för en modulerande brännare kan inte "
                          "beräknas");
  }
  if (!(flame_temp > input.flue_gas.high_temp.return_temp_c)) {
    throw ModelInputError("Flamtemperaturen " +
                          with_unit(static_cast<float>(std::round(flame_temp)), "°C") +
                          " ligger inte över returtemperaturen i fall 2 (" +
                          with_unit(input.flue_gas.high_temp.return_temp_c, "°C") + ")");
  }
}

}  // namespace

ModelConstants start_model(const BoilerCase& input, const DesignConditions& design) {
  require_finite(input, design);
  require_not_negative(input);
  require_pump_share(input);
  require_burner(input);
  require_building(input, design);
  require_heating_system(input, design);

  const FlueGasComposition gas = flue_gas_composition(input.combustion.air_ratio);
  const std::optional<double> flame_temp = adiabatic_flame_temperature(gas);
  if (!flame_temp) {
    throw ModelInputError("Lufttalet " + shortest_text(input.combustion.air_ratio) +
                          " ger en flamtemperatur under 1000 °C; modellen gäller inte");
  }
  require_flue_gas_cases(input, *flame_temp);

  ModelConstants constants;
  constants.house = house_of(input);
  constants.design = design;
  constants.gas_heating_value = gas.gas_heating_value;
  constants.flue_gas_volume = gas.flue_gas_volume;
  constants.flue_gas_mix = gas.mix;
  constants.flame_temp = *flame_temp;
  if (input.flue_gas.high_temp.flue_gas_temp_c > input.flue_gas.high_temp.return_temp_c &&
      *flame_temp > input.flue_gas.high_temp.return_temp_c) {
    constants.boiler_ntu = boiler_ntu(*flame_temp, input.flue_gas.high_temp.flue_gas_temp_c,
                                      input.flue_gas.high_temp.return_temp_c);
  }
  constants.hot_water_load = hot_water_load(input);
  constants.pump_heat = pump_heat(input);
  return constants;
}

DesignConditions design_conditions(const BoilerCase& input) {
  return design_conditions(house_of(input));
}

}  // namespace varmkalk::core
