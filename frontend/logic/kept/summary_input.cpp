// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/kept/summary_input.h"

#include "core/case/burner.h"
#include "core/formats/input_quantities.h"
#include "core/formats/summary_table.h"
#include "frontend/logic/form/field_error.h"
#include "frontend/logic/kept/inputs_file.h"
#include "frontend/logic/kept/summary_case.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/logic/run/windows1252_text.h"

#include <cmath>
#include <limits>

namespace varmkalk {

namespace {

using core::ReportValue;
using TextField = QString FormInput::*;

constexpr double kHundredths = 100.0;
// A power printed as asterisks is beyond every power its columns can show.
constexpr float kUnprintedPowerKw = std::numeric_limits<float>::infinity();

class Restorer {
 public:
  Restorer(RestoredInput& restored, const QLocale& locale) : restored_(restored), locale_(locale) {}

  // The field from the printed value in the unit the form asks for; empty, and named in the
  // notes, where the summary shows asterisks.
  void set(TextField field, const ReportValue& value, double (*to_form_unit)(double) = nullptr) {
    if (const std::optional<double> number = printed_value(value)) {
      restored_.input.*field =
          form_number_text(to_form_unit ? to_form_unit(*number) : *number, locale_);
    } else {
      restored_.input.*field = QString();
      note(QStringLiteral("Fältet \"%1\" har lämnats tomt: sammanfattningen visar inte värdet, "
                          "som var för stort för sin kolumn.")
               .arg(field_label(form_field_name(field))));
    }
  }

  // The excess air in per cent from the air ratio printed with two decimals.
  void set_excess_air(TextField field, const ReportValue& air_ratio) {
    if (const std::optional<double> ratio = printed_value(air_ratio)) {
      const auto hundredths = static_cast<long long>(std::llround(*ratio * kHundredths));
      restored_.input.*field =
          form_number_text(static_cast<double>(hundredths) - kHundredths, locale_);
    } else {
      set(field, air_ratio);
    }
  }

  void note(const QString& text) { restored_.notes += text; }

  // The lettered system with these design temperatures, or "Egna temperaturer" with them typed.
  void set_heating_system(const core::DesignTemperatures& temperatures) {
    FormInput& input = restored_.input;
    const std::optional<core::HeatingSystem> coded = core::coded_heating_system(temperatures);
    input.own_design_temps = !coded;
    if (coded) {
      input.heating_system = *coded;
      return;
    }
    input.own_supply_temp_c = form_number_text(temperatures.supply_temp_c, locale_);
    input.own_return_temp_c = form_number_text(temperatures.return_temp_c, locale_);
  }

  FormInput& input() { return restored_.input; }

 private:
  RestoredInput& restored_;
  const QLocale& locale_;
};

void restore_burner(Restorer& restorer, const core::SummaryReport& report) {
  FormInput& input = restorer.input();
  // The engine's rule on the powers as printed.
  const core::BurnerKind kind =
      core::burner_kind(report.max_power_kw.known().value_or(kUnprintedPowerKw),
                        report.min_power_kw.known().value_or(kUnprintedPowerKw));
  if (kind == core::BurnerKind::single_stage) {
    input.burner = Burner::SingleStage;
    restorer.set(&FormInput::single_stage_power_kw, report.max_power_kw);
    restorer.set_excess_air(&FormInput::single_stage_excess_air_percent, report.air_ratio);
  } else {
    input.burner = Burner::Modulating;
    restorer.set(&FormInput::modulating_max_power_kw, report.max_power_kw);
    restorer.set(&FormInput::modulating_min_power_kw, report.min_power_kw);
    restorer.set_excess_air(&FormInput::modulating_excess_air_percent, report.air_ratio);
  }
  if (report.pilot_power_w) {
    restorer.set(&FormInput::pilot_power_w, *report.pilot_power_w);
  } else {
    input.pilot_power_w = QStringLiteral("0");
  }
}

void restore_losses(Restorer& restorer, const core::SummaryReport& report) {
  FormInput& input = restorer.input();
  input.convection_source = ConvectionSource::Constant;
  input.standby_source = StandbySource::Constants;
  restorer.set(&FormInput::flue_gas_temp_high_c, report.high_temp.flue_gas_temp_c);
  restorer.set(&FormInput::supply_temp_high_c, report.high_temp.supply_temp_c);
  restorer.set(&FormInput::return_temp_high_c, report.high_temp.return_temp_c);
  restorer.set(&FormInput::flue_gas_temp_low_c, report.low_temp.flue_gas_temp_c);
  restorer.set(&FormInput::supply_temp_low_c, report.low_temp.supply_temp_c);
  restorer.set(&FormInput::return_temp_low_c, report.low_temp.return_temp_c);
}

void restore_hot_water(Restorer& restorer, const core::SummaryReport& report) {
  const std::optional<double> demand = printed_value(report.hot_water_kwh);
  const std::optional<double> loss = printed_value(report.heater_loss_kwh_per_day);
  if (demand == 0.0 && loss == 0.0) {
    restorer.input().hot_water_heater = HotWaterHeater::No;
    return;
  }
  restorer.input().hot_water_heater = HotWaterHeater::Yes;
}

void restore_building(Restorer& restorer, const core::SummaryReport& report) {
  FormInput& input = restorer.input();
  restorer.set_heating_system(report.heating_system);
  if (const auto* place = std::get_if<core::Place>(&report.climate)) {
    input.climate = *place;
  } else {
    // The summary names the file but not its design outdoor temperature.
    input.own_climate = true;
    input.own_climate_file =
        from_windows1252(QByteArrayView(std::get<std::string>(report.climate)));
    input.own_design_outdoor_temp_c.clear();
    restorer.note(QStringLiteral("Sammanfattningen anger klimatfilen %1 men inte dess "
                                 "dimensionerande utetemperatur; fältet \"DUT (°C)\" har lämnats "
                                 "tomt.")
                      .arg(input.own_climate_file));
  }
  const std::optional<double> min_return = printed_value(report.min_return_temp_c);
  const std::optional<double> indoor = printed_value(report.indoor_temp_c);
  if (min_return == kMinReturnTemp35C) {
    input.min_return_temp = MinReturnTemp::C35;
  } else if (min_return == kMinReturnTemp65C) {
    input.min_return_temp = MinReturnTemp::C65;
  } else if (min_return && min_return == indoor) {
    input.min_return_temp = MinReturnTemp::Indoor;
  } else {
    restorer.note(QStringLiteral("Den lägsta tillåtna returtemperaturen %1 °C kan inte väljas i "
                                 "formuläret; valet har lämnats som förvalt.")
                      .arg(QString::fromLatin1(report.min_return_temp_c.text)));
  }
  if (printed_value(report.pump_share_percent) != kPumpHeatSharePercent) {
    restorer.note(QStringLiteral("Cirkulationspumpens verkningsgrad %1 % kan inte anges i "
                                 "formuläret, som alltid räknar med 75 %.")
                      .arg(QString::fromLatin1(report.pump_share_percent.text)));
  }
}

// Every field the choices made need whose quantity the summary prints on a line of its own.
void restore_fields(Restorer& restorer, const core::SummaryReport& report) {
  for (const FormField& field : kFormFields) {
    if (field.quantity.empty() || !field.needed(restorer.input())) {
      continue;
    }
    const core::SummaryValueLine* line = core::input_quantity(field.quantity).summary_line;
    if (line == nullptr) {
      continue;
    }
    if (const ReportValue core::SummaryReport::*member = core::summary_row(*line).member) {
      restorer.set(field.text, report.*member, field.from_summary);
    }
  }
}

}  // namespace

RestoredInput input_from_summary(const core::SummaryReport& report, const QLocale& locale) {
  RestoredInput restored;
  Restorer restorer(restored, locale);
  const QString summary_name = from_latin1(report.names.summary_file);
  restorer.note(QStringLiteral("Beräkningen har ingen läsbar indatafil, så indata är hämtade ur "
                               "sammanfattningen %1. Värdena är avrundade så som "
                               "sammanfattningen visar dem, och förlusterna anges som "
                               "konstanter. Kontrollera dem innan du räknar.")
                    .arg(summary_name));
  restore_burner(restorer, report);
  restore_losses(restorer, report);
  restore_hot_water(restorer, report);
  restore_building(restorer, report);
  restore_fields(restorer, report);
  return restored;
}

}  // namespace varmkalk
