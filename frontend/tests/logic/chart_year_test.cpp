// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/year/chart_year.h"
#include "core/formats/climate_file.h"
#include "core/formats/daily_line.h"
#include "core/formats/result_file_names.h"
#include "core/formats/summary_report.h"
#include "core/model/year.h"
#include "core/tests/support/climate_year.h"
#include "core/tests/support/worked_example.h"
#include "frontend/examples/climate_table.h"
#include "frontend/logic/kept/kept_calculations.h"
#include "frontend/logic/kept/kept_year.h"
#include "frontend/logic/run/calc_identity.h"
#include "frontend/logic/run/run_notices.h"
#include "frontend/logic/year/daily_csv.h"
#include "frontend/logic/year/year_energy.h"
#include "frontend/tests/support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <optional>

using namespace varmkalk;
using varmkalk::testing::write_file;

namespace {

constexpr double kWhPerKwh = 1000.0;

struct Case {
  core::BoilerCase input;
  int climate_days = 0;  // 0: the bundled climate file
  bool warm = false;     // every made-up day at 15 °C, above the heating limit
};

// The made-up warm days: 15 °C.
constexpr int kWarmTenths = 150;

// The working folder of a calculation: its control file and, for a made-up climate, the climate
// file, which the engine takes from the working folder before its own.
void prepare(const QString& folder, const Case& one) {
  QVERIFY(testing::write_case_folder(folder, one.input, one.climate_days,
                                     one.warm ? std::optional(kWarmTenths) : std::nullopt));
}

ChartYear calculated(const QString& folder, const Case& one) {
  prepare(folder, one);
  const auto loaded = load_calculated_year(folder_year(folder, VARMKALK_TEST_CLIMATE_DIR), {});
  if (const auto* error = std::get_if<FileError>(&loaded)) {
    qWarning() << error->message;
  }
  return std::get<ChartYear>(loaded);
}

// The result files of the calculation as the engine writes them.
void write_result_files(const QString& folder, const core::BoilerCase& input,
                        const core::YearResult& year) {
  const core::ResultFileNames names = core::result_file_names(input.identity);
  std::string raw;
  std::string pump;
  for (const core::DayBalance& day : year.days) {
    raw += core::format_daily_line(day, day.with_pump);
    pump += core::format_daily_line(day, day.without_pump);
  }
  const QDir dir(folder);
  write_file(dir.filePath(QString::fromStdString(names.raw_file)), QByteArray::fromStdString(raw));
  write_file(dir.filePath(QString::fromStdString(names.pump_file)),
             QByteArray::fromStdString(pump));
  write_file(dir.filePath(QString::fromStdString(names.summary_file)),
             QByteArray::fromStdString("\r\n\r\n" +
                                       core::format_summary_report(input, year.totals, names)));
}

// The charts of the calculation kept under `identity` in `folder`, its year run again as the
// comparison runs it.
std::variant<ChartYear, FileError> kept_charts(const QString& folder, const QString& identity,
                                               const QString& climate_fallback_dir) {
  const KeptCalculations kept = list_kept_calculations(folder);
  const auto found = std::find_if(
      kept.calculations.begin(), kept.calculations.end(), [&](const KeptCalculation& calculation) {
        return calculation.identity == identity.leftJustified(kIdentityLength, QLatin1Char(' '));
      });
  const CalculationYear again = found == kept.calculations.end()
                                    ? CalculationYear(QStringLiteral("not kept"))
                                    : kept_years({*found}, folder, climate_fallback_dir).front();
  return load_kept_year(folder, identity, climate_fallback_dir, again);
}

core::YearResult model_year(const QString& folder, const core::BoilerCase& input) {
  return testing::year_on_climate_file(input, QFile::encodeName(folder).toStdString(),
                                       VARMKALK_TEST_CLIMATE_DIR);
}

void add_cases() {
  QTest::addColumn<Case>("one");
  core::BoilerCase single = testing::worked_example();
  single.identity = core::CalcIdentity("h1");
  QTest::newRow("single-stage, Malmö 2009") << Case{single, 0};

  core::BoilerCase modulating = testing::modulating_example();
  modulating.identity = core::CalcIdentity("mod");
  modulating.combustion.pilot_power_w = 120.0f;
  modulating.flue_gas.low_temp = {38.0f, 35.0f, 30.0f};  // condensing on mild days
  modulating.climate = core::Place::kiruna;
  QTest::newRow("modulating, pilot flame, condensing, Kiruna") << Case{modulating, 0};

  core::BoilerCase leap = testing::worked_example();
  leap.identity = core::CalcIdentity("skott");
  QTest::newRow("366 days") << Case{leap, 366};

  core::BoilerCase small = testing::worked_example();
  small.identity = core::CalcIdentity("lite");
  small.burner = core::Burner::single_stage(6000.0f);
  small.combustion.pilot_power_w = 40.0f;
  QTest::newRow("burner too small for the coldest days") << Case{small, 0};
}

double sum_kwh(const std::vector<FlowPart>& parts) {
  double sum = 0.0;
  for (const FlowPart& part : parts) {
    sum += part.energy.summary_kwh;
  }
  return sum;
}

QStringList parse_csv_row(const QString& line, QChar separator) {
  return line.split(separator);
}

}  // namespace

Q_DECLARE_METATYPE(Case)
Q_DECLARE_METATYPE(varmkalk::core::Burner)

class ChartYearTest : public QObject {
  Q_OBJECT

 private slots:
  void monthly_sums_equal_the_annual_totals_data() { add_cases(); }
  void monthly_sums_equal_the_annual_totals() {
    QFETCH(Case, one);
    QTemporaryDir folder;
    const ChartYear year = calculated(folder.path(), one);
    const auto months = monthly_energy(year);
    QVERIFY(std::holds_alternative<MonthlyEnergy>(months));
    EnergyParts sum;
    for (const EnergyParts& month : std::get<MonthlyEnergy>(months).months) {
      sum += month;
    }
    QCOMPARE(std::get<MonthlyEnergy>(months).days_left_out, 0);
    const AnnualFigures& annual = *year.annual;
    // Summed day by day in double against the engine's 32-bit sums: equal well within the
    // summary's whole kWh.
    const std::pair<double, double> pairs[] = {
        {sum.fuel_wh, annual.gross.wh},
        {sum[EnergyPart::space_heat] + sum[EnergyPart::hot_water], annual.net.wh},
        {sum[EnergyPart::flue_gas], annual.flue_gas.wh},
        {sum[EnergyPart::standby], annual.standby.wh},
        {sum[EnergyPart::convection], annual.convection.wh},
    };
    for (const auto& [months_wh, annual_wh] : pairs) {
      QVERIFY2(std::fabs(months_wh - annual_wh) < 0.05 * kWhPerKwh,
               qPrintable(QStringLiteral("%1 Wh by month, %2 Wh in the year")
                              .arg(months_wh, 0, 'f', 1)
                              .arg(annual_wh, 0, 'f', 1)));
    }
    // A 366-day year puts its 29 February into February and its last day into December.
    const int year_days = year.climate->day_count;
    QVERIFY(year_days == 365 || year_days == 366);
  }

  void energy_flow_adds_up_to_the_fuel_data() { add_cases(); }
  void energy_flow_adds_up_to_the_fuel() {
    QFETCH(Case, one);
    QTemporaryDir folder;
    const ChartYear year = calculated(folder.path(), one);
    const auto flow_or_reason = energy_flow(year);
    QVERIFY(std::holds_alternative<EnergyFlow>(flow_or_reason));
    const EnergyFlow& flow = std::get<EnergyFlow>(flow_or_reason);

    // Every part derived on its own from the day balance: exactly the fuel, but for the
    // float rounding of a year of days.
    double parts_wh = flow.useful_heat.energy.wh;
    for (const FlowPart& part : flow.losses) {
      parts_wh += part.energy.wh;
    }
    QVERIFY2(std::fabs(parts_wh - flow.fuel.wh) < 0.5 * kWhPerKwh,
             qPrintable(QStringLiteral("parts %1 Wh, fuel %2 Wh")
                            .arg(parts_wh, 0, 'f', 1)
                            .arg(flow.fuel.wh, 0, 'f', 1)));
    // As shown: each part rounded to whole kWh like the summary, which adds half a kWh and cuts
    // toward zero, so that a negative part may lie up to 1.5 kWh from its shown value.
    double rounding_kwh = 1.0;  // the useful heat's and the fuel's
    for (const FlowPart& part : flow.losses) {
      rounding_kwh += part.energy.wh < 0.0 ? 1.5 : 0.5;
    }
    const double shown = sum_kwh(flow.losses) + flow.useful_heat.energy.summary_kwh;
    QVERIFY(std::fabs(shown - flow.fuel.summary_kwh) <= rounding_kwh);

    // The figures that the summary prints are the summary's, read back from the report as the
    // engine writes it.
    const core::YearResult model = model_year(folder.path(), one.input);
    write_result_files(folder.path(), one.input, model);
    const auto kept = kept_charts(folder.path(), QString::fromStdString(one.input.identity.text()),
                                  VARMKALK_TEST_CLIMATE_DIR);
    if (const auto* error = std::get_if<FileError>(&kept)) {
      QFAIL(qPrintable(error->message));
    }
    const auto kept_flow_or_reason = energy_flow(std::get<ChartYear>(kept));
    QVERIFY(std::holds_alternative<EnergyFlow>(kept_flow_or_reason));
    const EnergyFlow& kept_flow = std::get<EnergyFlow>(kept_flow_or_reason);
    QCOMPARE(kept_flow.fuel.summary_kwh, flow.fuel.summary_kwh);
    QCOMPARE(kept_flow.useful_heat.energy.summary_kwh, flow.useful_heat.energy.summary_kwh);
    for (const EnergyPart summary_part :
         {EnergyPart::flue_gas, EnergyPart::standby, EnergyPart::convection}) {
      const auto find = [summary_part](const EnergyFlow& in) {
        const auto part = std::find_if(in.losses.begin(), in.losses.end(),
                                       [&](const FlowPart& p) { return p.part == summary_part; });
        return part == in.losses.end() ? 0.0 : part->energy.summary_kwh;
      };
      QCOMPARE(find(kept_flow), find(flow));
    }
    // The shortfall's share is all that the balance leaves beyond its tolerance.
    double shortfall_wh = 0.0;
    for (const core::DayBalance& day : model.days) {
      if (day.with_pump.shortfall > 0.0f) {
        shortfall_wh += day.with_pump.shortfall * (1.0 / day.with_pump.day_efficiency - 1.0) * 24.0;
      }
    }
    double other_wh = 0.0;
    for (const FlowPart& part : flow.losses) {
      other_wh += part.part == EnergyPart::other ? part.energy.wh : 0.0;
    }
    QVERIFY2(std::fabs(other_wh - shortfall_wh) < 0.5 * kWhPerKwh,
             qPrintable(QStringLiteral("other %1 Wh, shortfall's losses %2 Wh")
                            .arg(other_wh)
                            .arg(shortfall_wh)));
  }

  void csv_reads_back_to_the_same_numbers_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QChar>("decimal_point");
    QTest::newRow("Swedish") << QLocale(QLocale::Swedish, QLocale::Sweden) << QChar(';')
                             << QChar(',');
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << QChar(',')
                             << QChar('.');
  }
  void csv_reads_back_to_the_same_numbers() {
    QFETCH(QLocale, locale);
    QFETCH(QChar, separator);
    QFETCH(QChar, decimal_point);
    // A house whose demand is too wide for the daily lines' column: asterisks in the files.
    core::BoilerCase input = testing::worked_example();
    input.identity = core::CalcIdentity("stor");
    input.building.design_heat_demand_w = 14000.0f;
    input.burner = core::Burner::single_stage(20000.0f);
    QTemporaryDir folder;
    const ChartYear memory = calculated(folder.path(), Case{input, 0});
    write_result_files(folder.path(), input, model_year(folder.path(), input));
    const ChartYear files = std::get<ChartYear>(
        kept_charts(folder.path(), QStringLiteral("stor"), VARMKALK_TEST_CLIMATE_DIR));
    QVERIFY(std::any_of(files.days.begin(), files.days.end(), [](const ChartDay& day) {
      return !day.with_pump[core::DailyField::heat_demand].has_value();
    }));

    for (const ChartYear* year : {&memory, &files}) {
      const QByteArray bytes = daily_csv(*year, locale);
      QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
      const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
      QCOMPARE(lines.size(), static_cast<qsizetype>(year->days.size()) + 2);  // header, last end
      QVERIFY(lines.front().contains(QStringLiteral("Utetemperatur (°C)")));
      const qsizetype columns = parse_csv_row(lines.front(), separator).size();
      QCOMPARE(columns, 16);
      for (std::size_t i = 0; i < year->days.size(); ++i) {
        const QStringList fields = parse_csv_row(lines[static_cast<qsizetype>(i) + 1], separator);
        QCOMPARE(fields.size(), columns);
        qsizetype at = 0;
        for (const core::DailyColumn& column : core::kDailyColumns) {
          for (const core::DailyFileLine* line :
               {&year->days[i].with_pump, &year->days[i].without_pump}) {
            if (line == &year->days[i].without_pump && !column.per_variant) {
              continue;
            }
            const QString field = fields[at++];
            const std::optional<float>& value = (*line)[column.field];
            if (!value) {
              QVERIFY(field.isEmpty());
              continue;
            }
            QVERIFY(!field.contains(decimal_point == ',' ? QChar('.') : QChar(',')));
            bool ok = false;
            const float read = QString(field).replace(decimal_point, QChar('.')).toFloat(&ok);
            QVERIFY2(ok && read == *value, qPrintable(field));
          }
        }
      }
    }
  }

  // Days on which the burner at full power falls short are told from those on which only the
  // part-load rule does, as the model counts them; the warning of the run goes with the year,
  // and a kept year, run again from its summary, tells the same days apart with the same warning.
  void shortfall_days_are_told_apart_and_kept_with_the_warning_data() {
    QTest::addColumn<core::Burner>("burner");
    QTest::newRow("single-stage too small") << core::Burner::single_stage(6000.0f);
    QTest::newRow("modulating far too large") << core::Burner(40000.0f, 4000.0f);
    QTest::newRow("modulating, both kinds") << core::Burner(6500.0f, 1500.0f);
  }
  void shortfall_days_are_told_apart_and_kept_with_the_warning() {
    QFETCH(core::Burner, burner);
    core::BoilerCase input = testing::worked_example();
    input.identity = core::CalcIdentity("kort");
    input.burner = burner;
    input.flue_gas.low_temp.supply_temp_c = 40.0f;
    input.pump.heat_share_percent = 75.0f;
    QTemporaryDir folder;
    const ChartYear memory = calculated(folder.path(), Case{input, 0});
    const core::YearResult year = model_year(folder.path(), input);
    QVERIFY(year.totals.unmet_days > 0);
    const auto count = [](const ChartYear& chart, core::DayShortfall kind) {
      return static_cast<int>(
          std::count_if(chart.days.begin(), chart.days.end(),
                        [kind](const ChartDay& day) { return day.shortfall == kind; }));
    };
    QCOMPARE(count(memory, core::DayShortfall::part_load_rule), year.totals.part_load_days);
    QCOMPARE(count(memory, core::DayShortfall::burner_too_small),
             year.totals.unmet_days - year.totals.part_load_days);
    QCOMPARE(year.totals.part_load_days > 0, burner.is_modulating());
    QCOMPARE(memory.notices, run_notices(year, QLocale()));
    QCOMPARE(memory.notices.front().contains(QStringLiteral("medeleffekten")),
             year.totals.part_load_days > 0);

    write_result_files(folder.path(), input, year);
    QFile::remove(QDir(folder.path()).filePath("styrfil.dat"));
    const ChartYear kept = std::get<ChartYear>(
        kept_charts(folder.path(), QStringLiteral("kort"), VARMKALK_TEST_CLIMATE_DIR));
    QCOMPARE(kept.notices, memory.notices);
    for (std::size_t i = 0; i < memory.days.size(); ++i) {
      QCOMPARE(kept.days[i].shortfall, memory.days[i].shortfall);
    }
  }

  void kept_files_give_the_calculated_year_within_their_rounding() {
    core::BoilerCase input = testing::modulating_example();
    input.identity = core::CalcIdentity("spar");
    QTemporaryDir folder;
    const ChartYear memory = calculated(folder.path(), Case{input, 0});
    write_result_files(folder.path(), input, model_year(folder.path(), input));
    QFile::remove(QDir(folder.path()).filePath("styrfil.dat"));
    const ChartYear files = std::get<ChartYear>(
        kept_charts(folder.path(), QStringLiteral("spar"), VARMKALK_TEST_CLIMATE_DIR));
    QCOMPARE(files.source, YearSource::daily_files);
    QCOMPARE(files.days.size(), memory.days.size());
    QCOMPARE(files.climate->day_count, 365);
    QVERIFY(files.terms && files.annual);
    QCOMPARE(files.terms->burner_min_power_w, 4000.0f);
    QCOMPARE(files.terms->hot_water_load_w, memory.terms->hot_water_load_w);
    QVERIFY(std::fabs(*files.annual->efficiency_with_pump - *memory.annual->efficiency_with_pump) <
            0.0006);
    for (std::size_t i = 0; i < memory.days.size(); ++i) {
      for (const core::DailyColumn& column : core::kDailyColumns) {
        const double tolerance = 0.5 * std::pow(10.0, -column.decimals) + 1e-3;
        QVERIFY(std::fabs(*files.days[i].with_pump[column.field] -
                          *memory.days[i].with_pump[column.field]) <= tolerance);
      }
    }
    const auto months = monthly_energy(files);
    QVERIFY(std::holds_alternative<MonthlyEnergy>(months));
    // A file cut short in a line is named with its line.
    write_file(QDir(folder.path()).filePath("spar.dat"), "  1  -4.8\r\n");
    const auto broken = kept_charts(folder.path(), QStringLiteral("spar"), {});
    QVERIFY(std::get<FileError>(broken).message.contains(QStringLiteral("spar.dat, rad 1")));
  }

  void short_and_empty_years_say_what_is_missing_data() {
    QTest::addColumn<int>("climate_days");
    QTest::addColumn<bool>("warm");
    QTest::addColumn<QString>("months_reason");
    QTest::newRow("10 days") << 10 << false << "Den här klimatfilen har 10 dagar.";
    QTest::newRow("no heating day") << 365 << true << "";
  }
  void short_and_empty_years_say_what_is_missing() {
    QFETCH(int, climate_days);
    QFETCH(bool, warm);
    QFETCH(QString, months_reason);
    const bool heating_days = !warm;
    core::BoilerCase input = testing::worked_example();
    input.identity = core::CalcIdentity("kort");
    QTemporaryDir folder;
    const ChartYear year = calculated(folder.path(), Case{input, climate_days, warm});
    QCOMPARE(year.days.empty(), !heating_days);
    QCOMPARE(nothing_to_show(year).isEmpty(), heating_days);
    const auto months = monthly_energy(year);
    if (!months_reason.isEmpty()) {
      QVERIFY(std::get<QString>(months).contains(months_reason));
    }
    const auto flow = energy_flow(year);
    if (!heating_days) {
      const EnergyFlow& empty = std::get<EnergyFlow>(flow);
      QCOMPARE(empty.fuel.summary_kwh, 0.0);
      QVERIFY(demand_duration(year).empty());
      QVERIFY(!year.annual->efficiency_with_pump);
    }
    QCOMPARE(daily_csv(year, QLocale::c()).count("\r\n"),
             static_cast<qsizetype>(year.days.size()) + 1);

    QFile::remove(QDir(folder.path()).filePath("styrfil.dat"));
    const auto missing = load_calculated_year(folder_year(folder.path(), {}), {});
    QVERIFY(std::get<FileError>(missing).message.contains(QStringLiteral("styrfil.dat")));
  }
};

QTEST_GUILESS_MAIN(ChartYearTest)
#include "chart_year_test.moc"
