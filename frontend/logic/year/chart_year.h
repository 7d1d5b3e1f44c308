// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cost/side_by_side.h"
#include "core/cost/year_cost.h"
#include "core/formats/daily_file_reader.h"
#include "core/formats/summary_report.h"
#include "core/generators/heat_pump_year.h"
#include "core/model/day_shortfall.h"
#include "frontend/logic/run/file_error.h"
#include "frontend/logic/run/folder_year.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

namespace varmkalk {

// One heating day as the charts see it: the values of its two daily lines, with and without the
// circulation pump's heat credited, in the order of core::kDailyColumns. From a calculation in
// memory they are unrounded and complete; read from kept daily files, a field of asterisks is a
// gap.
struct ChartDay {
  core::DailyFileLine with_pump;
  core::DailyFileLine without_pump;
  // The boiler could not meet the day's demand even running all day. From files, where the
  // shortfall is not written, the days on which the burner runs the whole day.
  bool unmet = false;
  // Why the day fell short: the burner at full power, or only the model's part-load rule. From
  // files, where the burner's power is not written, known when the kept case could be run
  // again; else every unmet day counts as the burner's.
  core::DayShortfall shortfall = core::DayShortfall::none;
  // The burner's heat input while it runs, W; only known from a calculation in memory.
  std::optional<float> burner_power_w;
};

// The case's powers that hold all year, W.
struct CaseTerms {
  float hot_water_load_w = 0.0f;
  float heater_loss_w = 0.0f;
  float pilot_power_w = 0.0f;
  float pump_heat_w = 0.0f;  // the share of the pump's electric power that ends up in the water
  float burner_max_power_w = 0.0f;
  float burner_min_power_w = 0.0f;
};

// An annual energy as exact as known, and as the summary report shows it in whole kWh.
struct SummaryEnergy {
  double wh = 0.0;
  double summary_kwh = 0.0;
};

// An energy known exactly, Wh, with its whole kWh as the summary rounds them.
inline SummaryEnergy summary_energy_of(double wh) {
  return {wh, core::summary_kwh(static_cast<float>(wh))};
}

// The year's figures of the summary report.
struct AnnualFigures {
  std::optional<double> efficiency_with_pump;  // fractions; empty without a heating day
  std::optional<double> efficiency_without_pump;
  SummaryEnergy net;
  SummaryEnergy gross;  // the fuel, with the pump's heat credited
  SummaryEnergy convection;
  SummaryEnergy standby;
  SummaryEnergy flue_gas;
};

// The days of the climate file the calculation ran on.
struct ClimateShape {
  int day_count = 0;
  // The days are numbered 1, 2, 3, … in file order, so that day 1 can be 1 January.
  bool numbered_in_order = false;
};

enum class YearSource { calculation, daily_files };

// The heat pump the result box showed beside the boiler: its name, both years and its days.
struct HeatPumpChart {
  QString name;
  core::SideBySide sides;
  std::vector<core::HeatPumpDay> days;  // every day of the climate year, in its order
  bool ground_source = false;           // its heat comes from the ground, else from the air
};

// Everything the chart window shows of one calculation.
struct ChartYear {
  QString identity;
  YearSource source = YearSource::calculation;
  std::vector<ChartDay> days;      // the heating days in climate order
  std::optional<CaseTerms> terms;  // empty when the kept summary could not be read
  std::optional<AnnualFigures> annual;
  std::optional<ClimateShape> climate;  // empty when the climate file could not be read
  QStringList summary_lines;            // the summary report as the user saw it
  QString note;                         // what the charts cannot show and why; empty when complete
  std::optional<core::YearCost> cost;   // the year on the gas bill's terms, where it is known
  std::optional<HeatPumpChart> heat_pump;  // where one was shown beside the boiler
  // The warnings shown above the summary (see run_notices), in the user's locale; for a kept
  // calculation from its year run again, empty when that cannot be.
  QStringList notices;
};

// The charts of the calculation just made (see folder_year): the model's year run in memory with
// the same code as the engine's, so that the charts and `summary_lines` agree.
std::variant<ChartYear, FileError> load_calculated_year(const CalculationYear& computed,
                                                        const QStringList& summary_lines);

// The year of a kept calculation from its result files in `folder`: the two daily files, and
// from its summary file the annual figures and the case's powers where they can be read. Its
// case's year run again (see kept_years), where complete, tells its days apart and gives its
// warnings.
std::variant<ChartYear, FileError> load_kept_year(const QString& folder, const QString& identity,
                                                  const QString& climate_fallback_dir,
                                                  const CalculationYear& again);

}  // namespace varmkalk
