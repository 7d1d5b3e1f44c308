// SPDX-License-Identifier: GPL-3.0-or-later
// A calculation kept without an inputs file gets its case straight from its summary; the form's
// input restored from the summary and parsed back gives the same case, value for value, for the
// engine's reference summaries and for summaries of many cases of varied values.
#include "frontend/logic/kept/summary_case.h"

#include "core/case/climates.h"
#include "core/case/heating_systems.h"
#include "core/formats/control_file.h"
#include "core/formats/result_file_names.h"
#include "core/formats/summary_report.h"
#include "frontend/logic/form/form_case.h"
#include "frontend/logic/kept/summary_input.h"
#include "frontend/tests/support/file_bytes.h"

#include <QDir>
#include <QTest>

#include <random>
#include <string>

using namespace varmkalk;

namespace {

const QString kIdentity = QStringLiteral("h1");

// The case through the form: the summary restored as the form's text, the text derived again.
std::variant<core::BoilerCase, QString> through_the_form(const core::SummaryReport& report) {
  const QLocale locale = QLocale::c();
  auto derived = derive_case(input_from_summary(report, locale).input, kIdentity, locale);
  if (auto* fault = std::get_if<FieldError>(&derived)) {
    return fault->message;
  }
  return std::get<core::BoilerCase>(derived);
}

QString control_text(const std::variant<core::BoilerCase, QString>& found) {
  if (const auto* input = std::get_if<core::BoilerCase>(&found)) {
    return QString::fromStdString(core::control_file_text(*input));
  }
  return QStringLiteral("no case: ") + std::get<QString>(found);
}

enum class Routes { same_case, no_case, differ };

// Both routes give a case, the same one, or neither does; where they differ, both are shown.
Routes compare_routes(const core::SummaryReport& report, const QString& what) {
  const auto direct = summary_case(report, kIdentity);
  const auto form = through_the_form(report);
  const auto* direct_case = std::get_if<core::BoilerCase>(&direct);
  const auto* form_case = std::get_if<core::BoilerCase>(&form);
  if (direct_case == nullptr && form_case == nullptr) {
    return Routes::no_case;
  }
  if (direct_case != nullptr && form_case != nullptr && *direct_case == *form_case) {
    return Routes::same_case;
  }
  qWarning().noquote() << what << "\nstraight:\n"
                       << control_text(direct) << "\nthrough the form:\n"
                       << control_text(form);
  return Routes::differ;
}

core::SummaryReport summary_of(const core::BoilerCase& input) {
  const std::string text = "\r\n\r\n" + core::format_summary_report(
                                            input, core::AnnualTotals{},
                                            core::result_file_names_of(core::CalcIdentity("h1")));
  return core::parse_summary_report(text, "h1  sum.dat");
}

// A case of values drawn over and past the ranges a house boiler has, at the decimals the summary
// prints and beyond.
core::BoilerCase varied_case(std::mt19937& random) {
  const auto between = [&random](double low, double high) {
    return static_cast<float>(std::uniform_real_distribution<double>(low, high)(random));
  };
  const auto one_in = [&random](int n) {
    return std::uniform_int_distribution<int>(1, n)(random) == 1;
  };
  core::BoilerCase input;
  const float max_w = between(3000.0, 60000.0);
  input.burner = one_in(2) ? core::Burner::single_stage(max_w)
                           : core::Burner(max_w, between(500.0, max_w * 1.1));
  input.combustion.air_ratio = between(0.9, 2.6);
  // Now and then too wide for its column: a pilot flame of 100 W, a pump of 100 W or more.
  input.combustion.pilot_power_w = one_in(3) ? 0.0f : between(0.0, one_in(20) ? 130.0 : 99.9);
  input.flue_gas.low_temp = {between(25.0, 120.0), between(20.0, 60.0), between(15.0, 50.0)};
  input.flue_gas.high_temp = {between(50.0, 250.0), between(40.0, 95.0), between(30.0, 80.0)};
  input.losses = {between(0.0, 5.0), between(0.0, 5.0), between(0.5, 2.0)};
  input.heating_system =
      core::kHeatingSystems[random() % core::kHeatingSystems.size()].temperatures;
  input.climate =
      one_in(10) ? core::ClimateChoice(core::OwnClimate{"egen.dat", -12.0f})
                 : core::ClimateChoice(core::kClimates[random() % core::kClimates.size()].place);
  input.building.design_heat_demand_w = between(500.0, 99999.0);
  input.building.indoor_temp_c = one_in(3) ? 20.0f : between(12.0, 28.0);
  // Now and then a heating system of its own, as the engine takes one: above the room.
  if (one_in(4)) {
    const float supply_c = between(30.0, 90.0);
    input.heating_system = {supply_c, between(input.building.indoor_temp_c + 0.5, supply_c - 0.5)};
  }
  const float choices[] = {35.0f, 65.0f, input.building.indoor_temp_c, between(20.0, 70.0)};
  input.building.min_return_temp_c = choices[random() % 4];
  input.pump.power_w = between(0.0, one_in(20) ? 250.0 : 99.9);
  input.pump.heat_share_percent = one_in(4) ? between(0.0, 100.0) : 75.0f;
  const bool heater = !one_in(3);
  input.hot_water.annual_demand_kwh = heater ? between(0.0, 9000.0) : 0.0f;
  input.hot_water.heater_loss_w = heater ? between(0.0, 150.0) : 0.0f;
  return input;
}

}  // namespace

class SummaryCaseTest : public QObject {
  Q_OBJECT

 private slots:
  void the_engines_reference_summaries() {
    const QDir fixtures(QStringLiteral(VARMKALK_SUMMARY_FIXTURE_DIR));
    const QStringList names =
        fixtures.entryList({QStringLiteral("*sum.dat"), QStringLiteral("resultat.dat")});
    QVERIFY(names.size() >= 2);
    for (const QString& name : names) {
      const QByteArray bytes = testing::file_bytes(fixtures.filePath(name));
      const core::SummaryReport report = core::parse_summary_report(
          std::string_view(bytes.data(), bytes.size()), name.toStdString());
      QCOMPARE(compare_routes(report, name), Routes::same_case);
    }
  }

  void summaries_of_varied_cases() {
    std::mt19937 random(20261210);
    int cases = 0;
    for (int i = 0; i < 4000; ++i) {
      const core::BoilerCase input = varied_case(random);
      const QString what = QStringLiteral("case %1:\n%2")
                               .arg(i)
                               .arg(QString::fromStdString(core::control_file_text(input)));
      const Routes routes = compare_routes(summary_of(input), what);
      QVERIFY2(routes != Routes::differ, qPrintable(what));
      cases += routes == Routes::same_case ? 1 : 0;
    }
    // Most give a case; an own climate file, or a value too wide for its column, gives none.
    QVERIFY2(cases > 3000, qPrintable(QString::number(cases)));
  }

  // Straight from the summary the case holds what it prints, where the form can express it.
  void the_case_holds_the_printed_values() {
    core::BoilerCase input;
    input.burner = core::Burner(24000.0f, 6500.0f);
    input.combustion = {1.35f, 12.5f};
    input.flue_gas.low_temp = {55.0f, 40.0f, 30.0f};
    input.flue_gas.high_temp = {85.0f, 75.0f, 60.0f};
    input.losses = {1.5f, 2.25f, 1.25f};
    input.building = {9250.0f, 21.5f, 21.5f};
    input.pump = {65.0f, 75.0f};
    input.hot_water = {4000.0f, 50.0f};
    input.climate = core::Place::falun;
    input.identity = core::CalcIdentity("h1");
    const auto found = summary_case(summary_of(input), kIdentity);
    QVERIFY(std::holds_alternative<core::BoilerCase>(found));
    const core::BoilerCase& back = std::get<core::BoilerCase>(found);
    QCOMPARE(back.burner.max_power_w(), 24000.0f);
    QCOMPARE(back.burner.min_power_w(), 6500.0f);
    QCOMPARE(back.combustion, input.combustion);
    QCOMPARE(back.flue_gas, input.flue_gas);
    QCOMPARE(back.losses, input.losses);
    QCOMPARE(back.building, input.building);
    QCOMPARE(back.pump, input.pump);
    QCOMPARE(back.climate, input.climate);
    QCOMPARE(back.identity, input.identity);
    // The heater's loss comes back from its kWh a day, to the rounding of those.
    QVERIFY(std::abs(back.hot_water.heater_loss_w - 50.0f) < 0.25f);
    // The form's rules stand where it cannot express the summary's value.
    core::BoilerCase odd = input;
    odd.pump.heat_share_percent = 25.0f;
    odd.building.min_return_temp_c = 50.0f;
    const auto ruled = summary_case(summary_of(odd), kIdentity);
    QCOMPARE(std::get<core::BoilerCase>(ruled).pump.heat_share_percent, 75.0f);
    QCOMPARE(std::get<core::BoilerCase>(ruled).building.min_return_temp_c, 35.0f);
    // An own climate file's design outdoor temperature is not printed: no case.
    odd.climate = core::OwnClimate{"lund.dat", -15.0f};
    QVERIFY(std::holds_alternative<QString>(summary_case(summary_of(odd), kIdentity)));
    QVERIFY(std::holds_alternative<QString>(summary_case(summary_of(input), QStringLiteral(""))));
  }
};

QTEST_GUILESS_MAIN(SummaryCaseTest)
#include "summary_case_test.moc"
