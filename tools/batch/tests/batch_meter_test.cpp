// SPDX-License-Identifier: GPL-3.0-or-later
// The optional column of the metered gas: each row with a reading runs at the design heat demand
// fitted to it, and a table of houses metered at their own year's gas gives their demands back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/number_text.h"
#include "tools/batch/batch_input.h"
#include "tools/batch/batch_output.h"
#include "tools/batch/row_computation.h"

namespace varmkalk::batch {
namespace {

constexpr std::string_view kHeader =
    "case,convection_constant,standby_constant,standby_exponent,burner_max_power,"
    "burner_min_power,air_ratio,pilot_power,flue_gas_temp_1,supply_temp_1,return_temp_1,"
    "flue_gas_temp_2,supply_temp_2,return_temp_2,pump_power,pump_efficiency,design_heat_demand,"
    "climate_code,heating_system_code,indoor_temp,min_return_temp,hot_water_demand,heater_loss,"
    "metered_gas_kwh\r\n";

// Houses of the meter round-trip script: two ordinary ones, one without hot water whose curve
// falls near no demand, one whose year's gas steps between neighbouring demands and one with a
// lone demand whose year counts days of zero demand as heating days. Each row's demand is
// replaced by `demand` and its meter by `meter` (empty: none).
std::string houses(const std::vector<std::string>& demand, const std::vector<std::string>& meter) {
  const char* const rows[] = {
      "1.69,2.64,1,8400,8400,1.6,0,50.8,49.6,38.9,60.5,67.2,48.3,82,75,%,C,b,23.6,30,0,94",
      "1.6,1.34,1.43,11300,1800,1.14,0,49.1,38,25,69.3,73.5,57,119,70,%,B,B,19.8,28,5400,59",
      "0.4,0.21,0.98,30200,5100,1.59,29,57.7,31.7,25.8,87.2,87,68.5,0,75,%,d,B,21.1,58,0,84",
      "0.46,0.34,0.88,19400,19400,1.26,188.7,75.6,46.9,35.6,87.2,68.5,49.2,96,75,%,D,A,18,62,"
      "3900,81",
      "1.93,0.48,1.59,40000,25500,1.51,0,131.7,42.4,32.3,169.9,86.8,67.7,0,75,%,E,B,15,64,6800,0",
  };
  std::string table(kHeader);
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    std::string row = rows[i];
    row.replace(row.find('%'), 1, demand[i]);
    table += "h" + std::to_string(i) + "," + row + "," + meter[i] + "\r\n";
  }
  return table;
}

std::vector<ComputedRow> run(const BatchInput& input) {
  std::vector<core::BoilerCase> cases;
  for (const BatchRow& row : input.rows) {
    cases.push_back(row.input);
  }
  const core::FoundClimates climates(cases, VARMKALK_CLIMATE_TEST_DATA, {});
  return compute_rows(input.rows, climates, input.kind, HeatPumpUnits{}, 2);
}

TEST(BatchMeter, HousesMeteredAtTheirOwnYearGiveTheirDemandsBack) {
  const std::vector<std::string> own = {"3600", "8200", "16400", "14300", "28900"};
  const BatchInput unmetered = read_batch_input(houses(own, {"", " ", "", "", ""}), "in.csv");
  ASSERT_EQ(unmetered.kind, TableKind::metered);
  std::vector<std::string> meters;
  for (const ComputedRow& row : run(unmetered)) {
    ASSERT_TRUE(row.cost);
    EXPECT_FALSE(row.design_heat_demand_w);
    meters.push_back(std::to_string(row.cost->gas_bill_kwh));
  }
  const BatchInput metered =
      read_batch_input(houses(std::vector<std::string>(5, "10000"), meters), "in.csv");
  const std::vector<ComputedRow> fitted = run(metered);
  const std::vector<OutputColumn> columns = batch_output_columns(metered.header, metered.kind);
  for (std::size_t i = 0; i < fitted.size(); ++i) {
    SCOPED_TRACE(own[i]);
    ASSERT_TRUE(fitted[i].design_heat_demand_w) << fitted[i].result.message;
    EXPECT_NEAR(fitted[i].cost->gas_bill_kwh, *metered.rows[i].metered_gas_kwh, 1.0);
    EXPECT_NEAR(*fitted[i].design_heat_demand_w, std::stof(own[i]), std::stof(own[i]) * 1e-3);
    const std::string line = batch_output_row(columns, metered.rows[i], fitted[i]);
    EXPECT_EQ(line.substr(line.rfind(',') + 1),
              core::shortest_text(*fitted[i].design_heat_demand_w) + "\r\n");
  }
}

TEST(BatchMeter, AMeterNoDemandReachesIsARowInErrorAndABadCellIsNamed) {
  const std::vector<std::string> own = {"3600", "8200", "16400", "14300", "28900"};
  const BatchInput input =
      read_batch_input(houses(own, {"100", "1", "", "25000", "1e9"}), "in.csv");
  const std::vector<ComputedRow> rows = run(input);
  const std::vector<OutputColumn> columns = batch_output_columns(input.header, input.kind);
  for (const std::size_t refused : {0u, 1u, 4u}) {
    EXPECT_EQ(rows[refused].result.status, core::CaseStatus::error);
    EXPECT_FALSE(rows[refused].result.message.empty());
    EXPECT_FALSE(rows[refused].design_heat_demand_w);
    const std::string line = batch_output_row(columns, input.rows[refused], rows[refused]);
    EXPECT_NE(line.find(",error,"), std::string::npos);
    EXPECT_TRUE(line.ends_with(",,,,,\r\n"));  // no cost, no fitted demand
  }
  EXPECT_FALSE(rows[2].design_heat_demand_w);  // no reading: the row as it stands
  EXPECT_TRUE(rows[3].design_heat_demand_w);

  // A 5 kW burner burns at most 48 480 kWh a year on the bill's basis: half a million kWh is no
  // house of it, however large.
  std::string small_burner = houses(own, {"500000", "", "", "", ""});
  small_burner.replace(small_burner.find("8400,8400"), 9, "5000,5000");
  const BatchInput beyond = read_batch_input(small_burner, "in.csv");
  const ComputedRow refused = run(beyond).front();
  EXPECT_EQ(refused.result.status, core::CaseStatus::error);
  EXPECT_FALSE(refused.design_heat_demand_w);
  EXPECT_NE(refused.result.message.find("mer än brännaren kan bränna på ett år"), std::string::npos)
      << refused.result.message;

  const std::string header =
      batch_output_header(batch_output_columns(input.header, TableKind::metered));
  EXPECT_TRUE(header.ends_with(",co2_kg,calibrated_design_heat_demand_w\r\n"));

  for (const char* cell : {"0", "-3", "abc", "\"1,5\"", "2e9"}) {
    SCOPED_TRACE(cell);
    try {
      read_batch_input(houses(own, {"", cell, "", "", ""}), "in.csv");
      ADD_FAILURE() << "accepted";
    } catch (const BatchInputError& e) {
      EXPECT_NE(std::string(e.what()).find("(\"metered_gas_kwh\")"), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace varmkalk::batch
