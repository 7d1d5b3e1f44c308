// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/generators/gas_boiler.h"

#include <gtest/gtest.h>

#include "core/cost/year_cost.h"
#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

FoundClimate climate_of(const BoilerCase& input) {
  return find_climate(climate_file_name(input.climate), VARMKALK_CLIMATE_TEST_DATA, {});
}

// The heat the house gets adds up: the heating days' net energy and, on every other day, the hot
// water; the gas is more than that heat by the boiler's losses, and the heating days' share of it
// gives back the engine's annual efficiency.
TEST(GasBoilerYear, HeatAndGasAddUpOverTheWholeYear) {
  for (const Place place : {Place::malmo, Place::stockholm, Place::kiruna}) {
    SCOPED_TRACE(climate_file_name(place));
    BoilerCase input = testing::worked_example();
    input.climate = place;
    const FoundClimate climate = climate_of(input);
    const CaseResult result = run_case(input, climate);
    ASSERT_NE(result.status, CaseStatus::error) << result.message;
    const GasBoilerYear boiler = gas_boiler_year(input, result, 365);
    const GeneratorYear& year = boiler.year;
    EXPECT_EQ(year.climate_days, 365);
    EXPECT_EQ(year.heating_days + year.idle_days, 365);
    // 5000 kWh of hot water a year: 5000/8760 kWh an hour.
    const double idle_heat_kwh = year.idle_days * 5000.0 / 8760.0 * 24.0;
    EXPECT_NEAR(year.heat_delivered_kwh, result.energies.net_energy_kwh + idle_heat_kwh, 0.01);
    ASSERT_TRUE(year.gas_kwh);
    EXPECT_GT(*year.gas_kwh, year.heat_delivered_kwh);
    EXPECT_GT(year.idle_gas_kwh, idle_heat_kwh);
    EXPECT_LT(year.idle_gas_kwh, *year.gas_kwh);
    EXPECT_FLOAT_EQ(float(year.electricity_kwh), result.energies.pump_electricity_kwh);
    ASSERT_TRUE(year.seasonal_figure);
    EXPECT_NEAR(*year.seasonal_figure * 100.0, double(*result.efficiency_percent), 1e-4);
    EXPECT_EQ(boiler.pilot_gas_kwh, 0.0);
  }
}

// A year without heating day has no seasonal figure, and a climate of 366 days bills one idle day
// more.
TEST(GasBoilerYear, AYearWithoutHeatingAndALeapYear) {
  BoilerYearFacts facts;
  facts.climate_days = 366;
  facts.zero_load_burner_kwh = 20.0;
  facts.zero_load_heat_kwh = 13.7;
  const GasBoilerYear boiler = gas_boiler_year(facts);
  EXPECT_FALSE(boiler.year.seasonal_figure);
  EXPECT_EQ(boiler.year.idle_days, 366);
  EXPECT_DOUBLE_EQ(*boiler.year.gas_kwh, 366 * 20.0);
  EXPECT_DOUBLE_EQ(boiler.year.heat_delivered_kwh, 366 * 13.7);
}

// Priced per carrier: a generator that buys no gas has no gas line and no fixed fee, however the
// gas is priced; its electricity is priced and weighed as the pump's is.
TEST(YearCostPerCarrier, NoGasLinesWhereNoGasIsBought) {
  GeneratorYear electric;
  electric.electricity_kwh = 4000.0;
  electric.idle_days = 100;
  CostInputs prices = default_cost_inputs();
  prices.fixed_fee_sek = 1500.0;
  prices.electricity_price_sek_per_kwh = 2.0;
  prices.electricity_co2_kg_per_kwh = 0.05;
  const YearCost cost = year_cost(electric, prices);
  EXPECT_EQ(cost.gas_bill_kwh, 0.0);
  EXPECT_EQ(cost.gas_m3, 0.0);
  EXPECT_EQ(cost.fixed_fee_sek, 0.0);
  EXPECT_EQ(cost.sek_per_fuel_kwh, 0.0);
  EXPECT_EQ(cost.electricity_cost_sek, 8000.0);
  EXPECT_EQ(cost.total_cost_sek, 8000.0);
  EXPECT_EQ(cost.co2_kg, 200.0);

  // The same year buying 10000 kWh of gas (lower basis) pays for it on the bill's basis, and the
  // fee.
  GeneratorYear gas = electric;
  gas.gas_kwh = 10000.0;
  const YearCost both = year_cost(gas, prices);
  EXPECT_DOUBLE_EQ(both.gas_bill_kwh, 10000.0 * prices.fuel_hhv_ratio);
  EXPECT_DOUBLE_EQ(both.total_cost_sek,
                   both.gas_bill_kwh * prices.gas_price_sek_per_kwh + 1500.0 + 8000.0);
  EXPECT_DOUBLE_EQ(both.co2_kg, both.gas_bill_kwh * prices.gas_co2_kg_per_kwh + 200.0);
}

// The bill of a case run and billed at once is that of its year run apart.
TEST(CaseCost, RunsOnceAndBillsTheYearItRan) {
  BoilerCase input = testing::modulating_example();
  input.climate = Place::ostersund;
  const FoundClimate climate = climate_of(input);
  const CostInputs prices = default_cost_inputs();
  const CostedCase costed = case_cost(input, climate, prices);
  const CaseResult apart = run_case(input, climate);
  EXPECT_EQ(costed.result.efficiency_percent, apart.efficiency_percent);
  EXPECT_EQ(costed.result.totals.heating_days, apart.totals.heating_days);
  EXPECT_EQ(std::get<YearCost>(costed.cost),
            std::get<YearCost>(billed_year(input, apart, climate, prices)));
  // A climate that is no whole year has the engine's year but no bill.
  FoundClimate short_year = climate;
  short_year.days->records.resize(200);
  const CostedCase unbilled = case_cost(input, short_year, prices);
  EXPECT_EQ(unbilled.result.totals.heating_days, run_case(input, short_year).totals.heating_days);
  EXPECT_NE(unbilled.result.status, CaseStatus::error);
  EXPECT_NE(std::get<std::string>(unbilled.cost).find("200 dygn"), std::string::npos);
}

}  // namespace
}  // namespace varmkalk::core
