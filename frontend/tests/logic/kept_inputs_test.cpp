// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/control_file.h"
#include "core/formats/summary_report.h"
#include "core/model/year.h"
#include "frontend/examples/typed_inputs.h"
#include "frontend/logic/form/form_case.h"
#include "frontend/logic/kept/inputs_file.h"
#include "frontend/logic/kept/kept_calculations.h"
#include "frontend/logic/kept/kept_year.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/tests/support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace varmkalk;
using varmkalk::testing::complete_swedish_input;
using varmkalk::testing::typed_in;
using varmkalk::testing::write_file;

Q_DECLARE_METATYPE(varmkalk::FormInput)

namespace {

const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);
const QDateTime kSaved(QDate(2026, 3, 14), QTime(9, 26, 53), Qt::OffsetFromUTC, 3600);

// Modulating, known losses fitted from two cases, no hot water, odd decimals and a hidden field
// that holds no number.
FormInput modulating_input() {
  FormInput input = complete_swedish_input();
  input.burner = Burner::Modulating;
  input.hot_water_heater = HotWaterHeater::No;
  input.convection_source = ConvectionSource::KnownLoss;
  input.standby_source = StandbySource::KnownLosses;
  input.min_return_temp = MinReturnTemp::Indoor;
  input.climate = core::Place::kiruna;
  input.heating_system = core::HeatingSystem::radiators_55_45;
  input.single_stage_power_kw = QStringLiteral("inte ett tal");
  input.modulating_max_power_kw = QStringLiteral("24,125");
  input.modulating_min_power_kw = QStringLiteral("0,0000123");
  input.modulating_excess_air_percent = QStringLiteral("33,3333333333");
  input.pilot_power_w = QStringLiteral("150");
  input.convection_loss_w = QStringLiteral("123,456");
  input.convection_temp_difference_k = QStringLiteral("45");
  input.standby_temp_difference_1_k = QStringLiteral("30");
  input.standby_loss_1_w = QStringLiteral("80");
  input.standby_temp_difference_2_k = QStringLiteral("60");
  input.standby_loss_2_w = QStringLiteral("210,5");
  input.design_heat_demand_kw = QStringLiteral("123456789,987654321");
  input.indoor_temp_c = QStringLiteral("21,7");
  return input;
}

core::BoilerCase derived(const FormInput& input, const QLocale& locale) {
  const auto result = derive_case(input, QStringLiteral("h1"), locale);
  if (const auto* error = std::get_if<FieldError>(&result)) {
    qFatal("%s", qPrintable(error->message));
  }
  return std::get<core::BoilerCase>(result);
}

KeptInputs parsed(const QByteArray& bytes) {
  const auto result = parse_inputs_file(bytes, QStringLiteral("h1  indata.json"));
  if (const auto* error = std::get_if<FileError>(&result)) {
    qFatal("%s", qPrintable(error->message));
  }
  return std::get<KeptInputs>(result);
}

QJsonObject json_of(const KeptInputs& kept) {
  return QJsonDocument::fromJson(inputs_file_bytes(kept)).object();
}

QByteArray bytes_of(const QJsonObject& object) {
  return QJsonDocument(object).toJson();
}

// The summary report xxxxsum.dat the engine would write for the case over a short cold year.
QByteArray summary_bytes(const core::BoilerCase& input) {
  std::vector<core::ClimateRecord> days;
  for (int day = 1; day <= 60; ++day) {
    days.push_back({day, -10.0f + static_cast<float>(day) * 0.4f});
  }
  const core::YearResult year = core::run_year(input, days);
  const std::string report =
      core::format_summary_report(input, year.totals, core::result_file_names_of(input.identity));
  return QByteArray("\r\n\r\n") + QByteArray(report.data(), static_cast<qsizetype>(report.size()));
}

// Every file of the folder with its bytes and time of last change.
QStringList folder_state(const QString& folder) {
  QStringList state;
  for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files, QDir::Name)) {
    QFile file(info.filePath());
    const bool opened = file.open(QIODevice::ReadOnly);
    state += info.fileName() + (opened ? QString() : QStringLiteral(" (unreadable)")) +
             QLatin1Char(' ') + info.lastModified().toString(Qt::ISODateWithMs) + QLatin1Char(' ') +
             QString::fromLatin1(file.readAll().toBase64());
  }
  return state;
}

}  // namespace

class KeptInputsTest : public QObject {
  Q_OBJECT

 private slots:
  // Written and read back the file gives the same input, and in any locale the form reads the
  // fields as the same numbers, so that the case and its control file are the same.
  void inputs_file_round_trip_data() {
    QTest::addColumn<FormInput>("input");
    QTest::addColumn<QLocale>("typed_in");
    QTest::addColumn<QLocale>("read_in");
    QTest::newRow("single-stage, Swedish to Swedish")
        << complete_swedish_input() << kSwedish << kSwedish;
    QTest::newRow("single-stage, Swedish to English")
        << complete_swedish_input() << kSwedish << kEnglish;
    QTest::newRow("modulating, Swedish to German") << modulating_input() << kSwedish << kGerman;
    QTest::newRow("modulating, English to Swedish")
        << typed_in(modulating_input(), kEnglish) << kEnglish << kSwedish;
    QTest::newRow("C locale to Swedish")
        << typed_in(complete_swedish_input(), QLocale::c()) << QLocale::c() << kSwedish;
    FormInput own_climate = complete_swedish_input();
    own_climate.own_climate = true;
    own_climate.own_climate_file = QStringLiteral("Lund 2020.dat");
    own_climate.own_design_outdoor_temp_c = QStringLiteral("-16,5");
    QTest::newRow("own climate file, Swedish to English") << own_climate << kSwedish << kEnglish;
  }
  void inputs_file_round_trip() {
    QFETCH(FormInput, input);
    QFETCH(QLocale, typed_in);
    QFETCH(QLocale, read_in);
    const core::BoilerCase original = derived(input, typed_in);
    const KeptInputs kept =
        kept_inputs(QStringLiteral("h1"), input, typed_in, listing_of(original, 93.4), kSaved);
    const KeptInputs read = parsed(inputs_file_bytes(kept));
    QCOMPARE(read.identity, QStringLiteral("h1"));
    QCOMPARE(read.saved, kSaved);
    QCOMPARE(read.locale_name, typed_in.name());
    QVERIFY(read.listing == kept.listing);
    for (std::size_t i = 0; i < kFormFields.size(); ++i) {
      QCOMPARE(read.input.*kFormFields[i].text, input.*kFormFields[i].text);
      QCOMPARE(read.numbers[i], kept.numbers[i]);
    }
    QCOMPARE(read.input.burner, input.burner);
    QCOMPARE(read.input.climate, input.climate);
    QCOMPARE(read.input.min_return_temp, input.min_return_temp);
    QCOMPARE(read.input.own_climate, input.own_climate);
    QCOMPARE(read.input.own_climate_file, input.own_climate_file);

    const FormInput shown = input_in_locale(read, read_in);
    QCOMPARE(core::control_file_text(derived(shown, read_in)), core::control_file_text(original));
    // A field that is no number keeps its text.
    for (std::size_t i = 0; i < kFormFields.size(); ++i) {
      if (!read.numbers[i]) {
        QCOMPARE(shown.*kFormFields[i].text, input.*kFormFields[i].text);
      }
    }
  }

  // A file of version 1 refills the form as before and has no cost; one of version 2 brings back
  // every input of cost and CO2, and fills in the defaults for those it lacks.
  void inputs_file_versions_and_cost() {
    const FormInput input = modulating_input();
    core::CostInputs prices;
    for (std::size_t i = 0; i < core::kCostQuantities.size(); ++i) {
      const core::CostQuantity& quantity = core::kCostQuantities[i];
      prices.*quantity.member = quantity.min_value + (quantity.max_value - quantity.min_value) /
                                                         (3.0 + static_cast<double>(i));
    }
    const KeptInputs kept = kept_inputs(QStringLiteral("h1"), input, kSwedish,
                                        listing_of(derived(input, kSwedish), 93.4), kSaved, prices);
    QCOMPARE(parsed(inputs_file_bytes(kept)).prices, std::optional(prices));
    // "Hämta indata…" gives them back with the form's input.
    KeptCalculation calculation;
    calculation.inputs = parsed(inputs_file_bytes(kept));
    QCOMPARE(restored_input(calculation, kSwedish).prices, std::optional(prices));

    QJsonObject version_1 = json_of(kept);
    version_1.remove(QStringLiteral("cost"));
    version_1.insert(QStringLiteral("version"), 1);
    const KeptInputs old = parsed(bytes_of(version_1));
    QCOMPARE(old.version, 1);
    QVERIFY(!old.prices);
    QCOMPARE(core::control_file_text(derived(input_in_locale(old, kSwedish), kSwedish)),
             core::control_file_text(derived(input, kSwedish)));

    QJsonObject part = json_of(kept);
    part.insert(QStringLiteral("cost"), QJsonObject{{QStringLiteral("fixed_fee_sek"), 0}});
    core::CostInputs expected = core::default_cost_inputs();
    expected.fixed_fee_sek = 0.0;
    QCOMPARE(parsed(bytes_of(part)).prices, std::optional(expected));
  }

  // The heat pump comes back as chosen, generic or certified, with its settings and economy; a
  // file without one (every older version) has none, and its settings default where missing.
  void inputs_file_keeps_the_heat_pump() {
    const FormInput input = modulating_input();
    const CalculationListing listing = listing_of(derived(input, kSwedish), 93.4);
    HeatPumpPlan certified;
    certified.choice = {"_Nibe_ABS1x55-12.csv",
                        "Nibe S1155-12",
                        core::GenericHeatPump::air,
                        12.0,
                        {3.5, 50.0, 2.5}};
    certified.economy = {180'000.0, 45'000.0, true};
    HeatPumpPlan generic = default_heat_pump_plan();
    generic.choice.generic = core::GenericHeatPump::brine;
    generic.choice.capacity_kw = 6.5;
    for (const HeatPumpPlan& plan : {certified, generic}) {
      const KeptInputs kept = kept_inputs(QStringLiteral("vp"), input, kSwedish, listing, kSaved,
                                          core::default_cost_inputs(), plan);
      const KeptInputs read = parsed(inputs_file_bytes(kept));
      QCOMPARE(read.version, 4);
      QVERIFY(read.heat_pump == plan);
      KeptCalculation calculation;
      calculation.inputs = read;
      QVERIFY(restored_input(calculation, kSwedish).heat_pump == plan);
    }
    const KeptInputs without = kept_inputs(QStringLiteral("vp"), input, kSwedish, listing, kSaved);
    QVERIFY(!parsed(inputs_file_bytes(without)).heat_pump);
    QJsonObject part = json_of(without);
    part.insert(QStringLiteral("heat_pump"),
                QJsonObject{{QStringLiteral("type"), QStringLiteral("exhaust")}});
    HeatPumpPlan expected = default_heat_pump_plan();
    expected.choice.generic = core::GenericHeatPump::exhaust;
    QVERIFY(parsed(bytes_of(part)).heat_pump == expected);
  }

  // A damaged, cut-short, foreign or newer file is refused whole with a message naming the file
  // and what is wrong.
  void refuses_bad_inputs_files_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message_part");
    const KeptInputs kept =
        kept_inputs(QStringLiteral("h1"), complete_swedish_input(), kSwedish,
                    listing_of(derived(complete_swedish_input(), kSwedish), 90.0), kSaved,
                    core::default_cost_inputs());
    const QByteArray good = inputs_file_bytes(kept);
    const QJsonObject object = json_of(kept);
    const auto changed = [&object](const QString& key, const QJsonValue& value) {
      QJsonObject copy = object;
      copy.insert(key, value);
      return bytes_of(copy);
    };
    const auto changed_in = [&object](const QString& part, const QString& key,
                                      const QJsonValue& value) {
      QJsonObject copy = object;
      QJsonObject inner = copy.value(part).toObject();
      if (value.isUndefined()) {
        inner.remove(key);
      } else {
        inner.insert(key, value);
      }
      copy.insert(part, inner);
      return bytes_of(copy);
    };
    QTest::newRow("empty") << QByteArray("\n") << "den är tom";
    QTest::newRow("cut short") << good.left(good.size() / 2) << "skadad eller avkortad";
    QTest::newRow("Windows-1252") << QString::fromUtf8(good).toLatin1() << "inte skriven i UTF-8";
    QTest::newRow("UTF-16") << QByteArray(
                                   reinterpret_cast<const char*>(QString::fromUtf8(good).utf16()),
                                   QString::fromUtf8(good).size() * 2)
                            << "ingen giltig JSON-text";
    QTest::newRow("another program's JSON")
        << QByteArray(R"({"name": "x", "version": 1})") << "ingen indatafil från VARMKALK";
    QTest::newRow("an array") << QByteArray("[1, 2]") << "ingen indatafil från VARMKALK";
    QTest::newRow("a newer version") << changed(QStringLiteral("version"), 5)
                                     << "version 5, men denna VARMKALK läser bara version 4";
    QJsonObject generic{{QStringLiteral("type"), QStringLiteral("air")}};
    QTest::newRow("a heat pump in a file of version 3") << [&] {
      QJsonObject copy = object;
      copy.insert(QStringLiteral("version"), 3);
      copy.insert(QStringLiteral("heat_pump"), generic);
      return bytes_of(copy);
    }() << "fältet \"heat_pump\" hör inte till formatet";
    QTest::newRow("an unknown kind of heat pump")
        << changed(QStringLiteral("heat_pump"),
                   QJsonObject{{QStringLiteral("type"), QStringLiteral("geothermal")}})
        << "\"type\" i fältet \"heat_pump\" har det okända värdet \"geothermal\"";
    QTest::newRow("a heat pump too large")
        << changed(QStringLiteral("heat_pump"),
                   QJsonObject{{QStringLiteral("type"), QStringLiteral("air")},
                               {QStringLiteral("hp_capacity_kw"), 500}})
        << "\"hp_capacity_kw\" i fältet \"heat_pump\" ligger utanför 1–100";
    QTest::newRow("a unit without its variant")
        << changed(QStringLiteral("heat_pump"),
                   QJsonObject{{QStringLiteral("unit_file"), QStringLiteral("x.csv")}})
        << "\"model\" i fältet \"heat_pump\" saknas";
    QTest::newRow("a closed gas connection as text")
        << changed(QStringLiteral("heat_pump"),
                   QJsonObject{{QStringLiteral("type"), QStringLiteral("air")},
                               {QStringLiteral("gas_connection_closed"), QStringLiteral("ja")}})
        << "varken true eller false";
    QTest::newRow("cost in a file of version 1")
        << changed(QStringLiteral("version"), 1) << "fältet \"cost\" hör inte till formatet";
    QTest::newRow("a price below its range")
        << changed_in(QStringLiteral("cost"), QStringLiteral("gas_price_sek_per_kwh"), -1)
        << "\"gas_price_sek_per_kwh\" i fältet \"cost\" ligger utanför 0–50";
    QTest::newRow("an unknown cost")
        << changed_in(QStringLiteral("cost"), QStringLiteral("oil_price"), 1)
        << "\"oil_price\" i fältet \"cost\" hör inte till formatet";
    QTest::newRow("version 0") << changed(QStringLiteral("version"), 0) << "versionsnumret";
    QTest::newRow("no whole version")
        << changed(QStringLiteral("version"), 1.5) << "versionsnumret";
    QTest::newRow("a field missing")
        << changed_in(QStringLiteral("fields"), QStringLiteral("huseff"), QJsonValue::Undefined)
        << "\"huseff\" i fältet \"fields\" saknas";
    QTest::newRow("an unknown field")
        << changed_in(QStringLiteral("fields"), QStringLiteral("nytt"), QJsonObject())
        << "\"nytt\" i fältet \"fields\" hör inte till formatet";
    QTest::newRow("an unknown option")
        << changed_in(QStringLiteral("choices"), QStringLiteral("climate"), QStringLiteral("oslo"))
        << "det okända värdet \"oslo\"";
    QTest::newRow("an unknown choice")
        << changed_in(QStringLiteral("choices"), QStringLiteral("fuel"), QStringLiteral("gas"))
        << "\"fuel\" i fältet \"choices\" hör inte till formatet";
    QTest::newRow("a number as text")
        << changed_in(QStringLiteral("listing"), QStringLiteral("max_power_kw"),
                      QStringLiteral("18"))
        << "\"max_power_kw\" i fältet \"listing\" är inget tal";
    QTest::newRow("an identity that names no file")
        << changed(QStringLiteral("identity"), QStringLiteral("a/b"))
        << "beräkningsidentiteten \"a/b\"";
    QTest::newRow("no date") << changed(QStringLiteral("saved"), QStringLiteral("igår"))
                             << "datumet \"igår\"";
    // Read as 26.5 minutes past nine, it would be written back otherwise.
    QTest::newRow("a date not as written")
        << changed(QStringLiteral("saved"), QStringLiteral("2026-03-14T09:26,5+01:00"))
        << "datumet \"2026-03-14T09:26,5+01:00\" är inget datum";
    QTest::newRow("a line break in a value")
        << changed_in(QStringLiteral("choices"), QStringLiteral("burner"), QStringLiteral("a\nb"))
        << "det okända värdet \"a?b\"";
  }
  void refuses_bad_inputs_files() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message_part);
    const auto result = parse_inputs_file(bytes, QStringLiteral("h1  indata.json"));
    QVERIFY(std::holds_alternative<FileError>(result));
    const QString message = std::get<FileError>(result).message;
    QVERIFY2(message.startsWith(QStringLiteral("Indatafilen h1  indata.json kan inte läsas: ")),
             qPrintable(message));
    QVERIFY2(message.contains(message_part), qPrintable(message));
    QVERIFY(!message.contains(QLatin1Char('\n')));
  }

  // The folder's kept calculations: from the inputs file where it is sound, else from the
  // summary; a bad file is named and its calculation left out or listed from its summary; the
  // folder stays as it was.
  void lists_the_kept_calculations_of_a_folder() {
    QTemporaryDir folder;
    const QDir dir(folder.path());
    const core::BoilerCase single = derived(complete_swedish_input(), kSwedish);
    core::BoilerCase modulating = derived(modulating_input(), kSwedish);
    modulating.identity = core::CalcIdentity("mod");
    core::BoilerCase old = single;
    old.identity = core::CalcIdentity("old");
    core::BoilerCase damaged = single;
    damaged.identity = core::CalcIdentity("dmg");

    write_file(dir.filePath(QStringLiteral("h1  sum.dat")), summary_bytes(single));
    write_file(dir.filePath(inputs_file_name(QStringLiteral("h1"))),
               inputs_file_bytes(kept_inputs(QStringLiteral("h1"), complete_swedish_input(),
                                             kSwedish, listing_of(single, 91.0), kSaved)));
    write_file(dir.filePath(QStringLiteral("mod sum.dat")), summary_bytes(modulating));
    write_file(dir.filePath(inputs_file_name(QStringLiteral("mod"))), "{ \"format\": ");
    write_file(dir.filePath(QStringLiteral("old sum.dat")), summary_bytes(old));
    write_file(dir.filePath(QStringLiteral("dmg sum.dat")), summary_bytes(damaged).left(900));
    // A summary renamed to another identity's name.
    write_file(dir.filePath(QStringLiteral("copysum.dat")), summary_bytes(old));
    const auto set_time = [&dir](const char* name, const QDate& date) {
      QFile file(dir.filePath(QString::fromLatin1(name)));
      QVERIFY(file.open(QIODevice::ReadWrite));
      QVERIFY(file.setFileTime(QDateTime(date, QTime(12, 0)), QFileDevice::FileModificationTime));
    };
    set_time("old sum.dat", QDate(2020, 1, 1));
    set_time("mod sum.dat", QDate(2026, 6, 1));
    const QStringList before = folder_state(folder.path());

    const KeptCalculations kept = list_kept_calculations(folder.path());
    QCOMPARE(folder_state(folder.path()), before);
    QCOMPARE(kept.calculations.size(), std::size_t{3});
    // The inputs file's date of 2026 first, then the summaries by their last change.
    QCOMPARE(kept.calculations[0].shown_identity(), QStringLiteral("mod"));
    QCOMPARE(kept.calculations[1].shown_identity(), QStringLiteral("h1"));
    QCOMPARE(kept.calculations[2].shown_identity(), QStringLiteral("old"));
    const KeptCalculation& from_inputs = kept.calculations[1];
    QVERIFY(from_inputs.inputs && from_inputs.summary);
    QCOMPARE(from_inputs.date, kSaved);
    QCOMPARE(from_inputs.listing.efficiency_percent, std::optional<double>(91.0));
    const KeptCalculation& from_summary = kept.calculations[0];
    QVERIFY(!from_summary.inputs && from_summary.summary);
    QCOMPARE(from_summary.listing.burner_kind, std::optional(core::BurnerKind::modulating));
    QCOMPARE(from_summary.listing.climate, QStringLiteral("Kiruna"));
    QCOMPARE(from_summary.listing.max_power_kw, std::optional<double>(24.13f));

    QCOMPARE(kept.problems.size(), 3);
    const QString problems = kept.problems.join(QLatin1Char('\n'));
    QVERIFY2(problems.contains(QStringLiteral("Indatafilen mod indata.json kan inte läsas: den är "
                                              "skadad eller avkortad")),
             qPrintable(problems));
    QVERIFY2(problems.contains(QStringLiteral("Sammanfattningen dmg sum.dat, rad ")),
             qPrintable(problems));
    QVERIFY2(problems.contains(QStringLiteral("Sammanfattningen copysum.dat hör till beräkningen "
                                              "old, inte till copy.")),
             qPrintable(problems));
  }

  // From a summary alone the form gets back what the summary shows: a case with values the
  // summary prints exactly gives the same control file; what it cannot show is named.
  void restores_the_form_from_a_summary_data() {
    QTest::addColumn<FormInput>("input");
    QTest::addColumn<QStringList>("note_parts");
    FormInput pilot = complete_swedish_input();
    pilot.pilot_power_w = QStringLiteral("150");
    FormInput modulating = modulating_input();
    modulating.convection_source = ConvectionSource::Constant;
    modulating.standby_source = StandbySource::Constants;
    modulating.modulating_max_power_kw = QStringLiteral("24");
    modulating.modulating_min_power_kw = QStringLiteral("6,5");
    modulating.modulating_excess_air_percent = QStringLiteral("35");
    modulating.pilot_power_w = QStringLiteral("12,5");
    modulating.design_heat_demand_kw = QStringLiteral("9,25");
    modulating.indoor_temp_c = QStringLiteral("21,5");
    QTest::newRow("single-stage") << complete_swedish_input() << QStringList{};
    QTest::newRow("modulating, no hot water, lowest return indoor") << modulating << QStringList{};
    QTest::newRow("a pilot flame too large to print")
        << pilot << QStringList{"Fältet \"Pilotflamma (W)\" har lämnats tomt"};
  }
  void restores_the_form_from_a_summary() {
    QFETCH(FormInput, input);
    QFETCH(QStringList, note_parts);
    const core::BoilerCase original = derived(input, kSwedish);
    const QByteArray bytes = summary_bytes(original);
    const core::SummaryReport report =
        core::parse_summary_report(std::string_view(bytes.data(), bytes.size()), "h1  sum.dat");
    const RestoredInput restored = input_from_summary(report, kEnglish);
    QVERIFY(restored.notes.first().contains(QStringLiteral("sammanfattningen h1  sum.dat")));
    const QString notes = restored.notes.join(QLatin1Char('\n'));
    for (const QString& part : note_parts) {
      QVERIFY2(notes.contains(part), qPrintable(notes));
    }
    if (note_parts.isEmpty()) {
      QCOMPARE(restored.notes.size(), 1);
      QCOMPARE(core::control_file_text(derived(restored.input, kEnglish)),
               core::control_file_text(original));
    }
  }

  // What the form cannot express is named, not guessed.
  void names_what_a_summary_cannot_give_back() {
    core::BoilerCase odd = derived(complete_swedish_input(), kSwedish);
    odd.climate = core::OwnClimate{"lund.dat", -15.0f};
    odd.pump.heat_share_percent = 25.0f;
    odd.building.min_return_temp_c = 50.0f;
    const QByteArray bytes = summary_bytes(odd);
    const RestoredInput restored = input_from_summary(
        core::parse_summary_report(std::string_view(bytes.data(), bytes.size()), "h1  sum.dat"),
        kSwedish);
    const QString notes = restored.notes.join(QLatin1Char('\n'));
    QVERIFY2(notes.contains(QStringLiteral("klimatfilen lund.dat men inte dess dimensionerande")),
             qPrintable(notes));
    QVERIFY(restored.input.own_climate);
    QCOMPARE(restored.input.own_climate_file, QStringLiteral("lund.dat"));
    QVERIFY2(notes.contains(QStringLiteral("verkningsgrad 25.00 %")), qPrintable(notes));
    QVERIFY2(notes.contains(QStringLiteral("returtemperaturen 50.00 °C")), qPrintable(notes));
    QCOMPARE(restored.input.single_stage_power_kw, QStringLiteral("18,5"));
  }

  // A kept calculation's case is its inputs file's, exact, where it has one; its summary, which
  // rounds and cannot carry every input, stands in only for a calculation kept without one.
  void a_kept_case_comes_from_its_inputs_file_before_its_summary() {
    FormInput typed = complete_swedish_input();
    typed.design_heat_demand_kw = QStringLiteral("9,87654");
    const KeptInputs kept =
        kept_inputs(QStringLiteral("h1"), typed, kSwedish, CalculationListing{}, kSaved);
    core::BoilerCase summarised = derived(typed, kSwedish);
    summarised.building.design_heat_demand_w = 7000.0f;
    const QByteArray bytes = summary_bytes(summarised);
    const core::SummaryReport summary =
        core::parse_summary_report(std::string_view(bytes.data(), bytes.size()), "h1  sum.dat");
    struct Row {
      const char* what;
      std::optional<KeptInputs> inputs;
      std::optional<core::SummaryReport> summary;
      float demand_w;  // 0: neither gives a case
    };
    const Row rows[] = {
        {"both", kept, summary, 9876.54f},
        {"the inputs file alone", kept, std::nullopt, 9876.54f},
        {"the summary alone", std::nullopt, summary, 7000.0f},
        {"neither", std::nullopt, std::nullopt, 0.0f},
    };
    for (const Row& row : rows) {
      const auto found = kept_case(row.inputs, row.summary, QStringLiteral("h1"));
      QCOMPARE(std::holds_alternative<core::BoilerCase>(found), row.demand_w > 0.0f);
      if (row.demand_w > 0.0f) {
        QVERIFY2(std::abs(std::get<core::BoilerCase>(found).building.design_heat_demand_w -
                          row.demand_w) < 1e-2f,
                 row.what);
      }
    }
  }

  // The list shows a burner's power as typed where the typed input is known, and else as short
  // as the kept 32-bit number reads back: never the digits a float adds in a double.
  void listed_power_is_as_typed() {
    const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
    FormInput typed = varmkalk::testing::typed_worked_example();
    typed.burner = Burner::Modulating;
    typed.modulating_max_power_kw = QStringLiteral("18.1234519");
    typed.modulating_min_power_kw = QStringLiteral("4.5");
    typed.modulating_excess_air_percent = QStringLiteral("20");
    const auto derived = derive_case(typed, QStringLiteral("v1"), QLocale::c());
    if (const auto* fault = std::get_if<FieldError>(&derived)) {
      QFAIL(qPrintable(fault->message));
    }
    const CalculationListing listing = listing_of(std::get<core::BoilerCase>(derived), {});
    QCOMPARE(listed_power_text(listing, typed, QLocale::c()), QStringLiteral("4.5–18.1234519"));
    QCOMPARE(listed_power_text(listing, std::nullopt, swedish), QStringLiteral("4,5–18,123451"));
    QCOMPARE(listed_power_text(listing, std::nullopt, QLocale::c()),
             QStringLiteral("4.5–18.123451"));
    QCOMPARE(listed_power_text(CalculationListing{}, std::nullopt, swedish),
             QStringLiteral("okänd"));
  }
};

QTEST_GUILESS_MAIN(KeptInputsTest)
#include "kept_inputs_test.moc"
