// SPDX-License-Identifier: GPL-3.0-or-later
// "Anpassa till mätaren…": what the user types becomes the meter in kWh on the bill's basis or a
// fault naming its field, and the fit hands the form a demand that, on the form's own climate,
// is the metered house.
#include "core/cost/year_cost.h"
#include "core/model/house_day.h"
#include "core/model/start_model.h"
#include "frontend/examples/typed_inputs.h"
#include "frontend/logic/cost/meter_reading.h"
#include "frontend/logic/form/engine_case.h"
#include "frontend/logic/sweep/sweep_base.h"

#include <QTest>

#include <variant>

using namespace varmkalk;

namespace {

const QString kClimateDir = QStringLiteral(VARMKALK_TEST_CLIMATE_DIR);
const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);

MeterInput kwh_in(core::Place place, const QString& amount) {
  MeterInput typed;
  typed.amount = amount;
  typed.place = place;
  return typed;
}

double bill_gas_kwh(const core::BoilerCase& input) {
  const core::FoundClimate climate =
      core::find_climate(core::climate_file_name(input.climate), kClimateDir.toStdString(), {});
  return std::get<core::YearCost>(core::case_cost(input, climate, core::default_cost_inputs()).cost)
      .gas_bill_kwh;
}

float span_k(const core::BoilerCase& input) {
  return core::demand_span(core::house_of(input), core::design_conditions(input));
}

}  // namespace

class MeterTest : public QObject {
  Q_OBJECT

 private slots:
  void faults_name_their_field() {
    const FormInput form = testing::typed_in(testing::typed_worked_example(), kSwedish);
    FormInput unfinished = form;
    unfinished.indoor_temp_c.clear();
    struct Row {
      const char* what;
      FormInput form;
      MeterInput typed;
      QString field;
    };
    MeterInput in_m3 = kwh_in(core::Place::malmo, QStringLiteral("2000"));
    in_m3.unit = MeterUnit::m3;
    in_m3.kwh_per_m3 = QStringLiteral("0,5");
    MeterInput own_without_file = kwh_in(core::Place::malmo, QStringLiteral("20000"));
    own_without_file.own_climate = true;
    own_without_file.own_design_outdoor_temp_c = QStringLiteral("-12");
    MeterInput own_without_temp = own_without_file;
    own_without_temp.own_climate_file = QStringLiteral("egen.dat");
    own_without_temp.own_design_outdoor_temp_c.clear();
    const Row rows[] = {
        {"empty", form, kwh_in(core::Place::malmo, QString()), kMeterAmountField},
        {"zero", form, kwh_in(core::Place::malmo, QStringLiteral("0")), kMeterAmountField},
        {"a point on a Swedish system", form, kwh_in(core::Place::malmo, QStringLiteral("1.5")),
         kMeterAmountField},
        {"a factor out of range", form, in_m3, kMeterFactorField},
        {"no own file", form, own_without_file, kMeterOwnFileField},
        {"no design temperature", form, own_without_temp, kMeterDesignTempField},
        {"a form not filled in", unfinished, kwh_in(core::Place::malmo, QStringLiteral("20000")),
         QString()},
    };
    for (const Row& row : rows) {
      const auto request =
          meter_request(row.form, row.typed, core::default_cost_inputs(), kSwedish);
      QVERIFY2(std::holds_alternative<MeterFieldError>(request), row.what);
      const MeterFieldError& fault = std::get<MeterFieldError>(request);
      QCOMPARE(fault.field, row.field);
      QVERIFY2(!fault.message.isEmpty(), row.what);
    }
    // A text that is no number is told in the input form's words, with what to write.
    for (const auto& [field, typed] :
         {std::pair{meter_amount_label(), kwh_in(core::Place::malmo, QStringLiteral("16.5"))},
          std::pair{meter_factor_label(), in_m3}}) {
      MeterInput no_number = typed;
      no_number.kwh_per_m3 = QStringLiteral("10.5");
      const QString message =
          std::get<MeterFieldError>(
              meter_request(form, no_number, core::default_cost_inputs(), kSwedish))
              .message;
      for (const QString& said :
           {QStringLiteral("Fältet \"%1\"").arg(field), QStringLiteral("som inte är ett tal"),
            QStringLiteral("decimalkomma, till exempel 12,5"), QStringLiteral("16 500")}) {
        QVERIFY2(message.contains(said), qPrintable(message));
      }
    }
  }

  // The fit and the sweep start from one case: the form's engine case, or its fault.
  void the_meter_and_the_sweep_take_the_forms_engine_case() {
    const FormInput form = testing::typed_in(testing::typed_worked_example(), kSwedish);
    const auto engine = engine_case(form, kSwedish);
    QVERIFY(std::holds_alternative<EngineCase>(engine));
    const core::BoilerCase& input = std::get<EngineCase>(engine).input;
    const auto request = meter_request(form, kwh_in(core::Place::malmo, QStringLiteral("16500")),
                                       core::default_cost_inputs(), kSwedish);
    QVERIFY(std::holds_alternative<MeterRequest>(request));
    QCOMPARE(std::get<MeterRequest>(request).form_case, input);
    QCOMPARE(std::get<MeterRequest>(request).metered_case, input);
    QCOMPARE(std::get<SweepBase>(sweep_base(form, kSwedish)).input, input);
    QVERIFY(engine_case_possible(form, kSwedish));

    FormInput broken = form;
    broken.indoor_temp_c = QStringLiteral("tjugo");
    const auto fault = engine_case(broken, kSwedish);
    QVERIFY(std::holds_alternative<QString>(fault));
    QVERIFY(!engine_case_possible(broken, kSwedish));
    QCOMPARE(std::get<QString>(sweep_base(broken, kSwedish)), std::get<QString>(fault));
    const auto refused = meter_request(broken, kwh_in(core::Place::malmo, QStringLiteral("16500")),
                                       core::default_cost_inputs(), kSwedish);
    QCOMPARE(std::get<MeterFieldError>(refused).message,
             QStringLiteral("Formuläret: ") + std::get<QString>(fault));
  }

  void m3_are_counted_at_the_bills_factor_and_an_empty_demand_is_no_fault() {
    FormInput form = testing::typed_in(testing::typed_worked_example(), kSwedish);
    form.design_heat_demand_kw.clear();
    // The bill's digit groups, with a blank or a no-break space.
    MeterInput typed = kwh_in(core::Place::kiruna, QStringLiteral("16 500"));
    const auto grouped = meter_request(form, typed, core::default_cost_inputs(), kSwedish);
    QVERIFY(std::holds_alternative<MeterRequest>(grouped));
    QCOMPARE(std::get<MeterRequest>(grouped).metered_kwh, 16500.0);
    QCOMPARE(std::get<MeterRequest>(grouped).prices, core::default_cost_inputs());
    typed.amount = QStringLiteral("2") + QChar(0x00A0) + QStringLiteral("000");
    typed.unit = MeterUnit::m3;
    typed.kwh_per_m3 = QStringLiteral("11,5");
    const auto request = meter_request(form, typed, core::default_cost_inputs(), kSwedish);
    QVERIFY(std::holds_alternative<MeterRequest>(request));
    const MeterRequest& asked = std::get<MeterRequest>(request);
    QCOMPARE(asked.metered_kwh, 23000.0);
    // The bill's factor is the one the year's m³ are counted with.
    QCOMPARE(asked.prices.gas_kwh_per_m3, 11.5);
    QCOMPARE(asked.metered_case.climate, core::ClimateChoice(core::Place::kiruna));
    QCOMPARE(asked.form_case.climate, core::ClimateChoice(core::Place::malmo));
  }

  // The house metered on one climate, carried to the form's: the same loss coefficient, and on
  // its own climate the same year's gas as the meter.
  void the_fitted_house_keeps_its_loss_coefficient_on_the_forms_climate() {
    const FormInput form = testing::typed_worked_example();
    for (const core::Place place :
         {core::Place::malmo, core::Place::stockholm, core::Place::kiruna}) {
      const auto own = meter_request(form, kwh_in(place, QStringLiteral("1")),
                                     core::default_cost_inputs(), QLocale::c());
      core::BoilerCase metered = std::get<MeterRequest>(own).metered_case;
      metered.building.design_heat_demand_w = 9300.0f;
      const double meter_kwh = bill_gas_kwh(metered);
      const auto request = meter_request(form, kwh_in(place, QString::number(meter_kwh, 'f', 3)),
                                         core::default_cost_inputs(), QLocale::c());
      const MeterRequest& asked = std::get<MeterRequest>(request);
      const MeterOutcome outcome = run_meter_fit(asked, QString(), kClimateDir);
      QVERIFY(std::holds_alternative<core::MeterFit>(outcome.fit));
      const core::MeterFit& fit = std::get<core::MeterFit>(outcome.fit);
      QVERIFY(std::abs(fit.design_heat_demand_w - 9300.0f) < 9.3f);
      QCOMPARE(outcome.carried, place != core::Place::malmo);
      QVERIFY(outcome.form_demand_w);
      QVERIFY(std::abs(*outcome.form_demand_w / span_k(asked.form_case) -
                       fit.design_heat_demand_w / span_k(metered)) < 1e-2f);
      const QString field = form_demand_text(*outcome.form_demand_w, QLocale::c());
      QVERIFY(std::abs(field.toDouble() * 1000.0 - *outcome.form_demand_w) <= 5.0);
      const QStringList lines = meter_outcome_lines(asked, outcome, QLocale::c());
      const QStringList carried = lines.filter(QStringLiteral("värmeförlusttal"));
      QCOMPARE(carried.size(), outcome.carried ? 1 : 0);
      // The headline is the figure "Använd" writes; the demand on the metered climate, where it
      // is another, is named as that climate's and never stands alone.
      const QString written = field + QStringLiteral(" kW");
      const QString metered_kw =
          QString::number(double(fit.design_heat_demand_w) / 1000.0, 'f', 2) +
          QStringLiteral(" kW");
      QVERIFY2(meter_headline(outcome, QLocale::c()).endsWith(QStringLiteral(": ") + written),
               qPrintable(meter_headline(outcome, QLocale::c())));
      QCOMPARE(lines.filter(written).isEmpty(), false);
      if (outcome.carried) {
        QVERIFY(metered_kw != written);
        QVERIFY(!meter_headline(outcome, QLocale::c()).contains(metered_kw));
        QCOMPARE(lines.filter(metered_kw).size(), 1);
        QVERIFY(lines.filter(metered_kw).front().contains(QStringLiteral("mätningens klimat")));
        // H on the metered climate's span, the house as metered: whole W/K as the line shows it.
        const QString h_text =
            QString::number(std::lround(fit.design_heat_demand_w / span_k(asked.metered_case)));
        QVERIFY2(carried[0].contains(QStringLiteral(") = %1 W/K").arg(h_text)),
                 qPrintable(carried[0]));
      }
    }
  }

  void a_refusal_is_shown_as_such() {
    const auto request = meter_request(testing::typed_worked_example(),
                                       kwh_in(core::Place::malmo, QStringLiteral("100")),
                                       core::default_cost_inputs(), QLocale::c());
    const MeterOutcome outcome =
        run_meter_fit(std::get<MeterRequest>(request), QString(), kClimateDir);
    QVERIFY(std::holds_alternative<core::MeterFitRefusal>(outcome.fit));
    QVERIFY(!outcome.form_demand_w);
    const QStringList lines =
        meter_outcome_lines(std::get<MeterRequest>(request), outcome, QLocale::c());
    QCOMPARE(lines.first(), QStringLiteral("Ingen anpassning:"));
    QVERIFY(meter_headline(outcome, QLocale::c()).isEmpty());
  }
};

QTEST_GUILESS_MAIN(MeterTest)
#include "meter_test.moc"
