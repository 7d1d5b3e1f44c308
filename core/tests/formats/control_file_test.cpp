// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/control_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "core/files/run_error.h"
#include "core/formats/result_file_names.h"
#include "core/tests/support/control_file_fixture.h"
#include "core/tests/support/temp_folder.h"

namespace varmkalk::core {
namespace {

using testing::control_lines;
using testing::control_text;
using testing::TempFolder;

// A line the file's reader gives: no line end and no NUL byte in it.
bool readable(const std::vector<std::string>& lines) {
  return std::none_of(lines.begin(), lines.end(), [](const std::string& line) {
    return line.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
  });
}

// The case of a control file of these lines; the lines read in memory give the same case.
BoilerCase read_lines(const std::vector<std::string>& lines) {
  TempFolder folder;
  folder.write("styrfil.dat", control_text(lines));
  const BoilerCase from_file = read_control_file(folder.path());
  if (readable(lines)) {
    EXPECT_EQ(read_control_lines(lines), from_file);
  }
  return from_file;
}

std::string error_of(const std::function<void()>& read) {
  try {
    read();
  } catch (const RunError& e) {
    return e.what();
  }
  return "no error";
}

// The run error's message for a control file of this text.
std::string error_of(const std::string& text) {
  TempFolder folder;
  folder.write("styrfil.dat", text);
  return error_of([&] { read_control_file(folder.path()); });
}

// The same for these lines, which the lines read in memory give too.
std::string error_of(const std::vector<std::string>& lines) {
  const std::string message = error_of(control_text(lines));
  EXPECT_EQ(error_of([&] { read_control_lines(lines); }), message);
  return message;
}

TEST(ControlFile, ReadsEveryFieldInFileOrder) {
  const BoilerCase p = read_lines(control_lines());
  EXPECT_EQ(p.losses.convection_constant, 0.6f);
  EXPECT_EQ(p.losses.standby_constant, 0.4f);
  EXPECT_EQ(p.losses.standby_exponent, 1.25f);
  EXPECT_EQ(p.burner, Burner(18000.0f, 5000.0f));
  EXPECT_EQ(p.burner.kind(), BurnerKind::modulating);
  EXPECT_EQ(p.combustion.air_ratio, 1.3f);
  EXPECT_EQ(p.combustion.pilot_power_w, 0.0f);
  EXPECT_EQ(p.flue_gas.low_temp, (FlueGasPoint{38.0f, 40.0f, 30.0f}));
  EXPECT_EQ(p.flue_gas.high_temp, (FlueGasPoint{62.0f, 75.0f, 60.0f}));
  EXPECT_EQ(p.pump, (CirculationPump{45.0f, 75.0f}));
  EXPECT_EQ(p.building, (Building{7500.0f, 20.0f, 20.0f}));
  EXPECT_EQ(p.climate, ClimateChoice(Place::stockholm));
  EXPECT_EQ(p.heating_system, design_temperatures(HeatingSystem::radiators_55_45));
  EXPECT_EQ(p.hot_water, (HotWater{4000.0f, 45.0f}));
  EXPECT_EQ(p.identity.padded(), "h123");
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
           // A value that needs all eleven columns keeps its exponent.
           Case{" 1.23457E-4", 1.23457e-4f},
           Case{" 1.23457E11", 1.23457e11f},
       }) {
    auto lines = control_lines();
    lines[5] = c.line;
    EXPECT_EQ(read_lines(lines).combustion.air_ratio, c.expected) << '"' << c.line << '"';
  }
}

TEST(ControlFile, TextLinesAreTakenAsTheyStand) {
  auto lines = control_lines();
  lines[16] = " c";
  lines[17] = "a,b";
  lines[22] = "ab";
  const BoilerCase p = read_lines(lines);
  EXPECT_EQ(p.climate, ClimateChoice(Place::kiruna));  // a blank before the letter matches nothing
  EXPECT_EQ(p.heating_system, design_temperatures(HeatingSystem::radiators_55_45));
  EXPECT_EQ(p.identity.padded(), "ab  ");

  lines[17] = "a" + std::string(19, ' ') + "ignored";
  EXPECT_EQ(read_lines(lines).heating_system, design_temperatures(HeatingSystem::radiators_80_60));
  lines[22] = "h12345";
  EXPECT_EQ(read_lines(lines).identity.padded(), "h123");
  lines[22] = "";
  EXPECT_EQ(read_lines(lines).identity.padded(), "    ");
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
  const BoilerCase p = read_control_file(folder.path());
  EXPECT_EQ(p.identity.padded(), "h123");
  EXPECT_EQ(p.hot_water.heater_loss_w, 45.0f);
}

TEST(ControlFile, LinesAfterTheLastValueChangeNothingUnlessTheyNameAClimateFile) {
  const BoilerCase plain = read_lines(control_lines());
  for (const std::vector<std::string>& extra : std::vector<std::vector<std::string>>{
           {""},
           {"", "-18"},
           {"x", "nan"},
           {" 1.5", "text efter rad 23"},
           {"Beräknad av Per 2.0", "-18"},
           {"-18", "kommentar"},
       }) {
    std::vector<std::string> lines = control_lines();
    lines.insert(lines.end(), extra.begin(), extra.end());
    EXPECT_EQ(read_lines(lines), plain) << extra.front();
  }
}

TEST(ControlFile, AClimateFileOnLine24TakesItsDesignTemperatureFromLine25) {
  std::vector<std::string> lines = control_lines();
  lines.push_back("umea.dat   ");
  lines.push_back(" -21.5");
  const BoilerCase own = read_lines(lines);
  EXPECT_EQ(own.climate, ClimateChoice(OwnClimate{"umea.dat", -21.5f}));
  EXPECT_EQ(climate_report_line(own.climate), "- Klimatfilen umea.dat har använts");
  // Written and read again, the case is the same, lines 24 and 25 included.
  EXPECT_EQ(read_lines(control_file_lines(own)), own);
  EXPECT_EQ(control_file_lines(own).size(), 25u);
  // Line 17 still carries a place for programs that read only 23 lines: the default one.
  EXPECT_EQ(control_file_lines(own)[16], std::string(1, kClimates.back().code_letter));
  EXPECT_EQ(control_file_lines(read_lines(control_lines())).size(), 23u);
}

constexpr const char* kLooksLikeAName =
    "ser ut som ett filnamn men är inget som beräkningen kan använda";

TEST(ControlFile, AnOwnClimateFileIsRefusedNamingTheLine) {
  struct Case {
    std::vector<std::string> extra;
    const char* message;
  };
  for (const Case& c : {
           Case{{"../umea.dat", "-20"},
                "styrfil.dat, rad 24: klimatfilens namn \"../umea.dat\" innehåller ett "
                "snedstreck; klimatfilen måste ligga i arbetsmappen eller bland de installerade "
                "klimatfilerna"},
           Case{{"u\tmea.dat", "-20"},
                "styrfil.dat, rad 24: klimatfilens namn innehåller ett styrtecken (0x09)"},
           Case{{"umea.dat"},
                "styrfil.dat, rad 25: den dimensionerande utetemperaturen för klimatfilen på rad "
                "24 saknas"},
           Case{{"umea.dat", "   "},
                "styrfil.dat, rad 25: den dimensionerande utetemperaturen för klimatfilen på rad "
                "24 saknas"},
           Case{{"umea.dat", "-2x"}, "styrfil.dat, rad 25: \"-2x\" är inget tal"},
           // Lines that look like a file's name but name none the engine would use.
           Case{{".dat", "-18"}, kLooksLikeAName},
           Case{{"umea.DAT", "-18"}, kLooksLikeAName},
           Case{{"12345678901234567umea.dat", "-18"}, kLooksLikeAName},
           Case{{"data/umea", "-18"}, kLooksLikeAName},
           Case{{"umea.csv", "-18"}, kLooksLikeAName},
           Case{{" -18", "umea.dat"},
                "styrfil.dat, rad 24: raden är ett tal men rad 25 ser ut som ett filnamn; rad 24 "
                "ska ha klimatfilens namn och rad 25 dess dimensionerande utetemperatur"},
       }) {
    std::vector<std::string> lines = control_lines();
    lines.insert(lines.end(), c.extra.begin(), c.extra.end());
    EXPECT_NE(error_of(lines).find(c.message), std::string::npos) << error_of(lines);
    EXPECT_TRUE(error_of(lines).starts_with("styrfil.dat, rad 2")) << error_of(lines);
  }
}

TEST(ControlFile, FaultsNameTheLineAndWhatIsWrong) {
  auto lines = control_lines();
  lines[5] = "1.2.3";
  EXPECT_EQ(error_of(lines), "styrfil.dat, rad 6: \"1.2.3\" är inget tal");
  lines[5] = "A12";
  EXPECT_EQ(error_of(lines), "styrfil.dat, rad 6: \"A12\" är inget tal");

  lines = control_lines();
  lines.resize(10);
  EXPECT_EQ(error_of(lines), "styrfil.dat, rad 11: raden saknas; filen har bara 10 rader av 23");
  EXPECT_EQ(error_of(std::vector<std::string>()),
            "styrfil.dat, rad 1: raden saknas; filen har bara 0 rader av 23");

  // The bad number is met before the missing lines.
  lines[5] = "x";
  EXPECT_EQ(error_of(lines), "styrfil.dat, rad 6: \"x\" är inget tal");
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
    const ResultFileNames names = result_file_names(CalcIdentity(c.id_line));
    EXPECT_EQ(names.raw_file, c.raw);
    EXPECT_EQ(names.summary_file, c.summary);
    EXPECT_EQ(names.pump_file, c.pump);
  }
}

TEST(ResultFileNames, RefuseIdentitiesThatCannotBeAFileName) {
  for (const std::string& id :
       std::vector<std::string>{"a/b", "..\\x", std::string("a\0b", 3), "a\tb", "ab\r", "\x7F"}) {
    EXPECT_THROW(result_file_names(CalcIdentity(id)), RunError) << id;
  }
  try {
    result_file_names(CalcIdentity("a/bc"));
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(std::string(e.what()),
              "styrfil.dat, rad 23, kolumn 2: beräkningsidentiteten innehåller ett snedstreck, "
              "som skulle peka ut en annan mapp (0x2F) och kan inte ingå i ett filnamn");
  }
  // Letters of Windows-1252 are ordinary characters of a name.
  EXPECT_NO_THROW(result_file_names(CalcIdentity("\xE5\xE4\xF6")));
}

}  // namespace
}  // namespace varmkalk::core
