// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/examples/typed_inputs.h"

namespace varmkalk::testing {

FormInput complete_swedish_input() {
  FormInput input;
  input.burner = Burner::SingleStage;
  input.hot_water_heater = HotWaterHeater::Yes;
  input.convection_source = ConvectionSource::Constant;
  input.standby_source = StandbySource::Constants;
  input.heating_system = core::HeatingSystem::radiators_80_60;
  input.min_return_temp = MinReturnTemp::C35;
  input.climate = core::Place::stockholm;
  input.single_stage_power_kw = QStringLiteral("18,5");
  input.single_stage_excess_air_percent = QStringLiteral("20");
  input.hot_water_kwh_per_year = QStringLiteral("3000");
  input.heater_loss_kwh_per_day = QStringLiteral("1,08");
  input.convection_constant = QStringLiteral("1,5");
  input.standby_constant = QStringLiteral(" 0,5 ");
  input.standby_exponent = QStringLiteral("1,25");
  input.flue_gas_temp_low_c = QStringLiteral("120");
  input.supply_temp_low_c = QStringLiteral("40");
  input.return_temp_low_c = QStringLiteral("30");
  input.flue_gas_temp_high_c = QStringLiteral("180");
  input.supply_temp_high_c = QStringLiteral("70");
  input.return_temp_high_c = QStringLiteral("50");
  input.design_heat_demand_kw = QStringLiteral("12,5");
  return input;
}

FormInput typed_worked_example() {
  FormInput input;
  input.burner = Burner::SingleStage;
  input.hot_water_heater = HotWaterHeater::Yes;
  input.convection_source = ConvectionSource::Constant;
  input.standby_source = StandbySource::Constants;
  input.single_stage_power_kw = QStringLiteral("15");
  input.single_stage_excess_air_percent = QStringLiteral("20");
  input.hot_water_kwh_per_year = QStringLiteral("5000");
  input.heater_loss_kwh_per_day = QStringLiteral("1.08");
  input.convection_constant = QStringLiteral("1");
  input.standby_constant = QStringLiteral("1");
  input.standby_exponent = QStringLiteral("1.25");
  input.flue_gas_temp_low_c = QStringLiteral("60");
  input.supply_temp_low_c = QStringLiteral("40");
  input.return_temp_low_c = QStringLiteral("30");
  input.flue_gas_temp_high_c = QStringLiteral("80");
  input.supply_temp_high_c = QStringLiteral("70");
  input.return_temp_high_c = QStringLiteral("60");
  input.design_heat_demand_kw = QStringLiteral("8");
  input.pump_power_w = QStringLiteral("60");
  return input;
}

FormInput typed_in(FormInput input, const QLocale& locale) {
  const QString separator = locale.decimalPoint();
  for (const FormField& field : kFormFields) {
    QString& text = input.*field.text;
    text.replace(QLatin1Char(','), separator).replace(QLatin1Char('.'), separator);
  }
  return input;
}

}  // namespace varmkalk::testing
