// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/form_case.h"

#include "core/formats/control_file.h"
#include "core/model/standing_losses.h"
#include "core/text/fixed_field.h"
#include "frontend/examples/typed_inputs.h"
#include "frontend/tests/support/file_bytes.h"
#include "frontend/tests/support/read_only_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <functional>
#include <iterator>

using varmkalk::FieldError;
using varmkalk::FormInput;
using varmkalk::testing::complete_swedish_input;
using varmkalk::testing::file_bytes;
using varmkalk::testing::typed_in;
using varmkalk::testing::write_file;

namespace {

const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

const QStringList kSwedishInputLines{
    " 1.5", " 0.5", " 1.25", " 18500", " 18500", " 1.2", " 0",   " 120",
    " 40",  " 30",  " 180",  " 70",    " 50",    " 65",  " 75",  " 12500",
    "C",    "A",    " 20",   " 35",    " 3000",  " 45",  "h123",
};

using Case = varmkalk::core::BoilerCase;

Case derived_case(const FormInput& input, const QString& identity = QStringLiteral("h123"),
                  const QLocale& locale = kSwedish) {
  auto derived = varmkalk::derive_case(input, identity, locale);
  if (const auto* error = std::get_if<FieldError>(&derived)) {
    qWarning() << "unexpected error in" << error->field << ":" << error->message;
    return {};
  }
  return std::get<Case>(derived);
}

// The control file's lines for the input.
QStringList derive(const FormInput& input, const QString& identity = QStringLiteral("h123"),
                   const QLocale& locale = kSwedish) {
  QStringList lines;
  for (const std::string& line :
       varmkalk::core::control_file_lines(derived_case(input, identity, locale))) {
    lines += QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
  }
  return lines;
}

// A number line as the engine reads it.
float line_value(const QStringList& lines, int line_number) {
  return varmkalk::core::read_real(lines[line_number - 1].toStdString(), 0);
}

using Change = std::function<void(FormInput&)>;

// The input with every field filled and the choices that make `field` one the writer reads.
FormInput input_needing(const QString& field) {
  FormInput input = complete_swedish_input();
  input.modulating_max_power_kw = QStringLiteral("24");
  input.modulating_min_power_kw = QStringLiteral("7,5");
  input.modulating_excess_air_percent = QStringLiteral("30");
  input.convection_loss_w = QStringLiteral("100");
  input.convection_temp_difference_k = QStringLiteral("40");
  input.standby_temp_difference_1_k = QStringLiteral("40");
  input.standby_loss_1_w = QStringLiteral("50");
  input.standby_temp_difference_2_k = QStringLiteral("80");
  input.standby_loss_2_w = QStringLiteral("100");
  if (field.startsWith(QStringLiteral("mod"))) {
    input.burner = varmkalk::Burner::Modulating;
  }
  if (field == QStringLiteral("konveff") || field == QStringLiteral("konvtemp")) {
    input.convection_source = varmkalk::ConvectionSource::KnownLoss;
  }
  if (field.startsWith(QStringLiteral("sbtemp")) || field.startsWith(QStringLiteral("sbeff"))) {
    input.standby_source = varmkalk::StandbySource::KnownLosses;
  }
  if (field == QStringLiteral("dut")) {
    input.own_climate = true;
    input.own_climate_file = QStringLiteral("egen.dat");
    input.own_design_outdoor_temp_c = QStringLiteral("-24");
  }
  if (field.endsWith(QStringLiteral("dim"))) {
    input.own_design_temps = true;
    input.own_supply_temp_c = QStringLiteral("45");
    input.own_return_temp_c = QStringLiteral("35");
  }
  return input;
}

QString FormInput::*text_of(const QString& field) {
  for (const varmkalk::FormField& entry : varmkalk::kFormFields) {
    if (field == QLatin1String(entry.name)) {
      return entry.text;
    }
  }
  qFatal("no field %s", qPrintable(field));
}

}  // namespace

Q_DECLARE_METATYPE(Change)

class FormCaseTest : public QObject {
  Q_OBJECT
 private slots:
  void writes_every_line_of_a_complete_input() {
    QCOMPARE(derive(complete_swedish_input()), kSwedishInputLines);
  }

  void reads_numbers_by_the_users_locale() {
    QCOMPARE(derive(typed_in(complete_swedish_input(), kEnglish), QStringLiteral("h123"), kEnglish),
             kSwedishInputLines);
  }

  void modulating_burner_gives_its_own_powers_and_air() {
    FormInput input = complete_swedish_input();
    input.burner = varmkalk::Burner::Modulating;
    input.modulating_max_power_kw = QStringLiteral("24");
    input.modulating_min_power_kw = QStringLiteral("7,5");
    input.modulating_excess_air_percent = QStringLiteral("30");
    const QStringList lines = derive(input);
    QCOMPARE(lines[3], QStringLiteral(" 24000"));
    QCOMPARE(lines[4], QStringLiteral(" 7500"));
    QCOMPARE(lines[5], QStringLiteral(" 1.3"));
  }

  void fits_the_convection_constant_to_a_known_loss() {
    FormInput input = complete_swedish_input();
    input.convection_source = varmkalk::ConvectionSource::KnownLoss;
    input.convection_loss_w = QStringLiteral("100");
    input.convection_temp_difference_k = QStringLiteral("40");
    // Worked example: 100 / 40^1.3 ≈ 0.82665 (5 digits).
    QVERIFY(qAbs(line_value(derive(input), 1) - 0.82665F) < 5e-6F);
  }

  // The engine's standby-loss law, read from the control file the form writes, loses the typed
  // power at each typed temperature difference between boiler and room, whatever the indoor
  // temperature and in whichever order the two cases are typed.
  void standby_fit_reproduces_the_typed_losses_data() {
    QTest::addColumn<QStringList>("typed");  // ΔT 1, Q 1, ΔT 2, Q 2, indoor temperature
    QTest::newRow("a boiler's data sheet") << QStringList{"30", "28,1", "50", "53,2", "20"};
    QTest::newRow("double loss at double difference") << QStringList{"40", "50", "80", "100", "20"};
    QTest::newRow("cool room") << QStringList{"10", "5", "60", "90", "12"};
    QTest::newRow("warm room, steep") << QStringList{"25", "12,5", "45", "61", "25,5"};
    QTest::newRow("small difference") << QStringList{"0,5", "0,2", "90", "300", "21,3"};
    QTest::newRow("cases typed high first") << QStringList{"45", "120", "35", "95", "21"};
    QTest::newRow("loss falling with the difference") << QStringList{"30", "60", "50", "40", "20"};
    QTest::newRow("wide range") << QStringList{"5", "1", "200", "5000", "18"};
  }
  void standby_fit_reproduces_the_typed_losses() {
    QFETCH(QStringList, typed);
    FormInput input = complete_swedish_input();
    input.standby_source = varmkalk::StandbySource::KnownLosses;
    input.standby_temp_difference_1_k = typed[0];
    input.standby_loss_1_w = typed[1];
    input.standby_temp_difference_2_k = typed[2];
    input.standby_loss_2_w = typed[3];
    input.indoor_temp_c = typed[4];
    const auto lines = varmkalk::core::control_file_lines(derived_case(input));
    Case engine_case;
    for (const varmkalk::core::ControlLine& line : varmkalk::core::kControlLines) {
      varmkalk::core::read_control_line(line, lines[static_cast<std::size_t>(line.line - 1)],
                                        engine_case);
    }
    for (int point : {0, 2}) {
      const double temp_difference = kSwedish.toDouble(typed[point]);
      const double typed_loss = kSwedish.toDouble(typed[point + 1]);
      const float boiler_temp =
          engine_case.building.indoor_temp_c + static_cast<float>(temp_difference);
      const double loss = varmkalk::core::standby_loss(engine_case, boiler_temp);
      QVERIFY2(std::fabs(loss / typed_loss - 1.0) < 0.001,
               qPrintable(QStringLiteral("%1 W at %2 K, typed %3 W")
                              .arg(loss)
                              .arg(temp_difference)
                              .arg(typed_loss)));
    }
  }

  // Every combination of the form's choices: the control file written for the case reads back,
  // through the engine's own reader, as the same case, field by field.
  void every_choice_reads_back_through_the_engines_reader() {
    using varmkalk::core::HeatingSystem;
    using varmkalk::core::Place;
    int combinations = 0;
    for (const auto burner : {varmkalk::Burner::SingleStage, varmkalk::Burner::Modulating}) {
      for (const auto heater : {varmkalk::HotWaterHeater::Yes, varmkalk::HotWaterHeater::No}) {
        for (const auto convection :
             {varmkalk::ConvectionSource::Constant, varmkalk::ConvectionSource::KnownLoss}) {
          for (const auto standby :
               {varmkalk::StandbySource::Constants, varmkalk::StandbySource::KnownLosses}) {
            for (const auto system :
                 {HeatingSystem::radiators_80_60, HeatingSystem::radiators_55_45}) {
              for (const auto min_return :
                   {varmkalk::MinReturnTemp::C65, varmkalk::MinReturnTemp::C35,
                    varmkalk::MinReturnTemp::Indoor}) {
                for (const varmkalk::core::Climate& climate : varmkalk::core::kClimates) {
                  FormInput input = input_needing(QString());
                  input.burner = burner;
                  input.hot_water_heater = heater;
                  input.convection_source = convection;
                  input.standby_source = standby;
                  input.heating_system = system;
                  input.min_return_temp = min_return;
                  input.climate = climate.place;
                  input.indoor_temp_c = QStringLiteral("21,3");
                  const Case written = derived_case(input);
                  varmkalk::core::BoilerCase read;
                  const auto lines = varmkalk::core::control_file_lines(written);
                  for (const varmkalk::core::ControlLine& line : varmkalk::core::kControlLines) {
                    varmkalk::core::read_control_line(
                        line, lines[static_cast<std::size_t>(line.line - 1)], read);
                  }
                  QVERIFY(read == written);
                  QCOMPARE(read.burner.kind() == varmkalk::core::BurnerKind::modulating,
                           burner == varmkalk::Burner::Modulating);
                  ++combinations;
                }
              }
            }
          }
        }
      }
    }
    QCOMPARE(combinations, 576);
  }

  // A single-stage burner typed with more digits than a float holds was once written as two
  // different powers, which made it modulating.
  void a_single_stage_burner_is_one_power_however_typed() {
    for (const char* typed : {"18,1234519", "18,5", "0,000123456789", "99999,9999999"}) {
      FormInput input = complete_swedish_input();
      input.single_stage_power_kw = QString::fromLatin1(typed);
      const QStringList lines = derive(input);
      QCOMPARE(lines[3], lines[4]);
      QVERIFY(line_value(lines, 4) == line_value(lines, 5));
    }
  }

  void writes_the_lowest_return_temperature_data() {
    QTest::addColumn<varmkalk::MinReturnTemp>("choice");
    QTest::addColumn<QString>("line_20");
    QTest::newRow("Tjugo takes the indoor temperature") << varmkalk::MinReturnTemp::Indoor << " 18";
    QTest::newRow("Trettiofem") << varmkalk::MinReturnTemp::C35 << " 35";
    QTest::newRow("Sextiofem") << varmkalk::MinReturnTemp::C65 << " 65";
  }
  void writes_the_lowest_return_temperature() {
    QFETCH(varmkalk::MinReturnTemp, choice);
    QFETCH(QString, line_20);
    FormInput input = complete_swedish_input();
    input.min_return_temp = choice;
    input.indoor_temp_c = QStringLiteral("18");
    const QStringList lines = derive(input);
    QCOMPARE(lines[18], QStringLiteral(" 18"));
    QCOMPARE(lines[19], line_20);
  }

  void without_a_heater_writes_zero_and_ignores_its_fields() {
    FormInput input = complete_swedish_input();
    input.hot_water_heater = varmkalk::HotWaterHeater::No;
    input.hot_water_kwh_per_year = QStringLiteral("ej ett tal");
    input.heater_loss_kwh_per_day = QString();
    const QStringList lines = derive(input);
    QCOMPARE(lines[20], QStringLiteral(" 0"));
    QCOMPARE(lines[21], QStringLiteral(" 0"));
  }

  void writes_a_short_identity_as_typed() {
    QCOMPARE(derive(complete_swedish_input(), QStringLiteral("ab"))[22], QStringLiteral("ab"));
  }

  void names_the_field_that_cannot_be_used_data() {
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("field");
    const auto set = [](QString FormInput::*field, const char* text) {
      return Change([field, text](FormInput& input) { input.*field = QString::fromUtf8(text); });
    };
    const auto fit = [](const char* temp_1, const char* loss_1, const char* temp_2,
                        const char* loss_2) {
      return Change([=](FormInput& input) {
        input.standby_source = varmkalk::StandbySource::KnownLosses;
        input.standby_temp_difference_1_k = QString::fromUtf8(temp_1);
        input.standby_loss_1_w = QString::fromUtf8(loss_1);
        input.standby_temp_difference_2_k = QString::fromUtf8(temp_2);
        input.standby_loss_2_w = QString::fromUtf8(loss_2);
      });
    };
    const auto convection = [](const char* temp) {
      return Change([temp](FormInput& input) {
        input.convection_source = varmkalk::ConvectionSource::KnownLoss;
        input.convection_loss_w = QStringLiteral("100");
        input.convection_temp_difference_k = QString::fromUtf8(temp);
      });
    };
    QTest::newRow("point on a Swedish system")
        << set(&FormInput::single_stage_power_kw, "18.5") << "enstegeff";
    QTest::newRow("letters") << set(&FormInput::design_heat_demand_kw, "tolv") << "huseff";
    QTest::newRow("blanks only") << set(&FormInput::flue_gas_temp_high_c, "   ") << "TempH";
    QTest::newRow("nan") << set(&FormInput::flue_gas_temp_low_c, "nan") << "TempL";
    QTest::newRow("inf") << set(&FormInput::pump_power_w, "inf") << "cirkpump";
    QTest::newRow("grouping") << set(&FormInput::hot_water_kwh_per_year, "3 000") << "vvbehov";
    QTest::newRow("too large for the engine")
        << set(&FormInput::design_heat_demand_kw, "1E36") << "huseff";
    QTest::newRow("exponent too large for a float")
        << set(&FormInput::standby_exponent, "1E39") << "sbexponent";
    QTest::newRow("konvtemp zero") << convection("0") << "konvtemp";
    QTest::newRow("konvtemp negative") << convection("-5") << "konvtemp";
    QTest::newRow("equal temperatures") << fit("40", "50", "40", "100") << "sbtemp2";
    QTest::newRow("equal losses") << fit("40", "50", "80", "50") << "sbeff2";
    QTest::newRow("zero loss") << fit("40", "0", "80", "100") << "sbeff1";
    QTest::newRow("negative loss") << fit("40", "50", "80", "-100") << "sbeff2";
    // A power law has no value at a difference that is not positive.
    QTest::newRow("negative temperature difference") << fit("-30", "50", "80", "100") << "sbtemp1";
    QTest::newRow("zero temperature difference") << fit("40", "50", "0", "100") << "sbtemp2";
    QTest::newRow("constants beyond a float") << fit("1", "1E-300", "1000", "1E300") << "sbeff2";
    QTest::newRow("burner not chosen")
        << Change([](FormInput& input) { input.burner = varmkalk::Burner::Unchosen; })
        << "burntype";
  }
  void names_the_field_that_cannot_be_used() {
    QFETCH(Change, change);
    QFETCH(QString, field);
    FormInput input = complete_swedish_input();
    change(input);
    const auto derived = varmkalk::derive_case(input, QStringLiteral("h123"), kSwedish);
    const auto* error = std::get_if<FieldError>(&derived);
    QVERIFY(error != nullptr);
    QCOMPARE(error->field, field);
    QVERIFY(!error->label.isEmpty());
    QCOMPARE(error->label, varmkalk::field_label(field));
    QVERIFY(!error->message.isEmpty());
  }

  // Every fault that stops derive_case is found by input_faults too, with the same message, and
  // beside a second fault elsewhere: the check before the identity misses none of them.
  void input_faults_find_every_fault_together_data() { names_the_field_that_cannot_be_used_data(); }
  void input_faults_find_every_fault_together() {
    QFETCH(Change, change);
    QFETCH(QString, field);
    FormInput input = complete_swedish_input();
    QVERIFY(varmkalk::input_faults(input, kSwedish).empty());
    change(input);
    const FieldError alone =
        std::get<FieldError>(varmkalk::derive_case(input, QStringLiteral("h123"), kSwedish));
    input.supply_temp_low_c = QStringLiteral("fyrtio");

    const varmkalk::FieldErrors faults = varmkalk::input_faults(input, kSwedish);
    QStringList fields;
    for (const FieldError& fault : faults) {
      fields += fault.field;
      if (fault.field == alone.field) {
        QCOMPARE(fault.message, alone.message);
      }
    }
    if (field == QStringLiteral("burntype")) {
      QCOMPARE(fields, QStringList{field});
      return;
    }
    QVERIFY2(fields.contains(field) && fields.contains(QStringLiteral("FramL")),
             qPrintable(fields.join(' ')));
    QCOMPARE(fields.removeDuplicates(), 0);
    // In the order of the form's fields.
    QStringList form_order;
    for (const varmkalk::FormField& entry : varmkalk::kFormFields) {
      if (fields.contains(QLatin1String(entry.name))) {
        form_order += QLatin1String(entry.name);
      }
    }
    QCOMPARE(fields, form_order);
  }

  // Texts that are no number in the user's locale, or a number no double holds, in every one of
  // the 26 fields: the field is named, with what is wrong.
  void every_field_refuses_text_that_is_no_number_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("problem");
    struct BadText {
      const char* row;
      const char* text;
      QLocale locale;
      const char* problem;
    };
    const BadText bad_texts[] = {
        {"letters", "tolv", kSwedish, "som inte är ett tal"},
        {"point on a Swedish system", "12.5", kSwedish, "decimalkomma"},
        {"comma on an English system", "12,5", kEnglish, "decimalpunkt"},
        {"two decimal commas", "1,2,5", kSwedish, "som inte är ett tal"},
        {"blanks only", "   ", kSwedish, "är tomt"},
        {"nan", "nan", kSwedish, "som inte är ett tal"},
        {"NaN, English", "NaN", kEnglish, "som inte är ett tal"},
        {"inf", "inf", kSwedish, "som inte är ett tal"},
        {"minus inf, English", "-inf", kEnglish, "som inte är ett tal"},
        {"beyond a double", "1E999", kSwedish, "för stort eller för nära noll"},
        {"beyond a double, English", "-1e999", kEnglish, "för stort eller för nära noll"},
        {"below a double's smallest", "1E-400", kSwedish, "för stort eller för nära noll"},
        {"hexadecimal", "0x10", kEnglish, "som inte är ett tal"},
    };
    for (const varmkalk::FormField& field : varmkalk::kFormFields) {
      for (const BadText& bad : bad_texts) {
        QTest::addRow("%s, %s", field.name, bad.row)
            << QString::fromLatin1(field.name) << QString::fromUtf8(bad.text) << bad.locale
            << QString::fromUtf8(bad.problem);
      }
    }
  }
  void every_field_refuses_text_that_is_no_number() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QLocale, locale);
    QFETCH(QString, problem);
    FormInput input = input_needing(field);
    if (locale.decimalPoint() == QStringLiteral(".")) {
      for (const varmkalk::FormField& entry : varmkalk::kFormFields) {
        (input.*entry.text).replace(QLatin1Char(','), QLatin1Char('.'));
      }
    }
    QVERIFY2(
        std::holds_alternative<Case>(varmkalk::derive_case(input, QStringLiteral("h123"), locale)),
        "the input is complete before the bad text goes in");
    input.*text_of(field) = text;

    const auto derived = varmkalk::derive_case(input, QStringLiteral("h123"), locale);
    const auto* error = std::get_if<FieldError>(&derived);
    QVERIFY(error != nullptr);
    QCOMPARE(error->field, field);
    QCOMPARE(error->label, varmkalk::field_label(field));
    QVERIFY2(error->message.contains(QLatin1Char('"') + error->label + QLatin1Char('"')),
             qPrintable(error->message));
    QVERIFY2(error->message.contains(problem), qPrintable(error->message));
  }

  // Numbers far from the usual ones, and negative ones, in every field. The writer refuses what
  // the engine's 32-bit numbers cannot hold after the units are converted, and non-positive
  // operands of its own derivations; the rest is written for the engine, whose checks judge the
  // physics. Whatever is written reads back as a finite number.
  void extreme_and_negative_values_per_field_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("refused_in");
    // The field named by the refusal, per field, or "" when the value is written. Huge: 1E39
    // lies beyond the largest float (3.4E38), alone or times 1000 (kW to W) or / 0.024
    // (kWh per day to W); an excess air of 1E39 % gives an air ratio of 1E37, which a float
    // holds. Tiny: 1E-39 °C as konvtemp makes 100 / konvtemp^1.3 about 5E52; a loss of 1E-39 W
    // or 1E39 W beside 50 W or 100 W makes the fit's exponent some 130, and its C1 far below
    // the smallest float. Negative: only the operands of the writer's powers and logarithms
    // must be positive, the standby fit's temperature differences among them.
    struct Expectation {
      const char* field;
      const char* huge;
      const char* tiny;
      const char* negative;
    };
    const Expectation expectations[] = {
        {"enstegeff", "enstegeff", "", ""},
        {"enstegluft", "", "", ""},
        {"modmax", "modmax", "", ""},
        {"modmin", "modmin", "", ""},
        {"modluft", "", "", ""},
        {"pilotflamma", "pilotflamma", "", ""},
        {"vvbehov", "vvbehov", "", ""},
        {"Text5", "Text5", "", ""},
        {"konvkonst", "konvkonst", "", ""},
        {"konveff", "", "", ""},
        {"konvtemp", "", "konveff", "konvtemp"},
        {"sbkonstant", "sbkonstant", "", ""},
        {"sbexponent", "sbexponent", "", ""},
        {"sbtemp1", "", "", "sbtemp1"},
        {"sbeff1", "sbeff2", "sbeff2", "sbeff1"},
        {"sbtemp2", "", "", "sbtemp2"},
        {"sbeff2", "sbeff2", "sbeff2", "sbeff2"},
        {"TempH", "TempH", "", ""},
        {"FramH", "FramH", "", ""},
        {"ReturH", "ReturH", "", ""},
        {"TempL", "TempL", "", ""},
        {"FramL", "FramL", "", ""},
        {"ReturL", "ReturL", "", ""},
        {"huseff", "huseff", "", ""},
        {"intemp", "intemp", "", ""},
        {"cirkpump", "cirkpump", "", ""},
        {"dut", "dut", "", ""},
        // Typed design temperatures are held to the engine's rule on the form already.
        {"framdim", "framdim", "framdim", "framdim"},
        {"returdim", "returdim", "returdim", "returdim"},
    };
    QCOMPARE(std::size(expectations), varmkalk::kFormFields.size());
    for (const Expectation& row : expectations) {
      QTest::addRow("%s huge", row.field) << row.field << "1E39" << row.huge;
      QTest::addRow("%s tiny", row.field) << row.field << "1E-39" << row.tiny;
      QTest::addRow("%s negative", row.field) << row.field << "-5" << row.negative;
    }
  }
  void extreme_and_negative_values_per_field() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, refused_in);
    FormInput input = input_needing(field);
    input.*text_of(field) = text;
    const auto derived = varmkalk::derive_case(input, QStringLiteral("h123"), kSwedish);
    if (const auto* error = std::get_if<FieldError>(&derived)) {
      QCOMPARE(error->field, refused_in);
      QVERIFY(!error->message.isEmpty());
      return;
    }
    QCOMPARE(QString(), refused_in);
    // What is written reads back, through the engine's reader, as finite numbers.
    const auto lines = varmkalk::core::control_file_lines(std::get<Case>(derived));
    for (const varmkalk::core::ControlLine& line : varmkalk::core::kControlLines) {
      if (line.kind == varmkalk::core::ControlLineKind::number) {
        const std::string& written = lines[static_cast<std::size_t>(line.line - 1)];
        QVERIFY2(std::isfinite(varmkalk::core::read_real(written, 0)), written.c_str());
      }
    }
  }

  void messages_quote_long_texts_and_control_characters_short() {
    FormInput input = complete_swedish_input();
    input.design_heat_demand_kw = QString(5000, QLatin1Char('9')) + QStringLiteral(",5,");
    auto derived = varmkalk::derive_case(input, QStringLiteral("h123"), kSwedish);
    const FieldError long_text = std::get<FieldError>(derived);
    // The advice after the quoted text stays within what a message box shows.
    QVERIFY2(long_text.message.size() < 300, qPrintable(long_text.message));
    QVERIFY(long_text.message.contains(QStringLiteral("\"999999999999999999999999…\"")));
    QVERIFY(long_text.message.contains(QStringLiteral("decimalkomma")));

    input = complete_swedish_input();
    input.flue_gas_temp_low_c = QStringLiteral(
        "1\x01"
        "2\n");
    derived = varmkalk::derive_case(input, QStringLiteral("h123"), kSwedish);
    QVERIFY(std::get<FieldError>(derived).message.contains(QStringLiteral("\"1?2\"")));
  }

  void derived_values_beyond_the_engine_name_their_fields() {
    FormInput input = input_needing(QStringLiteral("konvtemp"));
    input.convection_temp_difference_k = QStringLiteral("1E-39");
    auto derived = varmkalk::derive_case(input, QStringLiteral("h123"), kSwedish);
    const QString convection = std::get<FieldError>(derived).message;
    QVERIFY2(convection.contains(varmkalk::field_label(QStringLiteral("konveff"))) &&
                 convection.contains(varmkalk::field_label(QStringLiteral("konvtemp"))),
             qPrintable(convection));

    input = input_needing(QStringLiteral("sbeff1"));
    input.standby_loss_1_w = QStringLiteral("1E39");
    derived = varmkalk::derive_case(input, QStringLiteral("h123"), kSwedish);
    const QString fit = std::get<FieldError>(derived).message;
    QVERIFY2(fit.contains(QStringLiteral("Fall 1")) && fit.contains(QStringLiteral("Fall 2")),
             qPrintable(fit));
  }

  void refuses_an_unusable_identity() {
    for (const QString& identity : {QString(), QStringLiteral("a/b"), QStringLiteral("abcde")}) {
      const auto derived = varmkalk::derive_case(complete_swedish_input(), identity, kSwedish);
      const auto* error = std::get_if<FieldError>(&derived);
      QVERIFY(error != nullptr);
      QCOMPARE(error->field, QStringLiteral("utdatafil"));
    }
  }

  void message_names_the_field_and_the_decimal_rule() {
    FormInput input = complete_swedish_input();
    input.standby_exponent = QStringLiteral("1.25");
    const auto derived = varmkalk::derive_case(input, QStringLiteral("h123"), kSwedish);
    const FieldError error = std::get<FieldError>(derived);
    QCOMPARE(error.label, QStringLiteral("Exponent, Stilleståndsförlust"));
    QVERIFY(error.message.contains(error.label));
    QVERIFY(error.message.contains(QStringLiteral("decimalkomma")));
  }

  void writes_the_file_with_crlf_replacing_an_existing_one() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("styrfil.dat"));
    write_file(path, QByteArray(4000, 'x'));
    QCOMPARE(varmkalk::write_control_file(
                 folder.path(), derived_case(complete_swedish_input(), QStringLiteral("ab"))),
             std::nullopt);
    QCOMPARE(file_bytes(path),
             (kSwedishInputLines.mid(0, 22).join("\r\n") + "\r\nab\r\n").toLatin1());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("styrfil.dat")});
  }

  void keeps_the_existing_file_when_nothing_can_be_written() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("styrfil.dat"));
    const QByteArray old_file("old control file\r\n");
    write_file(path, old_file);

    // A derivation that fails leaves nothing to write.
    FormInput input = complete_swedish_input();
    input.design_heat_demand_kw = QStringLiteral("12.5");
    QVERIFY(std::holds_alternative<FieldError>(
        varmkalk::derive_case(input, QStringLiteral("h123"), kSwedish)));
    QCOMPARE(file_bytes(path), old_file);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("styrfil.dat")});
  }

  void reports_a_folder_that_cannot_be_written() {
    QTemporaryDir parent;
    QVERIFY(parent.isValid());
    const Case lines = derived_case(complete_swedish_input());
    const QString missing = parent.filePath(QStringLiteral("saknas"));
    const auto missing_error = varmkalk::write_control_file(missing, lines);
    QVERIFY(missing_error.has_value());
    QVERIFY(missing_error->message.contains(QStringLiteral("styrfil.dat")));

    // The target name taken by a folder: the temporary file must not stay behind.
    const QString blocked = parent.filePath(QStringLiteral("blockerad"));
    QVERIFY(QDir().mkpath(QDir(blocked).filePath(QStringLiteral("styrfil.dat"))));
    QVERIFY(varmkalk::write_control_file(blocked, lines).has_value());
    QCOMPARE(QDir(blocked).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("styrfil.dat")});

    // A folder path through a regular file: no user can create anything there.
    write_file(parent.filePath(QStringLiteral("fil")), "x");
    const auto through_file = varmkalk::write_control_file(
        QDir(parent.filePath(QStringLiteral("fil"))).filePath(QStringLiteral("mapp")), lines);
    QVERIFY(through_file.has_value());
    QVERIFY(through_file->message.contains(QStringLiteral("styrfil.dat")));
  }

  void read_only_folder_keeps_its_control_file() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("styrfil.dat"));
    const QByteArray old_file("old control file\r\n");
    write_file(path, old_file);
    const varmkalk::testing::ReadOnlyFolder read_only(folder.path());
    if (!read_only.holds()) {
      QSKIP("no way to stop this user from writing into a folder");
    }
    const auto error =
        varmkalk::write_control_file(folder.path(), derived_case(complete_swedish_input()));
    QVERIFY(error.has_value());
    QVERIFY2(error->message.contains(QStringLiteral("styrfil.dat")), qPrintable(error->message));
    QCOMPARE(file_bytes(path), old_file);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("styrfil.dat")});
  }

  // "Egna temperaturer" gives the case its typed pair, a lettered pair typed gives its letter, and
  // a pair the engine would refuse is named on its field in the form's words.
  void own_design_temperatures_give_the_case_or_name_their_field() {
    FormInput input = complete_swedish_input();
    input.own_design_temps = true;
    input.own_supply_temp_c = QStringLiteral("42,5");
    input.own_return_temp_c = QStringLiteral("32");
    const Case typed = derived_case(input);
    QCOMPARE(typed.heating_system, (varmkalk::core::DesignTemperatures{42.5f, 32.0f}));
    QCOMPARE(varmkalk::core::control_file_lines(typed).size(), std::size_t{28});
    input.own_supply_temp_c = QStringLiteral("80");
    input.own_return_temp_c = QStringLiteral("60");
    QCOMPARE(derive(input), derive(complete_swedish_input()));

    struct Fault {
      const char* supply;
      const char* back;
      const char* field;
      const char* phrase;
    };
    for (const Fault& fault :
         {Fault{"96", "60", "framdim", "mellan 25 och 95 °C"},
          Fault{"45", "45", "returdim", "lägre än framledningstemperaturen"},
          Fault{"45", "19,5", "returdim", "högre än inomhustemperaturen, 20"}}) {
      input.own_supply_temp_c = QString::fromLatin1(fault.supply);
      input.own_return_temp_c = QString::fromLatin1(fault.back);
      const auto derived = varmkalk::derive_case(input, QStringLiteral("h123"), kSwedish);
      const auto* error = std::get_if<FieldError>(&derived);
      QVERIFY2(error != nullptr, fault.phrase);
      QCOMPARE(error->field, QString::fromLatin1(fault.field));
      QVERIFY2(error->message.contains(QString::fromUtf8(fault.phrase)),
               qPrintable(error->message));
    }
  }
};

QTEST_GUILESS_MAIN(FormCaseTest)
#include "form_case_test.moc"
