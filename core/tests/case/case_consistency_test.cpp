// SPDX-License-Identifier: GPL-3.0-or-later
// One table of generated cases, each run over a year and checked for what must hold whatever the
// inputs: the energies add up, the pump's heat never costs fuel, the summary report reads back as
// the case it was written from, the control file gives the case again and each input quantity
// converts as its control-file line carries it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/case/climates.h"
#include "core/formats/control_file.h"
#include "core/formats/input_quantities.h"
#include "core/formats/result_file_names.h"
#include "core/formats/summary_report.h"
#include "core/formats/summary_report_reader.h"
#include "core/formats/summary_table.h"
#include "core/model/annual_sums.h"
#include "core/tests/support/climate_year.h"
#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

// A small deterministic generator, so that a failing case can be made again.
class Draw {
 public:
  explicit Draw(std::uint32_t seed) : state_(seed) {}

  float between(float low, float high) {
    state_ = state_ * 1664525u + 1013904223u;
    const float unit = static_cast<float>(state_ >> 8) / static_cast<float>(1u << 24);
    return low + (high - low) * unit;
  }

  // A value with at most two decimals, as a user types it.
  float typed(float low, float high) {
    return static_cast<float>(static_cast<int>(between(low, high) * 100.0f)) / 100.0f;
  }

 private:
  std::uint32_t state_;
};

std::vector<BoilerCase> generated_cases() {
  std::vector<BoilerCase> cases;
  constexpr int kCases = 24;
  Draw draw(22);
  for (int i = 0; i < kCases; ++i) {
    BoilerCase input = testing::worked_example();
    const float max_w = draw.typed(8.0f, 30.0f) * 1000.0f;
    // Every third burner single-stage, every fifth with a minimum above its maximum.
    const float min_w = i % 3 == 0 ? max_w : i % 5 == 0 ? max_w + 500.0f : max_w * 0.3f;
    input.burner = Burner(max_w, min_w);
    input.combustion = {1.0f + draw.typed(0.05f, 0.6f),
                        i % 4 == 0 ? draw.typed(50.0f, 150.0f) : 0.0f};
    input.losses = {draw.typed(0.2f, 3.0f), draw.typed(0.2f, 3.0f), draw.typed(0.8f, 1.5f)};
    input.pump = {draw.typed(0.0f, 120.0f), 75.0f};
    input.building.design_heat_demand_w = draw.typed(4.0f, 15.0f) * 1000.0f;
    input.hot_water = {draw.typed(0.0f, 6000.0f), draw.typed(0.0f, 80.0f)};
    input.climate = kClimates[static_cast<std::size_t>(i) % kClimates.size()].place;
    // Both lettered systems, and every third case a pair of its own, the return above the room.
    input.heating_system = design_temperatures(i % 2 == 0 ? HeatingSystem::radiators_55_45
                                                          : HeatingSystem::radiators_80_60);
    if (i % 3 == 1) {
      const float supply_c = draw.typed(30.0f, 90.0f);
      input.heating_system = {supply_c, draw.typed(21.0f, supply_c - 0.5f)};
    }
    cases.push_back(input);
  }
  return cases;
}

TEST(CaseConsistency, EveryGeneratedCaseHoldsTogether) {
  const std::filesystem::path climate_dir = VARMKALK_CLIMATE_TEST_DATA;
  for (const BoilerCase& input : generated_cases()) {
    SCOPED_TRACE(control_file_lines(input)[0]);
    // The control file gives the case again.
    EXPECT_EQ(read_control_lines(control_file_lines(input)), input);

    const YearResult year = testing::year_on_climate_file(input, climate_dir, {});
    ASSERT_TRUE(year.complete()) << *year.refusal;
    // The energies add up: the year's net energy is its days' demand, and the fuel with the
    // pump's heat credited is never more than without it.
    double net_wh = 0.0;
    for (const DayBalance& day : year.days) {
      net_wh += (day.heat_demand + day.hot_water_load) * 24.0;
    }
    EXPECT_NEAR(year.totals.net_energy_wh, net_wh, net_wh * 1e-5);
    EXPECT_LE(year.totals.gross_energy_with_pump_wh, year.totals.gross_energy_without_pump_wh);

    // The summary report, written and read back, gives the case as it prints it.
    const ResultFileNames names = result_file_names_of(input.identity);
    const SummaryReport report =
        parse_summary_report(format_summary_report(input, year.totals, names), "sum.dat");
    for (const SummaryRow& row : summary_rows()) {
      if (row.of_case) {
        const ReportValue& read = report.*row.member;
        const std::string printed = format_summary_value(*row.line, row.of_case(input));
        if (printed.find_first_not_of('*') == std::string::npos) {
          EXPECT_EQ(read.kind, ReportValue::Kind::too_wide) << row.line->label;
        } else {
          EXPECT_EQ(read.known(), std::stof(printed)) << row.line->label;
        }
      }
    }
    EXPECT_EQ(report.heating_system, input.heating_system);
    EXPECT_EQ(std::get<Place>(report.climate), std::get<Place>(input.climate));
    EXPECT_EQ(report.pilot_power_w.has_value(), input.combustion.pilot_power_w != 0.0f);
    EXPECT_EQ(report.high_temp.flue_gas_temp_c.number,
              std::stof(format_summary_value(kFlueGasTempLine,
                                             input.flue_gas.high_temp.flue_gas_temp_c)));
  }
}

// Each input quantity, set from the value it shows, writes the control file's line as before: its
// conversion and its line agree. A quantity shown in its line's unit converts as nothing.
TEST(CaseConsistency, EachQuantityConvertsAsItsControlLineCarriesIt) {
  for (const BoilerCase& input : generated_cases()) {
    const std::vector<std::string> lines = control_file_lines(input);
    for (const InputQuantity& quantity : kInputQuantities) {
      SCOPED_TRACE(std::string(quantity.key));
      const ControlLine& line = quantity.control_line();
      BoilerCase changed = input;
      line.set_number(changed, 0.0f);
      quantity.set(changed, quantity.value(input));
      EXPECT_EQ(control_file_lines(changed), lines);
      if (quantity.unit == line.unit) {
        EXPECT_EQ(quantity.to_case(12.5), 12.5);
      }
    }
  }
}

}  // namespace
}  // namespace varmkalk::core
