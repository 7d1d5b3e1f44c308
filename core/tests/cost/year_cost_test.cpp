// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cost/year_cost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <variant>

#include "core/cost/gas_properties.h"
#include "core/generators/gas_boiler.h"
#include "core/model/day_model.h"
#include "core/model/start_model.h"
#include "core/model/year.h"
#include "core/tests/support/bill_check.h"
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
  for (const double value : {cost.gas_bill_kwh, cost.gas_m3, cost.gas_cost_sek, cost.fixed_fee_sek,
                             cost.electricity_cost_sek, cost.total_cost_sek, cost.gas_co2_kg,
                             cost.electricity_co2_kg, cost.co2_kg}) {
    EXPECT_TRUE(std::isfinite(value));
    EXPECT_GE(value, 0.0);
  }
  EXPECT_DOUBLE_EQ(cost.total_cost_sek,
                   cost.gas_cost_sek + cost.fixed_fee_sek + cost.electricity_cost_sek);
  EXPECT_DOUBLE_EQ(cost.co2_kg, cost.gas_co2_kg + cost.electricity_co2_kg);
  if (prices.gas_kwh_per_m3 > 0.0) {
    EXPECT_NEAR(cost.gas_m3 * prices.gas_kwh_per_m3, cost.gas_bill_kwh, 1e-9);
  }
}

TEST(YearCost, EveryYearGivesFiniteSumsOfItsLines) {
  struct Row {
    const char* what;
    BoilerYearFacts year;
    double gas_kwh_per_m3;
    int summer_days;
    double summer_fuel_kwh;
    double pilot_fuel_kwh;
  };
  // Heating fuel, pilot off-time fuel, pump electricity, heating days, climate days, and the
  // burner's and the pilot's fuel of one day without heat demand.
  const Row rows[] = {
      {"an ordinary year",
       {20000.0, 300.0, 400.0, 282, 365, 20.0, 1.5},
       12.0,
       83,
       83 * 21.5,
       300.0 + 83 * 1.5},
      {"heating every day", {30000.0, 0.0, 500.0, 365, 365, 20.0, 1.5}, 12.0, 0, 0.0, 0.0},
      {"a leap year", {20000.0, 0.0, 400.0, 282, 366, 20.0, 0.0}, 12.0, 84, 84 * 20.0, 0.0},
      {"more heating days than days",
       {20000.0, 0.0, 400.0, 370, 365, 20.0, 0.0},
       12.0,
       0,
       0.0,
       0.0},
      {"no heating day", {0.0, 0.0, 0.0, 0, 365, 12.5, 0.5}, 12.0, 365, 365 * 13.0, 365 * 0.5},
      {"nothing to burn for", {0.0, 0.0, 0.0, 0, 365, 0.0, 0.0}, 12.0, 365, 0.0, 0.0},
      {"no m³ factor", {20000.0, 0.0, 400.0, 282, 365, 20.0, 0.0}, 0.0, 83, 83 * 20.0, 0.0},
      {"a fuel that is no number",
       {std::numeric_limits<double>::infinity(), 0.0, 400.0, 282, 365, 20.0, 0.0},
       12.0,
       83,
       83 * 20.0,
       0.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    // Unlike the defaults, gas and electricity at different prices and emissions.
    CostInputs prices = default_cost_inputs();
    prices.gas_price_sek_per_kwh = 1.75;
    prices.electricity_price_sek_per_kwh = 1.9;
    prices.electricity_co2_kg_per_kwh = 0.3;
    prices.gas_kwh_per_m3 = row.gas_kwh_per_m3;
    const GasBoilerYear boiler = gas_boiler_year(row.year);
    const YearCost cost = year_cost(boiler.year, prices);
    expect_whole_and_finite(cost, prices);
    EXPECT_EQ(cost.summer_days, row.summer_days);
    EXPECT_NEAR(cost.summer_fuel_kwh, row.summer_fuel_kwh, 1e-9);
    EXPECT_NEAR(cost.summer_gas_bill_kwh, row.summer_fuel_kwh * prices.fuel_hhv_ratio, 1e-9);
    EXPECT_NEAR(boiler.pilot_gas_kwh, row.pilot_fuel_kwh, 1e-9);
    const double heating_kwh =
        std::isfinite(row.year.fuel_with_pump_kwh) ? row.year.fuel_with_pump_kwh : 0.0;
    // Each line on its own basis: the gas priced and emitting on the bill's kWh, the pump on its
    // electricity.
    EXPECT_NEAR(cost.gas_cost_sek, cost.gas_bill_kwh * prices.gas_price_sek_per_kwh, 1e-9);
    EXPECT_NEAR(cost.gas_co2_kg, cost.gas_bill_kwh * prices.gas_co2_kg_per_kwh, 1e-9);
    EXPECT_NEAR(cost.electricity_co2_kg,
                row.year.pump_electricity_kwh * prices.electricity_co2_kg_per_kwh, 1e-9);
    EXPECT_NEAR(
        cost.gas_bill_kwh,
        (heating_kwh + row.year.pilot_off_fuel_kwh + row.summer_fuel_kwh) * prices.fuel_hhv_ratio,
        1e-9);
    EXPECT_NEAR(cost.electricity_cost_sek,
                row.year.pump_electricity_kwh * prices.electricity_price_sek_per_kwh, 1e-9);
  }
}

FoundClimate climate_of(const BoilerCase& input) {
  return find_climate(climate_file_name(input.climate), VARMKALK_CLIMATE_TEST_DATA, {});
}

TEST(YearCost, ACaseInMemoryCostsWhatItsYearDoes) {
  BoilerCase input = testing::worked_example();
  input.climate = Place::stockholm;
  const FoundClimate climate = climate_of(input);
  ASSERT_TRUE(climate.days);
  const CostInputs prices = default_cost_inputs();
  const auto cost = case_cost(input, climate, prices).cost;
  ASSERT_TRUE(std::holds_alternative<YearCost>(cost)) << std::get<std::string>(cost);
  const CaseResult result = run_case(input, climate);
  EXPECT_EQ(std::get<YearCost>(cost), year_cost(gas_boiler_year(input, result, 365).year, prices));
  EXPECT_EQ(std::get<YearCost>(cost).summer_days, 365 - result.totals.heating_days);
  EXPECT_GT(std::get<YearCost>(cost).gas_bill_kwh, result.energies.gross_energy_kwh);

  // Priced on the bill's kWh at 1.75 kr, a fee of 1500 kr and the pump's electricity at 1.9 kr:
  // the numbers themselves, whatever the days without heat add to the bill.
  CostInputs own = prices;
  own.fuel_hhv_ratio = 1.1;
  own.gas_price_sek_per_kwh = 1.75;
  own.fixed_fee_sek = 1500.0;
  own.electricity_price_sek_per_kwh = 1.9;
  const YearCost priced = std::get<YearCost>(case_cost(input, climate, own).cost);
  const double pump_kwh = result.energies.pump_electricity_kwh;
  EXPECT_GT(pump_kwh, 0.0);
  EXPECT_NEAR(priced.total_cost_sek, priced.gas_bill_kwh * 1.75 + 1500.0 + pump_kwh * 1.9, 1e-6);
  EXPECT_NEAR(priced.gas_bill_kwh,
              std::get<YearCost>(cost).gas_bill_kwh / prices.fuel_hhv_ratio * 1.1, 1e-6);
  EXPECT_GE(priced.gas_bill_kwh, result.energies.gross_energy_kwh * 1.1);

  // A refused case and a climate that cannot be opened say why.
  input.burner = Burner::single_stage(-1.0f);
  EXPECT_EQ(std::get<std::string>(case_cost(input, climate, prices).cost),
            "Brännarens maxeffekt är -1 W; den måste vara större än 0");
  EXPECT_EQ(
      std::get<std::string>(case_cost(testing::worked_example(),
                                      FoundClimate{std::nullopt, "malmo.dat: saknas", ""}, prices)
                                .cost),
      "malmo.dat: saknas");
}

// The pilot flame burns whenever the burner is off, on every day of the year: all of that fuel is
// on the bill, beside the burner's own.
TEST(YearCost, ThePilotFlamesOffTimeFuelIsOnTheBill) {
  struct Row {
    Place place;
    float pilot_power_w;
  };
  const CostInputs prices = default_cost_inputs();
  for (const Row row :
       {Row{Place::stockholm, 150.0f}, Row{Place::kiruna, 60.0f}, Row{Place::malmo, 300.0f}}) {
    SCOPED_TRACE(row.pilot_power_w);
    BoilerCase without = testing::worked_example();
    without.climate = row.place;
    BoilerCase with_pilot = without;
    with_pilot.combustion.pilot_power_w = row.pilot_power_w;
    const FoundClimate climate = climate_of(without);
    const YearCost before = std::get<YearCost>(case_cost(without, climate, prices).cost);
    const YearCost after = std::get<YearCost>(case_cost(with_pilot, climate, prices).cost);
    EXPECT_EQ(gas_boiler_year(without, run_case(without, climate), 365).pilot_gas_kwh, 0.0);
    // The pilot's off-time fuel of each day, summed from the model's own days.
    const YearResult year = run_year(with_pilot, climate.days->records);
    double off_time_kwh = 0.0;
    for (const DayBalance& day : year.days) {
      off_time_kwh +=
          double(row.pilot_power_w) * (1.0 - double(day.with_pump.run_time)) * 24.0 / 1000.0;
    }
    const ZeroLoadDay zero =
        zero_load_day(with_pilot, start_model(with_pilot, design_conditions(with_pilot)));
    off_time_kwh += double(365 - int(year.days.size())) * double(row.pilot_power_w) *
                    (1.0 - double(zero.run_time)) * 24.0 / 1000.0;
    EXPECT_NEAR(gas_boiler_year(with_pilot, run_case(with_pilot, climate), 365).pilot_gas_kwh,
                off_time_kwh, off_time_kwh * 1e-5);
    // At least all of it, on the bill's basis: the pilot's fuel lengthens the burner's runs too.
    EXPECT_GT(after.gas_bill_kwh - before.gas_bill_kwh, off_time_kwh * prices.fuel_hhv_ratio);
  }
}

// A climate year of the given days, each at the given outdoor temperature.
FoundClimate even_year(std::size_t days, float outdoor_temp_c, std::string name) {
  ClimateDays year;
  for (std::size_t day = 1; day <= days; ++day) {
    year.records.push_back(ClimateRecord{int(day), outdoor_temp_c});
  }
  return FoundClimate{std::move(year), "", std::move(name)};
}

BoilerCase with(BoilerCase input, void (*change)(BoilerCase&)) {
  change(input);
  return input;
}

// The houses of the tests, on every bundled climate and on a warm year of their own.
TEST(YearCost, TheBillRisesWithTheDesignDemandAndNeverUndercutsTheHotWater) {
  const std::pair<const char*, BoilerCase> houses[] = {
      {"single-stage", testing::worked_example()},
      {"modulating", testing::modulating_example()},
      {"a 150 W pilot flame",
       with(testing::worked_example(), [](BoilerCase& r) { r.combustion.pilot_power_w = 150.0f; })},
      {"no hot water", with(testing::worked_example(),
                            [](BoilerCase& r) {
                              r.hot_water = {0.0f, 45.0f};
                            })},
      {"a pilot flame and no hot water", with(testing::worked_example(),
                                              [](BoilerCase& r) {
                                                r.hot_water = {0.0f, 67.0f};
                                                r.combustion.pilot_power_w = 12.0f;
                                              })},
      {"nothing but losses", with(testing::modulating_example(),
                                  [](BoilerCase& r) {
                                    r.hot_water = {0.0f, 0.0f};
                                  })},
      {"warm on 80/60", with(testing::modulating_example(),
                             [](BoilerCase& r) {
                               r.building.indoor_temp_c = 22.0f;
                               r.heating_system =
                                   design_temperatures(HeatingSystem::radiators_80_60);
                             })},
      {"cool indoors",
       with(testing::worked_example(), [](BoilerCase& r) { r.building.indoor_temp_c = 19.9f; })},
      {"a hot boiler with a big pump", with(testing::worked_example(),
                                            [](BoilerCase& r) {
                                              r.building.min_return_temp_c = 60.0f;
                                              r.pump = {150.0f, 100.0f};
                                            })},
      {"a burner too small", with(testing::worked_example(),
                                  [](BoilerCase& r) { r.burner = Burner::single_stage(5000.0f); })},
  };
  const Place places[] = {Place::malmo, Place::jonkoping, Place::stockholm,
                          Place::falun, Place::ostersund, Place::kiruna};
  testing::BillCheck check;
  for (const auto& [name, house] : houses) {
    for (const Place place : places) {
      BoilerCase input = house;
      input.climate = place;
      check.check(std::string(name) + " i " + climate_file_name(place).data(), input,
                  climate_of(input), default_cost_inputs());
    }
    BoilerCase own = house;
    own.climate = OwnClimate{"varm.dat", -14.0f};
    check.check(std::string(name) + " ett varmt år", own, even_year(365, 20.0f, "varm.dat"),
                default_cost_inputs());
  }
  for (const std::string& fault : check.faults) {
    ADD_FAILURE() << fault;
  }
  EXPECT_EQ(check.refused_houses, 0);
  EXPECT_EQ(check.houses, 10 * 7);
  EXPECT_EQ(check.years, 10 * 7 * 7);
  // Every house's warm year, and the 1 W and 10 W years of a house without hot water, whose pump
  // covers every day.
  EXPECT_GE(check.years_without_heating, 10 * 7);
  EXPECT_LE(check.largest_fall_share, testing::BillCheck::kMostFallShare);
  // None of these houses has free heat enough to cover its hot water: the bill alone does.
  EXPECT_EQ(check.years_below_the_listed_sum, 0);
}

// Days the model passes over are on the bill; a year with none to heat is billed for them all.
TEST(YearCost, BillsTheDaysWithoutHeatAsDaysOfTheBoiler) {
  struct Row {
    const char* what;
    BoilerCase input;
    FoundClimate climate;
    int heating_days;
  };
  BoilerCase tiny = testing::worked_example();  // the pump's 15 W of heat covers every day
  tiny.hot_water = {0.0f, 45.0f};
  tiny.building.design_heat_demand_w = 10.0f;
  tiny.climate = Place::stockholm;
  BoilerCase cool = testing::worked_example();
  cool.building.indoor_temp_c = 19.0f;  // free gains cover the house down to 14 °C
  cool.climate = OwnClimate{"ljum.dat", -14.0f};
  const Row rows[] = {
      {"a warm year", testing::worked_example(), even_year(365, 20.0f, "varm.dat"), 0},
      {"a leap year at 14.5 °C indoors at 19 °C", cool, even_year(366, 14.5f, "ljum.dat"), 0},
      {"a house the pump keeps warm", tiny, climate_of(tiny), 0},
  };
  const CostInputs prices = default_cost_inputs();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const CaseResult result = run_case(row.input, row.climate);
    ASSERT_EQ(result.totals.heating_days, row.heating_days);
    const auto cost = case_cost(row.input, row.climate, prices).cost;
    ASSERT_TRUE(std::holds_alternative<YearCost>(cost)) << std::get<std::string>(cost);
    const auto days = static_cast<int>(row.climate.days->records.size());
    const ZeroLoadDay day =
        zero_load_day(row.input, start_model(row.input, design_conditions(row.input)));
    EXPECT_EQ(std::get<YearCost>(cost).summer_days, days);
    EXPECT_NEAR(
        std::get<YearCost>(cost).gas_bill_kwh,
        days * double(day.burner_fuel_wh + day.pilot_fuel_wh) / 1000.0 * prices.fuel_hhv_ratio,
        1e-6);
    // More than the hot water and the heater's loss: the boiler's own losses too.
    const double hot_water_kwh = double(row.input.hot_water.annual_demand_kwh) * days / 365.0;
    EXPECT_GT(std::get<YearCost>(cost).gas_bill_kwh,
              (hot_water_kwh + 0.024 * 45.0 * days) * prices.fuel_hhv_ratio);
  }
}

// Wherever a year is billed the climate must be one: 365 or 366 days numbered 1, 2, 3 … in order.
TEST(YearCost, AClimateThatIsNoYearIsNotBilled) {
  const FoundClimate malmo = climate_of(testing::worked_example());
  FoundClimate gap = malmo;
  gap.days->records.erase(gap.days->records.begin() + 40);
  gap.days->records.push_back({365, 0.0f});
  FoundClimate with_blank = malmo;  // a blank line reads as day 0
  with_blank.days->records[364] = {0, 0.0f};
  FoundClimate cut = malmo;
  cut.days->fault = "malmo.dat, rad 200, kolumn 5-11: inget tal";
  struct Row {
    const char* what;
    FoundClimate climate;
    const char* refusal;  // empty: billed
  };
  const Row rows[] = {
      {"Malmö's year", malmo, ""},
      {"a leap year", even_year(366, 5.0f, "malmo.dat"), ""},
      {"two years", even_year(730, 5.0f, "malmo.dat"),
       "Klimatfilen malmo.dat har 730 dygn; årets gas räknas bara på ett helt år, 365 eller 366 "
       "dygn numrerade 1, 2, 3 … i ordning"},
      {"no day", even_year(0, 5.0f, "malmo.dat"), "Klimatfilen malmo.dat har 0 dygn;"},
      {"a day left out", gap, "I klimatfilen malmo.dat står dygn 42 där dygn 41 ska stå;"},
      {"a blank last line", with_blank,
       "I klimatfilen malmo.dat står dygn 0 där dygn 365 ska stå;"},
      {"a line that is no record", cut, "malmo.dat, rad 200, kolumn 5-11: inget tal"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const auto cost = case_cost(testing::worked_example(), row.climate, default_cost_inputs()).cost;
    if (*row.refusal == '\0') {
      EXPECT_TRUE(std::holds_alternative<YearCost>(cost)) << std::get<std::string>(cost);
    } else {
      ASSERT_TRUE(std::holds_alternative<std::string>(cost));
      EXPECT_EQ(std::get<std::string>(cost).substr(0, std::string_view(row.refusal).size()),
                row.refusal);
    }
  }
}

}  // namespace
}  // namespace varmkalk::core
