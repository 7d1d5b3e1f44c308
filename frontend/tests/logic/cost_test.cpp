// SPDX-License-Identifier: GPL-3.0-or-later
// The year on the gas bill's terms is one figure wherever it shows: the result box and the report
// (the year computed again in the working folder), the comparison of kept calculations, the
// sweep and kalvex-batch give the same kronor and kilograms for the same case and prices.
#include "core/cost/generators.h"
#include "core/formats/control_file.h"
#include "core/formats/csv_table.h"
#include "core/run/case_run.h"
#include "core/tests/support/worked_example.h"
#include "frontend/examples/climate_table.h"
#include "frontend/examples/typed_inputs.h"
#include "frontend/logic/cost/cost_fields.h"
#include "frontend/logic/form/form_case.h"
#include "frontend/logic/kept/comparison_table.h"
#include "frontend/logic/kept/cost_figures.h"
#include "frontend/logic/kept/kept_year.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/logic/sweep/sweep_results.h"
#include "frontend/tests/support/batch_run.h"
#include "frontend/tests/support/comparison_cells.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>
#include <variant>

using namespace varmkalk;

namespace {

const QString kClimateDir = QStringLiteral(VARMKALK_TEST_CLIMATE_DIR);
const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);

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
  return testing::batch_output_row(input, prices, {}, folder, QStringLiteral(VARMKALK_TEST_BATCH));
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
    const core::BoilerCase input = testing::derived_case(form, QStringLiteral("kost"));

    // The result box and the report: the year computed again from the folder's control file.
    QVERIFY(!write_control_file(folder.path(), input));
    const auto shown_or_why = calculation_cost(folder_year(folder.path(), kClimateDir), prices);
    const auto* shown = std::get_if<core::YearCost>(&shown_or_why);
    QVERIFY(shown);
    QVERIFY(shown->summer_fuel_kwh > 0.0);
    QVERIFY(
        cost_lines(*shown, kSwedish)
            .join(QLatin1Char('\n'))
            .contains(cost_value_text(shown->total_cost_sek, kSwedish) + QStringLiteral(" kr")));
    // The numbers themselves: the bill's kWh at 1.75 kr, the fee of 1500 kr and the pump's
    // electricity at 1.9 kr; the summer's fuel on the bill's basis at the ratio 1.1. Each line of
    // the box shows its own.
    QVERIFY(shown->electricity_kwh > 0.0);
    const double gas_sek = shown->gas_bill_kwh * 1.75;
    const double pump_sek = shown->electricity_kwh * 1.9;
    QVERIFY(std::abs(shown->total_cost_sek - (gas_sek + 1500.0 + pump_sek)) < 1e-6);
    const std::pair<QString, double> box_lines[] = {
        {QString::fromUtf8(
             core::year_figure(core::gas_boiler(), &core::YearCost::summer_gas_bill_kwh).label),
         shown->summer_fuel_kwh * 1.1},
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
    QVERIFY(sweep.costs[0] == *shown);
    QCOMPARE(sweep_cell_text(sweep, 0, SweepColumn::total_cost, QLocale::c()),
             QString::number(testing::whole(shown->total_cost_sek)));

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
    const auto costs = kept_costs(kept_years(compared, folder.path(), kClimateDir),
                                  kept_prices(compared, std::nullopt));
    QVERIFY(costs[1] == *shown);
    const ComparisonTable table = comparison_table(compared, kSwedish, costs);
    const QString total = QStringLiteral("Kostnad totalt");
    QCOMPARE(testing::comparison_cell(table, total, 1),
             QString::number(testing::whole(shown->total_cost_sek)));
    QCOMPARE(testing::comparison_cell(table, total, 1, true).toLongLong(),
             testing::whole(shown->total_cost_sek) - testing::whole(costs[0]->total_cost_sek));
    QCOMPARE(testing::comparison_cell(table, QStringLiteral("Koldioxid"), 1),
             QString::number(testing::whole(shown->co2_kg)));

    // The exports in Swedish spreadsheet conventions: semicolons, the figures whole.
    const QString csv = QString::fromUtf8(comparison_csv(table, kSwedish));
    QVERIFY(csv.contains(QStringLiteral("Kostnad och klimat;Kostnad totalt;kr/år;%1;%2;")
                             .arg(testing::whole(costs[0]->total_cost_sek))
                             .arg(testing::whole(shown->total_cost_sek))));
    sweep.heading = QStringLiteral("Värde");
    sweep.base = base.input;
    const QString sweep_text = QString::fromUtf8(sweep_csv(sweep, kSwedish));
    QVERIFY(sweep_text.contains(QStringLiteral("Kostnad totalt (kr/år);Koldioxid (kg/år)")));
    QVERIFY(sweep_text.contains(QStringLiteral(";%1;%2;")
                                    .arg(testing::whole(shown->total_cost_sek))
                                    .arg(testing::whole(shown->co2_kg))));
  }

  // The dialog's fields: numbers in the user's locale within their ranges; a field left as shown
  // keeps its value to the last digit.
  void dialog_fields_read_or_name_the_fault_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fault");  // empty: read
    QTest::newRow("a price") << 2 << QStringLiteral("1,25") << QString();
    QTest::newRow("a decimal point")
        << 2 << QStringLiteral("1.25") << QStringLiteral("som inte är ett tal");
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

  // Where the year on the bill's terms cannot be had, the result box is told why.
  void calculation_cost_says_why_it_has_none() {
    const core::BoilerCase input =
        testing::derived_case(testing::typed_worked_example(), QStringLiteral("varf"));
    const QString name =
        QString::fromStdString(std::string(core::climate_file_name(input.climate)));
    QFile bundled(QDir(kClimateDir).filePath(name));
    QVERIFY(bundled.open(QIODevice::ReadOnly));
    const QList<QByteArray> days = bundled.readAll().split('\n');
    QByteArray two_years;
    for (int day = 0; day < 730; ++day) {
      QByteArray temperature = days[day % 365].mid(4);
      temperature.chop(temperature.endsWith('\r') ? 1 : 0);
      two_years += QByteArray::number(day + 1).rightJustified(4, ' ') + temperature + "\r\n";
    }
    struct Row {
      const char* what;
      bool control_file;
      QByteArray climate;  // in the working folder; empty: none
      QString fallback;
      QString why;  // empty: a year
    };
    const Row rows[] = {
        {"no control file", false, {}, kClimateDir, QStringLiteral("styrfil.dat")},
        {"no climate file anywhere", true, {}, QString(), QStringLiteral("klimatfilen finns inte")},
        {"two years in the working folder", true, two_years, kClimateDir,
         QStringLiteral("Klimatfilen %1 har 730 dygn; årets gas räknas bara på ett helt år")
             .arg(name)},
        {"the bundled year", true, {}, kClimateDir, QString()},
    };
    for (const Row& row : rows) {
      QTemporaryDir folder;
      QVERIFY(folder.isValid());
      if (row.control_file) {
        QVERIFY(!write_control_file(folder.path(), input));
      }
      if (!row.climate.isEmpty()) {
        QFile climate(QDir(folder.path()).filePath(name));
        QVERIFY(climate.open(QIODevice::WriteOnly));
        climate.write(row.climate);
      }
      const auto cost =
          calculation_cost(folder_year(folder.path(), row.fallback), core::default_cost_inputs());
      if (row.why.isEmpty()) {
        QVERIFY2(std::holds_alternative<core::YearCost>(cost), row.what);
      } else {
        QVERIFY2(std::holds_alternative<QString>(cost), row.what);
        QVERIFY2(std::get<QString>(cost).contains(row.why), qPrintable(std::get<QString>(cost)));
      }
    }
  }

  // The one year run for a calculation, which its cost, notices and charts share, bills as the
  // case run on its own for the bill does, and reports as the engine's run of it: a year with a
  // shortfall, a short climate, a case the model refuses and one without a climate file.
  void the_shared_year_bills_as_the_case_alone() {
    core::BoilerCase shortfall = testing::modulating_example();
    shortfall.building.design_heat_demand_w = 14000.0f;
    core::BoilerCase refused = testing::worked_example();
    refused.combustion.air_ratio = 0.5f;
    struct Row {
      const char* what;
      core::BoilerCase input;
      int climate_days;  // 0: the bundled climate file
      QString fallback;
    };
    const Row rows[] = {
        {"the worked example", testing::worked_example(), 0, kClimateDir},
        {"a modulating burner short of heat", shortfall, 0, kClimateDir},
        {"ten days", testing::worked_example(), 10, kClimateDir},
        {"refused", refused, 0, kClimateDir},
        {"no climate file", testing::worked_example(), 0, QString()},
    };
    for (const Row& row : rows) {
      QTemporaryDir folder;
      QVERIFY(folder.isValid());
      core::BoilerCase input = row.input;
      input.identity = core::CalcIdentity("ett");
      QVERIFY(testing::write_case_folder(folder.path(), input, row.climate_days, std::nullopt));
      const core::FoundClimate climate =
          core::find_climate(core::climate_file_name(input.climate), to_path(folder.path()),
                             optional_folder_path(row.fallback));
      const CalculationYear shared = folder_year(folder.path(), row.fallback);
      for (const core::CostInputs& prices : {core::default_cost_inputs(), own_prices()}) {
        const auto alone = core::case_cost(input, climate, prices).cost;
        const auto billed = calculation_cost(shared, prices);
        if (const auto* cost = std::get_if<core::YearCost>(&alone)) {
          QVERIFY2(std::holds_alternative<core::YearCost>(billed), row.what);
          QVERIFY2(std::get<core::YearCost>(billed) == *cost, row.what);
        } else {
          QCOMPARE(std::get<QString>(billed), QString::fromStdString(std::get<std::string>(alone)));
        }
      }
      const CaseYear& ran = std::get<CaseYear>(shared);
      if (!ran.year) {
        QVERIFY2(!climate.days, row.what);
        continue;
      }
      const core::CaseResult engine = core::run_case(input, climate);
      const core::CaseResult reported = core::case_result(input, *ran.climate, *ran.year);
      QCOMPARE(reported.status, engine.status);
      QCOMPARE(reported.message, engine.message);
      QCOMPARE(reported.efficiency_percent, engine.efficiency_percent);
      QCOMPARE(reported.efficiency_without_pump_percent, engine.efficiency_without_pump_percent);
      QCOMPARE(reported.energies.pump_electricity_kwh, engine.energies.pump_electricity_kwh);
      QCOMPARE(reported.energies.net_energy_kwh, engine.energies.net_energy_kwh);
      QCOMPARE(reported.totals.burner_fuel_with_pump_wh, engine.totals.burner_fuel_with_pump_wh);
      QCOMPARE(reported.totals.heating_days, engine.totals.heating_days);
    }
  }

  // A bill prints its figures in digit groups: "16 500" reads as 16500, also with a no-break
  // space or a narrow one; a blank anywhere else, or a point on a Swedish system, is refused in
  // the input form's words, saying what to write.
  void dialog_fields_take_a_bills_digit_groups() {
    const QString nbsp(QChar(0x00A0));
    const QString narrow(QChar(0x202F));
    struct Row {
      const char* what;
      QString text;
      std::optional<double> fee_sek;  // nothing: refused
    };
    const Row rows[] = {
        {"a plain blank", QStringLiteral("16 500"), 16500.0},
        {"a no-break space", QStringLiteral("16") + nbsp + QStringLiteral("500"), 16500.0},
        {"a narrow no-break space", QStringLiteral("1") + narrow + QStringLiteral("500,5"), 1500.5},
        {"blanks around it", QStringLiteral("  99 999  "), 99999.0},
        {"no groups", QStringLiteral("16500"), 16500.0},
        {"a group of two", QStringLiteral("16 50"), std::nullopt},
        {"a group of four", QStringLiteral("1 6500"), std::nullopt},
        {"two blanks", QStringLiteral("16  500"), std::nullopt},
        {"a blank among the decimals", QStringLiteral("1,500 000"), std::nullopt},
        {"a point on a Swedish system", QStringLiteral("16.5"), std::nullopt},
        {"a point as a group", QStringLiteral("16.500"), std::nullopt},
    };
    constexpr std::size_t kFee = 3;
    const core::CostInputs defaults = core::default_cost_inputs();
    for (const Row& row : rows) {
      CostTexts texts = cost_texts(defaults, kSwedish);
      texts[kFee] = row.text;
      const auto read = read_cost_texts(texts, defaults, kSwedish);
      if (row.fee_sek) {
        QVERIFY2(std::holds_alternative<core::CostInputs>(read), row.what);
        QCOMPARE(std::get<core::CostInputs>(read).fixed_fee_sek, *row.fee_sek);
        continue;
      }
      QVERIFY2(std::holds_alternative<CostFieldError>(read), row.what);
      const QString message = std::get<CostFieldError>(read).message;
      for (const QString& said :
           {QStringLiteral("\"Fast avgift (kr/år)\""), QStringLiteral("som inte är ett tal"),
            QStringLiteral("decimalkomma, till exempel 12,5"), QStringLiteral("16 500")}) {
        QVERIFY2(message.contains(said),
                 qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(row.what), message)));
      }
    }
  }

  // Each compared calculation is priced with what is known of its prices: those its inputs file
  // keeps, the session's for the session's calculation not kept yet, else the defaults, said so.
  void each_compared_calculation_has_its_own_prices() {
    const core::CostInputs own = own_prices();
    core::CostInputs session_prices = own;
    session_prices.gas_price_sek_per_kwh = 3.25;
    const SessionCalculation session{QStringLiteral("v2"), FormInput{}, kSwedish, session_prices};
    const auto kept_with = [](const char* identity, std::optional<core::CostInputs> prices) {
      KeptCalculation calculation;
      calculation.identity = QString::fromLatin1(identity).leftJustified(4, QLatin1Char(' '));
      calculation.inputs = KeptInputs{};
      calculation.inputs->identity = QString::fromLatin1(identity);
      calculation.inputs->prices = prices;
      return calculation;
    };
    const auto without_inputs = [](const char* identity) {
      KeptCalculation calculation;
      calculation.identity = QString::fromLatin1(identity).leftJustified(4, QLatin1Char(' '));
      return calculation;
    };
    struct Row {
      const char* what;
      KeptCalculation calculation;
      PriceSource source;
      double gas_price_sek_per_kwh;
    };
    const double default_price = core::default_cost_inputs().gas_price_sek_per_kwh;
    const Row rows[] = {
        {"kept with its prices", kept_with("v1", own), PriceSource::kept,
         own.gas_price_sek_per_kwh},
        {"the session's, not kept yet", without_inputs("v2"), PriceSource::session, 3.25},
        {"the session's identity, kept: its file counts", kept_with("v2", own), PriceSource::kept,
         own.gas_price_sek_per_kwh},
        {"an inputs file without prices", kept_with("v2", std::nullopt), PriceSource::unknown,
         default_price},
        {"another identity without inputs", without_inputs("v22"), PriceSource::unknown,
         default_price},
    };
    for (const Row& row : rows) {
      const std::vector<KeptPrices> found = kept_prices({row.calculation}, session);
      QCOMPARE(found.size(), std::size_t{1});
      QVERIFY2(found[0].source == row.source, row.what);
      QCOMPARE(found[0].prices.gas_price_sek_per_kwh, row.gas_price_sek_per_kwh);
      // Without a session, nothing is the session's.
      QVERIFY2(kept_prices({row.calculation}, std::nullopt)[0].source != PriceSource::session,
               row.what);
    }
    QVERIFY(price_source_text(PriceSource::unknown).contains(QStringLiteral("okända")));
  }

  // The line between the bill's figures and the summary says which heating value each counts:
  // the summary's efficiencies pass 100 % on the lower one.
  void result_box_says_the_basis_of_the_efficiencies() {
    core::YearCost cost;
    cost.gas_bill_kwh = 16500.0;
    const QStringList lines = cost_lines(cost, kSwedish, 1.107);
    QCOMPARE(lines.last(), QString());
    const QString basis = lines.at(lines.size() - 2);
    for (const char* said :
         {"Sammanfattningen", "undre värmevärdet", "gasräkningen: övre", "1,107"}) {
      QVERIFY2(basis.contains(QString::fromUtf8(said)), qPrintable(basis));
    }
    QVERIFY(lines.indexOf(basis) > lines.indexOf(QRegularExpression(QStringLiteral(".*16 500.*"))));
    QCOMPARE(cost_lines(cost, kSwedish).size(), lines.size() - 1);
  }

  // A figure that is no number shows "–", never a number the year lacks.
  void lines_show_no_number_a_year_lacks() {
    core::YearCost cost;
    cost.total_cost_sek = std::numeric_limits<double>::quiet_NaN();
    const QString text = cost_lines(cost, kSwedish).join(QLatin1Char('\n'));
    QVERIFY(text.contains(QStringLiteral("dygn utan värme")));
    QVERIFY(text.contains(QStringLiteral("–")));
    QVERIFY(!text.contains(QStringLiteral("nan"), Qt::CaseInsensitive));
  }
};

QTEST_GUILESS_MAIN(CostTest)
#include "cost_test.moc"
