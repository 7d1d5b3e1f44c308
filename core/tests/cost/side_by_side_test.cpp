// SPDX-License-Identifier: GPL-3.0-or-later
// The boiler and a heat pump on one house: each year as it is computed alone, what changing
// saves, and when the heat pump has paid for itself.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/cost/side_by_side.h"
#include "core/formats/climate_file.h"
#include "core/heatpump/heat_pump_choice.h"
#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

FoundClimate climate_of(const BoilerCase& input) {
  return find_climate(climate_file_name(input.climate), VARMKALK_CLIMATE_TEST_DATA, {});
}

HeatPumpInstallation air_8_kw() {
  return installed_choice({"", "", GenericHeatPump::air, 8.0, {}}, nullptr);
}

SideBySide sides_of(const BoilerCase& input, const HeatPumpEconomy& economy,
                    const CostInputs& prices = default_cost_inputs()) {
  const FoundClimate climate = climate_of(input);
  auto sides = side_by_side(input, run_case(input, climate), climate, prices, air_8_kw(), economy);
  return std::get<SideBySide>(sides);
}

// Each column is the year its generator gives alone, so that the two never drift apart.
TEST(SideBySide, EachColumnIsThatGeneratorsOwnYear) {
  const BoilerCase input = ::varmkalk::testing::worked_example();
  const FoundClimate climate = climate_of(input);
  const CaseResult result = run_case(input, climate);
  const SideBySide sides = sides_of(input, {});
  EXPECT_EQ(sides.boiler_cost,
            std::get<YearCost>(billed_year(input, result, climate, default_cost_inputs())));
  EXPECT_EQ(sides.heat_pump, heat_pump_year(input, air_8_kw(), climate.days->records));
  EXPECT_EQ(sides.heat_pump_cost, year_cost(sides.heat_pump.year, default_cost_inputs()));
  // The heat pump buys no gas; the house gets the same hot water and space heat from both.
  EXPECT_EQ(sides.heat_pump_cost.gas_bill_kwh, 0.0);
  EXPECT_GT(sides.boiler_cost.gas_bill_kwh, 10'000.0);
  EXPECT_GT(*sides.heat_pump.seasonal_performance_factor, 2.0);
}

TEST(SideBySide, TheSavingCountsTheFixedFeeOnlyWhenTheGasConnectionCloses) {
  const BoilerCase input = ::varmkalk::testing::worked_example();
  const SideBySide kept = sides_of(input, {});
  const SideBySide closed = sides_of(input, {0.0, 0.0, true});
  EXPECT_DOUBLE_EQ(kept.saving_sek, kept.boiler_cost.gas_cost_sek +
                                        kept.boiler_cost.electricity_cost_sek -
                                        kept.heat_pump_cost.total_cost_sek);
  EXPECT_DOUBLE_EQ(closed.saving_sek - kept.saving_sek, kept.boiler_cost.fixed_fee_sek);
  EXPECT_GT(kept.boiler_cost.fixed_fee_sek, 0.0);
  EXPECT_DOUBLE_EQ(kept.co2_saving_kg, kept.boiler_cost.co2_kg - kept.heat_pump_cost.co2_kg);
  // Without an investment there is nothing to pay back.
  EXPECT_FALSE(kept.has_investment);
  EXPECT_FALSE(kept.payback_years);
}

TEST(SideBySide, PaybackIsTheNetInvestmentOverTheSavingAndNoneWithoutASaving) {
  EXPECT_DOUBLE_EQ(*payback_years({150'000.0, 30'000.0, false}, 6'000.0), 20.0);
  // A boiler replacement dearer than the heat pump: paid back at once.
  EXPECT_DOUBLE_EQ(*payback_years({50'000.0, 80'000.0, false}, 1'000.0), 0.0);
  EXPECT_FALSE(payback_years({150'000.0, 0.0, false}, 0.0));
  EXPECT_FALSE(payback_years({150'000.0, 0.0, false}, -500.0));

  const BoilerCase input = ::varmkalk::testing::worked_example();
  const SideBySide sides = sides_of(input, {120'000.0, 20'000.0, false});
  ASSERT_GT(sides.saving_sek, 0.0);
  EXPECT_NEAR(*sides.payback_years, 100'000.0 / sides.saving_sek, 1e-9);
  // Electricity dear enough and gas cheap enough: the heat pump costs more and never pays.
  CostInputs dear = default_cost_inputs();
  dear.electricity_price_sek_per_kwh = 10.0;
  dear.gas_price_sek_per_kwh = 0.1;
  const SideBySide never = sides_of(input, {120'000.0, 0.0, false}, dear);
  EXPECT_LT(never.saving_sek, 0.0);
  EXPECT_TRUE(never.has_investment);
  EXPECT_FALSE(never.payback_years);
}

TEST(SideBySide, RefusesWhatEitherYearRefusesInOneLine) {
  const BoilerCase input = ::varmkalk::testing::worked_example();
  const FoundClimate climate = climate_of(input);
  const CaseResult result = run_case(input, climate);
  const auto no_year =
      side_by_side(input, result, FoundClimate{std::nullopt, "malmo.dat: saknas", ""},
                   default_cost_inputs(), air_8_kw(), {});
  EXPECT_EQ(std::get<std::string>(no_year), "malmo.dat: saknas");
  CaseResult refused = result;
  refused.status = CaseStatus::error;
  refused.message = "Fallet kan inte räknas.";
  EXPECT_EQ(std::get<std::string>(
                side_by_side(input, refused, climate, default_cost_inputs(), air_8_kw(), {})),
            "Fallet kan inte räknas.");
}

TEST(SideBySide, TheDaysAddUpToTheYear) {
  const BoilerCase input = ::varmkalk::testing::worked_example();
  const FoundClimate climate = climate_of(input);
  const std::vector<HeatPumpDay> days = heat_pump_days(input, air_8_kw(), climate.days->records);
  const HeatPumpYear year = heat_pump_year(input, air_8_kw(), climate.days->records);
  ASSERT_EQ(days.size(), climate.days->records.size());
  double electricity_kwh = 0.0;
  double backup_kwh = 0.0;
  for (const HeatPumpDay& day : days) {
    electricity_kwh += day.electricity_kwh();
    backup_kwh += day.backup_heat_kwh;
  }
  EXPECT_NEAR(electricity_kwh, year.hp_electricity_kwh, 1e-6);
  EXPECT_NEAR(backup_kwh, year.backup_heat_kwh, 1e-9);
}

TEST(SideBySide, FiguresAreNamedOnceAndFoundByTheirKey) {
  const SideBySide sides = sides_of(::varmkalk::testing::worked_example(), {});
  std::set<std::string_view> keys;
  for (const SideBySideFigure& figure : side_by_side_figures()) {
    // A figure has a value for the generators it says, and for those only.
    EXPECT_EQ(figure.boiler(sides).has_value(), figure.of != FigureOf::heat_pump) << figure.key;
    if (figure.key != "bivalent_c") {
      EXPECT_EQ(figure.heat_pump(sides).has_value(), figure.of != FigureOf::boiler) << figure.key;
    }
    EXPECT_TRUE(keys.insert(figure.key).second) << figure.key;
    EXPECT_EQ(&side_by_side_figure(figure.key), &figure);
  }
  EXPECT_THROW(side_by_side_figure("no_such_figure"), std::out_of_range);
}

}  // namespace
}  // namespace varmkalk::core
