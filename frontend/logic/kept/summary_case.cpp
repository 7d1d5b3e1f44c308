// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/kept/summary_case.h"

#include "core/case/burner.h"
#include "core/case/units.h"
#include "core/formats/input_quantities.h"
#include "frontend/logic/form/form_input.h"
#include "frontend/logic/run/calc_identity.h"

#include <QCoreApplication>
#include <QLocale>

#include <limits>
#include <string_view>

namespace varmkalk {

namespace {

// A power printed as asterisks is beyond every power its columns can show.
constexpr float kUnprintedPowerKw = std::numeric_limits<float>::infinity();

// A needed value the summary does not print.
struct Unprinted {
  std::string_view what;
};

double needed(const core::ReportValue& value, std::string_view what) {
  if (const std::optional<double> number = printed_value(value)) {
    return *number;
  }
  throw Unprinted{what};
}

// The quantity's value in the case, from the summary's value in the case's own unit.
void set_plain(core::BoilerCase& input, std::string_view key, const core::ReportValue& value) {
  core::input_quantity(key).control_line().set_number(input,
                                                      static_cast<float>(needed(value, key)));
}

// A burner's power printed in kW, in the case's W.
float watts(const core::ReportValue& kw, std::string_view what) {
  return static_cast<float>(core::watts_from_kw(needed(kw, what)));
}

void set_burner(core::BoilerCase& input, const core::SummaryReport& report) {
  // The engine's rule on the powers as printed, as the form's restore takes it.
  const core::BurnerKind kind =
      core::burner_kind(report.max_power_kw.known().value_or(kUnprintedPowerKw),
                        report.min_power_kw.known().value_or(kUnprintedPowerKw));
  const float max_power_w = watts(report.max_power_kw, "burner_max_power");
  input.burner = kind == core::BurnerKind::single_stage
                     ? core::Burner::single_stage(max_power_w)
                     : core::Burner(max_power_w, watts(report.min_power_kw, "burner_min_power"));
  set_plain(input, "air_ratio", report.air_ratio);
  input.combustion.pilot_power_w =
      report.pilot_power_w ? static_cast<float>(needed(*report.pilot_power_w, "pilot_power"))
                           : 0.0f;
}

void set_flue_gas(core::FlueGasPoint& point, const core::ReportFlueGasPoint& printed) {
  point.flue_gas_temp_c = static_cast<float>(needed(printed.flue_gas_temp_c, "flue_gas_temp"));
  point.supply_temp_c = static_cast<float>(needed(printed.supply_temp_c, "supply_temp"));
  point.return_temp_c = static_cast<float>(needed(printed.return_temp_c, "return_temp"));
}

void set_hot_water(core::BoilerCase& input, const core::SummaryReport& report) {
  const std::optional<double> demand = printed_value(report.hot_water_kwh);
  const std::optional<double> loss = printed_value(report.heater_loss_kwh_per_day);
  // No heater: none of its values is needed, and the case keeps none.
  if (demand == 0.0 && loss == 0.0) {
    return;
  }
  set_plain(input, "hot_water_demand", report.hot_water_kwh);
  // Printed per day with its decimals; the line of the year is in whole kWh.
  input.hot_water.heater_loss_w = static_cast<float>(
      core::watts_from_kwh_per_day(needed(report.heater_loss_kwh_per_day, "heater_loss")));
}

void set_building(core::BoilerCase& input, const core::SummaryReport& report) {
  input.heating_system = report.heating_system;
  const auto* place = std::get_if<core::Place>(&report.climate);
  if (place == nullptr) {
    throw Unprinted{"own_design_outdoor_temp"};
  }
  input.climate = *place;
  set_plain(input, "design_heat_demand", report.design_heat_demand_w);
  set_plain(input, "indoor_temp", report.indoor_temp_c);
  set_plain(input, "pump_power", report.pump_power_w);
  input.pump.heat_share_percent = kPumpHeatSharePercent;
  const std::optional<double> min_return = printed_value(report.min_return_temp_c);
  const std::optional<double> indoor = printed_value(report.indoor_temp_c);
  MinReturnTemp choice = MinReturnTemp::C35;
  if (min_return == kMinReturnTemp65C) {
    choice = MinReturnTemp::C65;
  } else if (min_return != kMinReturnTemp35C && min_return && min_return == indoor) {
    choice = MinReturnTemp::Indoor;
  }
  input.building.min_return_temp_c = min_return_temp_c(choice, input.building.indoor_temp_c);
}

}  // namespace

std::optional<double> printed_value(const core::ReportValue& value) {
  if (value.kind != core::ReportValue::Kind::number) {
    return std::nullopt;
  }
  bool ok = false;
  const double number = QLocale::c().toDouble(QString::fromLatin1(value.text), &ok);
  return ok ? std::optional<double>(number) : std::nullopt;
}

std::variant<core::BoilerCase, QString> summary_case(const core::SummaryReport& report,
                                                     const QString& identity) {
  if (const std::optional<QString> refusal = identity_refusal(identity)) {
    return *refusal;
  }
  core::BoilerCase input;
  try {
    set_burner(input, report);
    set_plain(input, "convection_constant", report.convection_constant);
    set_plain(input, "standby_constant", report.standby_constant);
    set_plain(input, "standby_exponent", report.standby_exponent);
    set_flue_gas(input.flue_gas.low_temp, report.low_temp);
    set_flue_gas(input.flue_gas.high_temp, report.high_temp);
    set_hot_water(input, report);
    set_building(input, report);
  } catch (const Unprinted& missing) {
    return QCoreApplication::translate(
               "SummaryCase", "sammanfattningen visar inte värdet %1, som beräkningen behöver.")
        .arg(QLatin1String(missing.what.data(), static_cast<qsizetype>(missing.what.size())));
  }
  input.identity = core::CalcIdentity(identity.toStdString());
  return input;
}

}  // namespace varmkalk
