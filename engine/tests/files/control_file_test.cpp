#include "control_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "control_file_fixture.h"
#include "result_file_names.h"
#include "run_error.h"
#include "temp_folder.h"

namespace kalvex {
namespace {

using testing::control_lines;
using testing::control_text;
using testing::TempFolder;

RunParameters read_lines(const std::vector<std::string>& lines) {
  TempFolder folder;
  folder.write("styrfil.dat", control_text(lines));
  return read_control_file(folder.path());
}

// The run error's message for a control file of these lines.
std::string error_of(const std::string& text) {
  TempFolder folder;
  folder.write("styrfil.dat", text);
  try {
    read_control_file(folder.path());
  } catch (const RunError& e) {
    return e.what();
  }
  return "no error";
}

TEST(ControlFile, ReadsEveryFieldInFileOrder) {
  const RunParameters p = read_lines(control_lines());
  EXPECT_EQ(p.convection_constant, 0.6f);
  EXPECT_EQ(p.standby_constant, 0.4f);
  EXPECT_EQ(p.standby_exponent, 1.25f);
  EXPECT_EQ(p.burner_max_power, 18000.0f);
  EXPECT_EQ(p.burner_min_power, 5000.0f);
  EXPECT_EQ(p.air_ratio, 1.3f);
  EXPECT_EQ(p.pilot_power, 0.0f);
  EXPECT_EQ(p.flue_gas_temp_1, 38.0f);
  EXPECT_EQ(p.supply_temp_1, 40.0f);
  EXPECT_EQ(p.return_temp_1, 30.0f);
  EXPECT_EQ(p.flue_gas_temp_2, 62.0f);
  EXPECT_EQ(p.supply_temp_2, 75.0f);
  EXPECT_EQ(p.return_temp_2, 60.0f);
  EXPECT_EQ(p.pump_power, 45.0f);
  EXPECT_EQ(p.pump_efficiency, 75.0f);
  EXPECT_EQ(p.design_heat_demand, 7500.0f);
  EXPECT_EQ(p.climate_code.str(), "C" + std::string(19, ' '));
  EXPECT_EQ(p.heating_system_code.str(), "B" + std::string(19, ' '));
  EXPECT_EQ(p.indoor_temp, 20.0f);
  EXPECT_EQ(p.min_return_temp, 20.0f);
  EXPECT_EQ(p.hot_water_demand, 4000.0f);
  EXPECT_EQ(p.heater_loss, 45.0f);
  EXPECT_EQ(p.calc_id.str(), "h123");
}

TEST(ControlFile, NumberLinesUseTheFirstElevenCharactersOnly) {
  struct Case {
    const char* line;
    float expected;
  };
  for (const Case c : {
           Case{"12,5", 12.0f},
           Case{" 1 000", 1000.0f},
           Case{"2.5D3", 2500.0f},
           Case{"2.5+3", 2500.0f},
           Case{"", 0.0f},
           Case{"           7", 0.0f},             // 11 blanks push the number out
           Case{"1.123456789012", 1.123456789f},   // at most nine decimals survive
           Case{"1.23456789012E-4", 1.23456789f},  // exponent beyond column 11 is lost
           Case{"1.5        ignored", 1.5f},
       }) {
    auto lines = control_lines();
    lines[5] = c.line;
    EXPECT_EQ(read_lines(lines).air_ratio, c.expected) << '"' << c.line << '"';
  }
}

TEST(ControlFile, TextLinesArePaddedNotTrimmedOrConverted) {
  auto lines = control_lines();
  lines[16] = " c";
  lines[17] = "a,b";
  lines[22] = "ab";
  const RunParameters p = read_lines(lines);
  EXPECT_EQ(p.climate_code.str(), " c" + std::string(18, ' '));
  EXPECT_EQ(p.heating_system_code.str(), "a,b" + std::string(17, ' '));
  EXPECT_EQ(p.calc_id.str(), "ab  ");

  lines[22] = "h12345";
  EXPECT_EQ(read_lines(lines).calc_id.str(), "h123");
  lines[22] = "";
  EXPECT_EQ(read_lines(lines).calc_id.str(), "    ");
}

TEST(ControlFile, AcceptsLineFeedsAloneAndIgnoresLinesAfterTheLast) {
  auto lines = control_lines();
  std::string text;
  for (const auto& line : lines) {
    text += line + "\n";
  }
  text += "not a number\r\nmore\r\n";
  TempFolder folder;
  folder.write("styrfil.dat", text);
  const RunParameters p = read_control_file(folder.path());
  EXPECT_EQ(p.calc_id.str(), "h123");
  EXPECT_EQ(p.heater_loss, 45.0f);
}

TEST(ControlFile, FaultsNameTheLineAndWhatIsWrong) {
  auto lines = control_lines();
  lines[5] = "1.2.3";
  EXPECT_EQ(error_of(control_text(lines)), "styrfil.dat, rad 6: \"1.2.3\" är inget tal");
  lines[5] = "A12";
  EXPECT_EQ(error_of(control_text(lines)), "styrfil.dat, rad 6: \"A12\" är inget tal");

  lines = control_lines();
  lines.resize(10);
  EXPECT_EQ(error_of(control_text(lines)),
            "styrfil.dat, rad 11: raden saknas; filen har bara 10 rader av 23");
  EXPECT_EQ(error_of(""), "styrfil.dat, rad 1: raden saknas; filen har bara 0 rader av 23");

  // The bad number is met before the missing lines.
  lines[5] = "x";
  EXPECT_EQ(error_of(control_text(lines)), "styrfil.dat, rad 6: \"x\" är inget tal");
}

TEST(ControlFile, MissingFileIsAnErrorAndIsNotCreated) {
  TempFolder folder;
  try {
    read_control_file(folder.path());
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(std::string(e.what()),
              "styrfil.dat: filen finns inte i arbetsmappen " + folder.path().string());
  }
  EXPECT_FALSE(folder.has("styrfil.dat"));
}

TEST(ResultFileNames, AreTheIdentityAsReadWithItsSuffix) {
  struct Case {
    const char* id_line;
    const char* raw;
    const char* summary;
    const char* pump;
  };
  for (const Case c : {
           Case{"h123", "h123.dat", "h123sum.dat", "h123sum_c.dat"},
           Case{"h1234", "h123.dat", "h123sum.dat", "h123sum_c.dat"},
           Case{"ab", "ab  .dat", "ab  sum.dat", "ab  sum_c.dat"},
           Case{"", "    .dat", "    sum.dat", "    sum_c.dat"},
           Case{"a b", "a b .dat", "a b sum.dat", "a b sum_c.dat"},
       }) {
    RunParameters p;
    p.calc_id = CalcId(c.id_line);
    set_result_file_names(p);
    EXPECT_EQ(p.raw_file_name.str(), c.raw + std::string(20 - std::strlen(c.raw), ' '));
    EXPECT_EQ(created_name(p.raw_file_name), c.raw);
    EXPECT_EQ(created_name(p.summary_file_name), c.summary);
    EXPECT_EQ(created_name(p.pump_file_name), c.pump);
  }
}

TEST(ResultFileNames, RefuseIdentitiesThatCannotBeAFileName) {
  for (const std::string& id :
       std::vector<std::string>{"a/b", "..\\x", std::string("a\0b", 3), "a\tb", "ab\r", "\x7F"}) {
    RunParameters p;
    p.calc_id = CalcId(id);
    EXPECT_THROW(set_result_file_names(p), RunError) << id;
  }
  RunParameters p;
  p.calc_id = CalcId("a/bc");
  try {
    set_result_file_names(p);
  } catch (const RunError& e) {
    EXPECT_EQ(std::string(e.what()),
              "styrfil.dat, rad 23, kolumn 2: beräkningsidentiteten innehåller ett snedstreck, "
              "som skulle peka ut en annan mapp (0x2F) och kan inte ingå i ett filnamn");
  }
  // Letters of Windows-1252 are ordinary characters of a name.
  p.calc_id = CalcId("\xE5\xE4\xF6");
  EXPECT_NO_THROW(set_result_file_names(p));
}

}  // namespace
}  // namespace kalvex
