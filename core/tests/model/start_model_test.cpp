// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/start_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

TEST(StartModel, RunConstantsOfTheWorkedExample) {
  const ModelConstants c = start_model(testing::worked_example(), testing::worked_design());
  // Heating value 39.0135 MJ/m³n, 13.570 m³n of flue gas, flame 1776 °C at λ = 1.2,
  // Q_vv 570.8 W, P_cp 15 W.
  EXPECT_NEAR(c.gas_heating_value, 39.0135e6f, 100.0f);
  EXPECT_NEAR(c.flue_gas_volume, 13.570f, 0.0005f);
  EXPECT_NEAR(c.flame_temp, 1776.0, 0.5);
  EXPECT_NEAR(c.boiler_ntu, 4.4521, 0.0001);
  EXPECT_NEAR(c.hot_water_load, 570.8f, 0.05f);
  EXPECT_FLOAT_EQ(c.pump_heat, 15.0f);
}

// The message of the ModelInputError that start_model throws, or "" when it accepts the input.
std::string refusal(const BoilerCase& run,
                    const DesignConditions& design = testing::worked_design()) {
  try {
    start_model(run, design);
  } catch (const ModelInputError& e) {
    return e.what();
  }
  return "";
}

TEST(StartModel, AirRatioOutsideTheModelEndsTheRunNamingIt) {
  BoilerCase run = testing::worked_example();
  run.combustion.air_ratio = 2.5f;
  EXPECT_EQ(refusal(run),
            "Lufttalet 2.5 ger en flamtemperatur under 1000 °C; modellen gäller inte");
  run.combustion.air_ratio = 0.9f;
  EXPECT_EQ(refusal(run),
            "Lufttalet 0.9 är mindre än 1; modellen gäller bara för lufttal från 1 och uppåt");
  run.combustion.air_ratio = 2.0f;  // flame near 1182 °C: still valid
  EXPECT_EQ(refusal(run), "");
}

TEST(StartModel, RefusesInputThatMakesTheArithmeticUndefined) {
  struct Case {
    const char* what;
    std::function<void(BoilerCase&, DesignConditions&)> change;
    const char* message;
  };
  const Case cases[] = {
      {"equal returns, different flue gas",
       [](BoilerCase& r, DesignConditions&) {
         r.flue_gas.low_temp.return_temp_c = r.flue_gas.high_temp.return_temp_c;
       },
       "Returtemperaturen är 60 °C i båda fallen men avgastemperaturerna skiljer sig (60 och "
       "80 °C); avgastemperaturen kan inte interpoleras"},
      {"modulating, flue gas not above return",
       [](BoilerCase& r, DesignConditions&) {
         r.burner = Burner(r.burner.max_power_w(), 4000.0f);
         r.flue_gas.high_temp.flue_gas_temp_c = 60.0f;
       },
       "Avgastemperaturen i fall 2 (60 °C) ligger inte över returtemperaturen i fall 2 (60 °C); "
       "pannans värmeöverföring för en modulerande brännare kan inte beräknas"},
      {"modulating, flame not above return",
       [](BoilerCase& r, DesignConditions&) {
         r.burner = Burner(r.burner.max_power_w(), 4000.0f);
         r.flue_gas.high_temp.return_temp_c = 1800.0f;
         r.flue_gas.high_temp.flue_gas_temp_c = 1900.0f;
       },
       "Flamtemperaturen 1776 °C ligger inte över returtemperaturen i fall 2 (1800 °C)"},
      {"design demand zero",
       [](BoilerCase& r, DesignConditions&) { r.building.design_heat_demand_w = 0.0f; },
       "Byggnadens uppvärmningsbehov vid dimensionerande utetemperatur är 0 W; det måste vara "
       "större än 0"},
      {"design demand negative",
       [](BoilerCase& r, DesignConditions&) { r.building.design_heat_demand_w = -8000.0f; },
       "Byggnadens uppvärmningsbehov vid dimensionerande utetemperatur är -8000 W; det måste "
       "vara större än 0"},
      {"indoor − 5 at the design outdoor temperature",
       [](BoilerCase&, DesignConditions& d) { d.outdoor_temp_c = 15.0f; },
       "Inomhustemperaturen 20 °C minus 5 K ligger inte över den dimensionerande "
       "utetemperaturen 15 °C; värmebehovet kan inte beräknas"},
      {"design return not above indoor",
       [](BoilerCase& r, DesignConditions&) { r.building.indoor_temp_c = 45.0f; },
       "Inomhustemperaturen 45 °C ligger inte under värmesystemets dimensionerande "
       "returtemperatur 45 °C; radiatorformeln gäller inte"},
      {"design supply not above return",
       [](BoilerCase&, DesignConditions& d) { d.supply_temp_c = 45.0f; },
       "Värmesystemets dimensionerande framledningstemperatur 45 °C ligger inte över "
       "returtemperaturen 45 °C"},
      {"burner power zero",
       [](BoilerCase& r, DesignConditions&) { r.burner = Burner::single_stage(0.0f); },
       "Brännarens maxeffekt är 0 W; den måste vara större än 0"},
      {"modulating minimum zero",
       [](BoilerCase& r, DesignConditions&) { r.burner = Burner(r.burner.max_power_w(), 0.0f); },
       "Brännarens mineffekt är 0 W; en modulerande brännare måste ha en mineffekt större än 0"},
      {"negative pilot flame",
       [](BoilerCase& r, DesignConditions&) { r.combustion.pilot_power_w = -5.0f; },
       "Pilotlågeeffekten är -5 W; värdet får inte vara negativt"},
      {"negative hot water",
       [](BoilerCase& r, DesignConditions&) { r.hot_water.annual_demand_kwh = -100.0f; },
       "Det årliga varmvattenbehovet är -100 kWh/år; värdet får inte vara negativt"},
      {"pump efficiency above all of its electricity",
       [](BoilerCase& r, DesignConditions&) { r.pump.heat_share_percent = 1000.0f; },
       "Cirkulationspumpens verkningsgrad är 1000 %; den kan inte vara större än 100 %"},
      {"pump efficiency just above 100 %",
       [](BoilerCase& r, DesignConditions&) { r.pump.heat_share_percent = 100.01f; },
       "Cirkulationspumpens verkningsgrad är 100.01 %; den kan inte vara större än 100 %"},
      {"not a number",
       [](BoilerCase& r, DesignConditions&) { r.losses.standby_exponent = std::nanf(""); },
       "Exponenten för stilleståndsförlusterna är nan, inget ändligt tal"},
      {"infinite",
       [](BoilerCase& r, DesignConditions&) {
         r.hot_water.heater_loss_w = std::numeric_limits<float>::infinity();
       },
       "Beredarförlusten är inf, inget ändligt tal"},
  };
  for (const Case& c : cases) {
    BoilerCase run = testing::worked_example();
    DesignConditions design = testing::worked_design();
    c.change(run, design);
    EXPECT_EQ(refusal(run, design), c.message) << c.what;
  }
}

TEST(StartModel, IndoorAirTooHotForItsMoistureIsRefused) {
  BoilerCase run = testing::worked_example();
  run.building.indoor_temp_c = 130.0f;
  EXPECT_EQ(refusal(run, {-14.0f, 200.0f, 180.0f}),
            "Inomhustemperaturen 130 °C är för hög för att förbränningsluftens fukthalt ska kunna "
            "beräknas");
}

TEST(StartModel, AcceptsAConstantTemperatureBoilerAndAnyCaseTwoForSingleStage) {
  BoilerCase run = testing::worked_example();
  run.flue_gas.low_temp.return_temp_c = run.flue_gas.high_temp.return_temp_c;
  run.flue_gas.low_temp.flue_gas_temp_c = run.flue_gas.high_temp.flue_gas_temp_c;
  EXPECT_EQ(refusal(run), "");
  // A single-stage burner never uses the transfer units of case 2.
  run = testing::worked_example();
  run.flue_gas.high_temp.flue_gas_temp_c = 50.0f;
  EXPECT_EQ(refusal(run), "");
  EXPECT_EQ(start_model(run, design_conditions(run)).boiler_ntu, 0.0);
  // All of the pump's electricity as heat in the water is the most there is.
  run = testing::worked_example();
  run.pump.heat_share_percent = 100.0f;
  EXPECT_EQ(refusal(run), "");
}

}  // namespace
}  // namespace varmkalk::core
