// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cost/year_cost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/cost/gas_properties.h"
#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

TEST(GasProperties, UpperAndLowerBasesDescribeTheSameGas) {
  constexpr GasProperties gas = model_gas_properties();
  EXPECT_NEAR(gas.upper_to_lower_ratio() * gas.lower_heating_value_mj_per_m3,
              gas.upper_heating_value_mj_per_m3, 1e-12);
  EXPECT_NEAR(gas.co2_kg_per_lower_kwh(), gas.upper_to_lower_ratio() * gas.co2_kg_per_upper_kwh(),
              1e-12);
  // Condensing the flue gas's water adds a tenth or so, as for every natural gas.
  EXPECT_GT(gas.upper_to_lower_ratio(), 1.05);
  EXPECT_LT(gas.upper_to_lower_ratio(), 1.15);
}

// The model's gas worked by hand from its composition, per normal m³ (22.414 litres a mole, so
// 44.615 moles): methane 91.1 %, ethane 4.7 %, propane 1.7 %, butane 1.4 %, and 0.5 % CO2 that
// passes through. Lower heating value: 0.911 · 35.882 + 0.047 · 64.353 + 0.017 · 93.207 +
// 0.014 · 122.565 = 39.0135 MJ. Water: CₙH₂ₙ₊₂ gives n + 1 molecules, 0.911 · 2 + 0.047 · 3 +
// 0.017 · 4 + 0.014 · 5 = 2.101 per mole of gas, 93.738 moles, condensing at 44.42 kJ a mole:
// 4.1638 MJ more, 43.1773 MJ upper. Carbon: 0.911 + 0.047 · 2 + 0.017 · 3 + 0.014 · 4 = 1.112
// per mole burnt plus 0.005 of the gas's own CO2, 1.117 · 44.615 · 44.01 g = 2.1932 kg; the
// burnt carbon alone would be 2.1834 kg.
TEST(GasProperties, AreThoseWorkedByHandFromTheGasComposition) {
  constexpr GasProperties gas = model_gas_properties();
  struct Row {
    const char* what;
    double value;
    double by_hand;
    double tolerance;
  };
  const Row rows[] = {
      {"lower heating value, MJ/m³", gas.lower_heating_value_mj_per_m3, 39.0135, 1e-3},
      {"upper heating value, MJ/m³", gas.upper_heating_value_mj_per_m3, 43.1773, 1e-3},
      {"upper over lower", gas.upper_to_lower_ratio(), 1.10673, 1e-4},
      {"bill's kWh per m³", gas.upper_kwh_per_m3(), 11.9937, 1e-3},
      {"CO2 with the gas's own, kg/m³", gas.co2_kg_per_m3, 2.1932, 5e-4},
      {"CO2 per kWh upper, kg", gas.co2_kg_per_upper_kwh(), 0.182866, 5e-5},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_NEAR(row.value, row.by_hand, row.tolerance);
  }
}

TEST(CostInputs, DefaultsAreTheModelGasAndWithinTheirRanges) {
  const CostInputs defaults = default_cost_inputs();
  EXPECT_FALSE(invalid_cost_input(defaults));
  EXPECT_EQ(defaults.fuel_hhv_ratio, model_gas_properties().upper_to_lower_ratio());
  EXPECT_EQ(cost_quantity("gas_price_sek_per_kwh")->member, &CostInputs::gas_price_sek_per_kwh);
  EXPECT_EQ(cost_quantity("heater_loss"), nullptr);

  const double not_a_number = std::numeric_limits<double>::quiet_NaN();
  for (const double bad : {not_a_number, -1.0, 1e9}) {
    CostInputs inputs = defaults;
    inputs.electricity_price_sek_per_kwh = bad;
    ASSERT_TRUE(invalid_cost_input(inputs));
    EXPECT_EQ(invalid_cost_input(inputs)->key, "electricity_price_sek_per_kwh");
  }
}

void expect_whole_and_finite(const YearCost& cost, const CostInputs& prices) {
  for (const double value :
       {cost.gas_bill_kwh, cost.gas_m3, cost.gas_cost_sek, cost.fixed_fee_sek, cost.pump_cost_sek,
        cost.total_cost_sek, cost.gas_co2_kg, cost.pump_co2_kg, cost.co2_kg}) {
    EXPECT_TRUE(std::isfinite(value));
    EXPECT_GE(value, 0.0);
  }
  EXPECT_DOUBLE_EQ(cost.total_cost_sek,
                   cost.gas_cost_sek + cost.fixed_fee_sek + cost.pump_cost_sek);
  EXPECT_DOUBLE_EQ(cost.co2_kg, cost.gas_co2_kg + cost.pump_co2_kg);
  if (prices.gas_kwh_per_m3 > 0.0) {
    EXPECT_NEAR(cost.gas_m3 * prices.gas_kwh_per_m3, cost.gas_bill_kwh, 1e-9);
  }
}

TEST(YearCost, EveryYearGivesFiniteSumsOfItsLines) {
  const BoilerCase input = testing::worked_example();  // 5000 kWh hot water, 45 W heater loss
  const double day_kwh = 5000.0 / 365.0 + 45.0 * 0.024;
  struct Row {
    const char* what;
    ModelYear year;
    double gas_kwh_per_m3;
    double summer_fuel_kwh;  // negative: no estimate
  };
  const Row rows[] = {
      {"an ordinary year", {20000.0, 400.0, 282, 365, 0.8}, 12.0, 83 * day_kwh / 0.8},
      {"heating every day", {30000.0, 500.0, 365, 365, 0.9}, 12.0, 0.0},
      {"a leap year", {20000.0, 400.0, 282, 366, 0.8}, 12.0, 84 * day_kwh / 0.8},
      {"more heating days than days", {20000.0, 400.0, 370, 365, 0.8}, 12.0, 0.0},
      {"no heating day", {0.0, 0.0, 0, 365, std::nullopt}, 12.0, -1.0},
      {"an efficiency of zero", {0.0, 0.0, 10, 365, 0.0}, 12.0, -1.0},
      {"no m³ factor", {20000.0, 400.0, 282, 365, 0.8}, 0.0, 83 * day_kwh / 0.8},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    // Unlike the defaults, gas and electricity at different prices and emissions.
    CostInputs prices = default_cost_inputs();
    prices.gas_price_sek_per_kwh = 1.75;
    prices.electricity_price_sek_per_kwh = 1.9;
    prices.electricity_co2_kg_per_kwh = 0.3;
    prices.gas_kwh_per_m3 = row.gas_kwh_per_m3;
    const YearCost cost = year_cost(input, row.year, prices);
    expect_whole_and_finite(cost, prices);
    // Each line on its own basis: the gas priced and emitting on the bill's kWh, the pump on its
    // electricity, the summer's fuel carried to the bill by the upper/lower ratio.
    EXPECT_NEAR(cost.gas_cost_sek, cost.gas_bill_kwh * prices.gas_price_sek_per_kwh, 1e-9);
    EXPECT_NEAR(cost.gas_co2_kg, cost.gas_bill_kwh * prices.gas_co2_kg_per_kwh, 1e-9);
    EXPECT_NEAR(cost.pump_co2_kg, row.year.pump_electricity_kwh * prices.electricity_co2_kg_per_kwh,
                1e-9);
    EXPECT_EQ(cost.summer_gas_bill_kwh.has_value(), cost.summer_fuel_kwh.has_value());
    if (cost.summer_fuel_kwh) {
      EXPECT_NEAR(*cost.summer_gas_bill_kwh, *cost.summer_fuel_kwh * prices.fuel_hhv_ratio, 1e-9);
    }
    if (row.summer_fuel_kwh < 0.0) {
      EXPECT_FALSE(cost.summer_fuel_kwh);
    } else {
      ASSERT_TRUE(cost.summer_fuel_kwh);
      EXPECT_NEAR(*cost.summer_fuel_kwh, row.summer_fuel_kwh, 1e-9);
    }
    EXPECT_NEAR(
        cost.gas_bill_kwh,
        (row.year.fuel_with_pump_kwh + cost.summer_fuel_kwh.value_or(0.0)) * prices.fuel_hhv_ratio,
        1e-9);
    EXPECT_NEAR(cost.pump_cost_sek,
                row.year.pump_electricity_kwh * prices.electricity_price_sek_per_kwh, 1e-9);
  }
}

TEST(YearCost, ACaseInMemoryCostsWhatItsYearDoes) {
  BoilerCase input = testing::worked_example();
  input.climate = Place::stockholm;
  const FoundClimate climate = find_climate("sthlm.dat", VARMKALK_CLIMATE_TEST_DATA, {});
  ASSERT_TRUE(climate.days);
  const CostInputs prices = default_cost_inputs();
  const std::optional<YearCost> cost = case_cost(input, climate, prices);
  ASSERT_TRUE(cost);
  const CaseResult result = run_case(input, climate);
  EXPECT_EQ(*cost, year_cost(input, model_year(result, 365), prices));
  EXPECT_EQ(cost->summer_days, 365 - result.totals.heating_days);
  EXPECT_GT(cost->gas_bill_kwh, result.energies.gross_energy_kwh);

  // Priced on the bill's kWh at 1.75 kr, a fee of 1500 kr and the pump's electricity at 1.9 kr:
  // the numbers themselves, whatever the summer's estimate adds to the bill.
  CostInputs own = prices;
  own.fuel_hhv_ratio = 1.1;
  own.gas_price_sek_per_kwh = 1.75;
  own.fixed_fee_sek = 1500.0;
  own.electricity_price_sek_per_kwh = 1.9;
  const YearCost priced = case_cost(input, climate, own).value();
  const double pump_kwh = result.energies.pump_electricity_kwh;
  EXPECT_GT(pump_kwh, 0.0);
  EXPECT_NEAR(priced.total_cost_sek, priced.gas_bill_kwh * 1.75 + 1500.0 + pump_kwh * 1.9, 1e-6);
  EXPECT_NEAR(priced.gas_bill_kwh, cost->gas_bill_kwh / prices.fuel_hhv_ratio * 1.1, 1e-6);
  EXPECT_GE(priced.gas_bill_kwh, result.energies.gross_energy_kwh * 1.1);

  input.building.design_heat_demand_w = 900000.0f;  // beyond what the burner can give
  input.burner = Burner::single_stage(-1.0f);
  EXPECT_FALSE(case_cost(input, climate, prices));
  EXPECT_FALSE(case_cost(testing::worked_example(), FoundClimate{}, prices));
}

}  // namespace
}  // namespace varmkalk::core
