// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/input_validation.h"

#include <QTest>

using varmkalk::FormInput;

Q_DECLARE_METATYPE(varmkalk::FormInput)

namespace {

// Every component chosen (single-stage burner, hot-water heater, known convection constant,
// known standby constants) and every field filled.
FormInput complete_single_stage() {
  FormInput input;
  input.burner = varmkalk::Burner::SingleStage;
  input.hot_water_heater = varmkalk::HotWaterHeater::Yes;
  input.convection_source = varmkalk::ConvectionSource::Constant;
  input.standby_source = varmkalk::StandbySource::Constants;
  for (const varmkalk::FormField& field : varmkalk::kFormFields) {
    if ((input.*field.text).isEmpty()) {
      input.*field.text = QStringLiteral("1");
    }
  }
  return input;
}

FormInput with_components(varmkalk::Burner burner, varmkalk::HotWaterHeater heater,
                          varmkalk::ConvectionSource convection, varmkalk::StandbySource standby) {
  FormInput input;
  input.burner = burner;
  input.hot_water_heater = heater;
  input.convection_source = convection;
  input.standby_source = standby;
  return input;
}

const QStringList kFlueGasAndBuilding{"huseff", "TempH",  "TempL", "FramH",
                                      "FramL",  "ReturH", "ReturL"};

}  // namespace

class InputValidationTest : public QObject {
  Q_OBJECT
 private slots:
  void reports_components_and_missing_fields_data() {
    using namespace varmkalk;
    QTest::addColumn<FormInput>("input");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QStringList>("missing");

    QTest::newRow("fresh form: defaults alone do not count")
        << FormInput{} << false << QStringList{};
    FormInput three = complete_single_stage();
    three.standby_source = StandbySource::Unchosen;
    QTest::newRow("three components chosen, fields not checked") << three << false << QStringList{};

    QTest::newRow("single stage, only defaults")
        << with_components(Burner::SingleStage, HotWaterHeater::Yes, ConvectionSource::Constant,
                           StandbySource::Constants)
        << true
        << QStringList{"enstegeff", "enstegluft", "Text5",     "vvbehov",
                       "konvkonst", "sbexponent", "sbkonstant"} +
               kFlueGasAndBuilding;
    QTest::newRow("modulating, no heater, known losses, only defaults")
        << with_components(Burner::Modulating, HotWaterHeater::No, ConvectionSource::KnownLoss,
                           StandbySource::KnownLosses)
        << true
        << QStringList{"modmax", "modmin", "modluft", "konveff", "konvtemp",
                       "sbeff1", "sbeff2", "sbtemp1", "sbtemp2"} +
               kFlueGasAndBuilding;

    QTest::newRow("everything filled") << complete_single_stage() << true << QStringList{};

    FormInput blank = complete_single_stage();
    blank.design_heat_demand_kw = QStringLiteral(" ");
    QTest::newRow("a field of one blank is filled") << blank << true << QStringList{};

    FormInput no_pilot = complete_single_stage();
    no_pilot.pilot_power_w.clear();
    QTest::newRow("pilot flame emptied") << no_pilot << true << QStringList{"pilotflamma"};

    FormInput building = complete_single_stage();
    building.pump_power_w.clear();
    building.indoor_temp_c.clear();
    QTest::newRow("building defaults emptied")
        << building << true << QStringList{"intemp", "cirkpump"};

    FormInput no_heater = complete_single_stage();
    no_heater.hot_water_heater = HotWaterHeater::No;
    no_heater.hot_water_kwh_per_year.clear();
    no_heater.heater_loss_kwh_per_day.clear();
    QTest::newRow("no heater needs no hot-water field") << no_heater << true << QStringList{};

    FormInput heater = complete_single_stage();
    heater.hot_water_kwh_per_year.clear();
    heater.heater_loss_kwh_per_day.clear();
    QTest::newRow("heater needs both fields") << heater << true << QStringList{"Text5", "vvbehov"};

    FormInput switched = complete_single_stage();
    switched.burner = Burner::Modulating;
    switched.modulating_min_power_kw.clear();
    QTest::newRow("switched to modulating: its own fields are checked")
        << switched << true << QStringList{"modmin"};

    FormInput back = complete_single_stage();
    back.modulating_max_power_kw.clear();
    back.modulating_min_power_kw.clear();
    back.modulating_excess_air_percent.clear();
    QTest::newRow("single stage ignores empty modulating fields") << back << true << QStringList{};

    FormInput convection = complete_single_stage();
    convection.convection_source = ConvectionSource::KnownLoss;
    convection.convection_constant.clear();
    convection.convection_temp_difference_k.clear();
    QTest::newRow("known convection loss needs power and temperature")
        << convection << true << QStringList{"konvtemp"};

    FormInput standby = complete_single_stage();
    standby.standby_source = StandbySource::KnownLosses;
    standby.standby_constant.clear();
    standby.standby_exponent.clear();
    standby.standby_loss_2_w.clear();
    standby.standby_temp_difference_1_k.clear();
    QTest::newRow("known standby losses need the two cases")
        << standby << true << QStringList{"sbeff2", "sbtemp1"};
  }

  void reports_components_and_missing_fields() {
    QFETCH(FormInput, input);
    QFETCH(bool, complete);
    QFETCH(QStringList, missing);
    const varmkalk::InputValidation result = varmkalk::validate_input(input);
    QCOMPARE(result.components_complete, complete);
    // Each missing field is marked on its own: their order means nothing.
    QStringList found = result.missing_fields;
    found.sort();
    missing.sort();
    QCOMPARE(found, missing);
  }
};

QTEST_GUILESS_MAIN(InputValidationTest)
#include "input_validation_test.moc"
