// SPDX-License-Identifier: GPL-3.0-or-later
// The optional heat pump columns: how a row names its unit and installation, the refusals that
// name the cell, and the heat pump's year in each row's house, the fitted one with a meter, as
// the library computes it in that house.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/cost/year_cost.h"
#include "core/formats/csv_table.h"
#include "core/formats/keymark_file.h"
#include "core/tests/support/temp_folder.h"
#include "core/tests/support/worked_example.h"
#include "tools/batch/batch_input.h"
#include "tools/batch/batch_output.h"
#include "tools/batch/heat_pump_units.h"
#include "tools/batch/row_computation.h"
#include "tools/batch/tests/batch_table.h"

namespace varmkalk::batch {
namespace {

using varmkalk::testing::TempFolder;

// The worked example's table, one row per entry of `cells`, with the `extra` columns holding
// those cells.
std::string table_of(const std::vector<std::string>& extra,
                     const std::vector<std::vector<std::string>>& cells) {
  const std::string one = batch_table({::varmkalk::testing::worked_example()});
  const std::size_t header_end = one.find("\r\n");
  std::string table = one.substr(0, header_end);
  const std::string row = one.substr(header_end + 2, one.size() - header_end - 4);
  for (const std::string& name : extra) {
    table += "," + name;
  }
  table += "\r\n";
  for (const std::vector<std::string>& row_cells : cells) {
    table += row;
    for (const std::string& cell : row_cells) {
      table += "," + cell;
    }
    table += "\r\n";
  }
  return table;
}

std::string refusal(const std::string& table) {
  try {
    read_batch_input(table, "in.csv");
  } catch (const BatchInputError& error) {
    return error.what();
  }
  return "no refusal";
}

const std::vector<std::string> kGenericColumns{"hp_type", "hp_capacity_kw", "hp_backup_kw",
                                               "hp_tank_temp", "hp_brine_temp"};

TEST(BatchHeatPump, ARowNamesAUnitOrAGenericTypeAndItsSettingsDefaultWhenEmpty) {
  const BatchInput input = read_batch_input(
      table_of(
          kGenericColumns,
          {{"brine", "6.5", "3", "50", "-2"}, {" air ", "8", "", "", ""}, {"", "", "", "", ""}}),
      "in.csv");
  ASSERT_TRUE(input.heat_pump);
  ASSERT_EQ(input.rows.size(), 3u);
  ASSERT_TRUE(input.rows[0].heat_pump);
  EXPECT_EQ(input.rows[0].heat_pump->generic, core::GenericHeatPump::brine);
  EXPECT_EQ(input.rows[0].heat_pump->capacity_kw, 6.5);
  EXPECT_EQ(input.rows[0].heat_pump->settings, (core::HeatPumpSettings{3.0, 50.0, -2.0}));
  ASSERT_TRUE(input.rows[1].heat_pump);
  EXPECT_EQ(input.rows[1].heat_pump->generic, core::GenericHeatPump::air);
  EXPECT_EQ(input.rows[1].heat_pump->settings, core::HeatPumpSettings{});
  EXPECT_FALSE(input.rows[2].heat_pump);

  const BatchInput unit = read_batch_input(
      table_of({"hp_unit_file", "hp_model"}, {{"_Nibe_ABF7x0.csv", " F730 "}}), "in.csv");
  ASSERT_TRUE(unit.rows[0].heat_pump);
  EXPECT_EQ(unit.rows[0].heat_pump->unit_file, "_Nibe_ABF7x0.csv");
  EXPECT_EQ(unit.rows[0].heat_pump->model, "F730");
  EXPECT_FALSE(read_batch_input(table_of({}, {{}}), "in.csv").heat_pump);
}

TEST(BatchHeatPump, RefusesAHalfPairOrABadCellNamingTheColumn) {
  struct Case {
    std::vector<std::string> columns;
    std::vector<std::string> cells;
    std::string fault;  // part of the refusal
  };
  for (const Case& c : {
           Case{{"hp_unit_file"}, {"a.csv"}, "(\"hp_unit_file\"): kolumnen \"hp_model\" saknas"},
           Case{{"hp_capacity_kw"}, {"8"}, "kolumnen \"hp_type\" saknas"},
           Case{{"hp_backup_kw"}, {"3"}, "kolumnen hör till en värmepump, som tabellen inte anger"},
           Case{{"hp_type", "hp_capacity_kw", "hp_unit_file", "hp_model"},
                {"air", "8", "a.csv", "X"},
                "(\"hp_type\"): raden anger redan en värmepump"},
           Case{{"hp_type", "hp_capacity_kw"},
                {"air", ""},
                "(\"hp_capacity_kw\"): fältet är tomt men hp_type är ifyllt"},
           Case{{"hp_unit_file", "hp_model"},
                {"", "X"},
                "(\"hp_unit_file\"): fältet är tomt men hp_model är ifyllt"},
           Case{{"hp_type", "hp_capacity_kw"}, {"geo", "8"}, "\"geo\" är ingen typ"},
           Case{{"hp_type", "hp_capacity_kw"}, {"air", "0.5"}, "\"0.5\" ligger utanför 1–100 kW"},
           Case{
               {"hp_type", "hp_capacity_kw"}, {"air", "\"8,5\""}, "skriv decimaltecknet som punkt"},
           Case{{"hp_type", "hp_capacity_kw", "hp_tank_temp"},
                {"air", "8", "70"},
                "(\"hp_tank_temp\"): \"70\" ligger utanför 40–65 °C"},
           Case{{"hp_type", "hp_capacity_kw", "hp_backup_kw"},
                {"", "", "3"},
                "(\"hp_backup_kw\"): fältet är ifyllt men raden anger ingen värmepump"},
           Case{{"hp_unit_file", "hp_model"}, {"a:b.csv", "X"}, "(\"hp_unit_file\"): namnet "},
           Case{{"hp_unit_file", "hp_model"}, {"units/a.csv", "X"}, "(\"hp_unit_file\"): namnet "},
       }) {
    const std::string refused = refusal(table_of(c.columns, {c.cells}));
    EXPECT_NE(refused.find(c.fault), std::string::npos) << c.fault << "\n" << refused;
    EXPECT_EQ(refused.find("in.csv"), 0u) << refused;
  }
}

std::vector<ComputedRow> computed_rows(const BatchInput& input, const HeatPumpUnits& units) {
  std::vector<core::BoilerCase> cases;
  for (const BatchRow& row : input.rows) {
    cases.push_back(row.input);
  }
  const core::FoundClimates climates(cases, VARMKALK_CLIMATE_TEST_DATA, {});
  return compute_rows(input.rows, climates, input.kind, units, 2);
}

// The library's heat pump year of the worked house on its climate, at the design demand given.
core::HeatPumpYear library_year(float design_heat_demand_w,
                                const core::HeatPumpInstallation& installation) {
  core::BoilerCase house = ::varmkalk::testing::worked_example();
  house.building.design_heat_demand_w = design_heat_demand_w;
  const core::FoundClimate climate =
      core::find_climate(core::climate_file_name(house.climate), VARMKALK_CLIMATE_TEST_DATA, {});
  return core::heat_pump_year(house, installation, climate.days->records);
}

TEST(BatchHeatPump, EachRowsHeatPumpHeatsItsOwnHouseTheFittedOneWithAMeter) {
  std::vector<std::string> columns = kGenericColumns;
  columns.insert(columns.begin(), {"metered_gas_kwh", "electricity_price_sek_per_kwh"});
  const BatchInput input =
      read_batch_input(table_of(columns, {{"", "3", "air", "8", "2", "", ""},
                                          {"15000", "3", "air", "8", "2", "", ""},
                                          {"15000", "3", "", "", "", "", ""},
                                          {"1", "3", "brine", "6", "", "", "5"}}),
                       "in.csv");
  const std::vector<ComputedRow> rows = computed_rows(input, HeatPumpUnits{});
  const core::HeatPumpInstallation air =
      core::installed_generic(core::GenericHeatPump::air, 8.0, {2.0, 55.0, 0.0});

  ASSERT_TRUE(rows[0].heat_pump);
  EXPECT_EQ(*rows[0].heat_pump, library_year(8000.0f, air));
  ASSERT_TRUE(rows[1].design_heat_demand_w);
  ASSERT_TRUE(rows[1].heat_pump);
  EXPECT_EQ(*rows[1].heat_pump, library_year(*rows[1].design_heat_demand_w, air));
  EXPECT_LT(rows[1].heat_pump->space_heat_kwh, rows[0].heat_pump->space_heat_kwh);
  // Billed at the row's prices, its circulation pump's electricity in the kronor.
  ASSERT_TRUE(rows[1].heat_pump_cost);
  EXPECT_EQ(*rows[1].heat_pump_cost,
            core::year_cost(rows[1].heat_pump->year, input.rows[1].prices));
  EXPECT_NEAR(rows[1].heat_pump_cost->total_cost_sek,
              (rows[1].heat_pump->hp_electricity_kwh + rows[1].heat_pump->circulation_pump_kwh) *
                  input.rows[1].prices.electricity_price_sek_per_kwh,
              1e-6);
  EXPECT_FALSE(rows[2].heat_pump);
  // A meter no demand reaches: the row is refused, and has no heat pump year either.
  EXPECT_EQ(rows[3].result.status, core::CaseStatus::error);
  EXPECT_FALSE(rows[3].heat_pump);

  const std::vector<OutputColumn> output = batch_output_columns(input.header, input.kind, true);
  const std::string header = batch_output_header(output);
  EXPECT_NE(header.find(",calibrated_design_heat_demand_w,hp_heat_kwh,hp_backup_kwh,hp_unmet_kwh,"
                        "hp_electricity_kwh,hp_spf,hp_bivalent_temp,hp_cost_sek,hp_co2_kg\r\n"),
            std::string::npos)
      << header;
  // A row without a heat pump ends in eight empty cells.
  const std::string without = batch_output_row(output, input.rows[2], rows[2]);
  EXPECT_EQ(without.substr(without.size() - 10), ",,,,,,,,\r\n") << without;
  // A plain table has the heat pump's year but no bill.
  const BatchInput plain =
      read_batch_input(table_of(kGenericColumns, {{"air", "8", "", "", ""}}), "in.csv");
  const std::string plain_header =
      batch_output_header(batch_output_columns(plain.header, plain.kind, true));
  EXPECT_TRUE(
      plain_header.ends_with(",shortfall_days,hp_heat_kwh,hp_backup_kwh,hp_unmet_kwh,"
                             "hp_electricity_kwh,hp_spf,hp_bivalent_temp\r\n"))
      << plain_header;
  EXPECT_FALSE(computed_rows(plain, HeatPumpUnits{})[0].heat_pump_cost);
}

TEST(BatchHeatPump, AUnitsFileIsReadOnceCheckedAtTheEndAndAFaultNamesTheRow) {
  TempFolder folder;
  const std::filesystem::path original =
      std::filesystem::path(VARMKALK_HEAT_PUMP_TEST_DATA) / "_Nibe_ABF7x0.csv";
  const std::string bytes = TempFolder::read_file(original);
  const std::string copy = (folder.path() / "f730.csv").string();
  folder.write("f730.csv", bytes);

  HeatPumpChoice choice;
  choice.unit_file = copy;
  choice.model = "F730";
  HeatPumpUnits units;
  units.note(choice, 7);
  units.load("in.csv");
  EXPECT_TRUE(units.has(choice));
  HeatPumpChoice other = choice;
  other.model = "F799";
  EXPECT_FALSE(units.has(other));
  EXPECT_TRUE(units.has(HeatPumpChoice{}));  // a generic unit needs no file
  choice.settings.backup_kw = 4.0;
  const core::HeatPumpInstallation installed = units.installation(choice);
  EXPECT_EQ(installed.backup_kw, 4.0);
  EXPECT_EQ(installed.model.highest_flow_c,
            core::installed_unit(core::read_keymark_unit(bytes, copy, "F730"), choice.settings)
                .model.highest_flow_c);
  EXPECT_EQ(units.changed_file(), std::nullopt);
  folder.write("f730.csv", bytes + "\r\n");
  EXPECT_EQ(units.changed_file(), copy);

  HeatPumpUnits missing;
  missing.note(other, 12);
  try {
    missing.load("in.csv");
    ADD_FAILURE() << "no refusal";
  } catch (const BatchInputError& error) {
    EXPECT_EQ(std::string(error.what()).find("in.csv, rad 12: "), 0u) << error.what();
  }
}

int run_in(const TempFolder& folder, const std::string& arguments) {
  const std::string command = "cd '" + folder.path().string() + "' && '" + KALVEX_BATCH_PROGRAM +
                              "' " + arguments + " >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The program finds a unit in the working folder or among the installed ones, and refuses a
// table naming a file it cannot read before any row is computed.
TEST(BatchHeatPump, TheProgramFindsTheUnitsFileOrRefusesTheTable) {
  TempFolder folder;
  folder.write("egen.csv",
               TempFolder::read_file(std::filesystem::path(VARMKALK_HEAT_PUMP_TEST_DATA) /
                                     "_Nibe_ABF7x0.csv"));
  folder.write("in.csv", table_of({"hp_unit_file", "hp_model", "gas_price_sek_per_kwh"},
                                  {{"egen.csv", "F730", "1.5"},
                                   {"_CTC_ABCTC_EcoAir_610M.csv", "CTC EcoAir 610M", "1.5"},
                                   {"", "", "1.5"}}));
  ASSERT_EQ(run_in(folder, "in.csv out.csv --quiet"), 0) << folder.read("err.txt");
  const core::CsvTable output = core::read_csv_table(folder.read("out.csv"), "out.csv");
  ASSERT_EQ(output.rows.size(), 3u);
  const auto cell = [&](std::size_t row, std::string_view name) {
    const auto at = std::find(output.header.begin(), output.header.end(), name);
    EXPECT_NE(at, output.header.end()) << name;
    return output.rows[row].fields[static_cast<std::size_t>(at - output.header.begin())];
  };
  EXPECT_GT(std::stod(cell(0, "hp_spf")), 1.0);
  EXPECT_GT(std::stod(cell(1, "hp_spf")), std::stod(cell(0, "hp_spf")));
  EXPECT_GT(std::stod(cell(1, "hp_cost_sek")), 0.0);
  EXPECT_EQ(cell(2, "hp_spf"), "");

  folder.write("in.csv",
               table_of({"hp_unit_file", "hp_model"}, {{"egen.csv", "F730"}, {"saknas.csv", "X"}}));
  EXPECT_EQ(run_in(folder, "in.csv ut.csv --quiet"), 2);
  EXPECT_EQ(folder.read("err.txt").find("kalvex-batch: in.csv, rad 3: "), 0u)
      << folder.read("err.txt");
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "ut.csv"));
}

}  // namespace
}  // namespace varmkalk::batch
