// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/heatpump/heat_pump_installation.h"

#include <utility>
#include <string>

#include "core/model/model_input_error.h"
#include "core/text/number_text.h"

namespace varmkalk::core {

const std::array<HeatPumpQuantity, 3> kHeatPumpQuantities = {{
    {"hp_backup_kw", "Elpatronens effekt", "kW", &HeatPumpSettings::backup_kw, 9.0, 0.0, 50.0,
     "den elpatron som svenska värmepumpars innedelar och varmvattenberedare vanligen har"},
    {"hp_tank_temp", "Varmvattnets temperatur", "°C", &HeatPumpSettings::tank_temp_c, 55.0, 40.0,
     65.0, "varmt nog mot legionella med den veckovisa förhöjning de flesta värmepumpar gör"},
    {"hp_brine_temp", "Köldbärarens temperatur", "°C", &HeatPumpSettings::brine_temp_c, 0.0, -10.0,
     15.0, "borrhålets medeltemperatur under en eldningssäsong, som certifikatens B0-punkt"},
}};

std::optional<HeatPumpQuantity> invalid_heat_pump_setting(const HeatPumpSettings& settings) {
  return first_outside_range<HeatPumpSettings>(kHeatPumpQuantities, settings);
}

namespace {

void require_settings(const HeatPumpSettings& settings) {
  if (const std::optional<HeatPumpQuantity> invalid = invalid_heat_pump_setting(settings)) {
    throw ModelInputError(
        std::string(invalid->label) + " är " + shortest_text(float(settings.*invalid->member)) +
        " " + std::string(invalid->unit) + "; den ska ligga mellan " +
        shortest_text(float(invalid->min_value)) + " och " +
        shortest_text(float(invalid->max_value)) + " " + std::string(invalid->unit));
  }
}

HeatPumpInstallation installed(HeatPumpModel model, const IdlePowers& idle,
                               const HeatPumpSettings& settings) {
  return {std::move(model), idle, settings.backup_kw, settings.tank_temp_c};
}

}  // namespace

HeatPumpInstallation installed_unit(const HeatPumpUnit& unit, const HeatPumpSettings& settings) {
  require_settings(settings);
  const auto& radiators = unit.declaration(SeasonClimate::average, FlowFamily::medium_55);
  const auto& floor = unit.declaration(SeasonClimate::average, FlowFamily::low_35);
  const IdlePowers idle = radiators ? radiators->idle : floor ? floor->idle : IdlePowers{};
  return installed(heat_pump_model(unit, settings.brine_temp_c), idle, settings);
}

HeatPumpInstallation installed_generic(GenericHeatPump type, double rating_kw,
                                       const HeatPumpSettings& settings) {
  require_settings(settings);
  if (!(rating_kw >= kLeastRatingKw && rating_kw <= kLargestRatingKw)) {
    throw ModelInputError("Värmepumpens nominella effekt är " + shortest_text(float(rating_kw)) +
                          " kW; den ska ligga mellan " + shortest_text(float(kLeastRatingKw)) +
                          " och " + shortest_text(float(kLargestRatingKw)) + " kW");
  }
  HeatPumpModel model = generic_heat_pump_model(type, rating_kw);
  model.brine_c = settings.brine_temp_c;
  return installed(std::move(model), generic_heat_pump_idle_powers(type), settings);
}

}  // namespace varmkalk::core
