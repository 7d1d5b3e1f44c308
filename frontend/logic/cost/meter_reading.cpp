// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/cost/meter_reading.h"

#include "core/case/climate_choice.h"
#include "core/case/climates.h"
#include "core/case/units.h"
#include "core/model/house_day.h"
#include "core/model/start_model.h"
#include "core/run/case_run.h"
#include "frontend/logic/form/engine_case.h"
#include "frontend/logic/form/form_number.h"
#include "frontend/logic/run/file_names.h"

#include <QCoreApplication>

#include <cmath>

namespace varmkalk {

namespace {

// The fit finds the demand: an empty field is given this one, which only starts the search.
constexpr double kStartDemandKw = 10.0;
constexpr int kFormDemandDecimals = 2;
constexpr int kDemandDecimals = 2;
constexpr int kTempDecimals = 1;
constexpr int kEfficiencyDecimals = 1;
constexpr int kLossCoefficientDecimals = 0;

QString kwh_text(double kwh, const QLocale& locale) {
  return locale.toString(static_cast<qlonglong>(std::llround(kwh))) + QStringLiteral(" kWh");
}

QString kw_text(float watts, const QLocale& locale) {
  return locale.toString(double(core::kw_from_watts(watts)), 'f', kDemandDecimals) +
         QStringLiteral(" kW");
}

QString climate_text(const core::BoilerCase& input, const QLocale& locale) {
  const QString dut =
      locale.toString(double(core::design_outdoor_temp_c(input.climate)), 'f', kTempDecimals);
  if (const auto* place = std::get_if<core::Place>(&input.climate)) {
    return QCoreApplication::translate("MeterReading", "%1, DUT %2 °C")
        .arg(from_utf8(core::climate_of(*place).place_name), dut);
  }
  return QCoreApplication::translate("MeterReading", "klimatfilen %1, DUT %2 °C")
      .arg(from_latin1(core::climate_file_name(input.climate)), dut);
}

}  // namespace

std::variant<MeterRequest, MeterFieldError> meter_request(const FormInput& form,
                                                          const MeterInput& typed,
                                                          const core::CostInputs& prices,
                                                          const QLocale& locale) {
  MeterRequest request;
  request.prices = prices;
  const std::optional<double> amount = read_grouped_number(typed.amount, locale);
  if (!amount) {
    return MeterFieldError{QLatin1String(kMeterAmountField),
                           number_fault_message(meter_amount_label(), typed.amount, locale, true)};
  }
  if (!(*amount > 0.0)) {
    return MeterFieldError{
        QLatin1String(kMeterAmountField),
        QCoreApplication::translate("MeterReading",
                                    "Uppmätt gas: skriv årets förbrukning från gasräkningen "
                                    "som ett tal större än 0.")};
  }
  request.metered_kwh = *amount;
  if (typed.unit == MeterUnit::m3) {
    const core::CostQuantity& factor = *core::cost_quantity("gas_kwh_per_m3");
    const std::optional<double> kwh_per_m3 = read_grouped_number(typed.kwh_per_m3, locale);
    if (!kwh_per_m3) {
      return MeterFieldError{
          QLatin1String(kMeterFactorField),
          number_fault_message(meter_factor_label(), typed.kwh_per_m3, locale, true)};
    }
    if (*kwh_per_m3 < factor.min_value || *kwh_per_m3 > factor.max_value) {
      return MeterFieldError{
          QLatin1String(kMeterFactorField),
          QCoreApplication::translate(
              "MeterReading",
              "kWh per m³: skriv gasräkningens omräkningstal, ett tal mellan %1 och %2.")
              .arg(locale.toString(factor.min_value), locale.toString(factor.max_value))};
    }
    request.metered_kwh *= *kwh_per_m3;
    // The bill's own factor: the year's m³ are then counted as the bill counts them.
    request.prices.gas_kwh_per_m3 = *kwh_per_m3;
  }

  FormInput house = form;
  if (house.design_heat_demand_kw.trimmed().isEmpty()) {
    house.design_heat_demand_kw = locale.toString(kStartDemandKw);
  }
  const std::variant<EngineCase, QString> on_form = engine_case(house, locale);
  if (const auto* fault = std::get_if<QString>(&on_form)) {
    return MeterFieldError{QString(),
                           QCoreApplication::translate("MeterReading", "Formuläret: ") + *fault};
  }
  request.form_case = std::get<EngineCase>(on_form).input;

  FormInput metered = house;
  metered.own_climate = typed.own_climate;
  metered.climate = typed.place;
  metered.own_climate_file = typed.own_climate_file.trimmed();
  metered.own_design_outdoor_temp_c = typed.own_design_outdoor_temp_c;
  if (typed.own_climate && metered.own_climate_file.isEmpty()) {
    return MeterFieldError{
        QLatin1String(kMeterOwnFileField),
        QCoreApplication::translate("MeterReading",
                                    "Klimatfil: välj eller skriv namnet på en klimatfil i "
                                    "arbetsmappen.")};
  }
  if (typed.own_climate && !read_form_number(typed.own_design_outdoor_temp_c, locale)) {
    return MeterFieldError{QLatin1String(kMeterDesignTempField),
                           QCoreApplication::translate("MeterReading",
                                                       "DUT: skriv klimatfilens dimensionerande "
                                                       "utetemperatur i °C.")};
  }
  const std::variant<EngineCase, QString> on_meter = engine_case(metered, locale);
  if (const auto* fault = std::get_if<QString>(&on_meter)) {
    return MeterFieldError{QLatin1String(kMeterOwnFileField), *fault};
  }
  request.metered_case = std::get<EngineCase>(on_meter).input;
  return request;
}

MeterOutcome run_meter_fit(const MeterRequest& request, const QString& work_folder,
                           const QString& fallback_dir) {
  const core::FoundClimate climate =
      core::find_climate(core::climate_file_name(request.metered_case.climate),
                         optional_folder_path(work_folder), optional_folder_path(fallback_dir));
  MeterOutcome outcome{
      core::fit_to_meter(request.metered_case, climate, request.prices, request.metered_kwh),
      std::nullopt, request.metered_case.climate != request.form_case.climate};
  if (const auto* fit = std::get_if<core::MeterFit>(&outcome.fit)) {
    core::BoilerCase fitted = request.metered_case;
    fitted.building.design_heat_demand_w = fit->design_heat_demand_w;
    outcome.form_demand_w = outcome.carried
                                ? core::carried_design_demand_w(fitted, request.form_case.climate)
                                : std::optional<float>(fit->design_heat_demand_w);
  }
  return outcome;
}

QString meter_headline(const MeterOutcome& outcome, const QLocale& locale) {
  const auto* fit = std::get_if<core::MeterFit>(&outcome.fit);
  if (fit == nullptr) {
    return {};
  }
  if (!outcome.form_demand_w) {
    return QCoreApplication::translate("MeterReading",
                                       "Husets maximala uppvärmningsbehov på mätningens klimat: %1")
        .arg(kw_text(fit->design_heat_demand_w, locale));
  }
  return (outcome.carried
              ? QCoreApplication::translate(
                    "MeterReading", "Husets maximala uppvärmningsbehov på formulärets klimat: %1")
              : QCoreApplication::translate("MeterReading",
                                            "Husets maximala uppvärmningsbehov: %1"))
      .arg(kw_text(*outcome.form_demand_w, locale));
}

QStringList meter_outcome_lines(const MeterRequest& request, const MeterOutcome& outcome,
                                const QLocale& locale) {
  if (const auto* refusal = std::get_if<core::MeterFitRefusal>(&outcome.fit)) {
    return {QCoreApplication::translate("MeterReading", "Ingen anpassning:"),
            QString::fromStdString(refusal->message)};
  }
  const core::MeterFit& fit = std::get<core::MeterFit>(outcome.fit);
  QStringList lines;
  // The demand on the metered climate is named as such wherever "Använd" writes another.
  if (outcome.carried || !outcome.form_demand_w) {
    lines += QCoreApplication::translate("MeterReading",
                                         "På mätningens klimat (%1) är husets maximala "
                                         "uppvärmningsbehov %2.")
                 .arg(climate_text(request.metered_case, locale),
                      kw_text(fit.design_heat_demand_w, locale));
  } else {
    lines += QCoreApplication::translate("MeterReading", "Mätningens klimat är formulärets: %1.")
                 .arg(climate_text(request.metered_case, locale));
  }
  lines +=
      QCoreApplication::translate("MeterReading", "Årets gas på räkningens sätt: %1 (uppmätt %2)")
          .arg(kwh_text(fit.cost.gas_bill_kwh, locale), kwh_text(request.metered_kwh, locale));
  if (fit.result.efficiency_percent) {
    lines +=
        QCoreApplication::translate("MeterReading", "Årsverkningsgrad: %1 %")
            .arg(locale.toString(double(*fit.result.efficiency_percent), 'f', kEfficiencyDecimals));
  }
  lines += QCoreApplication::translate("MeterReading",
                                       "En kW mer i uppvärmningsbehov kostar %1 gas om året.")
               .arg(kwh_text(fit.gas_kwh_per_kw, locale));
  if (fit.full_power_shortfall_days > 0) {
    lines += QCoreApplication::translate(
                 "MeterReading",
                 "Varning: under %1 dygn klarar brännaren inte husets värmebehov ens på full "
                 "effekt (största underskottet %2 W). Ett så stort behov kan pannan inte ha "
                 "täckt; se över mätvärdet och brännarens effekt.")
                 .arg(fit.full_power_shortfall_days)
                 .arg(locale.toString(
                     static_cast<qlonglong>(std::lround(fit.largest_full_power_shortfall_w))));
  }
  if (!outcome.form_demand_w) {
    lines += QCoreApplication::translate(
        "MeterReading", "Formulärets klimat ger inget uppvärmningsbehov att föra över till.");
  } else if (outcome.carried) {
    core::BoilerCase fitted = request.metered_case;
    fitted.building.design_heat_demand_w = fit.design_heat_demand_w;
    const float span_k = core::demand_span(core::house_of(fitted), core::design_conditions(fitted));
    lines += QCoreApplication::translate(
                 "MeterReading",
                 "Formulärets klimat är ett annat (%1). Huset förs över med sitt "
                 "värmeförlusttal H = Q / (inne − 5 − DUT) = %2 W/K: \"Använd\" ger %3.")
                 .arg(climate_text(request.form_case, locale),
                      locale.toString(double(fit.design_heat_demand_w / span_k), 'f',
                                      kLossCoefficientDecimals),
                      kw_text(*outcome.form_demand_w, locale));
  } else {
    lines +=
        QCoreApplication::translate("MeterReading",
                                    "\"Använd\" skriver %1 i formulärets fält för husets maximala "
                                    "uppvärmningsbehov.")
            .arg(kw_text(*outcome.form_demand_w, locale));
  }
  return lines;
}

QString meter_amount_label() {
  return QCoreApplication::translate("MeterReading", "Uppmätt gas under året");
}

QString meter_factor_label() {
  return QCoreApplication::translate("MeterReading", "kWh per m³ enligt räkningen");
}

QString form_demand_text(float demand_w, const QLocale& locale) {
  return locale.toString(double(core::kw_from_watts(demand_w)), 'f', kFormDemandDecimals);
}

}  // namespace varmkalk
