// SPDX-License-Identifier: GPL-3.0-or-later
// The year on the gas bill's terms is one figure wherever it shows: the result box and the report
// (the year computed again in the working folder), the comparison of kept calculations, the
// sweep and kalvex-batch give the same kronor and kilograms for the same case and prices.
#include "core/formats/control_file.h"
#include "core/formats/csv_table.h"
#include "frontend/examples/typed_inputs.h"
#include "frontend/logic/cost/cost_fields.h"
#include "frontend/logic/cost/cost_figures.h"
#include "frontend/logic/form/form_case.h"
#include "frontend/logic/kept/comparison_table.h"
#include "frontend/logic/sweep/sweep_results.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

using namespace varmkalk;

namespace {

const QString kClimateDir = QStringLiteral(VARMKALK_TEST_CLIMATE_DIR);
const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);

core::BoilerCase derived(const FormInput& input, const QString& identity) {
  const auto result = derive_case(input, identity, QLocale::c());
  if (const auto* error = std::get_if<FieldError>(&result)) {
    qFatal("%s", qPrintable(error->message));
  }
  return std::get<core::BoilerCase>(result);
}

// Prices unlike the defaults in every member.
core::CostInputs own_prices() {
  core::CostInputs prices;
  prices.fuel_hhv_ratio = 1.1;
  prices.gas_kwh_per_m3 = 11.5;
  prices.gas_price_sek_per_kwh = 1.75;
  prices.fixed_fee_sek = 1500.0;
  prices.electricity_price_sek_per_kwh = 1.9;
  prices.gas_co2_kg_per_kwh = 0.19;
  prices.electricity_co2_kg_per_kwh = 0.3;
  return prices;
}

// The case as kalvex-batch's input with a column for each input of cost, run by the program in
// `folder`; its output's columns by name.
std::map<std::string, std::string> batch_row(const core::BoilerCase& input,
                                             const core::CostInputs& prices,
                                             const QString& folder) {
  std::vector<std::string> header;
  std::vector<std::string> row;
  const std::vector<std::string> lines = core::control_file_lines(input);
  for (const core::ControlLine& line : core::kControlLines) {
    if (line.kind != core::ControlLineKind::identity) {
      header.emplace_back(line.field);
      const std::string& cell = lines[static_cast<std::size_t>(line.line - 1)];
      row.push_back(cell.substr(cell.find_first_not_of(' ')));
    }
  }
  for (const core::CostQuantity& quantity : core::kCostQuantities) {
    header.emplace_back(quantity.key);
    row.push_back(QString::number(prices.*quantity.member, 'g', 17).toStdString());
  }
  QFile table(QDir(folder).filePath(QStringLiteral("in.csv")));
  if (!table.open(QIODevice::WriteOnly)) {
    qFatal("in.csv");
  }
  table.write(QByteArray::fromStdString(core::csv_record(header) + core::csv_record(row)));
  table.close();
  QProcess batch;
  batch.setWorkingDirectory(folder);
  batch.start(QStringLiteral(VARMKALK_TEST_BATCH), {QStringLiteral("in.csv"), QStringLiteral("-")});
  batch.waitForFinished();
  const core::CsvTable out = core::read_csv_table(batch.readAllStandardOutput().toStdString(), "-");
  std::map<std::string, std::string> cells;
  for (std::size_t i = 0; i < out.header.size() && !out.rows.empty(); ++i) {
    cells[out.header[i]] = out.rows[0].fields[i];
  }
  return cells;
}

QString row_cell(const ComparisonTable& table, const QString& label, qsizetype column,
                 bool difference = false) {
  for (const ComparisonRow& row : table.rows) {
    if (row.label == label) {
      const ComparisonCell& cell = row.cells[static_cast<std::size_t>(column)];
      return difference ? cell.difference : cell.text;
    }
  }
  return QStringLiteral("no row");
}

qlonglong whole(double value) {
  return std::llround(value);
}

}  // namespace

class CostTest : public QObject {
  Q_OBJECT

 private slots:
  void cost_and_co2_agree_everywhere() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const FormInput form = testing::typed_worked_example();
    const core::CostInputs prices = own_prices();
    const core::BoilerCase input = derived(form, QStringLiteral("kost"));

    // The result box and the report: the year computed again from the folder's control file.
    QVERIFY(!write_control_file(folder.path(), input));
    const std::optional<core::YearCost> shown = folder_cost(folder.path(), kClimateDir, prices);
    QVERIFY(shown);
    QVERIFY(shown->summer_fuel_kwh && *shown->summer_fuel_kwh > 0.0);
    QVERIFY(
        cost_lines(*shown, kSwedish)
            .join(QLatin1Char('\n'))
            .contains(cost_value_text(shown->total_cost_sek, kSwedish) + QStringLiteral(" kr")));
    // The numbers themselves: the bill's kWh at 1.75 kr, the fee of 1500 kr and the pump's
    // electricity at 1.9 kr; the summer's fuel on the bill's basis at the ratio 1.1. Each line of
    // the box shows its own.
    QVERIFY(shown->pump_electricity_kwh > 0.0);
    const double gas_sek = shown->gas_bill_kwh * 1.75;
    const double pump_sek = shown->pump_electricity_kwh * 1.9;
    QVERIFY(std::abs(shown->total_cost_sek - (gas_sek + 1500.0 + pump_sek)) < 1e-6);
    const std::pair<QString, double> box_lines[] = {
        {QString::fromUtf8(kSummerHotWaterLabel), *shown->summer_fuel_kwh * 1.1},
        {QStringLiteral("Kostnad för gasen"), gas_sek},
        {QStringLiteral("Fast avgift"), 1500.0},
        {QStringLiteral("Cirkulationspumpens el"), pump_sek},
        {QStringLiteral("Kostnad totalt"), gas_sek + 1500.0 + pump_sek},
    };
    const QStringList box = cost_lines(*shown, kSwedish);
    for (const auto& [label, value] : box_lines) {
      const QStringList line = box.filter(label + QLatin1Char(' '));
      QCOMPARE(line.size(), qsizetype{1});
      QVERIFY2(
          line[0].contains(QLatin1Char(' ') + cost_value_text(value, kSwedish) + QLatin1Char(' ')),
          qPrintable(line[0]));
    }

    // The sweep's point of the same case.
    SweepBase base = std::get<SweepBase>(sweep_base(form, QLocale::c()));
    base.prices = prices;
    const auto climates = sweep_climates(base, folder.path(), kClimateDir);
    Sweep sweep;
    sweep.points = {SweepPoint{0.0, {}, base.input, {}}};
    sweep.results = {sweep_point_result(base.input, *climates)};
    sweep.prices = base.prices;
    add_sweep_costs(sweep, *climates);
    QCOMPARE(sweep.costs.size(), std::size_t{1});
    QVERIFY(sweep.costs[0] == shown);
    QCOMPARE(sweep_cell_text(sweep, 0, SweepColumn::total_cost, QLocale::c()),
             QString::number(whole(shown->total_cost_sek)));

    // kalvex-batch: every digit the same.
    std::map<std::string, std::string> batch = batch_row(input, prices, folder.path());
    QCOMPARE(std::stod(batch["cost_sek"]), shown->total_cost_sek);
    QCOMPARE(std::stod(batch["co2_kg"]), shown->co2_kg);
    QCOMPARE(std::stod(batch["gas_bill_kwh"]), shown->gas_bill_kwh);
    QCOMPARE(std::stod(batch["gas_m3"]), shown->gas_m3);

    // The comparison against a reference kept with the default prices.
    const QDateTime now = QDateTime::currentDateTime();
    QVERIFY(!keep_inputs_file(
        folder.path(), {QStringLiteral("ref"), form, QLocale::c(), core::default_cost_inputs()},
        now));
    QVERIFY(!keep_inputs_file(folder.path(), {QStringLiteral("kost"), form, QLocale::c(), prices},
                              now.addSecs(1)));
    const KeptCalculations kept = list_kept_calculations(folder.path());
    QCOMPARE(kept.calculations.size(), std::size_t{2});
    std::vector<KeptCalculation> compared{kept.calculations[1], kept.calculations[0]};
    QCOMPARE(compared[0].shown_identity(), QStringLiteral("ref"));
    const auto costs = kept_costs(compared, folder.path(), kClimateDir);
    QVERIFY(costs[1] == shown);
    const ComparisonTable table = comparison_table(compared, kSwedish, costs);
    const QString total = QStringLiteral("Kostnad totalt");
    QCOMPARE(row_cell(table, total, 1), QString::number(whole(shown->total_cost_sek)));
    QCOMPARE(row_cell(table, total, 1, true).toLongLong(),
             whole(shown->total_cost_sek) - whole(costs[0]->total_cost_sek));
    QCOMPARE(row_cell(table, QStringLiteral("Koldioxid"), 1),
             QString::number(whole(shown->co2_kg)));

    // The exports in Swedish spreadsheet conventions: semicolons, the figures whole.
    const QString csv = QString::fromUtf8(comparison_csv(table, kSwedish));
    QVERIFY(csv.contains(QStringLiteral("Kostnad och klimat;Kostnad totalt;kr/år;%1;%2;")
                             .arg(whole(costs[0]->total_cost_sek))
                             .arg(whole(shown->total_cost_sek))));
    sweep.heading = QStringLiteral("Värde");
    sweep.base = base.input;
    const QString sweep_text = QString::fromUtf8(sweep_csv(sweep, kSwedish));
    QVERIFY(sweep_text.contains(QStringLiteral("Kostnad totalt (kr/år);Koldioxid (kg/år)")));
    QVERIFY(sweep_text.contains(
        QStringLiteral(";%1;%2;").arg(whole(shown->total_cost_sek)).arg(whole(shown->co2_kg))));
  }

  // The dialog's fields: numbers in the user's locale within their ranges; a field left as shown
  // keeps its value to the last digit.
  void dialog_fields_read_or_name_the_fault_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fault");  // empty: read
    QTest::newRow("a price") << 2 << QStringLiteral("1,25") << QString();
    QTest::newRow("a decimal point") << 2 << QStringLiteral("1.25") << QStringLiteral("inget tal");
    QTest::newRow("empty") << 3 << QStringLiteral(" ") << QStringLiteral("är tomt");
    QTest::newRow("below its range") << 3 << QStringLiteral("-5") << QStringLiteral("utanför");
    QTest::newRow("a ratio too large") << 0 << QStringLiteral("2") << QStringLiteral("utanför");
  }
  void dialog_fields_read_or_name_the_fault() {
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, fault);
    const core::CostInputs defaults = core::default_cost_inputs();
    CostTexts texts = cost_texts(defaults, kSwedish);
    QCOMPARE(std::get<core::CostInputs>(read_cost_texts(texts, defaults, kSwedish)), defaults);
    texts[static_cast<std::size_t>(field)] = text;
    const auto read = read_cost_texts(texts, defaults, kSwedish);
    if (fault.isEmpty()) {
      const core::CostQuantity& quantity = core::kCostQuantities[static_cast<std::size_t>(field)];
      QCOMPARE(std::get<core::CostInputs>(read).*quantity.member, kSwedish.toDouble(text));
    } else {
      const auto& error = std::get<CostFieldError>(read);
      QCOMPARE(error.index, static_cast<std::size_t>(field));
      QVERIFY2(error.message.contains(fault), qPrintable(error.message));
    }
  }

  // A year the summer's hot water cannot be estimated for shows "–", never a number it lacks.
  void lines_show_no_number_a_year_lacks() {
    core::YearCost cost;
    cost.total_cost_sek = std::numeric_limits<double>::quiet_NaN();
    const QString text = cost_lines(cost, kSwedish).join(QLatin1Char('\n'));
    QVERIFY(text.contains(QStringLiteral("uppskattat")));
    QVERIFY(text.contains(QStringLiteral("–")));
    QVERIFY(!text.contains(QStringLiteral("nan"), Qt::CaseInsensitive));
  }
};

QTEST_GUILESS_MAIN(CostTest)
#include "cost_test.moc"
