// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/case/climates.h"
#include "core/formats/climate_file.h"
#include "core/formats/csv_table.h"
#include "core/formats/result_file_names.h"
#include "core/formats/summary_report.h"
#include "core/model/annual_sums.h"
#include "core/model/year.h"
#include "core/tests/support/climate_year.h"
#include "frontend/examples/typed_inputs.h"
#include "frontend/logic/form/form_case.h"
#include "frontend/logic/sweep/sweep_results.h"
#include "frontend/tests/support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <functional>

using namespace varmkalk;
using varmkalk::testing::file_bytes;

namespace {

const QString kClimateDir = QStringLiteral(VARMKALK_TEST_CLIMATE_DIR);
const QString kEngine = QStringLiteral(VARMKALK_TEST_ENGINE);

// The worked example as typed on an English system; with a burner that modulates from 4 kW up to
// its 15 kW when asked.
FormInput typed_example(bool modulating) {
  FormInput input = testing::typed_worked_example();
  if (modulating) {
    input.burner = Burner::Modulating;
  }
  input.modulating_max_power_kw = QStringLiteral("15");
  input.modulating_min_power_kw = QStringLiteral("4");
  input.modulating_excess_air_percent = QStringLiteral("20");
  return input;
}

SweepBase base_of(const FormInput& form) {
  const auto base = sweep_base(form, QLocale::c());
  if (const auto* fault = std::get_if<QString>(&base)) {
    qFatal("no base: %s", qPrintable(*fault));
  }
  return std::get<SweepBase>(base);
}

std::shared_ptr<const core::FoundClimates> climates_of(const SweepBase& base) {
  return sweep_climates(base, QDir::currentPath(), kClimateDir);
}

std::vector<SweepResult> swept(const std::vector<SweepPoint>& points,
                               const std::shared_ptr<const core::FoundClimates>& climates) {
  std::vector<core::BoilerCase> cases;
  for (const SweepPoint& point : points) {
    cases.push_back(point.input);
  }
  const QList<SweepResult> results = start_sweep(cases, climates).results();
  return {results.begin(), results.end()};
}

// The case's year computed on its own: its climate file read from the engine's folder, then the
// model.
core::YearResult single_year(const core::BoilerCase& input) {
  return testing::year_on_climate_file(input, QDir::currentPath().toStdString(),
                                       kClimateDir.toStdString());
}

// A value as the user would type it, every digit of the double kept.
QString typed(double value) {
  return QString::number(value, 'g', 17);
}

// How a user gives the form the point's value; false where the form has no way to.
using Typing = std::function<bool(FormInput&, const SweepPoint&)>;

Typing field(QString FormInput::*text) {
  return [text](FormInput& form, const SweepPoint& point) {
    form.*text = typed(point.position);
    return true;
  };
}

struct TypedSweep {
  const char* name;
  SweepInput input;
  bool modulating;
  SweepRange range;  // unused for a category
  Typing type;
  MinReturnTemp lowest_return = MinReturnTemp::C35;
};

std::vector<TypedSweep> typed_sweeps() {
  const auto lowest_return = [](FormInput& form, const SweepPoint& point) {
    if (point.position == 20.0) {
      form.min_return_temp = MinReturnTemp::Indoor;  // indoors it is 20 °C
    } else if (point.position == 35.0 || point.position == 65.0) {
      form.min_return_temp = point.position == 35.0 ? MinReturnTemp::C35 : MinReturnTemp::C65;
    } else {
      return false;
    }
    return true;
  };
  const auto heating_system = [](FormInput& form, const SweepPoint& point) {
    form.heating_system = point.category == QStringLiteral("80/60 °C")
                              ? core::HeatingSystem::radiators_80_60
                              : core::HeatingSystem::radiators_55_45;
    return point.category == QStringLiteral("80/60 °C") ||
           point.category == QStringLiteral("55/45 °C");
  };
  // The example's 55/45 °C system in a 20 °C room: the return 25/35 of the way up.
  const auto design_supply = [](FormInput& form, const SweepPoint& point) {
    form.own_design_temps = true;
    form.own_supply_temp_c = typed(point.position);
    form.own_return_temp_c = typed(20.0 + (point.position - 20.0) * 25.0 / 35.0);
    return true;
  };
  const auto climate = [](FormInput& form, const SweepPoint& point) {
    for (const core::Climate& place : core::kClimates) {
      if (point.category == QString::fromUtf8(place.place_name.data(),
                                              static_cast<qsizetype>(place.place_name.size()))) {
        form.climate = place.place;
        return true;
      }
    }
    return false;
  };
  return {
      {"heating system", SweepInput::heating_system, false, {}, heating_system},
      {"design supply", SweepInput::design_supply_temp, false, {35, 80, 4}, design_supply},
      {"lowest return", SweepInput::min_return_temp, false, {20, 65, 4}, lowest_return},
      {"single-stage power",
       SweepInput::burner_max_power,
       false,
       {6, 24, 4},
       field(&FormInput::single_stage_power_kw)},
      {"modulating max",
       SweepInput::burner_max_power,
       true,
       {3, 27, 5},
       field(&FormInput::modulating_max_power_kw)},
      {"modulating min",
       SweepInput::burner_min_power,
       true,
       {2, 14, 4},
       field(&FormInput::modulating_min_power_kw)},
      {"excess air",
       SweepInput::excess_air,
       false,
       {0, 300, 4},
       field(&FormInput::single_stage_excess_air_percent)},
      {"pilot", SweepInput::pilot_power, true, {0, 300, 4}, field(&FormInput::pilot_power_w)},
      {"flue gas high",
       SweepInput::flue_gas_temp_high,
       true,
       {50, 140, 4},
       field(&FormInput::flue_gas_temp_high_c)},
      {"flue gas low",
       SweepInput::flue_gas_temp_low,
       false,
       {40, 100, 4},
       field(&FormInput::flue_gas_temp_low_c)},
      {"convection",
       SweepInput::convection_constant,
       false,
       {0, 3, 4},
       field(&FormInput::convection_constant)},
      {"standby constant",
       SweepInput::standby_constant,
       false,
       {0, 3, 4},
       field(&FormInput::standby_constant)},
      {"standby exponent",
       SweepInput::standby_exponent,
       false,
       {1, 1.6, 4},
       field(&FormInput::standby_exponent)},
      {"design demand",
       SweepInput::design_heat_demand,
       false,
       {4, 16, 4},
       field(&FormInput::design_heat_demand_kw)},
      {"indoor", SweepInput::indoor_temp, false, {16, 22, 4}, field(&FormInput::indoor_temp_c)},
      // The lowest return temperature chosen as the indoor temperature follows it.
      {"indoor followed",
       SweepInput::indoor_temp,
       false,
       {16, 22, 4},
       field(&FormInput::indoor_temp_c),
       MinReturnTemp::Indoor},
      {"hot water",
       SweepInput::hot_water_demand,
       false,
       {0, 9000, 4},
       field(&FormInput::hot_water_kwh_per_year)},
      {"heater loss",
       SweepInput::heater_loss,
       false,
       {0, 3, 4},
       field(&FormInput::heater_loss_kwh_per_day)},
      {"pump", SweepInput::pump_power, false, {0, 150, 4}, field(&FormInput::pump_power_w)},
      {"climate", SweepInput::climate, false, {}, climate},
  };
}

}  // namespace

class SweepTest : public QObject {
  Q_OBJECT

 private slots:
  // Every listed input: each point is the case the form gives for the value typed in its field
  // (or its option chosen), and its results are that case's year computed on its own.
  void points_are_the_cases_the_form_gives_and_their_years() {
    QTemporaryDir work;
    QVERIFY(QDir::setCurrent(work.path()));
    QSet<SweepInput> covered;
    int refused = 0;
    for (const TypedSweep& sweep : typed_sweeps()) {
      FormInput form = typed_example(sweep.modulating);
      form.min_return_temp = sweep.lowest_return;
      const SweepBase base = base_of(form);
      const std::vector<SweepPoint> points = sweep_points(sweep.input, base, sweep.range);
      const std::vector<SweepResult> results = swept(points, climates_of(base));
      QCOMPARE(results.size(), points.size());
      int compared = 0;
      for (std::size_t i = 0; i < points.size(); ++i) {
        FormInput changed = form;
        if (!sweep.type(changed, points[i])) {
          continue;
        }
        const auto derived = derive_case(changed, QStringLiteral("svep"), QLocale::c());
        QVERIFY2(std::holds_alternative<core::BoilerCase>(derived), sweep.name);
        const core::BoilerCase& single = std::get<core::BoilerCase>(derived);
        QVERIFY2(points[i].input == single, sweep.name);
        const core::YearResult year = single_year(single);
        const SweepResult& result = results[i];
        if (year.refusal) {
          ++refused;
          QCOMPARE(result.status, core::CaseStatus::error);
          QCOMPARE(result.message, *year.refusal);
        } else {
          QVERIFY2(result.status != core::CaseStatus::error, result.message.c_str());
          QCOMPARE(result.efficiency_percent,
                   core::annual_efficiency_percent(year.totals, core::PumpCredit::with_pump));
          QCOMPARE(result.efficiency_without_pump_percent,
                   core::annual_efficiency_percent(year.totals, core::PumpCredit::without_pump));
          QCOMPARE(result.totals.gross_energy_with_pump_wh, year.totals.gross_energy_with_pump_wh);
          QCOMPARE(result.totals.flue_gas_energy_wh, year.totals.flue_gas_energy_wh);
          QCOMPARE(result.totals.unmet_days, year.totals.unmet_days);
        }
        ++compared;
      }
      QVERIFY2(compared >= 2, sweep.name);
      covered.insert(sweep.input);
    }
    QCOMPARE(covered.size(), static_cast<qsizetype>(kSweepInputs.size()));
    QVERIFY(refused > 0);  // the excess air's flame falls below 1000 °C
  }

  // Two inputs against the engine itself: for every point, kalvex on the control file written for
  // the point's case prints the summary that the point's numbers give, or refuses the case with
  // the point's message.
  void points_are_what_kalvex_reports() {
    const struct {
      SweepInput input;
      SweepRange range;
    } sweeps[] = {{SweepInput::excess_air, {0, 300, 7}},
                  {SweepInput::burner_max_power, {4, 30, 6}}};
    int refused = 0;
    int short_of_demand = 0;
    for (const auto& sweep : sweeps) {
      const SweepBase base = base_of(typed_example(false));
      const std::vector<SweepPoint> points = sweep_points(sweep.input, base, sweep.range);
      const std::vector<SweepResult> results = swept(points, climates_of(base));
      for (std::size_t i = 0; i < points.size(); ++i) {
        QTemporaryDir work;
        QVERIFY(!write_control_file(work.path(), points[i].input));
        QProcess engine;
        engine.setWorkingDirectory(work.path());
        engine.start(kEngine, {});
        QVERIFY(engine.waitForFinished(30'000));
        const QString errors = QString::fromUtf8(engine.readAllStandardError()).trimmed();
        const SweepResult& result = results[i];
        if (result.status == core::CaseStatus::error) {
          ++refused;
          QCOMPARE(engine.exitCode(), 1);
          QCOMPARE(errors, QString::fromStdString(result.message));
          continue;
        }
        QCOMPARE(engine.exitCode(), 0);
        short_of_demand += result.status == core::CaseStatus::shortfall ? 1 : 0;
        QCOMPARE(errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QLatin1Char(' ')),
                 QString::fromStdString(result.message));
        const std::string report = core::format_summary_report(
            points[i].input, result.totals, core::result_file_names(points[i].input.identity));
        QCOMPARE(file_bytes(QDir(work.path()).filePath(QStringLiteral("resultat.dat"))),
                 QByteArray::fromStdString(report));
      }
    }
    QVERIFY(refused > 0);
    QVERIFY(short_of_demand > 0);
  }

  // A case on a climate file of its own sweeps the six places and its own file, found in the
  // working folder as the engine finds it; without the file its point alone is refused, with the
  // engine's message.
  void an_own_climate_file_is_one_more_choice() {
    QTemporaryDir work;
    QVERIFY(QDir::setCurrent(work.path()));
    QVERIFY(QFile::copy(kClimateDir + QStringLiteral("/sthlm.dat"), QStringLiteral("egen.dat")));
    SweepBase base = base_of(typed_example(false));
    base.input.climate = core::OwnClimate{"egen.dat", -21.0f};
    const std::vector<SweepPoint> points = sweep_points(SweepInput::climate, base, {});
    QCOMPARE(points.size(), core::kClimates.size() + 1);
    QCOMPARE(points.back().category, QStringLiteral("Egen klimatfil (egen.dat)"));
    QVERIFY(points.back().input == base.input);
    QCOMPARE(current_position(SweepInput::climate, base), static_cast<double>(points.size() - 1));

    std::vector<SweepResult> results = swept(points, climates_of(base));
    const core::YearResult own = single_year(base.input);
    QVERIFY(own.complete());
    QCOMPARE(results.back().totals.gross_energy_with_pump_wh, own.totals.gross_energy_with_pump_wh);
    // Stockholm's days with a colder design temperature than Stockholm's own.
    const auto stockholm = std::find_if(points.begin(), points.end(), [](const SweepPoint& p) {
      return p.category == QStringLiteral("Stockholm");
    });
    QVERIFY(stockholm != points.end());
    QVERIFY(results.back().totals.gross_energy_with_pump_wh !=
            results[static_cast<std::size_t>(stockholm - points.begin())]
                .totals.gross_energy_with_pump_wh);

    QVERIFY(QFile::remove(QStringLiteral("egen.dat")));
    results = swept(points, climates_of(base));
    QCOMPARE(results.back().status, core::CaseStatus::error);
    QVERIFY(QString::fromStdString(results.back().message).contains(QStringLiteral("egen.dat")));
    for (std::size_t i = 0; i + 1 < results.size(); ++i) {
      QVERIFY(results[i].status != core::CaseStatus::error);
    }
  }

  // For every input of a single-stage and a modulating burner: the range offered reaches both
  // sides of the case's own value and can be swept; only a modulating burner has a minimum power.
  void default_ranges_hold_the_case_and_can_be_swept() {
    for (const bool modulating : {false, true}) {
      const SweepBase base = base_of(typed_example(modulating));
      for (const SweepInput input : kSweepInputs) {
        const QString unavailable = sweep_unavailable(input, base);
        QCOMPARE(unavailable.isEmpty(), modulating || input != SweepInput::burner_min_power);
        if (!unavailable.isEmpty() || is_category(input)) {
          continue;
        }
        const SweepRange range = default_range(input, base);
        const double value = current_position(input, base);
        QVERIFY2(range_fault(input, base, range).isEmpty(), qPrintable(sweep_heading(input, base)));
        QVERIFY(std::min(range.from, range.to) <= value + 1e-6);
        QVERIFY(std::max(range.from, range.to) >= value - 1e-6);
        QCOMPARE(sweep_points(input, base, range).size(), static_cast<std::size_t>(range.points));
      }
    }
  }

  void ranges_that_cannot_be_swept_are_refused() {
    const SweepBase base = base_of(typed_example(false));
    const struct {
      SweepRange range;
      const char* fault;
    } cases[] = {
        {{1, 2, 1}, "Antal punkter"}, {{1, 2, kMaxSweepPoints + 1}, "Antal punkter"},
        {{5, 5, 10}, "lika"},         {{1, 1e36, 10}, "Till"},  // kW: beyond a 32-bit float in W
        {{-1e36, 1, 10}, "Från"},
    };
    for (const auto& c : cases) {
      QVERIFY2(range_fault(SweepInput::burner_max_power, base, c.range).contains(c.fault), c.fault);
    }
    QVERIFY(range_fault(SweepInput::burner_max_power, base, {30, 4, 2}).isEmpty());
  }

  // The CSV holds every point with its numbers exact, under a locale with a decimal point and
  // one with a decimal comma, says why a point has none and where the boiler falls short.
  void csv_holds_every_point_exactly() {
    const SweepBase base = base_of(typed_example(false));
    auto sweep = std::make_shared<Sweep>();
    sweep->input = SweepInput::burner_max_power;
    sweep->heading = sweep_heading(sweep->input, base);
    sweep->points = sweep_points(sweep->input, base, {0, 5.5, 3});
    sweep->results = swept(sweep->points, climates_of(base));
    sweep->base = base.input;

    const QByteArray english = sweep_csv(*sweep, QLocale(QLocale::English));
    QVERIFY(english.startsWith("\xEF\xBB\xBF"));
    const core::CsvTable table = core::read_csv_table(english.toStdString(), "svep.csv");
    QCOMPARE(table.header.size(), kSweepColumns.size());
    QCOMPARE(table.header[0], std::string("Brännareffekt (kW)"));
    QCOMPARE(table.rows.size(), sweep->points.size());
    const auto gross = static_cast<std::size_t>(
        std::find(table.header.begin(), table.header.end(), "Bruttoenergibehov (kWh)") -
        table.header.begin());
    QVERIFY(gross < table.header.size());
    bool any_refused = false;
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
      const std::vector<std::string>& fields = table.rows[row].fields;
      QCOMPARE(std::strtod(fields[0].c_str(), nullptr), sweep->points[row].position);
      const SweepResult& result = sweep->results[row];
      if (result.status == core::CaseStatus::error) {
        any_refused = true;
        QVERIFY(fields[1].empty());
        QVERIFY(QString::fromStdString(fields.back()).contains(QStringLiteral("maxeffekt")));
        continue;
      }
      QCOMPARE(std::strtof(fields[1].c_str(), nullptr), *result.efficiency_percent);
      QCOMPARE(std::strtof(fields[gross].c_str(), nullptr), result.energies.gross_energy_kwh);
    }
    QVERIFY(any_refused);

    const QByteArray swedish = sweep_csv(*sweep, QLocale(QLocale::Swedish, QLocale::Sweden));
    const QList<QByteArray> lines = swedish.mid(3).split('\n');
    QCOMPARE(lines[0].count(';'), static_cast<qsizetype>(kSweepColumns.size() - 1));
    QVERIFY(lines[2].startsWith("2,75;"));
    // The warning's own semicolon inside a quoted field.
    QVERIFY(lines[2].endsWith("\"\r"));
    QVERIFY(QString::fromUtf8(lines[2]).contains(
        QRegularExpression(QStringLiteral("\\d,\\d % av dygnets behov"))));
  }

  // A cancelled job ends with cancelled alone and keeps no results; a job destroyed while it
  // runs waits for its points and takes nothing down with it.
  void a_cancelled_job_reports_no_results() {
    const SweepBase base = base_of(typed_example(true));
    const std::vector<core::BoilerCase> cases(kMaxSweepPoints, base.input);
    SweepJob job(cases, climates_of(base));
    QSignalSpy finished(&job, &SweepJob::finished);
    QSignalSpy cancelled(&job, &SweepJob::cancelled);
    job.start();
    QVERIFY(job.is_running());
    job.cancel();
    QVERIFY(cancelled.wait(10'000));
    QCOMPARE(finished.count(), 0);
    QVERIFY(job.results().empty());
    QVERIFY(!job.is_running());

    job.start();
    QVERIFY(finished.wait(10'000));
    QCOMPARE(job.results().size(), cases.size());

    auto running = std::make_unique<SweepJob>(cases, climates_of(base));
    running->start();
    running.reset();
  }
};

QTEST_GUILESS_MAIN(SweepTest)
#include "sweep_test.moc"
