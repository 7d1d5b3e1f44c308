// SPDX-License-Identifier: GPL-3.0-or-later
// The output's columns, chosen once from the input's header: each kind of table heads its output
// with the input's columns and those of its kind, and a row written with them reads back as the
// record and the results it was made of.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/formats/csv_table.h"
#include "core/tests/support/worked_example.h"
#include "tools/batch/batch_input.h"
#include "tools/batch/batch_output.h"
#include "tools/batch/tests/batch_table.h"

namespace varmkalk::batch {
namespace {

constexpr std::size_t kResultColumns = 14;
constexpr std::size_t kCostColumns = 4;

// The worked example, named by a text that must be quoted, with `extra` columns appended.
BatchInput input_with(const std::vector<std::string>& extra, const std::string& cells) {
  std::string table = batch_table({testing::worked_example()}, {"Villa, \"röd\""});
  std::string names;
  for (const std::string& name : extra) {
    names += "," + name;
  }
  table.insert(table.size() - 2, cells);
  table.insert(table.find("\r\n"), names);
  return read_batch_input(table, "in.csv");
}

// The output's header and one row, read back as a table.
core::CsvTable written(const BatchInput& input, const ComputedRow& computed) {
  const std::vector<OutputColumn> columns = batch_output_columns(input.header, input.kind);
  return core::read_csv_table(
      batch_output_header(columns) + batch_output_row(columns, input.rows.front(), computed),
      "out.csv");
}

std::vector<std::string> added_names(const BatchInput& input) {
  const std::vector<std::string> names = written(input, {}).header;
  return {names.begin() + static_cast<std::ptrdiff_t>(input.header.size()), names.end()};
}

TEST(BatchColumns, EachKindOfTableAddsItsColumnsToTheInputsOnes) {
  const BatchInput plain = input_with({}, "");
  const BatchInput costed = input_with({"fixed_fee_sek"}, ",0");
  const BatchInput metered = input_with({"metered_gas_kwh"}, ",");
  const BatchInput both = input_with({"gas_price_sek_per_kwh", "metered_gas_kwh"}, ",1,");
  EXPECT_EQ(plain.kind, TableKind::plain);
  EXPECT_EQ(costed.kind, TableKind::costed);
  EXPECT_EQ(metered.kind, TableKind::metered);
  EXPECT_EQ(both.kind, TableKind::metered);
  for (const BatchInput* input : {&plain, &costed, &metered, &both}) {
    const std::vector<std::string> header = written(*input, {}).header;
    ASSERT_GE(header.size(), input->header.size());
    EXPECT_TRUE(std::equal(input->header.begin(), input->header.end(), header.begin()));
  }
  const std::vector<std::string> results = added_names(plain);
  ASSERT_EQ(results.size(), kResultColumns);
  EXPECT_EQ(results[0], "status");
  EXPECT_EQ(results[1], "message");
  // The cost columns follow the results, and the fitted demand those.
  std::vector<std::string> with_cost = added_names(costed);
  ASSERT_EQ(with_cost.size(), kResultColumns + kCostColumns);
  EXPECT_TRUE(std::equal(results.begin(), results.end(), with_cost.begin()));
  EXPECT_EQ(with_cost[kResultColumns], "gas_bill_kwh");
  EXPECT_EQ(with_cost.back(), "co2_kg");
  with_cost.emplace_back("calibrated_design_heat_demand_w");
  EXPECT_EQ(added_names(metered), with_cost);
  EXPECT_EQ(added_names(both), with_cost);
}

TEST(BatchColumns, ARowReadsBackAsItsRecordAndResults) {
  const BatchInput input = input_with({"metered_gas_kwh"}, ",21000");
  ComputedRow computed;
  computed.result.status = core::CaseStatus::shortfall;
  computed.result.message = "Pannan räckte inte till, \"3\" dygn.";
  computed.result.efficiency_percent = 91.25f;
  computed.result.energies.net_energy_kwh = 18123.4f;
  computed.result.totals.heating_days = 243;
  computed.result.totals.unmet_days = 3;
  computed.cost.emplace();
  computed.cost->gas_bill_kwh = 21000.5;
  computed.cost->gas_cost_sek = 1.0;
  computed.cost->total_cost_sek = 45000.25;
  computed.design_heat_demand_w = 8123.5f;

  const core::CsvTable table = written(input, computed);
  ASSERT_EQ(table.rows.size(), 1u);
  const std::vector<std::string>& cells = table.rows[0].fields;
  ASSERT_EQ(cells.size(), table.header.size());
  EXPECT_TRUE(
      std::equal(input.rows[0].row.fields.begin(), input.rows[0].row.fields.end(), cells.begin()));
  const auto cell = [&](const std::string& name) {
    return cells[static_cast<std::size_t>(
        std::find(table.header.begin(), table.header.end(), name) - table.header.begin())];
  };
  EXPECT_EQ(cell("case"), "Villa, \"röd\"");
  EXPECT_EQ(cell("status"), "shortfall");
  EXPECT_EQ(cell("message"), computed.result.message);
  EXPECT_EQ(std::stof(cell("annual_efficiency")), 91.25f);
  EXPECT_EQ(cell("annual_efficiency_without_pump"), "");  // none given
  EXPECT_EQ(std::stof(cell("net_energy_kwh")), 18123.4f);
  EXPECT_EQ(cell("heating_days"), "243");
  EXPECT_EQ(cell("shortfall_days"), "3");
  EXPECT_EQ(std::stod(cell("gas_bill_kwh")), 21000.5);
  EXPECT_EQ(std::stod(cell("cost_sek")), 45000.25);
  EXPECT_EQ(std::stof(cell("calibrated_design_heat_demand_w")), 8123.5f);

  // A refused row keeps its input and its reason; nothing else of it is written.
  ComputedRow refused;
  refused.result.message = "Luftfaktorn är under 1.";
  const core::CsvTable refusal = written(input, refused);
  const std::vector<std::string>& refused_cells = refusal.rows.at(0).fields;
  ASSERT_EQ(refused_cells.size(), input.header.size() + kResultColumns + kCostColumns + 1);
  EXPECT_TRUE(std::equal(input.rows[0].row.fields.begin(), input.rows[0].row.fields.end(),
                         refused_cells.begin()));
  EXPECT_EQ(refused_cells[input.header.size()], "error");
  EXPECT_EQ(refused_cells[input.header.size() + 1], refused.result.message);
  EXPECT_TRUE(
      std::all_of(refused_cells.begin() + static_cast<std::ptrdiff_t>(input.header.size()) + 2,
                  refused_cells.end(), [](const std::string& c) { return c.empty(); }));
}

}  // namespace
}  // namespace varmkalk::batch
