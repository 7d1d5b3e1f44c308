// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/day_model.h"

#include <cmath>
#include <initializer_list>

#include "core/case/units.h"
#include "core/model/burner_power.h"
#include "core/model/combustion_efficiency.h"
#include "core/model/heating_system.h"
#include "core/model/house_day.h"
#include "core/model/model_input_error.h"
#include "core/model/run_time.h"
#include "core/model/standing_losses.h"

namespace varmkalk::core {
namespace {

void require_finite(const DayBalance& day) {
  for (const float value :
       {day.supply_temp, day.return_temp, day.heat_demand, day.convection_loss, day.standby_loss,
        day.flue_gas_temp, day.combustion_eff, day.burner_power, day.flue_gas_loss,
        day.with_pump.run_time, day.with_pump.day_efficiency, day.with_pump.shortfall,
        day.without_pump.run_time, day.without_pump.day_efficiency, day.without_pump.shortfall}) {
    if (!std::isfinite(value)) {
      throw day_not_finite(day.day_number, day.outdoor_temp);
    }
  }
}

void require_finite(const ZeroLoadDay& day) {
  for (const float value :
       {day.boiler_mean_temp, day.convection_loss, day.standby_loss, day.burner_power, day.run_time,
        day.burner_fuel_wh, day.pilot_fuel_wh}) {
    if (!std::isfinite(value)) {
      throw ModelInputError(
          "Dygnen utan värmebehov ger inget ändligt värde; indata ligger utanför modellens "
          "giltighetsområde");
    }
  }
}

}  // namespace

std::optional<DayBalance> simulate_day(const BoilerCase& input, const ModelConstants& constants,
                                       const ClimateRecord& record) {
  const std::optional<HouseDay> house = house_day(constants.house, constants.design, record);
  if (!house) {
    return std::nullopt;
  }
  const float heat_demand = house->heat_demand;
  const HeatingTemperatures& heating = house->heating;
  const BoilerTemperatures boiler = boiler_temperatures(heating.supply_temp, heating.return_temp,
                                                        input.building.min_return_temp_c);
  const float convection = convection_loss(input, boiler.boiler_mean_temp);
  const float standby = standby_loss(input, boiler.boiler_mean_temp);

  // Without hot water the pump alone can cover a mild day.
  if (input.hot_water.annual_demand_kwh == 0.0f && constants.pump_heat >= heat_demand) {
    return std::nullopt;
  }

  const BurnerChoice burner =
      choose_burner_power(input, constants, heat_demand, convection, heating, boiler);
  const float combustion_eff = combustion_efficiency(
      input.combustion.air_ratio, burner.flue_gas_temp, input.building.indoor_temp_c);
  const float flue_gas_loss = (1.0f - combustion_eff) * burner.burner_power;
  // A burner near the float range with a condensing gain: its heat less the (negative) flue-gas
  // loss overflows, and the balance would read the infinite output as free heat and pass the
  // day over.
  if (!std::isfinite(burner.burner_power - flue_gas_loss)) {
    throw day_not_finite(record.day_number, record.outdoor_temp);
  }

  DayTerms terms;
  terms.burner_power = burner.burner_power;
  terms.flue_gas_loss = flue_gas_loss;
  terms.standby_loss = standby;
  terms.pilot_power = input.combustion.pilot_power_w;
  terms.convection_loss = convection;
  terms.heater_loss = input.hot_water.heater_loss_w;
  terms.pump_heat = constants.pump_heat;
  terms.demand = heat_demand + constants.hot_water_load;
  const float start_run_time = heat_demand / burner.burner_power;
  const std::optional<VariantBalance> with_pump =
      solve_run_time(terms, PumpCredit::with_pump, start_run_time);
  const std::optional<VariantBalance> without_pump =
      solve_run_time(terms, PumpCredit::without_pump, start_run_time);
  // Free heat that exceeds the demand even with the burner off covers the day like the pump
  // above.
  if (!with_pump || !without_pump) {
    return std::nullopt;
  }

  DayBalance day;
  day.day_number = record.day_number;
  day.outdoor_temp = record.outdoor_temp;
  day.supply_temp = heating.supply_temp;
  day.return_temp = heating.return_temp;
  day.heat_demand = heat_demand;
  day.hot_water_load = constants.hot_water_load;
  day.convection_loss = convection;
  day.standby_loss = standby;
  day.flue_gas_temp = burner.flue_gas_temp;
  day.combustion_eff = combustion_eff;
  day.burner_power = burner.burner_power;
  day.flue_gas_loss = flue_gas_loss;
  day.pilot_power = input.combustion.pilot_power_w;
  day.with_pump = *with_pump;
  day.without_pump = *without_pump;
  require_finite(day);
  return day;
}

ZeroLoadDay zero_load_day(const BoilerCase& input, const ModelConstants& constants) {
  const HeatingTemperatures heating = no_load_heating(constants.house, constants.design);
  const BoilerTemperatures boiler = boiler_temperatures(heating.supply_temp, heating.return_temp,
                                                        input.building.min_return_temp_c);
  ZeroLoadDay day;
  day.boiler_mean_temp = boiler.boiler_mean_temp;
  day.convection_loss = convection_loss(input, boiler.boiler_mean_temp);
  day.standby_loss = standby_loss(input, boiler.boiler_mean_temp);

  // The pump runs only for the heating: its heat neither lowers the burner's power nor counts
  // as a gain.
  ModelConstants pump_still = constants;
  pump_still.pump_heat = 0.0f;
  const BurnerChoice burner =
      choose_burner_power(input, pump_still, 0.0f, day.convection_loss, heating, boiler);
  const float combustion_eff = combustion_efficiency(
      input.combustion.air_ratio, burner.flue_gas_temp, input.building.indoor_temp_c);

  DayTerms terms;
  terms.burner_power = burner.burner_power;
  terms.flue_gas_loss = (1.0f - combustion_eff) * burner.burner_power;
  terms.standby_loss = day.standby_loss;
  terms.pilot_power = input.combustion.pilot_power_w;
  terms.convection_loss = day.convection_loss;
  terms.heater_loss = input.hot_water.heater_loss_w;
  terms.demand = constants.hot_water_load;
  // The search starts at the share of the day the burner's power takes to cover the load and the
  // losses; not at 0, where the balance's output vanishes with the run time and would meet a load
  // of 0 however large the losses.
  const float start_run_time =
      (terms.demand + terms.heater_loss + terms.convection_loss + terms.standby_loss) /
      terms.burner_power;
  const std::optional<VariantBalance> balance =
      solve_run_time(terms, PumpCredit::without_pump, start_run_time);

  day.burner_power = burner.burner_power;
  day.run_time = balance ? balance->run_time : 0.0f;
  day.burner_fuel_wh = day.burner_power * day.run_time * kHoursPerDay;
  day.pilot_fuel_wh = input.combustion.pilot_power_w * (1.0f - day.run_time) * kHoursPerDay;
  require_finite(day);
  return day;
}

}  // namespace varmkalk::core
