// SPDX-License-Identifier: GPL-3.0-or-later
// The heat pump beside the boiler is one set of figures wherever it shows: the result box and
// the report (the year computed again in the working folder), the sweep, the comparison of kept
// calculations and kalvex-batch give the same heat pump year for the same case and unit.
#include "frontend/examples/typed_inputs.h"
#include "frontend/logic/form/form_case.h"
#include "frontend/logic/heatpump/heat_pump_days.h"
#include "frontend/logic/heatpump/heat_pump_fields.h"
#include "frontend/logic/heatpump/heat_pump_units.h"
#include "frontend/logic/heatpump/side_by_side_view.h"
#include "frontend/logic/kept/comparison_table.h"
#include "frontend/logic/kept/kept_year.h"
#include "frontend/logic/sweep/sweep_base.h"
#include "frontend/logic/sweep/sweep_results.h"
#include "frontend/logic/year/year_energy.h"
#include "frontend/tests/support/batch_run.h"
#include "frontend/tests/support/comparison_cells.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <map>

using namespace varmkalk;

namespace {

const QString kClimateDir = QStringLiteral(VARMKALK_TEST_CLIMATE_DIR);
const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);

QString shipped_folder() {
  return heat_pump_folder(QCoreApplication::applicationDirPath());
}

// A certified ground-source unit with settings and an investment unlike the defaults.
HeatPumpPlan ground_source_plan() {
  HeatPumpPlan plan = default_heat_pump_plan();
  plan.choice.unit_file = "_Nibe_ABS1x55-12.csv";
  plan.choice.model = "S1155-12 3x400";
  plan.choice.settings = {4.5, 50.0, 3.0};
  plan.economy = {165'000.0, 35'000.0, true};
  return plan;
}

core::CostInputs own_prices() {
  core::CostInputs prices = core::default_cost_inputs();
  prices.gas_price_sek_per_kwh = 1.6;
  prices.electricity_price_sek_per_kwh = 2.4;
  prices.electricity_co2_kg_per_kwh = 0.05;
  return prices;
}

// The case and the heat pump as kalvex-batch's input, with the prices, run in `folder`.
std::map<std::string, std::string> batch_row(const core::BoilerCase& input,
                                             const core::CostInputs& prices,
                                             const HeatPumpPlan& plan, const QString& folder) {
  std::vector<std::pair<std::string, std::string>> heat_pump{
      {"hp_unit_file", plan.choice.unit_file}, {"hp_model", plan.choice.model}};
  for (const core::HeatPumpQuantity& quantity : core::kHeatPumpQuantities) {
    heat_pump.emplace_back(
        quantity.key,
        QString::number(plan.choice.settings.*quantity.member, 'g', 17).toStdString());
  }
  return testing::batch_output_row(input, prices, heat_pump, folder,
                                   QStringLiteral(VARMKALK_TEST_BATCH));
}

}  // namespace

class HeatPumpTest : public QObject {
  Q_OBJECT

 private slots:
  void heat_pump_figures_agree_everywhere() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const FormInput form = testing::typed_worked_example();
    const core::CostInputs prices = own_prices();
    const HeatPumpPlan plan = ground_source_plan();
    const core::BoilerCase input = testing::derived_case(form, QStringLiteral("vp"));

    // The result box and the report: the year computed again from the folder's control file.
    QVERIFY(!write_control_file(folder.path(), input));
    const CalculationYear year = folder_year(folder.path(), kClimateDir);
    const auto shown_or_why = calculation_side_by_side(year, prices, plan, shipped_folder());
    const auto* shown = std::get_if<core::SideBySide>(&shown_or_why);
    QVERIFY2(shown, shown ? "" : qPrintable(std::get<QString>(shown_or_why)));
    const core::HeatPumpYear& hp = shown->heat_pump;
    QVERIFY(hp.unit_heat_kwh > 10'000.0);
    QVERIFY(*hp.seasonal_performance_factor > 2.5);
    // The saving by hand: the boiler's gas and pump against all the heat pump's electricity at
    // 2.4 kr, the fixed fee saved as the gas connection closes; the payback of the net 130 000 kr.
    const double saving = shown->boiler_cost.gas_cost_sek + shown->boiler_cost.fixed_fee_sek +
                          shown->boiler_cost.electricity_cost_sek -
                          shown->heat_pump_cost.electricity_kwh * 2.4;
    QVERIFY(std::abs(shown->saving_sek - saving) < 1e-6);
    QVERIFY(std::abs(*shown->payback_years - 130'000.0 / saving) < 1e-9);
    const QStringList box = side_by_side_lines(*shown, QStringLiteral("S1155-12"), kSwedish);
    const QStringList cost_line = box.filter(QStringLiteral("Kostnad totalt"));
    QCOMPARE(cost_line.size(), qsizetype{1});
    QVERIFY2(cost_line[0].endsWith(side_by_side_value_text(shown->boiler_cost.total_cost_sek,
                                                           core::FigureFormat::whole, kSwedish)
                                       .rightJustified(10) +
                                   QLatin1Char(' ') +
                                   side_by_side_value_text(shown->heat_pump_cost.total_cost_sek,
                                                           core::FigureFormat::whole, kSwedish)
                                       .rightJustified(10)),
             qPrintable(cost_line[0]));
    QVERIFY(box.filter(QStringLiteral("Återbetalningstid"))
                .value(0)
                .endsWith(kSwedish.toString(*shown->payback_years, 'f', 1)));
    // The charts' days add up to the box's year.
    const std::optional<HeatPumpChart> chart =
        heat_pump_chart(year, {*shown, QStringLiteral("S1155-12"), plan}, shipped_folder());
    QVERIFY(chart);
    QVERIFY(chart->ground_source);
    double chart_kwh = 0.0;
    for (const core::HeatPumpDay& day : chart->days) {
      chart_kwh += day.electricity_kwh();
    }
    QVERIFY(std::abs(chart_kwh - hp.hp_electricity_kwh) < 1e-6);
    ChartYear chart_year;
    chart_year.heat_pump = chart;
    chart_year.climate = ClimateShape{static_cast<int>(chart->days.size()), true};
    double months_kwh = 0.0;
    const auto months = heat_pump_monthly_kwh(chart_year);
    QVERIFY(months);
    for (const double kwh : *months) {
      months_kwh += kwh;
    }
    QVERIFY(std::abs(months_kwh - hp.hp_electricity_kwh) < 1e-6);
    double january_kwh = 0.0;
    for (std::size_t day = 0; day < 31; ++day) {
      january_kwh += chart->days[day].electricity_kwh();
    }
    QVERIFY(std::abs((*months)[0] - january_kwh) < 1e-9);

    // kalvex-batch: every digit the same.
    std::map<std::string, std::string> batch = batch_row(input, prices, plan, folder.path());
    QCOMPARE(std::stod(batch["hp_heat_kwh"]), hp.unit_heat_kwh);
    QCOMPARE(std::stod(batch["hp_backup_kwh"]), hp.backup_heat_kwh);
    QCOMPARE(std::stod(batch["hp_electricity_kwh"]), hp.hp_electricity_kwh);
    QCOMPARE(std::stod(batch["hp_spf"]), *hp.seasonal_performance_factor);
    QCOMPARE(std::stod(batch["hp_bivalent_temp"]), *hp.bivalent_c);
    QCOMPARE(std::stod(batch["hp_cost_sek"]), shown->heat_pump_cost.total_cost_sek);
    QCOMPARE(std::stod(batch["hp_co2_kg"]), shown->heat_pump_cost.co2_kg);
    QCOMPARE(std::stod(batch["cost_sek"]), shown->boiler_cost.total_cost_sek);

    // The sweep's point of the same case.
    SweepBase base = std::get<SweepBase>(sweep_base(form, QLocale::c()));
    base.prices = prices;
    const auto climates = sweep_climates(base, folder.path(), kClimateDir);
    Sweep sweep;
    sweep.points = {SweepPoint{0.0, {}, base.input, {}}};
    sweep.results = {sweep_point_result(base.input, *climates)};
    sweep.prices = base.prices;
    sweep.heat_pump =
        std::get<LoadedHeatPump>(load_heat_pump(plan.choice, shipped_folder())).installation;
    sweep.economy = plan.economy;
    add_sweep_costs(sweep, *climates);
    add_sweep_heat_pump(sweep, *climates);
    QVERIFY(sweep.sides.at(0) == *shown);
    QCOMPARE(sweep_cell_text(sweep, 0, SweepColumn::hp_total_cost, QLocale::c()),
             QString::number(testing::whole(shown->heat_pump_cost.total_cost_sek)));
    QCOMPARE(sweep_cell_text(sweep, 0, SweepColumn::hp_spf, QLocale::c()),
             QString::number(*hp.seasonal_performance_factor, 'f', 2));
    sweep.heading = QStringLiteral("Värde");
    sweep.base = base.input;
    const QString csv = QString::fromUtf8(sweep_csv(sweep, kSwedish));
    QVERIFY(csv.contains(QStringLiteral(";%1;%2;")
                             .arg(kSwedish.toString(*hp.seasonal_performance_factor, 'f', 2))
                             .arg(testing::whole(shown->heat_pump_cost.total_cost_sek))));

    // The comparison against a reference kept with a typical air heat pump.
    const QDateTime now = QDateTime::currentDateTime();
    QVERIFY(!keep_inputs_file(
        folder.path(),
        {QStringLiteral("ref"), form, QLocale::c(), prices, default_heat_pump_plan()}, now));
    QVERIFY(!keep_inputs_file(
        folder.path(), {QStringLiteral("vp"), form, QLocale::c(), prices, plan}, now.addSecs(1)));
    const KeptCalculations kept = list_kept_calculations(folder.path());
    QCOMPARE(kept.calculations.size(), std::size_t{2});
    std::vector<KeptCalculation> compared{kept.calculations[1], kept.calculations[0]};
    const std::vector<CalculationYear> years = kept_years(compared, folder.path(), kClimateDir);
    const std::vector<KeptPrices> kept_price = kept_prices(compared, std::nullopt);
    const auto heat_pumps =
        kept_heat_pumps(compared, years, kept_price, std::nullopt, shipped_folder(), kSwedish);
    QVERIFY(heat_pumps[1] && heat_pumps[1]->sides == *shown);
    const ComparisonTable table =
        comparison_table(compared, kSwedish, kept_costs(years, kept_price), kept_price, heat_pumps);
    const QString section = QStringLiteral("Värmepump");
    QCOMPARE(testing::comparison_cell(table, section, 1, false, section),
             QStringLiteral("S1155-12 3x400"));
    QCOMPARE(testing::comparison_cell(table, QStringLiteral("Kostnad totalt"), 1, false, section),
             QString::number(testing::whole(shown->heat_pump_cost.total_cost_sek)));
    QCOMPARE(testing::comparison_cell(table, QStringLiteral("Kostnad totalt"), 1, true, section)
                 .toLongLong(),
             testing::whole(shown->heat_pump_cost.total_cost_sek) -
                 testing::whole(heat_pumps[0]->sides->heat_pump_cost.total_cost_sek));
    QCOMPARE(testing::comparison_cell(table, QStringLiteral("Årsvärmefaktor"), 1, false, section),
             kSwedish.toString(*hp.seasonal_performance_factor, 'f', 2));
  }

  // The costs cross on the line between the two points whose difference changes sign, at the
  // boiler's cost there; none where they never cross, nor over a category.
  void the_costs_cross_between_two_points() {
    Sweep sweep;
    const double heat_pump_sek[] = {18'000.0, 19'000.0, 21'000.0, 22'000.0};
    for (std::size_t i = 0; i < 4; ++i) {
      sweep.points.push_back({40.0 + 10.0 * static_cast<double>(i), {}, {}, {}});
      core::YearCost boiler;
      boiler.total_cost_sek = 20'000.0 + 100.0 * static_cast<double>(i);
      sweep.costs.emplace_back(boiler);
      core::SideBySide sides;
      sides.heat_pump_cost.total_cost_sek = heat_pump_sek[i];
      sweep.sides.emplace_back(sides);
    }
    const std::optional<CostCrossing> crossing = cost_crossing(sweep);
    QVERIFY(crossing);
    // 20 200 − 21 000 = −800 at 60, +1 100 at 50: 1 100 / 1 900 of the way.
    QCOMPARE(crossing->position, 50.0 + 10.0 * 1'100.0 / 1'900.0);
    QCOMPARE(crossing->cost_sek, 20'100.0 + 100.0 * 1'100.0 / 1'900.0);
    sweep.sides[2]->heat_pump_cost.total_cost_sek = 20'000.0;
    sweep.sides[3]->heat_pump_cost.total_cost_sek = 20'000.0;
    QVERIFY(!cost_crossing(sweep));
    sweep.sides[3]->heat_pump_cost.total_cost_sek = 25'000.0;
    QVERIFY(cost_crossing(sweep));
    for (SweepPoint& point : sweep.points) {
      point.category = QStringLiteral("Malmö");
    }
    QVERIFY(!cost_crossing(sweep));
  }

  // The payback where an investment is typed: years, or "lönar sig inte" where the heat pump
  // saves nothing; nothing without an investment.
  void payback_says_when_it_never_pays() {
    core::SideBySide sides;
    QVERIFY(!payback_text(sides, kSwedish));
    sides.has_investment = true;
    QCOMPARE(*payback_text(sides, kSwedish), QStringLiteral("lönar sig inte"));
    sides.payback_years = 12.345;
    QCOMPARE(*payback_text(sides, kSwedish), QStringLiteral("12,3"));
    const std::vector<SideBySideRow> rows = side_by_side_rows(sides, kSwedish);
    QCOMPARE(rows.back().heat_pump, QStringLiteral("12,3"));
  }

  // The shipped declarations' variants in the order of their files; a file or a variant that
  // cannot be had is named in one line.
  void units_are_offered_or_their_fault_named() {
    const std::vector<OfferedUnit> units = shipped_units(shipped_folder());
    QCOMPARE(units.size(), std::size_t{38});
    QVERIFY(
        std::is_sorted(units.begin(), units.end(),
                       [](const OfferedUnit& a, const OfferedUnit& b) { return a.file < b.file; }));
    core::HeatPumpChoice choice = ground_source_plan().choice;
    choice.model = "S1155-99";
    const auto no_variant = load_heat_pump(choice, shipped_folder());
    QVERIFY2(std::get<QString>(no_variant).contains(QStringLiteral("S1155-99")),
             qPrintable(std::get<QString>(no_variant)));
    choice.unit_file = "saknas.csv";
    const auto no_file = load_heat_pump(choice, shipped_folder());
    QVERIFY2(std::get<QString>(no_file).contains(QStringLiteral("saknas.csv")),
             qPrintable(std::get<QString>(no_file)));
    choice = default_heat_pump_plan().choice;
    choice.settings.tank_temp_c = 80.0;
    QVERIFY(std::holds_alternative<QString>(load_heat_pump(choice, shipped_folder())));
  }

  // The dialog's fields in the user's locale: the capacity only for a typical unit, the first
  // bad one named by its key.
  void dialog_fields_read_or_name_the_fault() {
    const HeatPumpPlan defaults = default_heat_pump_plan();
    HeatPumpTexts texts = heat_pump_texts(defaults, kSwedish);
    QVERIFY(std::get<HeatPumpPlan>(read_heat_pump_texts(texts, defaults, kSwedish)) == defaults);
    texts.economy[0] = QStringLiteral("150 000");
    texts.settings[0] = QStringLiteral("7,5");
    const auto read = std::get<HeatPumpPlan>(read_heat_pump_texts(texts, defaults, kSwedish));
    QCOMPARE(read.economy.investment_sek, 150000.0);
    QCOMPARE(read.choice.settings.backup_kw, 7.5);
    texts.capacity[0] = QStringLiteral("200");
    const auto too_large = read_heat_pump_texts(texts, defaults, kSwedish);
    const auto& fault = std::get<HeatPumpFieldError>(too_large);
    QCOMPARE(fault.key, QStringLiteral("hp_capacity_kw"));
    QVERIFY2(fault.message.contains(QStringLiteral("utanför 1–100")), qPrintable(fault.message));
    // A certified unit's capacity is not read.
    HeatPumpPlan certified = ground_source_plan();
    QVERIFY(std::holds_alternative<HeatPumpPlan>(read_heat_pump_texts(texts, certified, kSwedish)));
    texts.settings[1] = QStringLiteral("varmt");
    QCOMPARE(std::get<HeatPumpFieldError>(read_heat_pump_texts(texts, certified, kSwedish)).key,
             QStringLiteral("hp_tank_temp"));
  }

  // The energy flow's sources and uses add up to the same.
  void the_flow_balances() {
    core::HeatPumpYear year;
    year.space_heat_kwh = 15'000.0;
    year.hot_water_kwh = 4'000.0;
    year.unit_heat_kwh = 18'000.0;
    year.backup_heat_kwh = 900.0;
    year.unmet_kwh = 100.0;
    year.compressor_kwh = 5'500.0;
    year.off_mode_kwh = 60.0;
    const HeatPumpFlow flow = heat_pump_flow(year, false);
    double sources = 0.0;
    double uses = 0.0;
    for (const HeatPumpFlowPart& part : flow.sources) {
      sources += part.kwh;
    }
    for (const HeatPumpFlowPart& part : flow.uses) {
      uses += part.kwh;
    }
    QCOMPARE(sources, 18'960.0);
    QCOMPARE(uses, sources);
    QCOMPARE(flow.sources[1].name, QStringLiteral("Värme ur luften"));
  }
};

QTEST_MAIN(HeatPumpTest)
#include "heat_pump_test.moc"
