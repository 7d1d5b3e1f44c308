// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cost/meter_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <string>
#include <variant>
#include <vector>

#include "core/case/climate_choice.h"
#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

FoundClimate climate_of(const BoilerCase& input) {
  return find_climate(climate_file_name(input.climate), VARMKALK_CLIMATE_TEST_DATA, {});
}

double gas_at(BoilerCase input, float demand_w, const FoundClimate& climate) {
  input.building.design_heat_demand_w = demand_w;
  return std::get<YearCost>(case_cost(input, climate, default_cost_inputs()).cost).gas_bill_kwh;
}

// The bill's gas at a house's own demand, taken as the meter, gives that demand back.
TEST(MeterFit, TheYearsOwnGasGivesItsDemandBack) {
  struct Row {
    const char* what;
    BoilerCase input;
    Place place;
    float demand_w;
  };
  BoilerCase no_hot_water = testing::worked_example();
  no_hot_water.hot_water = {0.0f, 0.0f};
  BoilerCase warm = testing::modulating_example();
  warm.building.indoor_temp_c = 22.0f;
  warm.heating_system = design_temperatures(HeatingSystem::radiators_80_60);
  const Row rows[] = {
      {"single-stage in Malmö", testing::worked_example(), Place::malmo, 8000.0f},
      {"modulating in Stockholm", testing::modulating_example(), Place::stockholm, 6500.0f},
      {"no hot water in Kiruna", no_hot_water, Place::kiruna, 11000.0f},
      {"warm house on 80/60 in Östersund", warm, Place::ostersund, 4200.0f},
      {"a small house in Jönköping", testing::worked_example(), Place::jonkoping, 1500.0f},
      {"near the burner's limit in Falun", testing::modulating_example(), Place::falun, 14000.0f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    BoilerCase input = row.input;
    input.climate = row.place;
    const FoundClimate climate = climate_of(input);
    const double metered_kwh = gas_at(input, row.demand_w, climate);
    // The form's own demand is no help to the search: it starts from an unrelated guess.
    input.building.design_heat_demand_w = 3000.0f;
    const auto found = fit_to_meter(input, climate, default_cost_inputs(), metered_kwh);
    ASSERT_TRUE(std::holds_alternative<MeterFit>(found))
        << std::get<MeterFitRefusal>(found).message;
    const MeterFit& fit = std::get<MeterFit>(found);
    EXPECT_NEAR(fit.cost.gas_bill_kwh, metered_kwh, 1.0);
    EXPECT_NEAR(fit.design_heat_demand_w, row.demand_w, row.demand_w * 1e-3);
    EXPECT_DOUBLE_EQ(fit.cost.gas_bill_kwh, gas_at(input, fit.design_heat_demand_w, climate));
    // One more kW costs what the curve's slope says, and the search stays short.
    EXPECT_GT(fit.gas_kwh_per_kw, 0.0);
    EXPECT_NEAR(fit.gas_kwh_per_kw,
                gas_at(input, fit.design_heat_demand_w + 500.0f, climate) -
                    gas_at(input, fit.design_heat_demand_w - 500.0f, climate),
                1e-2);
    EXPECT_LT(fit.evaluations, 30);
  }
}

TEST(MeterFit, RefusesAMeterNoDemandReaches) {
  BoilerCase input = testing::worked_example();
  const FoundClimate climate = climate_of(input);
  const CostInputs prices = default_cost_inputs();
  // The least the curve takes: hot water and standing losses alone.
  const auto least = fit_to_meter(input, climate, prices, 1.0);
  ASSERT_TRUE(std::holds_alternative<MeterFitRefusal>(least));
  const double least_kwh = std::get<MeterFitRefusal>(least).limit_gas_kwh;
  EXPECT_GT(least_kwh, 5000.0 * prices.fuel_hhv_ratio);
  EXPECT_LT(least_kwh, gas_at(input, 1000.0f, climate));
  const double most_kwh = gas_at(input, 1.0e7f, climate);
  const double not_a_number = std::numeric_limits<double>::quiet_NaN();
  struct Row {
    double metered_kwh;
    MeterFitFault fault;
    bool limit_given;
  };
  const Row rows[] = {
      {0.0, MeterFitFault::not_a_reading, false},
      {-5.0, MeterFitFault::not_a_reading, false},
      {not_a_number, MeterFitFault::not_a_reading, false},
      {least_kwh * 0.99, MeterFitFault::below_base, true},
      {most_kwh + 10.0, MeterFitFault::beyond_any_house, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.metered_kwh);
    const auto found = fit_to_meter(input, climate, prices, row.metered_kwh);
    ASSERT_TRUE(std::holds_alternative<MeterFitRefusal>(found));
    const MeterFitRefusal& refusal = std::get<MeterFitRefusal>(found);
    EXPECT_EQ(refusal.fault, row.fault);
    EXPECT_EQ(refusal.limit_gas_kwh > 0.0, row.limit_given);
    EXPECT_FALSE(refusal.message.empty());
  }
  // Just above the least a small house is found, on the curve's rising side.
  const auto small = fit_to_meter(input, climate, prices, least_kwh * 1.02);
  ASSERT_TRUE(std::holds_alternative<MeterFit>(small));
  EXPECT_NEAR(std::get<MeterFit>(small).cost.gas_bill_kwh, least_kwh * 1.02, 1.0);
  EXPECT_GT(std::get<MeterFit>(small).gas_kwh_per_kw, 0.0);

  // A case the model refuses, and a climate file that cannot be read, are refused as such.
  input.burner = Burner::single_stage(-1.0f);
  EXPECT_EQ(
      std::get<MeterFitRefusal>(fit_to_meter(input, climate, default_cost_inputs(), 1e4)).fault,
      MeterFitFault::model_refused);
  EXPECT_EQ(std::get<MeterFitRefusal>(
                fit_to_meter(testing::worked_example(), FoundClimate{}, default_cost_inputs(), 1e4))
                .fault,
            MeterFitFault::model_refused);
}

FoundClimate doubled(const FoundClimate& year) {
  FoundClimate two = year;
  for (const ClimateRecord& record : year.days->records) {
    two.days->records.push_back(
        {record.day_number + int(year.days->records.size()), record.outdoor_temp});
  }
  return two;
}

// A meter beyond the burner's year, or on a climate that is no year, is refused with its reason.
TEST(MeterFit, RefusesMoreThanTheBurnerBurnsAndAClimateThatIsNoYear) {
  BoilerCase small = testing::worked_example();  // Malmö
  small.burner = Burner::single_stage(5000.0f);
  const FoundClimate malmo = climate_of(small);
  FoundClimate renumbered = malmo;
  renumbered.days->records[99].day_number = 0;
  FoundClimate short_year = malmo;
  short_year.days->records.pop_back();
  // 5 kW all day for 365 days is 43 800 kWh of fuel, 48 475 kWh on the bill's basis.
  const double most_kwh = 5.0 * 24.0 * 365.0 * default_cost_inputs().fuel_hhv_ratio;
  struct Row {
    const char* what;
    FoundClimate climate;
    double metered_kwh;
    MeterFitFault fault;
    double limit_kwh;
    const char* named;  // in the message
  };
  const Row rows[] = {
      {"half a million kWh", malmo, 500000.0, MeterFitFault::beyond_any_house, most_kwh,
       "är mer än brännaren kan bränna på ett år med detta klimat, 48475 kWh med 5.0 kW"},
      {"just above the burner's year", malmo, most_kwh + 1.0, MeterFitFault::beyond_any_house,
       most_kwh, "5.0 kW dygnet runt"},
      {"two years", doubled(malmo), 20000.0, MeterFitFault::model_refused, 0.0,
       "Klimatfilen malmo.dat har 730 dygn; årets gas räknas bara på ett helt år"},
      {"a year short of a day", short_year, 20000.0, MeterFitFault::model_refused, 0.0,
       "Klimatfilen malmo.dat har 364 dygn"},
      {"a day out of order", renumbered, 20000.0, MeterFitFault::model_refused, 0.0,
       "I klimatfilen malmo.dat står dygn 0 där dygn 100 ska stå"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const auto found = fit_to_meter(small, row.climate, default_cost_inputs(), row.metered_kwh);
    ASSERT_TRUE(std::holds_alternative<MeterFitRefusal>(found));
    const MeterFitRefusal& refusal = std::get<MeterFitRefusal>(found);
    EXPECT_EQ(refusal.fault, row.fault);
    EXPECT_NEAR(refusal.limit_gas_kwh, row.limit_kwh, 1e-6);
    EXPECT_NE(refusal.message.find(row.named), std::string::npos) << refusal.message;
  }
  // Once the burner falls short on every heating day (at 10 MW even a day at 14.9 °C needs
  // 34 kW), a larger house takes no more gas.
  EXPECT_DOUBLE_EQ(gas_at(small, 1.0e8f, malmo), gas_at(small, 1.0e7f, malmo));
  EXPECT_LT(gas_at(small, 1.0e8f, malmo), most_kwh);
}

// A refusal names the meter and the limit it missed; where both round to the same whole kWh
// they are told apart by their decimals, never "4645 kWh is less than 4645 kWh".
TEST(MeterFit, ARefusalNeverShowsTheMeterAndItsLimitAlike) {
  const BoilerCase input = testing::worked_example();
  const FoundClimate climate = climate_of(input);
  const CostInputs prices = default_cost_inputs();
  const double least_kwh =
      std::get<MeterFitRefusal>(fit_to_meter(input, climate, prices, 1.0)).limit_gas_kwh;
  const double most_kwh = gas_at(input, 1.0e7f, climate);
  // The amounts in the message: the first number before " kWh" and the last.
  const auto amounts = [](const std::string& message) {
    std::vector<std::string> found;
    for (std::size_t end = message.find(" kWh"); end != std::string::npos;
         end = message.find(" kWh", end + 1)) {
      std::size_t begin = end;
      while (begin > 0 && (std::isdigit(static_cast<unsigned char>(message[begin - 1])) ||
                           message[begin - 1] == '.')) {
        --begin;
      }
      found.push_back(message.substr(begin, end - begin));
    }
    return found;
  };
  struct Row {
    const char* what;
    double metered_kwh;
    MeterFitFault fault;
    int decimals;  // those the two amounts are written with
  };
  // Below the least, yet the same whole kWh.
  const double same_whole = std::max(std::round(least_kwh) - 0.499, least_kwh - 0.3);
  const Row rows[] = {
      {"far below the least", least_kwh - 100.0, MeterFitFault::below_base, 0},
      {"below the least within its whole kWh", same_whole, MeterFitFault::below_base, -1},
      {"far beyond any house", most_kwh + 100.0, MeterFitFault::beyond_any_house, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const auto found = fit_to_meter(input, climate, prices, row.metered_kwh);
    ASSERT_TRUE(std::holds_alternative<MeterFitRefusal>(found));
    const MeterFitRefusal& refusal = std::get<MeterFitRefusal>(found);
    EXPECT_EQ(refusal.fault, row.fault);
    const std::vector<std::string> shown = amounts(refusal.message);
    ASSERT_EQ(shown.size(), 2U) << refusal.message;
    EXPECT_NE(shown[0], shown[1]) << refusal.message;
    EXPECT_EQ(std::stod(shown[0]) < std::stod(shown[1]), row.fault == MeterFitFault::below_base)
        << refusal.message;
    if (row.decimals >= 0) {
      EXPECT_EQ(shown[0].find('.') == std::string::npos, row.decimals == 0) << refusal.message;
    }
  }
}

// The search keeps the meter between the ends of its bracket, whether it starts below or above
// it, and so runs a bounded number of years; near no demand, where the curve falls before it
// rises, it keeps the side that holds the least, which a refusal names.
TEST(MeterFit, BracketsTheMeterFromEitherSideAndFindsTheTrueLeast) {
  const BoilerCase house = testing::worked_example();
  const FoundClimate climate = climate_of(house);
  const CostInputs prices = default_cost_inputs();
  struct Row {
    float start_w;  // the form's demand, where the search starts
    float metered_at_w;
  };
  const Row rows[] = {
      {3000.0f, 1200.0f},  {3000.0f, 2500.0f},   {3000.0f, 3500.0f},   {3000.0f, 20000.0f},
      {3000.0f, 2.0e5f},   {50000.0f, 1500.0f},  {50000.0f, 60000.0f}, {1000.0f, 9000.0f},
      {12000.0f, 4000.0f}, {12000.0f, 11000.0f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.start_w << " W to " << row.metered_at_w << " W");
    BoilerCase input = house;
    input.building.design_heat_demand_w = row.start_w;
    const double metered_kwh = gas_at(house, row.metered_at_w, climate);
    const auto found = fit_to_meter(input, climate, prices, metered_kwh);
    ASSERT_TRUE(std::holds_alternative<MeterFit>(found))
        << std::get<MeterFitRefusal>(found).message;
    const MeterFit& fit = std::get<MeterFit>(found);
    EXPECT_NEAR(fit.cost.gas_bill_kwh, metered_kwh, 1.0);
    EXPECT_NEAR(fit.design_heat_demand_w, row.metered_at_w, row.metered_at_w * 1e-3);
    EXPECT_LE(fit.evaluations, 30);
  }

  // With little hot water the year near no demand is mostly the boiler's standing losses. The
  // least of the curve, scanned every 10 W up to where it has long risen, is what a refusal
  // names, wherever the search starts.
  BoilerCase little_hot_water = house;
  little_hot_water.hot_water = {100.0f, 45.0f};
  double least_kwh = gas_at(little_hot_water, 1.0f, climate);
  for (float demand_w = 10.0f; demand_w <= 1000.0f; demand_w += 10.0f) {
    least_kwh = std::min(least_kwh, gas_at(little_hot_water, demand_w, climate));
  }
  for (const float start_w : {1000.0f, 3000.0f, 8000.0f, 50000.0f}) {
    SCOPED_TRACE(start_w);
    BoilerCase input = little_hot_water;
    input.building.design_heat_demand_w = start_w;
    const auto below = fit_to_meter(input, climate, prices, least_kwh - 1.0);
    ASSERT_TRUE(std::holds_alternative<MeterFitRefusal>(below));
    const MeterFitRefusal& refusal = std::get<MeterFitRefusal>(below);
    EXPECT_EQ(refusal.fault, MeterFitFault::below_base);
    EXPECT_NEAR(refusal.limit_gas_kwh, least_kwh, 0.5);
  }
}

// Where no demand gives the meter, the refusal names the gas nearest it: beyond any house the
// year at 10 MW, and in a step of the curve the nearest year, more than 1 kWh away. The model
// balances each day's run time to a tenth of a per cent, which moves a year of several MW by a
// few kWh between neighbouring demands; such a step is found by bisection.
TEST(MeterFit, ARefusalNamesTheGasNearestTheMeter) {
  BoilerCase house = testing::worked_example();
  house.burner = Burner::single_stage(1.0e7f);
  const FoundClimate climate = climate_of(house);
  const CostInputs prices = default_cost_inputs();

  const double most_kwh = gas_at(house, 1.0e7f, climate);
  const auto beyond = fit_to_meter(house, climate, prices, most_kwh + 10.0);
  ASSERT_TRUE(std::holds_alternative<MeterFitRefusal>(beyond));
  EXPECT_EQ(std::get<MeterFitRefusal>(beyond).fault, MeterFitFault::beyond_any_house);
  EXPECT_NEAR(std::get<MeterFitRefusal>(beyond).limit_gas_kwh, most_kwh, 1e-6 * most_kwh);

  double step_low_kwh = 0.0;
  double step_high_kwh = 0.0;
  for (const float from_w : {8.5e6f, 9.0e6f, 9.5e6f}) {
    float low_w = from_w;
    float high_w = from_w * 1.0001f;
    double low_kwh = gas_at(house, low_w, climate);
    double high_kwh = gas_at(house, high_w, climate);
    const double middle_kwh = (low_kwh + high_kwh) / 2.0;
    for (float w = low_w + (high_w - low_w) / 2.0f; w > low_w && w < high_w;
         w = low_w + (high_w - low_w) / 2.0f) {
      const double kwh = gas_at(house, w, climate);
      (kwh < middle_kwh ? low_w : high_w) = w;
      (kwh < middle_kwh ? low_kwh : high_kwh) = kwh;
    }
    if (high_kwh - low_kwh > 2.5) {
      step_low_kwh = low_kwh;
      step_high_kwh = high_kwh;
      break;
    }
  }
  ASSERT_GT(step_high_kwh - step_low_kwh, 2.5) << "no step of the curve to meter";
  const double metered_kwh = (step_low_kwh + step_high_kwh) / 2.0;
  const auto in_step = fit_to_meter(house, climate, prices, metered_kwh);
  ASSERT_TRUE(std::holds_alternative<MeterFitRefusal>(in_step))
      << std::get<MeterFit>(in_step).cost.gas_bill_kwh - metered_kwh;
  const MeterFitRefusal& refusal = std::get<MeterFitRefusal>(in_step);
  EXPECT_EQ(refusal.fault, MeterFitFault::in_a_step);
  EXPECT_GT(std::abs(refusal.limit_gas_kwh - metered_kwh), 1.0);
  EXPECT_LE(std::abs(refusal.limit_gas_kwh - metered_kwh), (step_high_kwh - step_low_kwh) / 2.0);
}

// Days beyond the burner's full power are counted; a modulating burner short of its own
// part-load estimate below full power is not.
TEST(MeterFit, CountsOnlyTheDaysTheFullBurnerCannotMeet) {
  struct Row {
    BoilerCase input;
    float demand_w;
    bool short_at_full_power;
    bool short_at_part_load;  // the model's days that fell short, whatever the burner's power
  };
  const Row rows[] = {
      {testing::worked_example(), 8000.0f, false, false},
      {testing::worked_example(), 24000.0f, true, true},
      {testing::modulating_example(), 8000.0f, false, true},
      {testing::modulating_example(), 24000.0f, true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.demand_w);
    const FoundClimate climate = climate_of(row.input);
    const auto found = fit_to_meter(row.input, climate, default_cost_inputs(),
                                    gas_at(row.input, row.demand_w, climate));
    const MeterFit& fit = std::get<MeterFit>(found);
    EXPECT_EQ(fit.full_power_shortfall_days > 0, row.short_at_full_power);
    EXPECT_EQ(fit.result.totals.unmet_days > 0, row.short_at_part_load);
    EXPECT_LE(fit.full_power_shortfall_days, fit.result.totals.unmet_days);
    EXPECT_EQ(fit.largest_full_power_shortfall_w > 0.0f, row.short_at_full_power);
  }
}

TEST(MeterFit, CarriesTheHouseToAnotherClimateByItsLossCoefficient) {
  BoilerCase house = testing::worked_example();  // Malmö, −14 °C, 20 °C indoors: span 29 K
  house.building.design_heat_demand_w = 8700.0f;
  // Kiruna's design outdoor temperature is read from the same table the model uses.
  const ClimateChoice places[] = {Place::kiruna, Place::stockholm, Place::malmo,
                                  OwnClimate{"egen.dat", -20.0f}};
  for (const ClimateChoice& place : places) {
    const std::optional<float> there_w = carried_design_demand_w(house, place);
    ASSERT_TRUE(there_w);
    const float span_there_k = house.building.indoor_temp_c - 5.0f - design_outdoor_temp_c(place);
    EXPECT_NEAR(*there_w / span_there_k, 8700.0f / 29.0f, 1e-3);
    BoilerCase moved = house;
    moved.climate = place;
    moved.building.design_heat_demand_w = *there_w;
    EXPECT_NEAR(carried_design_demand_w(moved, house.climate).value(), 8700.0f, 1e-2);
  }
  EXPECT_FALSE(carried_design_demand_w(house, OwnClimate{"varm.dat", 30.0f}));
}

}  // namespace
}  // namespace varmkalk::core
