// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/summary_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/formats/result_file_names.h"
#include "core/text/windows1252.h"

namespace varmkalk::core {
namespace {

BoilerCase example_params() {
  BoilerCase p;
  p.losses = {0.6f, 0.4f, 1.25f};
  p.burner = Burner(18000.0f, 5000.0f);
  p.combustion = {1.3f, 0.0f};
  p.flue_gas.low_temp = {38.0f, 40.0f, 30.0f};
  p.flue_gas.high_temp = {62.0f, 75.0f, 60.0f};
  p.pump = {45.0f, 75.0f};
  p.building = {7500.0f, 20.0f, 20.0f};
  p.climate = Place::stockholm;
  p.heating_system = design_temperatures(HeatingSystem::radiators_55_45);
  p.hot_water = {4000.0f, 45.0f};
  p.identity = CalcIdentity("h123");
  return p;
}

// 93.18 % and 92.34 % over 250 days.
AnnualTotals example_totals() {
  AnnualTotals t;
  t.net_energy_wh = 20.5e6f;
  t.gross_energy_with_pump_wh = 22.0e6f;
  t.gross_energy_without_pump_wh = 22.2e6f;
  t.convection_energy_wh = 0.4e6f;
  t.standby_energy_wh = 0.2e6f;
  t.flue_gas_energy_wh = 0.9e6f;
  t.heating_days = 250;
  return t;
}

std::string report(const BoilerCase& input, const AnnualTotals& totals) {
  return format_summary_report(input, totals, result_file_names(input.identity));
}

// The report's lines without their CR LF; fails the test when a line lacks it.
std::vector<std::string> lines_of(const std::string& report) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < report.size()) {
    const std::size_t end = report.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "line without CR LF: " << report.substr(start);
      break;
    }
    lines.push_back(report.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Columns first..last (1-based) of report line `number` (1-based).
std::string columns(const std::vector<std::string>& lines, int number, int first, int last) {
  return lines.at(static_cast<std::size_t>(number - 1))
      .substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
}

std::string line(const std::vector<std::string>& lines, int number) {
  return lines.at(static_cast<std::size_t>(number - 1));
}

TEST(SummaryReport, HasFortyFiveLinesInWindows1252) {
  const auto lines = lines_of(report(example_params(), example_totals()));
  ASSERT_EQ(lines.size(), 45u);
  EXPECT_EQ(line(lines, 1), " ***************** RESULTAT ***********************");
  EXPECT_EQ(line(lines, 19), " ***************** INDATA **************************");
  EXPECT_EQ(line(lines, 3),
            to_windows1252(" - Årsverkningsgrad: ") + std::string(32, ' ') + " 93.2 %");
  EXPECT_EQ(line(lines, 3)[3], '\xC5');  // Å as one byte
  for (const int empty : {2, 14, 18, 20, 33, 45}) {
    EXPECT_EQ(line(lines, empty), "") << "line " << empty;
  }
  EXPECT_EQ(line(lines, 34), to_windows1252(" VÄRMESYSTEM, BYGGNAD OCH KLIMAT:"));
  EXPECT_EQ(line(lines, 37), to_windows1252(" - Stockholms klimat har använts"));
}

TEST(SummaryReport, ValuesStandInTheirColumns) {
  const auto lines = lines_of(report(example_params(), example_totals()));
  EXPECT_EQ(columns(lines, 4, 54, 60), " 92.3 %");
  EXPECT_EQ(columns(lines, 5, 53, 62), " 20500 kWh");
  EXPECT_EQ(columns(lines, 10, 53, 62), "     0 kWh");
  // 250 days × 24 h × 45 W = 270 kWh of pump electricity.
  EXPECT_EQ(columns(lines, 11, 53, 62), "   270 kWh");
  EXPECT_EQ(columns(lines, 22, 54, 61), "18.00 kW");
  EXPECT_EQ(columns(lines, 26, 2, 36), "- Avgastemperatur vid 40.0 och 30.0");
  EXPECT_EQ(columns(lines, 27, 1, 3), "   ");
  EXPECT_EQ(columns(lines, 27, 4, 25), "radiatortemperaturer: ");
  EXPECT_EQ(columns(lines, 27, 54, 60), " 38.0 C");
  EXPECT_EQ(columns(lines, 29, 54, 60), " 62.0 C");
  EXPECT_EQ(columns(lines, 38, 54, 60), " 7500 W");
  EXPECT_EQ(columns(lines, 43, 53, 62), "  4000 kWh");
}

TEST(SummaryReport, FileNamesAreWholeFieldsEndingInColumn62) {
  const auto lines = lines_of(report(example_params(), example_totals()));
  EXPECT_EQ(columns(lines, 15, 55, 74), "h123.dat            ");
  EXPECT_EQ(columns(lines, 16, 52, 71), "h123sum.dat         ");
  EXPECT_EQ(columns(lines, 17, 50, 69), "h123sum_c.dat       ");
  for (const int number : {15, 16, 17}) {
    EXPECT_EQ(columns(lines, number, 59, 62), ".dat");
  }
}

TEST(SummaryReport, PilotFlameLine) {
  auto params = example_params();
  auto lines = lines_of(report(params, example_totals()));
  EXPECT_EQ(line(lines, 25), " - Ingen pilotflamma");

  params.combustion.pilot_power_w = 0.5f;
  lines = lines_of(report(params, example_totals()));
  EXPECT_EQ(columns(lines, 25, 2, 24), to_windows1252("- Pilotlågeeffekten är "));
  EXPECT_EQ(columns(lines, 25, 54, 60), " 0.50 W");

  params.combustion.pilot_power_w = 150.0f;
  lines = lines_of(report(params, example_totals()));
  EXPECT_EQ(columns(lines, 25, 54, 60), "***** W");
}

TEST(SummaryReport, EnergyIsRoundedToWholeKilowattHours) {
  struct Case {
    float energy;  // Wh
    const char* printed;
  };
  for (const Case c : {Case{1499.9f, "     1"}, Case{1500.0f, "     2"}, Case{0.0f, "     0"},
                       Case{-1600.0f, "    -1"}, Case{-400.0f, "     0"}, Case{1e12f, "******"}}) {
    auto totals = example_totals();
    totals.flue_gas_energy_wh = c.energy;
    const auto lines = lines_of(report(example_params(), totals));
    EXPECT_EQ(columns(lines, 9, 53, 58), c.printed) << c.energy;
  }
}

TEST(SummaryReport, HeaterLossAndHotWater) {
  auto params = example_params();
  params.hot_water.annual_demand_kwh = 99.9f;
  const auto lines = lines_of(report(params, example_totals()));
  // 45 W × 8.76 = 394.2 kWh a year; 45 W × 0.024 = 1.08 kWh a day.
  EXPECT_EQ(columns(lines, 13, 53, 58), "   394");
  EXPECT_EQ(columns(lines, 44, 54, 58), " 1.08");
  EXPECT_EQ(columns(lines, 12, 53, 58), "    99");
  EXPECT_EQ(columns(lines, 43, 53, 58), "    99");
}

TEST(SummaryReport, HeatingSystemLine) {
  auto params = example_params();
  params.heating_system = design_temperatures(HeatingSystem::radiators_80_60);
  auto lines = lines_of(report(params, example_totals()));
  EXPECT_EQ(line(lines, 35), to_windows1252(" - Värmesystemet är dimensionerat för 80 och 60 C"));
  EXPECT_EQ(line(lines, 36), "   fram- och returtemperatur");
  params.heating_system = design_temperatures(HeatingSystem::radiators_55_45);
  lines = lines_of(report(params, example_totals()));
  EXPECT_EQ(line(lines, 35), to_windows1252(" - Värmesystemet är dimensionerat för 55 och 45 C"));
}

TEST(SummaryReport, YearWithoutHeatingDaysShowsADashForTheEfficiencies) {
  const auto lines = lines_of(report(example_params(), AnnualTotals{}));
  EXPECT_EQ(columns(lines, 3, 54, 60), "    - %");
  EXPECT_EQ(columns(lines, 4, 54, 60), "    - %");
  EXPECT_EQ(line(lines, 3).size(), 60u);
}

TEST(Windows1252, SwedishLettersAreSingleBytes) {
  EXPECT_EQ(to_windows1252("ÅÄÖåäö é"), "\xC5\xC4\xD6\xE5\xE4\xF6 \xE9");
  EXPECT_EQ(to_windows1252("a–b Ω"),
            "a\x96"
            "b ?");
  EXPECT_EQ(to_windows1252("plain"), "plain");
}

}  // namespace
}  // namespace varmkalk::core
