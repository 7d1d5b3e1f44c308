// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cost/meter_fit.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/case/units.h"
#include "core/model/day_model.h"
#include "core/model/start_model.h"
#include "core/model/year.h"
#include "core/text/fixed_format.h"

namespace varmkalk::core {
namespace {

// At a design demand of exactly 0 no day needs heating and the year has no efficiency to weigh
// the summer's hot water by; a watt is the house that needs next to nothing.
constexpr float kLeastDemandW = 1.0f;
// No single-family house needs 10 MW; a meter beyond the year at this demand is beyond the burner.
constexpr float kMostDemandW = 1.0e7f;
constexpr float kFirstGuessW = 10000.0f;
// Close enough to the meter: far below the bill's whole kWh.
constexpr double kGasToleranceKwh = 0.01;
// Each probe beyond the bracket reaches at most this many times further.
constexpr float kMostGrowth = 4.0f;
constexpr float kLeastGrowth = 1.25f;
// Aim a little past the straight-line estimate so that the probe lands beyond the meter.
constexpr double kOvershoot = 1.05;
constexpr int kMostEvaluations = 80;
// The marginal gas is taken over one kW centred on the fitted demand.
constexpr float kMarginalSpanW = 1000.0f;

struct Point {
  float demand_w = 0.0f;
  double gas_kwh = 0.0;
  CaseResult result;
  YearCost cost;
};

// The year's gas on the bill's basis at one design demand; the model's refusal as a message.
class GasCurve {
 public:
  GasCurve(const BoilerCase& input, const FoundClimate& climate, const CostInputs& prices)
      : input_(input), climate_(climate), prices_(prices) {}

  std::variant<Point, MeterFitRefusal> at(float demand_w) {
    ++evaluations_;
    input_.building.design_heat_demand_w = demand_w;
    Point point;
    point.demand_w = demand_w;
    point.result = run_case(input_, climate_);
    if (point.result.status == CaseStatus::error || !climate_.days) {
      return MeterFitRefusal{MeterFitFault::model_refused,
                             "Fallet kan inte räknas vid uppvärmningsbehovet " +
                                 format_decimal(demand_w, 0) + " W: " + point.result.message,
                             0.0};
    }
    const auto days = static_cast<int>(climate_.days->records.size());
    point.cost = year_cost(input_, model_year(point.result, days), prices_);
    point.gas_kwh = point.cost.gas_bill_kwh;
    return point;
  }

  int evaluations() const { return evaluations_; }

 private:
  BoilerCase input_;
  const FoundClimate& climate_;
  const CostInputs& prices_;
  int evaluations_ = 0;
};

std::string kwh_text(double kwh) {
  return format_decimal(float(kwh), 0) + " kWh";
}

MeterFitRefusal below_base(double metered_kwh, double least_kwh) {
  return {
      MeterFitFault::below_base,
      "Den uppmätta gasen, " + kwh_text(metered_kwh) +
          ", är mindre än vad varmvattnet och pannans förluster ensamma tar med detta klimat, " +
          kwh_text(least_kwh) +
          ": inget uppvärmningsbehov på 0 W eller mer ger så lite gas. Se över mätvärdet, "
          "varmvattenbehovet och förlusterna.",
      least_kwh};
}

MeterFitRefusal beyond_burner(double metered_kwh, double most_kwh) {
  if (!(most_kwh > 0.0)) {
    return {MeterFitFault::beyond_burner,
            "Med detta klimat har året inget dygn som behöver värme; inget uppvärmningsbehov ger "
            "den uppmätta gasen, " +
                kwh_text(metered_kwh) + ".",
            most_kwh};
  }
  return {MeterFitFault::beyond_burner,
          "Den uppmätta gasen, " + kwh_text(metered_kwh) +
              ", är mer än brännaren kan elda under året med detta klimat, högst " +
              kwh_text(most_kwh) +
              ": inget uppvärmningsbehov ger så mycket gas. Se över mätvärdet och brännarens "
              "effekt.",
          most_kwh};
}

// The next probe above `high`, whose gas is still below the meter: along the straight line
// through the two points, a little past it, within a few times the step.
float next_probe(const Point& low, const Point& high, double metered_kwh) {
  const double rise = high.gas_kwh - low.gas_kwh;
  double probe = double(high.demand_w) * kMostGrowth;
  if (rise > 0.0) {
    probe = double(low.demand_w) +
            (metered_kwh - low.gas_kwh) * double(high.demand_w - low.demand_w) / rise * kOvershoot;
  }
  const double least = double(high.demand_w) * kLeastGrowth;
  const double most = double(high.demand_w) * kMostGrowth;
  return float(std::clamp(probe, least, most));
}

// Days on which the burner at its full power falls short of the fitted house's demand.
void count_full_power_shortfalls(const BoilerCase& input, const FoundClimate& climate,
                                 MeterFit& fit) {
  BoilerCase fitted = input;
  fitted.building.design_heat_demand_w = fit.design_heat_demand_w;
  const YearResult year = run_year(fitted, climate.days->records);
  for (const DayBalance& day : year.days) {
    if (unmet(day) && day.burner_power >= input.burner.max_power_w()) {
      ++fit.full_power_shortfall_days;
      const float shortfall = std::max(day.with_pump.shortfall, day.without_pump.shortfall);
      fit.largest_full_power_shortfall_w = std::max(fit.largest_full_power_shortfall_w, shortfall);
    }
  }
}

}  // namespace

std::variant<MeterFit, MeterFitRefusal> fit_to_meter(const BoilerCase& input,
                                                     const FoundClimate& climate,
                                                     const CostInputs& prices,
                                                     double metered_gas_kwh) {
  if (!std::isfinite(metered_gas_kwh) || !(metered_gas_kwh > 0.0)) {
    return MeterFitRefusal{MeterFitFault::not_a_reading,
                           "Den uppmätta gasen måste vara ett tal större än 0 kWh.", 0.0};
  }
  GasCurve curve(input, climate, prices);
  const auto evaluate = [&](float demand_w, Point& point) -> std::optional<MeterFitRefusal> {
    auto found = curve.at(demand_w);
    if (auto* refusal = std::get_if<MeterFitRefusal>(&found)) {
      return std::move(*refusal);
    }
    point = std::move(std::get<Point>(found));
    return std::nullopt;
  };

  // The bracket: low's gas below the meter, high's at or above it.
  Point low;
  if (auto refusal = evaluate(kLeastDemandW, low)) {
    return *refusal;
  }
  if (metered_gas_kwh < low.gas_kwh - kGasToleranceKwh) {
    return below_base(metered_gas_kwh, low.gas_kwh);
  }
  Point high;
  const float own_w = input.building.design_heat_demand_w;
  const float first_w =
      std::isfinite(own_w) && own_w > kLeastDemandW && own_w < kMostDemandW ? own_w : kFirstGuessW;
  if (std::abs(metered_gas_kwh - low.gas_kwh) <= kGasToleranceKwh) {
    high = low;
  } else {
    if (auto refusal = evaluate(first_w, high)) {
      return *refusal;
    }
    while (high.gas_kwh < metered_gas_kwh) {
      if (high.demand_w >= kMostDemandW) {
        return beyond_burner(metered_gas_kwh, high.gas_kwh);
      }
      const float probe = std::min(next_probe(low, high, metered_gas_kwh), kMostDemandW);
      low = std::move(high);
      if (auto refusal = evaluate(probe, high)) {
        return *refusal;
      }
    }
  }

  // Regula falsi with the Illinois step: the end that stays is weighted down, so that the
  // bracket closes from both sides even where the curve bends.
  Point best = std::abs(high.gas_kwh - metered_gas_kwh) <= std::abs(low.gas_kwh - metered_gas_kwh)
                   ? high
                   : low;
  double low_excess = low.gas_kwh - metered_gas_kwh;
  double high_excess = high.gas_kwh - metered_gas_kwh;
  int kept_side = 0;
  while (std::abs(best.gas_kwh - metered_gas_kwh) > kGasToleranceKwh &&
         curve.evaluations() < kMostEvaluations) {
    const double a = low.demand_w;
    const double b = high.demand_w;
    float probe = float(a - low_excess * (b - a) / (high_excess - low_excess));
    if (!(probe > low.demand_w && probe < high.demand_w)) {
      probe = float((a + b) / 2.0);
    }
    if (!(probe > low.demand_w && probe < high.demand_w)) {
      break;  // neighbouring demands: the case holds none between them
    }
    Point point;
    if (auto refusal = evaluate(probe, point)) {
      return *refusal;
    }
    const double excess = point.gas_kwh - metered_gas_kwh;
    if (std::abs(excess) < std::abs(best.gas_kwh - metered_gas_kwh)) {
      best = point;
    }
    if (excess < 0.0) {
      low = std::move(point);
      low_excess = excess;
      high_excess /= kept_side == -1 ? 2.0 : 1.0;
      kept_side = -1;
    } else {
      high = std::move(point);
      high_excess = excess;
      low_excess /= kept_side == 1 ? 2.0 : 1.0;
      kept_side = 1;
    }
  }

  MeterFit fit;
  fit.design_heat_demand_w = best.demand_w;
  fit.result = std::move(best.result);
  fit.cost = best.cost;

  // One kW across the fitted demand, or upward from it where that would reach below the least.
  const float below_w = std::max(kLeastDemandW, fit.design_heat_demand_w - kMarginalSpanW / 2.0f);
  Point below;
  Point above;
  if (auto refusal = evaluate(below_w, below)) {
    return *refusal;
  }
  if (auto refusal = evaluate(below_w + kMarginalSpanW, above)) {
    return *refusal;
  }
  fit.gas_kwh_per_kw =
      (above.gas_kwh - below.gas_kwh) / double(kw_from_watts(above.demand_w - below.demand_w));
  count_full_power_shortfalls(input, climate, fit);
  fit.evaluations = curve.evaluations() + 1;
  return fit;
}

std::optional<float> carried_design_demand_w(const BoilerCase& house, const ClimateChoice& to) {
  BoilerCase there = house;
  there.climate = to;
  const float span_here = demand_span(house, design_conditions(house));
  const float span_there = demand_span(there, design_conditions(there));
  if (!(span_here > 0.0f) || !(span_there > 0.0f)) {
    return std::nullopt;
  }
  const float loss_coefficient_w_per_k = house.building.design_heat_demand_w / span_here;
  return loss_coefficient_w_per_k * span_there;
}

}  // namespace varmkalk::core
