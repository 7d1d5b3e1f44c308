// SPDX-License-Identifier: GPL-3.0-or-later
// The optional columns of cost and CO2: a table without them gives the output it always gave; with
// them every row carries the year on the gas bill's terms the library gives for its case.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cost/year_cost.h"
#include "core/tests/support/worked_example.h"
#include "tools/batch/batch_input.h"
#include "tools/batch/batch_output.h"
#include "tools/batch/row_computation.h"
#include "tools/batch/tests/batch_table.h"

namespace varmkalk::batch {
namespace {

// The table of the worked example with `extra` columns appended, each with its cell.
std::string table_with(const std::vector<std::pair<std::string, std::string>>& extra) {
  std::string table = batch_table({testing::worked_example()});
  const std::size_t header_end = table.find("\r\n");
  std::string header = table.substr(0, header_end);
  std::string row = table.substr(header_end + 2, table.size() - header_end - 4);
  for (const auto& [name, cell] : extra) {
    header += "," + name;
    row += "," + cell;
  }
  return header + "\r\n" + row + "\r\n";
}

TEST(BatchCost, OptionalColumnsSetTheirInputAndLeaveTheRestAtTheDefaults) {
  const core::CostInputs defaults = core::default_cost_inputs();
  struct Row {
    const char* what;
    std::vector<std::pair<std::string, std::string>> extra;
    double core::CostInputs::*changed;
    double value;
  };
  const Row rows[] = {
      {"no cost column", {}, nullptr, 0.0},
      {"a gas price",
       {{"gas_price_sek_per_kwh", "1.5"}},
       &core::CostInputs::gas_price_sek_per_kwh,
       1.5},
      {"a signed fee", {{"fixed_fee_sek", " +0 "}}, &core::CostInputs::fixed_fee_sek, 0.0},
      {"a ratio", {{"fuel_hhv_ratio", "1.11"}}, &core::CostInputs::fuel_hhv_ratio, 1.11},
      {"an electricity factor",
       {{"electricity_co2_kg_per_kwh", "3e-1"}},
       &core::CostInputs::electricity_co2_kg_per_kwh,
       0.3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const BatchInput input = read_batch_input(table_with(row.extra), "in.csv");
    const bool cost_columns = input.kind == TableKind::costed;
    EXPECT_EQ(cost_columns, !row.extra.empty());
    core::CostInputs expected = defaults;
    if (row.changed != nullptr) {
      expected.*row.changed = row.value;
    }
    ASSERT_EQ(input.rows.size(), 1u);
    EXPECT_EQ(input.rows[0].prices, expected);
    const std::string header = batch_output_header(batch_output_columns(input.header, input.kind));
    EXPECT_EQ(header.find("gas_bill_kwh") != std::string::npos, cost_columns);
  }
}

TEST(BatchCost, RefusesACellThatIsNoPlausibleValueNamingItsColumn) {
  const std::pair<std::string, std::string> faults[] = {
      {"\"1,5\"",
       "(\"gas_price_sek_per_kwh\"): \"1,5\" är inget tal; skriv decimaltecknet som punkt"},
      {"-1", "(\"gas_price_sek_per_kwh\"): \"-1\" ligger utanför 0–50 kr/kWh"},
      {"50.5", "(\"gas_price_sek_per_kwh\"): \"50.5\" ligger utanför 0–50 kr/kWh"},
      {"", "(\"gas_price_sek_per_kwh\"): fältet är tomt"},
      {"1e39", "\"1e39\" är för stort för ett tal"},
      // Read as 0 by a double, which no one means by writing it.
      {"1e-400", "\"1e-400\" är så nära 0 att det inte går att räkna med; skriv 0 om det är menat"},
      // A comma that separates thousands or decimals: advice to write a point would make 2000
      // into 2.
      {"\"2,000\"",
       "\"2,000\" är inget tal; skriv 2000 om kommatecknet skiljer tusental, 2.000 om det är ett "
       "decimaltecken"},
      {"\"1,234,567.5\"",
       "\"1,234,567.5\" är inget tal; skriv talet utan tusentalsavgränsare: "
       "1234567.5"},
      {"2 000", "\"2 000\" är inget tal; skriv talet utan mellanslag"},
  };
  for (const auto& [cell, message] : faults) {
    SCOPED_TRACE(cell);
    try {
      read_batch_input(table_with({{"gas_price_sek_per_kwh", cell}}), "in.csv");
      ADD_FAILURE() << "accepted";
    } catch (const BatchInputError& e) {
      EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
    }
  }
}

TEST(BatchCost, ARowCarriesTheYearOnTheBillsTerms) {
  const core::CostInputs defaults = core::default_cost_inputs();
  core::YearCost cost;
  cost.gas_bill_kwh = 20000.5;
  cost.gas_m3 = 1667.0;
  cost.total_cost_sek = 43000.25;
  cost.co2_kg = 3700.0;
  const BatchInput input = read_batch_input(table_with({{"fixed_fee_sek", "0"}}), "in.csv");
  const std::vector<OutputColumn> columns = batch_output_columns(input.header, input.kind);
  core::CaseResult result;
  result.status = core::CaseStatus::ok;
  const std::string row = batch_output_row(
      columns, input.rows[0], {result, cost, std::nullopt, std::nullopt, std::nullopt});
  EXPECT_TRUE(row.ends_with(",20000.5,1667,43000.25,3700\r\n")) << row;
  // A spreadsheet reads every size as the decimal number it is, never in exponent form.
  struct Size {
    double gas_bill_kwh, gas_m3, total_cost_sek, co2_kg;
    std::string row_end;
  };
  const Size sizes[] = {
      {1.0e6, 2.5e7, 1.0e9, 1.0e12, ",1000000,25000000,1000000000,1000000000000\r\n"},
      {1.0e-5, 2.5e-7, 0.0, 0.0001, ",0.00001,0.00000025,0,0.0001\r\n"},
  };
  for (const Size& size : sizes) {
    core::YearCost figures;
    figures.gas_bill_kwh = size.gas_bill_kwh;
    figures.gas_m3 = size.gas_m3;
    figures.total_cost_sek = size.total_cost_sek;
    figures.co2_kg = size.co2_kg;
    const std::string line = batch_output_row(
        columns, input.rows[0], {result, figures, std::nullopt, std::nullopt, std::nullopt});
    EXPECT_TRUE(line.ends_with(size.row_end)) << line;
  }
  result.status = core::CaseStatus::error;
  EXPECT_TRUE(batch_output_row(columns, input.rows[0],
                               {result, std::nullopt, std::nullopt, std::nullopt, std::nullopt})
                  .ends_with(",,,,\r\n"));
  EXPECT_EQ(defaults, core::default_cost_inputs());
}

TEST(BatchCost, ABilledTableBillsTheYearItRanAndAPlainOneBillsNone) {
  const BatchInput plain = read_batch_input(table_with({}), "in.csv");
  const BatchInput costed = read_batch_input(table_with({{"fixed_fee_sek", "1000"}}), "in.csv");
  std::string refused_text = table_with({{"fixed_fee_sek", "1000"}});
  refused_text.replace(refused_text.find(",1.2,"), 5, ",0.9,");  // an air ratio below 1
  const BatchInput refused = read_batch_input(refused_text, "in.csv");
  ASSERT_EQ(refused.rows.at(0).input.combustion.air_ratio, 0.9f);
  const std::vector<core::BoilerCase> cases = {testing::worked_example()};
  const core::FoundClimates climates(cases, VARMKALK_CLIMATE_TEST_DATA, {});
  const core::FoundClimate& climate = climates.of(cases[0]);

  const ComputedRow year = compute_rows(plain.rows, climates, plain.kind, HeatPumpUnits{}, 1).at(0);
  EXPECT_EQ(year.result.status, core::CaseStatus::ok) << year.result.message;
  EXPECT_FALSE(year.cost);
  EXPECT_FALSE(year.design_heat_demand_w);
  const ComputedRow billed =
      compute_rows(costed.rows, climates, costed.kind, HeatPumpUnits{}, 2).at(0);
  const auto own_bill = core::case_cost(costed.rows[0].input, climate, costed.rows[0].prices).cost;
  ASSERT_TRUE(billed.cost);
  EXPECT_EQ(*billed.cost, std::get<core::YearCost>(own_bill));
  EXPECT_EQ(billed.cost->fixed_fee_sek, 1000.0);
  EXPECT_FALSE(billed.design_heat_demand_w);
  // The year billed is the year written: the same cells as the plain table's.
  const std::vector<OutputColumn> columns = batch_output_columns(plain.header, plain.kind);
  EXPECT_EQ(batch_output_row(columns, plain.rows[0], billed),
            batch_output_row(columns, plain.rows[0], year));

  const ComputedRow no_bill = compute_row(refused.rows[0], climate, refused.kind, HeatPumpUnits{});
  EXPECT_EQ(no_bill.result.status, core::CaseStatus::error);
  EXPECT_FALSE(no_bill.cost);
}

}  // namespace
}  // namespace varmkalk::batch
