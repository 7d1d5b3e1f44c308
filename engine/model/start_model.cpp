#include "start_model.h"

#include <cmath>
#include <string>

#include "burner.h"
#include "combustion_efficiency.h"
#include "day_model.h"
#include "flue_gas_temperature.h"
#include "standing_losses.h"

namespace kalvex {
namespace {

struct InputValue {
  const char* label;
  float value;
  const char* unit;
};

std::string with_unit(float value, const char* unit) {
  std::string text = number_text(value);
  if (*unit != '\0') {
    text += ' ';
    text += unit;
  }
  return text;
}

void require_finite(const RunParameters& run) {
  const InputValue values[] = {
      {"Konstanten för konvektionsförlusterna", run.convection_constant, ""},
      {"Konstanten för stilleståndsförlusterna", run.standby_constant, ""},
      {"Exponenten för stilleståndsförlusterna", run.standby_exponent, ""},
      {"Brännarens maxeffekt", run.burner_max_power, "W"},
      {"Brännarens mineffekt", run.burner_min_power, "W"},
      {"Lufttalet", run.air_ratio, ""},
      {"Pilotlågeeffekten", run.pilot_power, "W"},
      {"Avgastemperaturen i fall 1", run.flue_gas_temp_1, "°C"},
      {"Framledningstemperaturen i fall 1", run.supply_temp_1, "°C"},
      {"Returtemperaturen i fall 1", run.return_temp_1, "°C"},
      {"Avgastemperaturen i fall 2", run.flue_gas_temp_2, "°C"},
      {"Framledningstemperaturen i fall 2", run.supply_temp_2, "°C"},
      {"Returtemperaturen i fall 2", run.return_temp_2, "°C"},
      {"Cirkulationspumpens eleffekt", run.pump_power, "W"},
      {"Cirkulationspumpens verkningsgrad", run.pump_efficiency, "%"},
      {"Byggnadens uppvärmningsbehov", run.design_heat_demand, "W"},
      {"Inomhustemperaturen", run.indoor_temp, "°C"},
      {"Lägsta tillåtna returtemperaturen till pannan", run.min_return_temp, "°C"},
      {"Det årliga varmvattenbehovet", run.hot_water_demand, "kWh/år"},
      {"Beredarförlusten", run.heater_loss, "W"},
      {"Den dimensionerande utetemperaturen", run.design_outdoor_temp, "°C"},
      {"Den dimensionerande framledningstemperaturen", run.design_supply_temp, "°C"},
      {"Den dimensionerande returtemperaturen", run.design_return_temp, "°C"},
  };
  for (const InputValue& v : values) {
    if (!std::isfinite(v.value)) {
      throw ModelInputError(std::string(v.label) + " är " + number_text(v.value) +
                            ", inget ändligt tal");
    }
  }
}

// Loss constants, powers and demands are amounts: a negative one turns a loss into a gain or
// the pilot flame's fuel into a sink, and can zero the balance's denominator.
void require_not_negative(const RunParameters& run) {
  const InputValue values[] = {
      {"Konstanten för konvektionsförlusterna", run.convection_constant, ""},
      {"Konstanten för stilleståndsförlusterna", run.standby_constant, ""},
      {"Pilotlågeeffekten", run.pilot_power, "W"},
      {"Cirkulationspumpens eleffekt", run.pump_power, "W"},
      {"Cirkulationspumpens verkningsgrad", run.pump_efficiency, "%"},
      {"Det årliga varmvattenbehovet", run.hot_water_demand, "kWh/år"},
      {"Beredarförlusten", run.heater_loss, "W"},
  };
  for (const InputValue& v : values) {
    if (v.value < 0.0f) {
      throw ModelInputError(std::string(v.label) + " är " + with_unit(v.value, v.unit) +
                            "; värdet får inte vara negativt");
    }
  }
}

void require_burner(const RunParameters& run) {
  if (!(run.burner_max_power > 0.0f)) {
    throw ModelInputError("Brännarens maxeffekt är " + with_unit(run.burner_max_power, "W") +
                          "; den måste vara större än 0");
  }
  if (is_modulating(run) && !(run.burner_min_power > 0.0f)) {
    throw ModelInputError("Brännarens mineffekt är " + with_unit(run.burner_min_power, "W") +
                          "; en modulerande brännare måste ha en mineffekt större än 0");
  }
  if (run.air_ratio < 1.0f) {
    throw ModelInputError("Lufttalet " + number_text(run.air_ratio) +
                          " är mindre än 1; modellen gäller bara för lufttal från 1 och uppåt");
  }
}

void require_building(const RunParameters& run) {
  if (!(run.design_heat_demand > 0.0f)) {
    throw ModelInputError("Byggnadens uppvärmningsbehov vid dimensionerande utetemperatur är " +
                          with_unit(run.design_heat_demand, "W") + "; det måste vara större än 0");
  }
  if (!(demand_span(run) > 0.0f)) {
    throw ModelInputError("Inomhustemperaturen " + with_unit(run.indoor_temp, "°C") +
                          " minus 5 K ligger inte över den dimensionerande utetemperaturen " +
                          with_unit(run.design_outdoor_temp, "°C") +
                          "; värmebehovet kan inte beräknas");
  }
}

// The radiator formula takes the logarithm of (T_sd − T_in) / (T_rd − T_in) and divides by
// r − 1: both need T_sd > T_rd > T_in.
void require_heating_system(const RunParameters& run) {
  if (!(run.design_supply_temp > run.design_return_temp)) {
    throw ModelInputError("Värmesystemets dimensionerande framledningstemperatur " +
                          with_unit(run.design_supply_temp, "°C") +
                          " ligger inte över returtemperaturen " +
                          with_unit(run.design_return_temp, "°C"));
  }
  if (!(run.design_return_temp > run.indoor_temp)) {
    throw ModelInputError("Inomhustemperaturen " + with_unit(run.indoor_temp, "°C") +
                          " ligger inte under värmesystemets dimensionerande returtemperatur " +
                          with_unit(run.design_return_temp, "°C") +
                          "; radiatorformeln gäller inte");
  }
  // The combustion air's moisture divides by the atmosphere less the vapour's share.
  const float humidity = combustion_air_humidity(run.indoor_temp);
  if (!(humidity >= 0.0f) || !std::isfinite(humidity)) {
    throw ModelInputError("Inomhustemperaturen " + with_unit(run.indoor_temp, "°C") +
                          " är för hög för att förbränningsluftens fukthalt ska kunna beräknas");
  }
}

void require_flue_gas_cases(const RunParameters& run, double flame_temp) {
  if (!is_modulating(run)) {
    if (run.return_temp_1 == run.return_temp_2 && run.flue_gas_temp_1 != run.flue_gas_temp_2) {
      throw ModelInputError("Returtemperaturen är " + with_unit(run.return_temp_1, "°C") +
                            " i båda fallen men avgastemperaturerna skiljer sig (" +
                            number_text(run.flue_gas_temp_1) + " och " +
                            with_unit(run.flue_gas_temp_2, "°C") +
                            "); avgastemperaturen kan inte interpoleras");
    }
    return;
  }
  if (!(run.flue_gas_temp_2 > run.return_temp_2)) {
    throw ModelInputError("Avgastemperaturen i fall 2 (" + with_unit(run.flue_gas_temp_2, "°C") +
                          ") ligger inte över returtemperaturen i fall 2 (" +
                          with_unit(run.return_temp_2, "°C") +
                          "); pannans värmeöverföring för en modulerande brännare kan inte "
                          "beräknas");
  }
  if (!(flame_temp > run.return_temp_2)) {
    throw ModelInputError("Flamtemperaturen " +
                          with_unit(static_cast<float>(std::round(flame_temp)), "°C") +
                          " ligger inte över returtemperaturen i fall 2 (" +
                          with_unit(run.return_temp_2, "°C") + ")");
  }
}

}  // namespace

ModelConstants start_model(const RunParameters& run) {
  require_finite(run);
  require_not_negative(run);
  require_burner(run);
  require_building(run);
  require_heating_system(run);

  const FlueGasComposition gas = flue_gas_composition(run.air_ratio);
  const std::optional<double> flame_temp = adiabatic_flame_temperature(gas);
  if (!flame_temp) {
    throw ModelInputError("Lufttalet " + number_text(run.air_ratio) +
                          " ger en flamtemperatur under 1000 °C; modellen gäller inte");
  }
  require_flue_gas_cases(run, *flame_temp);

  ModelConstants constants;
  constants.gas_heating_value = gas.gas_heating_value;
  constants.flue_gas_volume = gas.flue_gas_volume;
  constants.flue_gas_mix = gas.mix;
  constants.flame_temp = *flame_temp;
  if (run.flue_gas_temp_2 > run.return_temp_2 && *flame_temp > run.return_temp_2) {
    constants.boiler_ntu = boiler_ntu(*flame_temp, run.flue_gas_temp_2, run.return_temp_2);
  }
  constants.hot_water_load = hot_water_load(run);
  constants.pump_heat = pump_heat(run);
  return constants;
}

}  // namespace kalvex
