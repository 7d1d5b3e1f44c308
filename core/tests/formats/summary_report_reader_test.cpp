// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/summary_report_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "core/formats/summary_report.h"
#include "core/model/annual_sums.h"
#include "core/model/year.h"
#include "core/tests/support/worked_example.h"
#include "core/text/windows1252.h"

namespace varmkalk::core {
namespace {

// A year of daily means around `mean_c`, coldest in mid-January.
std::vector<ClimateRecord> climate_year(float mean_c, float swing_c, int days = 365) {
  std::vector<ClimateRecord> records;
  for (int day = 1; day <= days; ++day) {
    const double phase = 2.0 * std::numbers::pi * (day - 15) / days;
    records.push_back({day, static_cast<float>(mean_c - swing_c * std::cos(phase))});
  }
  return records;
}

struct ReportCase {
  const char* name;
  BoilerCase input;
  std::vector<ClimateRecord> climate;
};

BoilerCase changed(BoilerCase input, void (*change)(BoilerCase&)) {
  change(input);
  return input;
}

// Both burner kinds, a pilot flame or none (one too wide for its field), hot water or none, every
// place and an own climate file, values too wide for their columns and a year without heating.
std::vector<ReportCase> report_cases() {
  using testing::modulating_example;
  using testing::worked_example;
  const auto year = climate_year(6.0f, 11.0f);
  return {
      {"single-stage, no pilot flame, hot water", worked_example(), year},
      {"modulating with a pilot flame, Kiruna, 80/60",
       changed(modulating_example(),
               [](BoilerCase& c) {
                 c.combustion.pilot_power_w = 25.5f;
                 c.climate = Place::kiruna;
                 c.heating_system = design_temperatures(HeatingSystem::radiators_80_60);
                 c.identity = CalcIdentity("K2");
               }),
       climate_year(-1.0f, 14.0f)},
      {"no hot water, Stockholm",
       changed(worked_example(),
               [](BoilerCase& c) {
                 c.hot_water = {0.0f, 0.0f};
                 c.climate = Place::stockholm;
                 c.identity = CalcIdentity("nohw");
               }),
       year},
      {"pilot flame too wide for its field, Falun",
       changed(worked_example(),
               [](BoilerCase& c) {
                 c.combustion.pilot_power_w = 150.0f;
                 c.climate = Place::falun;
                 c.identity = CalcIdentity("p150");
               }),
       year},
      {"own climate file",
       changed(modulating_example(),
               [](BoilerCase& c) {
                 c.climate = OwnClimate{"Lund 2020.dat", -16.0f};
                 c.identity = CalcIdentity("own");
               }),
       climate_year(7.0f, 9.0f, 366)},
      {"a large house: values too wide for their columns",
       changed(worked_example(),
               [](BoilerCase& c) {
                 c.building.design_heat_demand_w = 180000.0f;
                 c.burner = Burner::single_stage(250000.0f);
                 c.hot_water = {2.0e6f, 900.0f};
                 c.climate = Place::ostersund;
                 c.identity = CalcIdentity("big!");
               }),
       climate_year(2.0f, 12.0f)},
      {"no heating day: the efficiencies are undefined",
       changed(worked_example(),
               [](BoilerCase& c) {
                 c.climate = Place::jonkoping;
                 c.identity = CalcIdentity("warm");
               }),
       std::vector<ClimateRecord>(30, ClimateRecord{1, 25.0f})},
      {"odd decimals and a negative constant",
       changed(worked_example(),
               [](BoilerCase& c) {
                 c.combustion.air_ratio = 1.155f;
                 c.losses = {0.005f, 2.345f, -0.5f};
                 c.building.indoor_temp_c = 21.125f;
                 c.pump = {0.4f, 33.333f};
                 c.identity = CalcIdentity("dec");
               }),
       year},
  };
}

// The parsed value is what the report printed for `expected`: the same field, or asterisks.
void expect_value(const ReportValue& value, const SummaryValueLine& line, float expected) {
  SCOPED_TRACE(std::string(line.label));
  const std::string field = format_summary_value(line, expected);
  if (field.find_first_not_of('*') == std::string::npos) {
    EXPECT_EQ(value.kind, ReportValue::Kind::too_wide);
    return;
  }
  ASSERT_EQ(value.kind, ReportValue::Kind::number) << field;
  EXPECT_EQ(format_summary_value(line, value.number), field);
  EXPECT_EQ(value.text, field.substr(field.find_first_not_of(' ')));
}

void expect_efficiency(const ReportValue& value, const std::optional<float>& percent) {
  if (!percent) {
    EXPECT_EQ(value.kind, ReportValue::Kind::undefined);
    return;
  }
  expect_value(value, kEfficiencyLine, *percent);
}

TEST(SummaryReportReader, ReadsBackEveryValueTheWriterPrinted) {
  for (const ReportCase& report_case : report_cases()) {
    SCOPED_TRACE(report_case.name);
    const BoilerCase& input = report_case.input;
    const YearResult year = run_year(input, report_case.climate);
    ASSERT_TRUE(year.complete()) << *year.refusal;
    const ResultFileNames names = result_file_names(input.identity);
    const std::string body = format_summary_report(input, year.totals, names);
    // xxxxsum.dat with its two empty lines, resultat.dat without, and one saved with LF only.
    std::string lf_only;
    for (const char c : body) {
      if (c != '\r') {
        lf_only += c;
      }
    }
    for (const std::string& bytes : {"\r\n\r\n" + body, body, lf_only}) {
      const SummaryReport report = parse_summary_report(bytes, "test.dat");
      EXPECT_EQ(report.leading_empty_lines, bytes.starts_with("\r\n"));
      const auto with_pump = annual_efficiency_percent(year.totals, PumpCredit::with_pump);
      expect_efficiency(report.efficiency_percent, with_pump);
      expect_efficiency(report.efficiency_without_pump_percent,
                        annual_efficiency_percent(year.totals, PumpCredit::without_pump));
      expect_value(report.net_energy_kwh, kNetEnergyLine, summary_kwh(year.totals.net_energy_wh));
      expect_value(report.flue_gas_energy_kwh, kFlueGasEnergyLine,
                   summary_kwh(year.totals.flue_gas_energy_wh));
      expect_value(report.hot_water_kwh_per_year, kHotWaterYearLine,
                   input.hot_water.annual_demand_kwh);
      EXPECT_EQ(report.identity, input.identity);
      EXPECT_EQ(report.names.summary_file, names.summary_file);
      EXPECT_EQ(report.names.pump_file, names.pump_file);
      expect_value(report.max_power_kw, kMaxPowerLine, input.burner.max_power_w() / 1000.0f);
      expect_value(report.min_power_kw, kMinPowerLine, input.burner.min_power_w() / 1000.0f);
      expect_value(report.air_ratio, kAirRatioLine, input.combustion.air_ratio);
      ASSERT_EQ(report.pilot_power_w.has_value(), input.combustion.pilot_power_w != 0.0f);
      if (report.pilot_power_w) {
        expect_value(*report.pilot_power_w, kPilotPowerLine, input.combustion.pilot_power_w);
      }
      for (const auto& [read, point] : {std::pair{report.low_temp, input.flue_gas.low_temp},
                                        std::pair{report.high_temp, input.flue_gas.high_temp}}) {
        EXPECT_FLOAT_EQ(read.supply_temp_c.number, point.supply_temp_c);
        EXPECT_FLOAT_EQ(read.return_temp_c.number, point.return_temp_c);
        expect_value(read.flue_gas_temp_c, kFlueGasTempLine, point.flue_gas_temp_c);
      }
      expect_value(report.convection_constant, kConvectionConstantLine,
                   input.losses.convection_constant);
      expect_value(report.standby_exponent, kStandbyExponentLine, input.losses.standby_exponent);
      EXPECT_EQ(report.heating_system, input.heating_system);
      if (const auto* own = std::get_if<OwnClimate>(&input.climate)) {
        EXPECT_EQ(std::get<std::string>(report.climate), own->file_name);
      } else {
        EXPECT_EQ(std::get<Place>(report.climate), std::get<Place>(input.climate));
      }
      expect_value(report.design_heat_demand_w, kDesignHeatDemandLine,
                   input.building.design_heat_demand_w);
      expect_value(report.indoor_temp_c, kIndoorTempLine, input.building.indoor_temp_c);
      expect_value(report.pump_share_percent, kPumpShareLine, input.pump.heat_share_percent);
      expect_value(report.hot_water_kwh, kHotWaterLine, input.hot_water.annual_demand_kwh);
      expect_value(report.heater_loss_kwh_per_day, kHeaterLossLine,
                   input.hot_water.heater_loss_w * 0.024f);
    }
  }
}

std::string example_file() {
  const BoilerCase input = testing::worked_example();
  const YearResult year = run_year(input, climate_year(6.0f, 11.0f));
  return "\r\n\r\n" +
         format_summary_report(input, year.totals, result_file_names(CalcIdentity("h123")));
}

// The example with line `number` (1-based, of the 47) replaced.
std::string with_line(int number, const std::string& line) {
  std::string bytes = example_file();
  std::size_t start = 0;
  for (int i = 1; i < number; ++i) {
    start = bytes.find("\r\n", start) + 2;
  }
  const std::size_t end = bytes.find("\r\n", start);
  return bytes.replace(start, end - start, line);
}

std::string line_of(int number) {
  const std::string bytes = example_file();
  std::size_t start = 0;
  for (int i = 1; i < number; ++i) {
    start = bytes.find("\r\n", start) + 2;
  }
  return bytes.substr(start, bytes.find("\r\n", start) - start);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

// The example with `text` written over line `number` from `column` (1-based).
std::string with_field(int number, int column, const std::string& text) {
  return with_line(
      number, line_of(number).replace(static_cast<std::size_t>(column - 1), text.size(), text));
}

TEST(SummaryReportReader, RefusesWhatTheEngineNeverWritesNamingFileAndLine) {
  const std::string good = example_file();
  struct BadFile {
    const char* what;
    std::string bytes;
    std::string message_part;
  };
  const std::vector<BadFile> bad_files{
      {"empty", "", "test.dat är tom"},
      {"truncated between lines", good.substr(0, good.find("\r\n PANNA:") + 2),
       "slutar efter rad 22"},
      {"truncated within a line", good.substr(0, good.size() - 30), "rad 46: raden saknar radslut"},
      {"another program's text", "Hej\r\nvarlden\r\n", "rad 1:"},
      {"in UTF-8", decode_windows1252(good), "skriven i UTF-8"},
      {"a word for a number", with_field(7, 53, "  elva"), "rad 7: i kolumn 53–58 står \"  elva\""},
      {"a value moved one column", with_line(24, " " + line_of(24)), "rad 24:"},
      {"too few decimals", with_field(26, 54, "  1.2"), "rad 26: i kolumn 54–58"},
      {"a label changed", with_line(40, replaced(line_of(40), "Byggnadens", "Husets")), "rad 40:"},
      {"an unknown climate", with_line(39, " - Göteborgs klimat har använts"),
       "rad 39: raden borde ange klimatet"},
      {"a heating system of its own", with_line(37, " - Golvvärme"), "rad 37: raden borde ange"},
      {"result files of two identities", with_line(19, replaced(line_of(19), "h123", "h124")),
       "rad 19: resultatfilernas namn"},
      {"a control character", with_line(5, line_of(5) + "\x01"),
       "rad 5: raden innehåller byten 0x01"},
      {"more after the last line", good + " extra\r\n", "rad 48: efter sammanfattningens sista"},
      {"not a number that reads", with_field(5, 54, "  nan"), "rad 5: i kolumn 54–58"},
  };
  for (const BadFile& bad : bad_files) {
    SCOPED_TRACE(bad.what);
    try {
      parse_summary_report(bad.bytes, "test.dat");
      ADD_FAILURE() << "read without complaint";
    } catch (const SummaryReportError& e) {
      const std::string message = e.what();
      EXPECT_TRUE(message.starts_with("Sammanfattningen test.dat")) << message;
      EXPECT_NE(message.find(bad.message_part), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace varmkalk::core
