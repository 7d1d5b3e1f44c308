// SPDX-License-Identifier: GPL-3.0-or-later
// The heat pump model on the shipped units: it gives each declared COP back at its own point,
// its COP falls as the flow gets hotter, its capacity is carried from the coldest full-output
// point, and part load cycles below the least output.
#include "core/heatpump/heat_pump_model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/heatpump/season_tables.h"
#include "core/tests/heatpump/shipped_units.h"

namespace varmkalk::core {
namespace {

using testing::kShippedUnits;
using testing::read_shipped;

TEST(HeatPumpModel, IdealCopIsCarnotWithAtLeastSixKelvinLift) {
  struct Case {
    double flow_c;
    double source_c;
    double expected;  // (flow + 273.15) / max(flow − source, 6)
  };
  for (const Case& c : {Case{35, -7, 308.15 / 42}, Case{55, 0, 328.15 / 55},
                        Case{24, 20, 297.15 / 6}, Case{30, 40, 303.15 / 6}}) {
    EXPECT_NEAR(ideal_cop(c.flow_c, c.source_c), c.expected, 1e-12)
        << c.flow_c << " " << c.source_c;
  }
}

// At a declared point of the average climate, at its family's flow, the model gives that COP;
// where two points share an outdoor temperature the fixed point counts.
TEST(HeatPumpModel, GivesEachDeclaredCopBackAtItsOwnPoint) {
  for (const auto& shipped : kShippedUnits) {
    const HeatPumpUnit unit = read_shipped(shipped);
    const HeatPumpModel model = heat_pump_model(unit);
    for (const FlowFamily family : kFlowFamilies) {
      const SeasonalDeclaration& declaration = *unit.declaration(SeasonClimate::average, family);
      int checked = 0;
      for (std::size_t i = 0; i < declaration.points.size(); ++i) {
        const DeclaredPoint& point = declaration.points[i];
        bool earlier_at_same_c = false;
        for (std::size_t j = 0; j < i; ++j) {
          earlier_at_same_c |= declaration.points[j].outdoor_c == point.outdoor_c;
        }
        if (earlier_at_same_c) {
          continue;
        }
        const double flow_c = season_flow_c(SeasonClimate::average, family, point.outdoor_c);
        EXPECT_NEAR(heat_pump_cop(model, point.outdoor_c, flow_c), point.cop, 1e-9)
            << shipped.title << " " << declaration_label(SeasonClimate::average, family) << " at "
            << point.outdoor_c << " °C";
        ++checked;
      }
      EXPECT_GE(checked, 4) << shipped.title;
    }
  }
}

// A brine unit's points are declared at 0 °C brine: a warmer ground loop raises its COP by the
// ideal cycle's ratio, a colder one lowers it; an outdoor-air unit takes no notice.
TEST(HeatPumpModel, TheGroundLoopsTemperatureMovesABrineUnitsCop) {
  for (const auto& shipped : kShippedUnits) {
    const HeatPumpUnit unit = read_shipped(shipped);
    const HeatPumpModel declared = heat_pump_model(unit);
    for (const double brine_c : {-5.0, 5.0}) {
      const HeatPumpModel installed = heat_pump_model(unit, brine_c);
      const double ratio =
          unit.source == HeatSource::brine ? ideal_cop(45.0, brine_c) / ideal_cop(45.0, 0.0) : 1.0;
      EXPECT_NEAR(heat_pump_cop(installed, -5.0, 45.0),
                  std::max(1.0, heat_pump_cop(declared, -5.0, 45.0) * ratio), 1e-9)
          << shipped.title << " at " << brine_c << " °C brine";
    }
  }
}

TEST(HeatPumpModel, CopFallsAsTheFlowRisesAtAFixedOutdoorTemperature) {
  constexpr double kFlowStepC = 2.5;
  for (const auto& shipped : kShippedUnits) {
    const HeatPumpModel model = heat_pump_model(read_shipped(shipped));
    for (const double outdoor_c : {-22.0, -15.0, -10.0, -7.0, -2.0, 2.0, 7.0, 12.0, 15.0}) {
      double before = heat_pump_cop(model, outdoor_c, 25);
      for (double flow_c = 25 + kFlowStepC; flow_c <= 60; flow_c += kFlowStepC) {
        const double cop = heat_pump_cop(model, outdoor_c, flow_c);
        EXPECT_LT(cop, before) << shipped.title << " at " << outdoor_c << " °C, " << flow_c
                               << " °C flow";
        before = cop;
      }
    }
  }
}

// The full capacity is the largest heat at or below the colder climate's bivalent point, there
// at that point's flow; beyond the families it falls with a hotter flow, and for outdoor air it
// rises with milder air.
TEST(HeatPumpModel, FullCapacityCarriedFromTheColdestFullOutputPoint) {
  struct Case {
    std::size_t unit;
    double outdoor_c;
    double heat_kw;  // the declaration's EN14825_016/018/044 there
  };
  // CTC EcoAir 610M: Pdh 5.15 kW at its bivalent point −14 °C (35 °C) and 5.00 kW at −13 °C
  // (55 °C); Calibra 7: 7.11 kW at −22 °C (35 °C).
  for (const Case& c : {Case{0, -14, 5.15}, Case{7, -22, 7.11}}) {
    const HeatPumpModel model = heat_pump_model(read_shipped(kShippedUnits[c.unit]));
    const double flow_c = season_flow_c(SeasonClimate::colder, FlowFamily::low_35, c.outdoor_c);
    EXPECT_NEAR(full_capacity_kw(model, c.outdoor_c, flow_c), c.heat_kw, 1e-9);
  }
  const HeatPumpModel ctc = heat_pump_model(read_shipped(kShippedUnits[0]));
  EXPECT_NEAR(
      full_capacity_kw(ctc, -13, season_flow_c(SeasonClimate::colder, FlowFamily::medium_55, -13)),
      5.00, 1e-9);
  for (const auto& shipped : kShippedUnits) {
    const HeatPumpModel model = heat_pump_model(read_shipped(shipped));
    for (const double outdoor_c : {-20.0, -7.0, 2.0, 12.0}) {
      // Beyond both families' curves only the flow changes the capacity.
      const double low_c = season_flow_c(SeasonClimate::colder, FlowFamily::low_35, outdoor_c);
      const double medium_c =
          season_flow_c(SeasonClimate::colder, FlowFamily::medium_55, outdoor_c);
      EXPECT_GT(full_capacity_kw(model, outdoor_c, low_c - 5),
                full_capacity_kw(model, outdoor_c, low_c))
          << shipped.title;
      EXPECT_GT(full_capacity_kw(model, outdoor_c, medium_c),
                full_capacity_kw(model, outdoor_c, medium_c + 5))
          << shipped.title;
      if (shipped.source == HeatSource::outdoor_air) {
        EXPECT_GT(full_capacity_kw(model, outdoor_c + 5, 40),
                  full_capacity_kw(model, outdoor_c, 40))
            << shipped.title;
      }
    }
  }
}

TEST(HeatPumpModel, PartLoadBalancesTheLoadAndCyclesBelowTheLeastOutput) {
  for (const auto& shipped : kShippedUnits) {
    const HeatPumpModel model = heat_pump_model(read_shipped(shipped));
    for (const double outdoor_c : {-25.0, -10.0, 0.0, 10.0}) {
      constexpr double kFlowC = 40;
      const double full_kw = full_capacity_kw(model, outdoor_c, kFlowC);
      const double least_kw = minimum_capacity_kw(model, outdoor_c, kFlowC);
      const double cop = heat_pump_cop(model, outdoor_c, kFlowC);
      for (const double load_kw : {0.2 * least_kw, 0.9 * least_kw, full_kw, 1.5 * full_kw}) {
        const HeatPumpOperation run = operate(model, outdoor_c, kFlowC, load_kw);
        EXPECT_NEAR(run.heat_pump_kw + run.backup_kw, load_kw, 1e-9) << shipped.title;
        EXPECT_GE(run.electric_kw, load_kw / cop - 1e-9) << shipped.title;
        if (outdoor_c < model.operation_limit_c && shipped.source == HeatSource::outdoor_air) {
          EXPECT_EQ(run.backup_kw, load_kw) << shipped.title;
          continue;
        }
        if (load_kw < std::min(least_kw, full_kw)) {
          const double share = load_kw / std::min(least_kw, full_kw);
          const double loss = cycling_loss(model, outdoor_c, kFlowC);
          EXPECT_NEAR(run.cop, cop * share / (loss * share + 1 - loss), 1e-9) << shipped.title;
          EXPECT_LE(run.cop, cop * (1 + 1e-12)) << shipped.title;
        } else {
          EXPECT_NEAR(run.cop, cop, 1e-12) << shipped.title;
        }
      }
    }
  }
}

// CTC EcoAir 610M at 35 °C (design load 6.00 kW): its −7, +2, +7 and +12 °C points (5.61,
// 3.46, 2.45 and 2.92 kW) lie more than 3 % above the load (5.31, 3.23, 2.08 and 0.92 kW), its
// bivalent point (5.88 kW at −9 °C, load 5.77 kW) does not; its cycling loss is 0.98
// (EN14825_021) at every point.
TEST(HeatPumpModel, LeastOutputFromThePointsAboveTheLoad) {
  const HeatPumpModel model = heat_pump_model(read_shipped(kShippedUnits[0]));
  const double flow_c = season_flow_c(SeasonClimate::average, FlowFamily::low_35, 9.5);
  EXPECT_NEAR(minimum_capacity_kw(model, 9.5, flow_c), (2.45 + 2.92) / 2, 1e-9);
  EXPECT_NEAR(minimum_capacity_kw(model, 4.5, flow_c), (3.46 + 2.45) / 2, 1e-9);
  EXPECT_NEAR(minimum_capacity_kw(model, -9, flow_c), 5.61, 1e-9);
  EXPECT_NEAR(cycling_loss(model, 9.5, flow_c), 0.98, 1e-12);
}

}  // namespace
}  // namespace varmkalk::core
