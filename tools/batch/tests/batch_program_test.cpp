// SPDX-License-Identifier: GPL-3.0-or-later
// kalvex-batch against kalvex: for the same cases every row carries the numbers the summary
// report prints and the messages the engine gives; and the program's files and exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cost/cost_inputs.h"
#include "core/formats/control_file.h"
#include "core/formats/csv_table.h"
#include "core/tests/support/temp_folder.h"
#include "core/tests/support/worked_example.h"
#include "core/text/fixed_format.h"
#include "core/text/number_text.h"
#include "tools/batch/batch_input.h"
#include "tools/batch/tests/batch_table.h"

namespace varmkalk::batch {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// Runs `program` with `arguments` (shell words) in `folder`; output and errors go to out.txt and
// err.txt there. Returns the exit status.
int run_in(const fs::path& folder, const std::string& program, const std::string& arguments = "") {
  const std::string command =
      "cd '" + folder.string() + "' && '" + program + "' " + arguments + " >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string line = text.substr(start, end - start);
    if (line.ends_with('\r')) {
      line.pop_back();
    }
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// The table with a case column first, each case named "Fall 1, "test"" and on: names that
// have to be quoted.
std::string named_batch_table(const std::vector<core::BoilerCase>& cases) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    names.push_back("Fall " + std::to_string(i + 1) + ", \"test\"");
  }
  return batch_table(cases, names);
}

std::optional<float> number(const std::string& text) {
  if (text.empty()) {
    return std::nullopt;
  }
  float value = 0.0f;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
  return value;
}

// A year without heating day: every day warmer than any indoor temperature of the cases.
std::string warm_year() {
  std::string text;
  for (int day = 1; day <= 365; ++day) {
    std::string line = std::to_string(day);
    text += std::string(4 - line.size(), ' ') + line + "  250\r\n";
  }
  return text;
}

TEST(BatchProgram, EveryRowGivesTheNumbersAndMessagesOfKalvexForTheSameControlFile) {
  std::vector<core::BoilerCase> cases;
  cases.push_back(testing::worked_example());
  core::BoilerCase kiruna = testing::modulating_example();
  kiruna.climate = core::Place::kiruna;
  kiruna.heating_system = core::design_temperatures(core::HeatingSystem::radiators_80_60);
  kiruna.combustion.pilot_power_w = 120.5f;
  cases.push_back(kiruna);
  core::BoilerCase refused = testing::worked_example();
  refused.combustion.air_ratio = 4.5f;
  cases.push_back(refused);
  core::BoilerCase small = testing::worked_example();
  small.burner = core::Burner::single_stage(3000.0f);
  small.climate = core::Place::stockholm;
  cases.push_back(small);
  core::BoilerCase no_demand = testing::worked_example();
  no_demand.building.design_heat_demand_w = 0.0f;
  cases.push_back(no_demand);
  // Falun's file in the working folder takes the place of the installed one.
  core::BoilerCase warm = testing::modulating_example();
  warm.climate = core::Place::falun;
  cases.push_back(warm);
  // Jönköping's file in the working folder ends in a line that is no record.
  core::BoilerCase faulty_climate = testing::worked_example();
  faulty_climate.climate = core::Place::jonkoping;
  cases.push_back(faulty_climate);
  // Heating systems of their own: low-temperature radiators, and floor heating in Kiruna.
  core::BoilerCase low_temperature = testing::modulating_example();
  low_temperature.heating_system = {45.0f, 35.0f};
  cases.push_back(low_temperature);
  core::BoilerCase floor = testing::worked_example();
  floor.heating_system = {35.0f, 28.5f};
  floor.climate = core::Place::kiruna;
  cases.push_back(floor);
  // A pump that puts ten times its electricity into the water makes heat out of nothing.
  core::BoilerCase perpetual_pump = testing::worked_example();
  perpetual_pump.pump.heat_share_percent = 1000.0f;
  cases.push_back(perpetual_pump);

  TempFolder folder;
  folder.write("falun.dat", warm_year());
  folder.write("jkping.dat", "   1  -50\r\n   2  -4.x\r\n");
  folder.write("in.csv", named_batch_table(cases));
  ASSERT_EQ(run_in(folder.path(), KALVEX_BATCH_PROGRAM, "in.csv out.csv"), 1)
      << folder.read("err.txt");
  const core::CsvTable output = core::read_csv_table(folder.read("out.csv"), "out.csv");
  ASSERT_EQ(output.rows.size(), cases.size());
  const auto column = [&](std::string_view name) {
    return static_cast<std::size_t>(std::find(output.header.begin(), output.header.end(), name) -
                                    output.header.begin());
  };

  std::vector<std::string> statuses;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i + 1));
    const std::vector<std::string>& row = output.rows[i].fields;
    EXPECT_EQ(row[0], "Fall " + std::to_string(i + 1) + ", \"test\"");
    const fs::path engine_folder = folder.path() / ("kalvex-" + std::to_string(i));
    fs::create_directory(engine_folder);
    for (const char* climate : {"falun.dat", "jkping.dat"}) {
      fs::copy_file(folder.path() / climate, engine_folder / climate);
    }
    core::BoilerCase with_identity = cases[i];
    with_identity.identity = core::CalcIdentity("t" + std::to_string(i));
    std::ofstream(engine_folder / "styrfil.dat", std::ios::binary)
        << core::control_file_text(with_identity);
    const int status = run_in(engine_folder, KALVEX_PROGRAM);
    const std::vector<std::string> messages =
        lines_of(TempFolder::read_file(engine_folder / "err.txt"));
    std::string message;
    for (const std::string& line : messages) {
      message += (message.empty() ? "" : " ") + line;
    }
    statuses.push_back(row[column("status")]);
    EXPECT_EQ(row[column("message")], message);
    if (status != 0) {
      EXPECT_EQ(row[column("status")], "error");
      EXPECT_EQ(row[column("annual_efficiency")], "");
      continue;
    }
    const int shortfall_days = std::stoi(row[column("shortfall_days")]);
    EXPECT_EQ(row[column("status")], shortfall_days > 0 ? "shortfall" : "ok");

    // Lines 3 to 11 of the report: the efficiencies in columns 54-58, the energies in 53-58.
    const std::vector<std::string> report =
        lines_of(TempFolder::read_file(engine_folder / "resultat.dat"));
    ASSERT_GE(report.size(), 11u);
    for (const auto& [line, name] :
         {std::pair{3, "annual_efficiency"}, std::pair{4, "annual_efficiency_without_pump"}}) {
      const std::optional<float> value = number(row[column(name)]);
      // The shortest text that reads back as the same float.
      if (value) {
        std::array<char, 32> shortest{};
        const auto written = std::to_chars(shortest.begin(), shortest.end(), *value);
        EXPECT_EQ(row[column(name)], std::string(shortest.begin(), written.ptr)) << name;
      }
      EXPECT_EQ(value ? core::format_fixed(*value, 5, 1) : "    -",
                report[static_cast<std::size_t>(line - 1)].substr(53, 5))
          << name;
    }
    const std::vector<std::pair<int, std::string>> energies = {
        {5, "net_energy_kwh"},       {6, "gross_energy_kwh"},    {7, "convection_energy_kwh"},
        {8, "standby_energy_kwh"},   {9, "flue_gas_energy_kwh"}, {10, "pilot_energy_kwh"},
        {11, "pump_electricity_kwh"}};
    for (const auto& [line, name] : energies) {
      EXPECT_EQ(core::format_whole(*number(row[column(name)]) + 0.5f, 6),
                report[static_cast<std::size_t>(line - 1)].substr(52, 6))
          << name;
    }
  }
  // The cases were chosen to give each outcome, a year without heating day among them.
  EXPECT_EQ(statuses, (std::vector<std::string>{"ok", "ok", "error", "shortfall", "error", "ok",
                                                "error", "shortfall", "ok", "error"}));
  EXPECT_EQ(output.rows[5].fields[column("heating_days")], "0");
}

// The lettered pairs typed as numbers give every result cell of their letter, the input columns
// that differ apart.
TEST(BatchProgram, LetteredPairsTypedAsNumbersGiveTheResultsOfTheirLetter) {
  std::vector<core::BoilerCase> cases;
  for (const core::HeatingSystemDesign& design : core::kHeatingSystems) {
    for (core::BoilerCase input : {testing::worked_example(), testing::modulating_example()}) {
      input.heating_system = design.temperatures;
      cases.push_back(input);
    }
  }
  TempFolder folder;
  folder.write("coded.csv", batch_table(cases));
  folder.write("typed.csv", batch_table(cases, {}, true));
  ASSERT_EQ(run_in(folder.path(), KALVEX_BATCH_PROGRAM, "coded.csv coded-ut.csv"), 0);
  ASSERT_EQ(run_in(folder.path(), KALVEX_BATCH_PROGRAM, "typed.csv typed-ut.csv"), 0);
  const core::CsvTable coded = core::read_csv_table(folder.read("coded-ut.csv"), "coded");
  const core::CsvTable typed = core::read_csv_table(folder.read("typed-ut.csv"), "typed");
  ASSERT_EQ(typed.rows.size(), cases.size());
  const auto results = [](const core::CsvTable& table, std::size_t row) {
    const auto first = std::find(table.header.begin(), table.header.end(), "status");
    const auto at = static_cast<std::size_t>(first - table.header.begin());
    return std::vector<std::string>(table.rows[row].fields.begin() + static_cast<long>(at),
                                    table.rows[row].fields.end());
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(results(typed, i), results(coded, i)) << i;
    EXPECT_NE(results(coded, i).front(), "error");
  }
}

class BatchFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.write("in.csv",
                  named_batch_table({testing::worked_example(), testing::modulating_example()}));
  }
  int run(const std::string& arguments) {
    return run_in(folder_.path(), KALVEX_BATCH_PROGRAM, arguments);
  }
  std::string errors() const { return folder_.read("err.txt"); }

  TempFolder folder_;
};

TEST_F(BatchFiles, WritesTheTableOrStandardOutputButNeverOverAnExistingFile) {
  ASSERT_EQ(run("in.csv out.csv"), 0) << errors();
  const std::string written = folder_.read("out.csv");
  EXPECT_EQ(core::read_csv_table(written, "out.csv").rows.size(), 2u);

  folder_.write("out.csv", "earlier");
  EXPECT_EQ(run("in.csv out.csv"), 2);
  EXPECT_NE(errors().find("out.csv: filen finns redan; ange --replace"), std::string::npos);
  EXPECT_EQ(folder_.read("out.csv"), "earlier");
  // A replaced output keeps who may read it.
  std::filesystem::permissions(folder_.path() / "out.csv", std::filesystem::perms(0640));
  EXPECT_EQ(run("--replace in.csv out.csv"), 0) << errors();
  EXPECT_EQ(folder_.read("out.csv"), written);
  EXPECT_EQ(std::filesystem::status(folder_.path() / "out.csv").permissions(),
            std::filesystem::perms(0640));

  EXPECT_EQ(run("- - <in.csv"), 0) << errors();
  EXPECT_EQ(folder_.read("out.txt"), written);
}

TEST_F(BatchFiles, InputThatCannotRunEndsWithStatusTwoBeforeAnyCaseAndWritesNothing) {
  const std::vector<std::pair<std::string, std::string>> inputs = {
      {"", "kalvex-batch: bad.csv, rad 1: filen är tom"},
      {"convection_constant\r\n1\r\n", "kalvex-batch: bad.csv, rad 1: kolumnerna"},
      {folder_.read("in.csv") + "1,2\r\n", "kalvex-batch: bad.csv, rad 4, kolumn 3"},
      {std::string("case\0", 5), "kalvex-batch: bad.csv, rad 1, kolumn 1: en NUL-byte"},
  };
  for (const auto& [text, message] : inputs) {
    folder_.write("bad.csv", text);
    EXPECT_EQ(run("bad.csv out.csv"), 2);
    EXPECT_EQ(errors().substr(0, message.size()), message);
    EXPECT_FALSE(folder_.has("out.csv"));
  }
  EXPECT_EQ(run("in.csv"), 2);
  EXPECT_EQ(run("saknas.csv out.csv"), 2);
  EXPECT_NE(errors().find("saknas.csv: kan inte läsas"), std::string::npos) << errors();
}

// Malmö's year as the repository bundles it, its days renumbered over `days` days: fewer cut
// it short, more repeat it.
std::string malmo_days(int days) {
  const std::vector<std::string> year =
      lines_of(TempFolder::read_file(fs::path(VARMKALK_CLIMATE_TEST_DATA) / "malmo.dat"));
  std::string text;
  for (int day = 1; day <= days; ++day) {
    const std::string& line = year[static_cast<std::size_t>((day - 1) % 365)];
    const std::string number = std::to_string(day);
    text += std::string(4 - number.size(), ' ') + number + line.substr(4) + "\r\n";
  }
  return text;
}

// Each record of the table with one more column, `name` in the header and `cell` in every row.
std::string with_column(const std::string& table, const std::string& name,
                        const std::string& cell) {
  std::string text;
  bool header = true;
  for (const std::string& line : lines_of(table)) {
    if (!line.empty()) {
      text += line + "," + (header ? name : cell) + "\r\n";
      header = false;
    }
  }
  return text;
}

// The engine reads a bundled climate file of any length; a table that bills its rows needs a
// year, and refuses any other before a row is computed.
TEST_F(BatchFiles, ATableThatBillsItsRowsRefusesAClimateThatIsNoYearBeforeAnyRow) {
  struct Row {
    const char* what;
    int climate_days;
    const char* column;  // added to the table; empty: none
    int status;
    const char* message;  // the start of standard error; empty: none
  };
  const Row rows[] = {
      {"two years, billed", 730, "fuel_hhv_ratio", 2,
       "kalvex-batch: Klimatfilen malmo.dat har 730 dygn; årets gas räknas bara på ett helt år"},
      {"two years, metered", 730, "metered_gas_kwh", 2,
       "kalvex-batch: Klimatfilen malmo.dat har 730 dygn"},
      {"a day short, billed", 364, "gas_price_sek_per_kwh", 2,
       "kalvex-batch: Klimatfilen malmo.dat har 364 dygn"},
      {"two years, a heat pump", 730, "hp_type", 2,
       "kalvex-batch: Klimatfilen malmo.dat har 730 dygn"},
      {"two years, the engine's columns only", 730, "", 0, ""},
      {"a leap year, billed", 366, "fuel_hhv_ratio", 0, ""},
  };
  const std::string plain = folder_.read("in.csv");
  const core::CostInputs defaults = core::default_cost_inputs();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    folder_.write("malmo.dat", malmo_days(row.climate_days));
    std::string cell;
    if (std::string_view(row.column) == "fuel_hhv_ratio") {
      cell = core::shortest_text(float(defaults.fuel_hhv_ratio));
    } else if (std::string_view(row.column) == "gas_price_sek_per_kwh") {
      cell = "1.5";
    }
    const bool heat_pump = std::string_view(row.column) == "hp_type";
    if (heat_pump) {
      cell = "air";
    }
    const std::string table = *row.column ? with_column(plain, row.column, cell) : plain;
    folder_.write("in.csv", heat_pump ? with_column(table, "hp_capacity_kw", "8") : table);
    EXPECT_EQ(run("in.csv out.csv"), row.status) << errors();
    EXPECT_EQ(errors().substr(0, std::string_view(row.message).size()), row.message);
    EXPECT_EQ(folder_.has("out.csv"), row.status == 0);
    fs::remove(folder_.path() / "out.csv");
  }
}

}  // namespace
}  // namespace varmkalk::batch
