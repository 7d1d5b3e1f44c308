// SPDX-License-Identifier: GPL-3.0-or-later
// A heating system's own design temperatures: the rule they keep, the summary's line and the
// control file's keyed lines 26 to 28, each written and read back.
#include <gtest/gtest.h>

#include <cmath>

#include "core/case/heating_systems.h"
#include "core/files/run_error.h"
#include "core/formats/control_file.h"
#include "core/tests/support/control_file_fixture.h"

namespace varmkalk::core {
namespace {

using testing::control_lines;

constexpr DesignTemperatures kFloorHeating{35.0f, 28.0f};
constexpr DesignTemperatures kLowTemperature{45.0f, 35.0f};

std::vector<std::string> with(std::vector<std::string> extra,
                              std::vector<std::string> lines = control_lines()) {
  lines.insert(lines.end(), extra.begin(), extra.end());
  return lines;
}

std::string refusal(const std::vector<std::string>& lines) {
  try {
    read_control_lines(lines);
  } catch (const RunError& e) {
    return e.what();
  }
  return "no error";
}

TEST(DesignTemperatures, TheLetteredPairsKeepTheirLetterAndEveryOtherTakesTheDefault) {
  EXPECT_EQ(heating_system_code_letter({80.0f, 60.0f}), 'A');
  EXPECT_EQ(heating_system_code_letter({55.0f, 45.0f}), 'B');
  EXPECT_EQ(heating_system_code_letter(kLowTemperature), 'B');
  EXPECT_EQ(heating_system_code_letter({80.0f, 60.5f}), 'B');
  EXPECT_FALSE(coded_heating_system(kFloorHeating));
  EXPECT_EQ(coded_heating_system({80.0f, 60.0f}), HeatingSystem::radiators_80_60);
}

TEST(DesignTemperatures, TheRuleWantsASupplyInRangeAboveAReturnAboveTheRoom) {
  EXPECT_FALSE(design_temperature_fault(kFloorHeating, 20.0f));
  EXPECT_FALSE(design_temperature_fault({25.0f, 20.5f}, 20.0f));
  EXPECT_FALSE(design_temperature_fault({95.0f, 70.0f}, 20.0f));
  EXPECT_EQ(design_temperature_fault({24.9f, 21.0f}, 20.0f),
            DesignTemperatureFault::supply_out_of_range);
  EXPECT_EQ(design_temperature_fault({95.5f, 70.0f}, 20.0f),
            DesignTemperatureFault::supply_out_of_range);
  EXPECT_EQ(design_temperature_fault({std::nanf(""), 30.0f}, 20.0f),
            DesignTemperatureFault::supply_out_of_range);
  EXPECT_EQ(design_temperature_fault({45.0f, 45.0f}, 20.0f),
            DesignTemperatureFault::return_not_below_supply);
  EXPECT_EQ(design_temperature_fault({45.0f, 20.0f}, 20.0f),
            DesignTemperatureFault::return_not_above_indoor);
}

TEST(DesignTemperatures, TheSummaryLineReadsBackExactlyWhatItWrites) {
  EXPECT_EQ(heating_system_report_line({80.0f, 60.0f}),
            "- Värmesystemet är dimensionerat för 80 och 60 C");
  EXPECT_EQ(heating_system_report_line({42.5f, 33.0f}),
            "- Värmesystemet är dimensionerat för 42.5 och 33 C");
  for (const DesignTemperatures& pair :
       {kFloorHeating, kLowTemperature, DesignTemperatures{70.25f, 50.1f}}) {
    EXPECT_EQ(design_temperatures_of_report_line(heating_system_report_line(pair)), pair);
  }
  for (const char* line : {"- Värmesystemet är dimensionerat för 45.0 och 35 C",
                           "- Värmesystemet är dimensionerat för 045 och 35 C",
                           "- Värmesystemet är dimensionerat för 45 och 35 C ",
                           "- Värmesystemet är dimensionerat för 45 och C",
                           "- Värmesystemet är dimensionerat för 45,5 och 35 C"}) {
    EXPECT_FALSE(design_temperatures_of_report_line(line)) << line;
  }
}

TEST(DesignTemperatures, TypedPairsGoOnKeyedLinesAfterBlankOrOwnClimateLines) {
  BoilerCase input = read_control_lines(control_lines());
  input.heating_system = kLowTemperature;
  const std::vector<std::string> lines = control_file_lines(input);
  ASSERT_EQ(lines.size(), 28u);
  EXPECT_EQ(lines[17], "B");
  EXPECT_EQ(lines[23], "");
  EXPECT_EQ(lines[24], "");
  EXPECT_EQ(lines[25], "SYSTEMTEMP");
  EXPECT_EQ(lines[26], " 45");
  EXPECT_EQ(lines[27], " 35");
  EXPECT_EQ(read_control_lines(lines), input);

  input.climate = OwnClimate{"umea.dat", -21.5f};
  input.heating_system = {42.5f, 30.25f};
  EXPECT_EQ(control_file_lines(input).size(), 28u);
  EXPECT_EQ(read_control_lines(control_file_lines(input)), input);

  // The lettered pairs are written as their letter alone, as before.
  for (const HeatingSystemDesign& design : kHeatingSystems) {
    input.heating_system = design.temperatures;
    EXPECT_EQ(control_file_lines(input).size(), 25u);
    EXPECT_EQ(read_control_lines(control_file_lines(input)), input);
  }
}

TEST(DesignTemperatures, TheKeywordAloneAnnouncesThePair) {
  const BoilerCase plain = read_control_lines(control_lines());
  EXPECT_EQ(read_control_lines(with({"", "", "systemtemp    ", " 45", " 35"})).heating_system,
            kLowTemperature);
  EXPECT_EQ(read_control_lines(with({"", "", "SYSTEMTEMP", " 45        framledning", " 35"}))
                .heating_system,
            kLowTemperature);
  // Stray numbers and texts after line 23, as generated and stored files hold them.
  for (const std::vector<std::string>& extra : std::vector<std::vector<std::string>>{
           {" 1.5", "-1e99", " 45", " 45", " 35"},
           {"", "", "SYSTEMTEMPERATUR", " 45", " 35"},
           {"", "", " SYSTEMTEMP", " 45", " 35"},
           {"", "", "45/35"},
       }) {
    EXPECT_EQ(read_control_lines(with(extra)), plain) << extra[2];
  }
}

TEST(DesignTemperatures, AKeyedPairIsRefusedNamingItsLine) {
  struct Case {
    std::vector<std::string> extra;
    const char* message;
  };
  for (const Case& c : std::vector<Case>{
           {{"", "", "SYSTEMTEMP"},
            "styrfil.dat, rad 27: raden saknas; efter SYSTEMTEMP på rad 26 ska rad 27 ha "
            "värmesystemets dimensionerande framledningstemperatur och rad 28 dess "
            "returtemperatur"},
           {{"", "", "SYSTEMTEMP", " 45"}, "styrfil.dat, rad 28: raden saknas"},
           {{"", "", "SYSTEMTEMP", "   ", " 35"},
            "styrfil.dat, rad 27: värmesystemets dimensionerande framledningstemperatur saknas"},
           {{"", "", "SYSTEMTEMP", " 45", "trettio"}, "styrfil.dat, rad 28: "},
           {{"", "", "SYSTEMTEMP", " 20", " 15"},
            "styrfil.dat, rad 27: den dimensionerande framledningstemperaturen 20 °C ligger "
            "utanför 25–95 °C"},
           {{"", "", "SYSTEMTEMP", " 45", " 50"},
            "styrfil.dat, rad 28: den dimensionerande returtemperaturen 50 °C ligger inte under "
            "framledningstemperaturen 45 °C på rad 27"},
           {{"", "", "SYSTEMTEMP", " 45", " 19.5"},
            "styrfil.dat, rad 28: den dimensionerande returtemperaturen 19.5 °C ligger inte över "
            "inomhustemperaturen 20 °C på rad 19"},
       }) {
    EXPECT_EQ(refusal(with(c.extra)).rfind(c.message, 0), 0u) << refusal(with(c.extra));
  }
}

TEST(DesignTemperatures, BesideLetterAThePairMustBe80_60) {
  std::vector<std::string> lines = control_lines();
  lines[17] = "a";
  EXPECT_EQ(read_control_lines(with({"", "", "SYSTEMTEMP", " 80", " 60"}, lines)).heating_system,
            (DesignTemperatures{80.0f, 60.0f}));
  EXPECT_EQ(refusal(with({"", "", "SYSTEMTEMP", " 45", " 35"}, lines)),
            "styrfil.dat, rad 18: koden A står för 80/60 °C men raderna 26–28 anger 45/35 °C; "
            "skriv B på raden när egna temperaturer anges");
  // Beside any other letter the pair applies, 55/45 included.
  lines[17] = "x";
  EXPECT_EQ(read_control_lines(with({"", "", "SYSTEMTEMP", " 55", " 45"}, lines)).heating_system,
            (DesignTemperatures{55.0f, 45.0f}));
}

}  // namespace
}  // namespace varmkalk::core
