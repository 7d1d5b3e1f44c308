// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cost/meter_fit.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <variant>

#include "core/case/units.h"
#include "core/model/day_shortfall.h"
#include "core/model/house_day.h"
#include "core/model/start_model.h"
#include "core/model/year.h"
#include "core/text/fixed_format.h"

namespace varmkalk::core {
namespace {

// The model refuses a design demand of 0; a watt is the house that needs next to nothing.
constexpr float kLeastDemandW = 1.0f;
// No single-family house needs 10 MW; a meter beyond the year at this demand is beyond any house.
constexpr float kMostDemandW = 1.0e7f;
// The search starts at the case's own demand, or here where that is next to none: near no demand
// the curve can fall before it rises, where a heating day credited with the pump's heat takes
// less gas than the day without heat demand it replaces.
constexpr float kLeastFirstGuessW = 1000.0f;
constexpr float kFirstGuessW = 10000.0f;
// Close enough to the meter: far below the bill's whole kWh.
constexpr double kGasToleranceKwh = 0.01;
// Each probe beyond the bracket reaches at most this many times further, or nearer.
constexpr double kMostStep = 4.0;
constexpr double kLeastStep = 1.25;
// Aim a little past the straight-line estimate so that the probe lands beyond the meter.
constexpr double kOvershoot = 0.05;
// Years one search runs at most; each one closes its bracket long before.
constexpr int kMostEvaluations = 80;
// The model balances each day's run time only to a tenth of a per cent, so that the year's gas
// steps by a few kWh between neighbouring demands. Where the bracket closes on such a step
// farther than this from the meter, the demands around it are scanned for a nearer year.
constexpr double kNearEnoughKwh = 0.5;
// A fit farther than this from the meter is none.
constexpr double kFitToleranceKwh = 1.0;
constexpr int kScanPoints = 48;
// The scan reaches this many times the demand the miss is worth along the curve's slope.
constexpr double kScanReach = 4.0;
// A lone year is told from its neighbours this far on either side, and passed over this often.
constexpr float kLoneYearGapW = 0.01f;
constexpr float kLoneYearGapShare = 1.0e-6f;
constexpr int kMostLoneYears = 4;
// The least of the curve near no demand is found to this share of its bracket.
constexpr double kLeastSearchShare = 0.01;
// The marginal gas is taken over one kW centred on the fitted demand.
constexpr float kMarginalSpanW = 1000.0f;

struct Point {
  float demand_w = 0.0f;
  double gas_kwh = 0.0;
  CaseResult result;
  YearCost cost;
};

// The model's refusal at some demand ends the search.
struct Refused {
  MeterFitRefusal refusal;
};

// The year's gas on the bill's basis at one design demand.
class GasCurve {
 public:
  GasCurve(const BoilerCase& input, const FoundClimate& climate, const CostInputs& prices)
      : input_(input), climate_(climate), prices_(prices) {}

  Point at(float demand_w) {
    ++evaluations_;
    input_.building.design_heat_demand_w = demand_w;
    Point point;
    point.demand_w = demand_w;
    CostedCase costed = case_cost(input_, climate_, prices_);
    point.result = std::move(costed.result);
    if (const std::string* fault = std::get_if<std::string>(&costed.cost)) {
      throw Refused{{MeterFitFault::model_refused,
                     "Fallet kan inte räknas vid uppvärmningsbehovet " +
                         format_decimal(demand_w, 0) + " W: " + *fault,
                     0.0}};
    }
    point.cost = std::get<YearCost>(costed.cost);
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

std::string kwh_text(double kwh, int decimals = 0) {
  return format_decimal(float(kwh), decimals) + " kWh";
}

// The decimals that tell two amounts apart, whole kWh where they differ already: a message that
// calls one less than the other never shows both the same.
constexpr int kMostTellingDecimals = 2;
int telling_decimals(double first_kwh, double second_kwh) {
  int decimals = 0;
  while (decimals < kMostTellingDecimals && format_decimal(float(first_kwh), decimals) ==
                                                format_decimal(float(second_kwh), decimals)) {
    ++decimals;
  }
  return decimals;
}

MeterFitRefusal below_base(double metered_kwh, double least_kwh) {
  const int decimals = telling_decimals(metered_kwh, least_kwh);
  return {
      MeterFitFault::below_base,
      "Den uppmätta gasen, " + kwh_text(metered_kwh, decimals) +
          ", är mindre än vad varmvattnet och pannans förluster ensamma tar med detta klimat, " +
          kwh_text(least_kwh, decimals) +
          ": inget uppvärmningsbehov på 0 W eller mer ger så lite gas. Se över mätvärdet, "
          "varmvattenbehovet och förlusterna.",
      least_kwh};
}

MeterFitRefusal beyond_any_house(double metered_kwh, double most_kwh) {
  if (!(most_kwh > 0.0)) {
    return {MeterFitFault::beyond_any_house,
            "Med detta klimat har året inget dygn som behöver värme; inget uppvärmningsbehov ger "
            "den uppmätta gasen, " +
                kwh_text(metered_kwh) + ".",
            most_kwh};
  }
  const int decimals = telling_decimals(metered_kwh, most_kwh);
  return {MeterFitFault::beyond_any_house,
          "Den uppmätta gasen, " + kwh_text(metered_kwh, decimals) +
              ", är mer än modellens år ger med detta klimat ens vid ett uppvärmningsbehov på " +
              format_decimal(kw_from_watts(kMostDemandW), 0) + " kW, " +
              kwh_text(most_kwh, decimals) + ": inget hus ger så mycket gas. Se över mätvärdet " +
              "och dess enhet.",
          most_kwh};
}

MeterFitRefusal beyond_the_burner(double metered_kwh, double most_kwh, float burner_w) {
  return {MeterFitFault::beyond_any_house,
          "Den uppmätta gasen, " + kwh_text(metered_kwh) +
              ", är mer än brännaren kan bränna på ett år med detta klimat, " + kwh_text(most_kwh) +
              " med " + format_decimal(kw_from_watts(burner_w), 1) +
              " kW dygnet runt: inget hus ger så mycket gas med den brännaren. Se över mätvärdet, "
              "dess enhet och brännarens effekt.",
          most_kwh};
}

MeterFitRefusal in_a_step(double metered_kwh, const Point& nearest) {
  const int decimals = telling_decimals(metered_kwh, nearest.gas_kwh);
  return {MeterFitFault::in_a_step,
          "Inget uppvärmningsbehov ger den uppmätta gasen, " + kwh_text(metered_kwh, decimals) +
              ", inom 1 kWh: årets gas gör ett språng förbi den, och närmast kommer " +
              format_decimal(nearest.demand_w, 0) + " W med " +
              kwh_text(nearest.gas_kwh, decimals) + ". Se över mätvärdet och indata.",
          nearest.gas_kwh};
}

// The next probe beyond `last` towards the meter: along the line through `last` and `before` (or
// through no gas at no demand), a little past the meter, within a few times the step.
float next_probe(const Point& before, const Point& last, double metered_kwh) {
  const bool upward = last.gas_kwh < metered_kwh;
  const double q = last.demand_w;
  double slope = last.gas_kwh / q;
  if (&before != &last && before.demand_w != last.demand_w) {
    slope = (last.gas_kwh - before.gas_kwh) / (q - double(before.demand_w));
  }
  double probe = upward ? q * kMostStep : q / kMostStep;
  if (slope > 0.0) {
    probe = q + (metered_kwh - last.gas_kwh) / slope;
    probe += (probe - q) * kOvershoot;
  }
  const double nearest = upward ? q * kLeastStep : q / kLeastStep;
  const double farthest = upward ? q * kMostStep : q / kMostStep;
  return float(std::clamp(probe, std::min(nearest, farthest), std::max(nearest, farthest)));
}

// Two demands whose years' gas lie below and at or above the meter.
struct Bracket {
  Point low;
  Point high;
  // The bracket as first found, before narrowing: a narrowing that closed on a lone year starts
  // again from its end beyond that year.
  float outer_low_w = low.demand_w;
  float outer_high_w = high.demand_w;
};

// Near no demand the curve may fall before it rises: its least between `left` and `right`, found
// by golden sections, ends the search as soon as one point lies below the meter.
std::optional<Point> below_meter_near_least(GasCurve& curve, float left_w, float right_w,
                                            double metered_kwh, double& least_kwh) {
  constexpr double kGolden = 0.6180339887498949;
  double a = left_w;
  double b = right_w;
  const double stop_w = std::max(1.0, (b - a) * kLeastSearchShare);
  double c = b - kGolden * (b - a);
  double d = a + kGolden * (b - a);
  Point at_c = curve.at(float(c));
  Point at_d = curve.at(float(d));
  const int last_evaluation = curve.evaluations() + kMostEvaluations;
  while (b - a > stop_w && curve.evaluations() < last_evaluation) {
    for (Point* point : {&at_c, &at_d}) {
      least_kwh = std::min(least_kwh, point->gas_kwh);
      if (point->gas_kwh < metered_kwh) {
        return std::move(*point);
      }
    }
    if (at_c.gas_kwh < at_d.gas_kwh) {
      b = d;
      d = c;
      at_d = std::move(at_c);
      c = b - kGolden * (b - a);
      at_c = curve.at(float(c));
    } else {
      a = c;
      c = d;
      at_c = std::move(at_d);
      d = a + kGolden * (b - a);
      at_d = curve.at(float(d));
    }
  }
  for (Point* point : {&at_c, &at_d}) {
    least_kwh = std::min(least_kwh, point->gas_kwh);
    if (point->gas_kwh < metered_kwh) {
      return std::move(*point);
    }
  }
  return std::nullopt;
}

// The bracket, searched from `first` upward or downward; a refusal where no demand reaches the
// meter.
Bracket bracket_meter(GasCurve& curve, Point first, double metered_kwh) {
  Point before = first;
  Point last = std::move(first);
  if (last.gas_kwh < metered_kwh) {
    while (last.gas_kwh < metered_kwh) {
      if (last.demand_w >= kMostDemandW) {
        throw Refused{beyond_any_house(metered_kwh, last.gas_kwh)};
      }
      const float probe = std::min(next_probe(before, last, metered_kwh), kMostDemandW);
      before = std::move(last);
      last = curve.at(probe);
    }
    return {std::move(before), std::move(last)};
  }
  // Downward: `last` is the least demand so far whose gas reaches the meter.
  double least_kwh = last.gas_kwh;
  bool first_step = true;
  while (true) {
    if (last.demand_w <= kLeastDemandW) {
      throw Refused{below_base(metered_kwh, least_kwh)};
    }
    const float probe =
        std::max(next_probe(first_step ? last : before, last, metered_kwh), kLeastDemandW);
    first_step = false;
    Point point = curve.at(probe);
    least_kwh = std::min(least_kwh, point.gas_kwh);
    if (point.gas_kwh < metered_kwh) {
      return {std::move(point), std::move(last)};
    }
    if (point.gas_kwh >= last.gas_kwh) {
      // The curve turned: its least lies between this probe and the one before `last`.
      const float right_w = before.demand_w > last.demand_w ? before.demand_w : last.demand_w;
      if (std::optional<Point> low =
              below_meter_near_least(curve, point.demand_w, right_w, metered_kwh, least_kwh)) {
        Point high = low->demand_w < last.demand_w ? std::move(last) : std::move(before);
        return {std::move(*low), std::move(high)};
      }
      throw Refused{below_base(metered_kwh, least_kwh)};
    }
    before = std::move(last);
    last = std::move(point);
  }
}

// Regula falsi with the Illinois step inside the bracket: the end that stays is weighted down, so
// that the bracket closes from both sides even where the curve bends. Ends within the tolerance
// or at neighbouring demands of the case's precision.
Point narrow(GasCurve& curve, Bracket& bracket, double metered_kwh) {
  Point& low = bracket.low;
  Point& high = bracket.high;
  Point best =
      std::abs(high.gas_kwh - metered_kwh) <= std::abs(low.gas_kwh - metered_kwh) ? high : low;
  double low_excess = low.gas_kwh - metered_kwh;
  double high_excess = high.gas_kwh - metered_kwh;
  int kept_side = 0;
  const int last_evaluation = curve.evaluations() + kMostEvaluations;
  while (std::abs(best.gas_kwh - metered_kwh) > kGasToleranceKwh &&
         curve.evaluations() < last_evaluation) {
    const double a = low.demand_w;
    const double b = high.demand_w;
    float probe = float(a - low_excess * (b - a) / (high_excess - low_excess));
    if (!(probe > low.demand_w && probe < high.demand_w)) {
      probe = float((a + b) / 2.0);
    }
    if (!(probe > low.demand_w && probe < high.demand_w)) {
      break;  // neighbouring demands: the case holds none between them
    }
    Point point = curve.at(probe);
    const double excess = point.gas_kwh - metered_kwh;
    if (std::abs(excess) < std::abs(best.gas_kwh - metered_kwh)) {
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
  return best;
}

// The demands around `best` (a miss of the meter at a step of the curve), scanned evenly for a
// nearer year; where the curve rises past the meter between two neighbours of the scan, the
// bracket between them is narrowed too.
Point scan_around(GasCurve& curve, Point best, double slope_kwh_per_w, double metered_kwh) {
  if (!(slope_kwh_per_w > 0.0)) {
    return best;
  }
  const double reach_w = kScanReach * std::abs(best.gas_kwh - metered_kwh) / slope_kwh_per_w;
  const double start_w = std::max(double(kLeastDemandW), best.demand_w - reach_w);
  const double step_w = (best.demand_w + reach_w - start_w) / (kScanPoints - 1);
  std::optional<Point> before;
  for (int i = 0; i < kScanPoints; ++i) {
    Point point = curve.at(float(start_w + i * step_w));
    if (before && before->gas_kwh < metered_kwh && point.gas_kwh >= metered_kwh) {
      Bracket rising{*before, point};
      Point inner = narrow(curve, rising, metered_kwh);
      if (std::abs(inner.gas_kwh - metered_kwh) < std::abs(best.gas_kwh - metered_kwh)) {
        best = std::move(inner);
      }
    }
    if (std::abs(point.gas_kwh - metered_kwh) < std::abs(best.gas_kwh - metered_kwh)) {
      best = point;
    }
    if (std::abs(best.gas_kwh - metered_kwh) <= kGasToleranceKwh) {
      break;
    }
    before = std::move(point);
  }
  return best;
}

// Narrows the bracket and, where it closed on a lone demand whose year stands apart from its
// neighbours', narrows again beside it. At a demand where a day exactly at the outdoor
// temperature of zero demand rounds to a tiny demand, that day counts as a heating day and the
// year's gas leaps by its hot water and losses; a hair's breadth away it does not.
Point narrow_past_lone_years(GasCurve& curve, Bracket bracket, double metered_kwh) {
  Point best = narrow(curve, bracket, metered_kwh);
  for (int lone = 0; lone < kMostLoneYears; ++lone) {
    if (std::abs(best.gas_kwh - metered_kwh) <= kNearEnoughKwh) {
      break;
    }
    const float beside_w = std::max(kLoneYearGapW, bracket.high.demand_w * kLoneYearGapShare);
    Point after = curve.at(bracket.high.demand_w + beside_w);
    Point before = curve.at(std::max(kLeastDemandW, bracket.low.demand_w - beside_w));
    if (after.gas_kwh < metered_kwh && after.demand_w < bracket.outer_high_w) {
      bracket = {std::move(after), curve.at(bracket.outer_high_w)};
    } else if (before.gas_kwh >= metered_kwh && before.demand_w > bracket.outer_low_w) {
      bracket = {curve.at(bracket.outer_low_w), std::move(before)};
    } else {
      break;  // a true step of the curve
    }
    Point again = narrow(curve, bracket, metered_kwh);
    if (std::abs(again.gas_kwh - metered_kwh) < std::abs(best.gas_kwh - metered_kwh)) {
      best = std::move(again);
    }
  }
  return best;
}

// Days on which the burner at its full power falls short of the fitted house's demand.
void count_full_power_shortfalls(const BoilerCase& input, const FoundClimate& climate,
                                 MeterFit& fit) {
  BoilerCase fitted = input;
  fitted.building.design_heat_demand_w = fit.design_heat_demand_w;
  const YearResult year = run_year(fitted, climate.days->records);
  for (const DayBalance& day : year.days) {
    if (day_shortfall(day, input.burner) == DayShortfall::burner_too_small) {
      ++fit.full_power_shortfall_days;
      const float shortfall = std::max(day.with_pump.shortfall, day.without_pump.shortfall);
      fit.largest_full_power_shortfall_w = std::max(fit.largest_full_power_shortfall_w, shortfall);
    }
  }
}

MeterFit fit(const BoilerCase& input, const FoundClimate& climate, const CostInputs& prices,
             double metered_gas_kwh) {
  if (std::optional<std::string> fault = not_a_climate_year(climate)) {
    throw Refused{{MeterFitFault::model_refused, std::move(*fault), 0.0}};
  }
  GasCurve curve(input, climate, prices);
  const float own_w = input.building.design_heat_demand_w;
  const float first_w = std::isfinite(own_w) && own_w >= kLeastFirstGuessW && own_w < kMostDemandW
                            ? own_w
                            : kFirstGuessW;
  // The first year tells a case the model refuses before the burner's limit is weighed.
  Point best = curve.at(first_w);
  const auto days = static_cast<int>(climate.days->records.size());
  const double most_kwh = most_burnable_gas_kwh(input, days, prices);
  if (metered_gas_kwh > most_kwh) {
    throw Refused{beyond_the_burner(metered_gas_kwh, most_kwh, input.burner.max_power_w())};
  }
  if (std::abs(best.gas_kwh - metered_gas_kwh) > kGasToleranceKwh) {
    const Bracket bracket = bracket_meter(curve, std::move(best), metered_gas_kwh);
    const double slope_kwh_per_w = (bracket.high.gas_kwh - bracket.low.gas_kwh) /
                                   double(bracket.high.demand_w - bracket.low.demand_w);
    best = narrow_past_lone_years(curve, bracket, metered_gas_kwh);
    if (std::abs(best.gas_kwh - metered_gas_kwh) > kNearEnoughKwh) {
      best = scan_around(curve, std::move(best), slope_kwh_per_w, metered_gas_kwh);
    }
  }

  if (std::abs(best.gas_kwh - metered_gas_kwh) > kFitToleranceKwh) {
    throw Refused{in_a_step(metered_gas_kwh, best)};
  }

  MeterFit found;
  found.design_heat_demand_w = best.demand_w;
  found.result = std::move(best.result);
  found.cost = best.cost;
  // One kW across the fitted demand, or upward from it where that would reach below the least.
  const float below_w = std::max(kLeastDemandW, found.design_heat_demand_w - kMarginalSpanW / 2.0f);
  const Point below = curve.at(below_w);
  const Point above = curve.at(below_w + kMarginalSpanW);
  found.gas_kwh_per_kw =
      (above.gas_kwh - below.gas_kwh) / double(kw_from_watts(above.demand_w - below.demand_w));
  count_full_power_shortfalls(input, climate, found);
  found.evaluations = curve.evaluations() + 1;
  return found;
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
  try {
    return fit(input, climate, prices, metered_gas_kwh);
  } catch (const Refused& refused) {
    return refused.refusal;
  }
}

std::optional<float> carried_design_demand_w(const BoilerCase& house, const ClimateChoice& to) {
  BoilerCase there = house;
  there.climate = to;
  const float span_here = demand_span(house_of(house), design_conditions(house));
  const float span_there = demand_span(house_of(there), design_conditions(there));
  if (!(span_here > 0.0f) || !(span_there > 0.0f)) {
    return std::nullopt;
  }
  const float loss_coefficient_w_per_k = house.building.design_heat_demand_w / span_here;
  return loss_coefficient_w_per_k * span_there;
}

}  // namespace varmkalk::core
