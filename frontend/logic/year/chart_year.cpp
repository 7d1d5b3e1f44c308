// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/year/chart_year.h"

#include "core/case/climate_choice.h"
#include "core/case/climates.h"
#include "core/case/units.h"
#include "core/files/run_error.h"
#include "core/formats/climate_file.h"
#include "core/formats/daily_line.h"
#include "core/formats/summary_report.h"
#include "core/model/annual_sums.h"
#include "core/model/standing_losses.h"
#include "core/model/year.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/logic/run/folder_year.h"
#include "frontend/logic/run/result_files.h"
#include "frontend/logic/run/run_notices.h"
#include "frontend/logic/run/windows1252_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

#include <algorithm>
#include <new>

namespace varmkalk {

namespace {

using core::kHoursPerDay;
using core::kHoursPerYear;
using core::kWhPerKwh;

FileError cannot_show(const QString& why) {
  return FileError{
      QCoreApplication::translate("ChartYear", "Diagrammen kan inte visas: %1").arg(why)};
}

core::DailyFileLine complete_line(const std::array<float, core::kDailyFieldCount>& values) {
  core::DailyFileLine line;
  for (std::size_t i = 0; i < values.size(); ++i) {
    line.values[i] = values[i];
  }
  return line;
}

ClimateShape shape_of(const core::ClimateDays& days) {
  ClimateShape shape;
  shape.day_count = static_cast<int>(days.records.size());
  shape.numbered_in_order = true;
  for (int i = 0; i < shape.day_count; ++i) {
    shape.numbered_in_order &= days.records[static_cast<std::size_t>(i)].day_number == i + 1;
  }
  return shape;
}

// The value after `label` on the summary line that carries it: the first word after the label
// read as a number with a decimal point; empty when the line is missing or its value is not a
// number ("-" for an undefined efficiency, asterisks for a value too wide for its field).
std::optional<double> labelled_value(const QStringList& lines, std::string_view label) {
  const QString wanted = from_utf8(label).trimmed();
  for (const QString& line : lines) {
    const QString text = line.trimmed();
    if (!text.startsWith(wanted)) {
      continue;
    }
    const QString value = text.mid(wanted.size()).trimmed().section(QLatin1Char(' '), 0, 0);
    bool ok = false;
    const double number = QLocale::c().toDouble(value, &ok);
    return ok ? std::optional<double>(number) : std::nullopt;
  }
  return std::nullopt;
}

bool has_line(const QStringList& lines, std::string_view text) {
  const QString wanted = from_utf8(text);
  return std::any_of(lines.begin(), lines.end(),
                     [&](const QString& line) { return line.trimmed() == wanted; });
}

std::optional<SummaryEnergy> summary_energy(const QStringList& lines, std::string_view label) {
  const std::optional<double> kwh = labelled_value(lines, label);
  if (!kwh) {
    return std::nullopt;
  }
  return SummaryEnergy{*kwh * kWhPerKwh, *kwh};
}

std::optional<AnnualFigures> figures_of_summary(const QStringList& lines) {
  AnnualFigures figures;
  const std::optional<double> with_pump = labelled_value(lines, core::kEfficiencyLabel);
  const std::optional<double> without_pump =
      labelled_value(lines, core::kEfficiencyWithoutPumpLabel);
  if (with_pump && without_pump) {
    figures.efficiency_with_pump = core::fraction_from_percent(*with_pump);
    figures.efficiency_without_pump = core::fraction_from_percent(*without_pump);
  }
  const auto net = summary_energy(lines, core::kNetEnergyLabel);
  const auto gross = summary_energy(lines, core::kGrossEnergyLabel);
  const auto convection = summary_energy(lines, core::kConvectionEnergyLabel);
  const auto standby = summary_energy(lines, core::kStandbyEnergyLabel);
  const auto flue_gas = summary_energy(lines, core::kFlueGasEnergyLabel);
  if (!net || !gross || !convection || !standby || !flue_gas) {
    return std::nullopt;
  }
  figures.net = *net;
  figures.gross = *gross;
  figures.convection = *convection;
  figures.standby = *standby;
  figures.flue_gas = *flue_gas;
  return figures;
}

// `heating_days`: the lines of the daily files.
std::optional<CaseTerms> terms_of_summary(const QStringList& lines, std::size_t heating_days) {
  const auto max_kw = labelled_value(lines, core::kMaxPowerLabel);
  const auto min_kw = labelled_value(lines, core::kMinPowerLabel);
  const auto pump_w = labelled_value(lines, core::kPumpPowerLabel);
  const auto pump_percent = labelled_value(lines, core::kPumpShareLabel);
  const auto hot_water_kwh = labelled_value(lines, core::kHotWaterLabel);
  const auto heater_kwh_per_day = labelled_value(lines, core::kHeaterLossLabel);
  std::optional<double> pilot_w = labelled_value(lines, core::kPilotPowerLabel);
  if (!pilot_w && has_line(lines, core::kNoPilotLine)) {
    pilot_w = 0.0;
  }
  // A pilot flame of 100 W or more is too wide for its field; its energy over the heating days
  // gives it to the nearest kWh.
  const std::optional<double> pilot_kwh = labelled_value(lines, core::kPilotEnergyLabel);
  if (!pilot_w && pilot_kwh && heating_days > 0) {
    pilot_w = *pilot_kwh * kWhPerKwh / (kHoursPerDay * static_cast<double>(heating_days));
  }
  if (!max_kw || !min_kw || !pump_w || !pump_percent || !hot_water_kwh || !heater_kwh_per_day ||
      !pilot_w) {
    return std::nullopt;
  }
  CaseTerms terms;
  terms.burner_max_power_w = static_cast<float>(core::watts_from_kw(*max_kw));
  terms.burner_min_power_w = static_cast<float>(core::watts_from_kw(*min_kw));
  terms.pump_heat_w = static_cast<float>(core::fraction_from_percent(*pump_w * *pump_percent));
  terms.hot_water_load_w = static_cast<float>(*hot_water_kwh * kWhPerKwh / kHoursPerYear);
  terms.heater_loss_w = static_cast<float>(*heater_kwh_per_day * kWhPerKwh / kHoursPerDay);
  terms.pilot_power_w = static_cast<float>(*pilot_w);
  return terms;
}

// The climate file the kept summary names: one of the bundled places, or an own file.
std::optional<std::string> climate_file_of_summary(const QStringList& lines) {
  for (const core::Climate& climate : core::kClimates) {
    if (has_line(lines, climate.report_line)) {
      return std::string(climate.file_name);
    }
  }
  const QString before = from_utf8(core::kOwnClimateLineStart);
  const QString after = from_utf8(core::kOwnClimateLineEnd);
  for (const QString& summary_line : lines) {
    const QString trimmed = summary_line.trimmed();
    if (trimmed.startsWith(before) && trimmed.endsWith(after) &&
        trimmed.size() > before.size() + after.size()) {
      return trimmed.mid(before.size(), trimmed.size() - before.size() - after.size())
          .toLatin1()
          .toStdString();
    }
  }
  return std::nullopt;
}

}  // namespace

std::variant<ChartYear, FileError> load_calculated_year(const CalculationYear& computed,
                                                        const QStringList& summary_lines) {
  if (const std::optional<QString> why = year_fault(computed)) {
    return cannot_show(*why);
  }
  const CaseYear& ran = std::get<CaseYear>(computed);
  const core::BoilerCase& input = ran.input;
  const core::YearResult& year = *ran.year;

  ChartYear chart;
  chart.identity = from_windows1252(QByteArrayView(input.identity.text())).trimmed();
  chart.source = YearSource::calculation;
  chart.summary_lines = summary_lines;
  chart.climate = shape_of(*ran.climate->days);
  chart.days.reserve(year.days.size());
  for (const core::DayBalance& day : year.days) {
    ChartDay chart_day;
    chart_day.with_pump = complete_line(core::daily_values(day, day.with_pump));
    chart_day.without_pump = complete_line(core::daily_values(day, day.without_pump));
    chart_day.unmet = core::unmet(day);
    chart_day.shortfall = core::day_shortfall(day, input.burner);
    chart_day.burner_power_w = day.burner_power;
    chart.days.push_back(chart_day);
  }

  CaseTerms terms;
  terms.hot_water_load_w = core::hot_water_load(input);
  terms.heater_loss_w = input.hot_water.heater_loss_w;
  terms.pilot_power_w = input.combustion.pilot_power_w;
  terms.pump_heat_w = core::pump_heat(input);
  terms.burner_max_power_w = input.burner.max_power_w();
  terms.burner_min_power_w = input.burner.min_power_w();
  chart.terms = terms;

  AnnualFigures figures;
  if (const auto with_pump = core::annual_efficiency(year.totals, core::PumpCredit::with_pump)) {
    figures.efficiency_with_pump = *with_pump;
  }
  if (const auto without_pump =
          core::annual_efficiency(year.totals, core::PumpCredit::without_pump)) {
    figures.efficiency_without_pump = *without_pump;
  }
  figures.net = summary_energy_of(year.totals.net_energy_wh);
  figures.gross = summary_energy_of(year.totals.gross_energy_with_pump_wh);
  figures.convection = summary_energy_of(year.totals.convection_energy_wh);
  figures.standby = summary_energy_of(year.totals.standby_energy_wh);
  figures.flue_gas = summary_energy_of(year.totals.flue_gas_energy_wh);
  chart.annual = figures;
  chart.notices = run_notices(year, QLocale());
  return chart;
}

std::variant<ChartYear, FileError> load_kept_year(const QString& folder, const QString& identity,
                                                  const QString& climate_fallback_dir,
                                                  const CalculationYear& again) {
  const std::array<QString, 3> names = identity_file_names(identity);
  const QString& raw_name = names[0];
  const QString& summary_name = names[1];
  const QString& pump_name = names[2];
  const QDir dir(folder);
  std::vector<core::DailyFileLine> with_pump;
  std::vector<core::DailyFileLine> without_pump;
  try {
    with_pump = core::read_daily_file(to_path(dir.filePath(raw_name)), raw_name.toStdString());
    without_pump = core::read_daily_file(to_path(dir.filePath(pump_name)), pump_name.toStdString());
  } catch (const core::RunError& e) {
    return cannot_show(QString::fromStdString(e.what()));
  } catch (const std::bad_alloc&) {
    return cannot_show(QCoreApplication::translate("ChartYear", "minnet räckte inte till."));
  }
  if (with_pump.size() != without_pump.size()) {
    return cannot_show(QStringLiteral("%1 har %2 dagar men %3 har %4; filerna hör inte till "
                                      "samma beräkning.")
                           .arg(raw_name)
                           .arg(with_pump.size())
                           .arg(pump_name)
                           .arg(without_pump.size()));
  }

  ChartYear chart;
  chart.identity = identity.trimmed();
  chart.source = YearSource::daily_files;
  QStringList notes{
      QStringLiteral("Diagrammen bygger på de sparade resultatfilerna, med värdena "
                     "avrundade som i filerna.")};
  for (std::size_t i = 0; i < with_pump.size(); ++i) {
    ChartDay day;
    day.with_pump = with_pump[i];
    day.without_pump = without_pump[i];
    // The files do not hold the shortfall; a burner that runs the whole day is the sign of it.
    for (const core::DailyFileLine* line : {&day.with_pump, &day.without_pump}) {
      const std::optional<float>& run_time = (*line)[core::DailyField::run_time];
      day.unmet |= run_time && *run_time >= 1.0f;
    }
    day.shortfall = day.unmet ? core::DayShortfall::burner_too_small : core::DayShortfall::none;
    chart.days.push_back(day);
  }
  // The kept case run again tells the days apart, and gives the warnings its run gave.
  if (!year_fault(again)) {
    const CaseYear& computed = std::get<CaseYear>(again);
    chart.notices = run_notices(*computed.year, QLocale());
    if (computed.year->days.size() == chart.days.size()) {
      for (std::size_t i = 0; i < chart.days.size(); ++i) {
        if (chart.days[i].unmet) {
          chart.days[i].shortfall =
              core::day_shortfall(computed.year->days[i], computed.input.burner);
        }
      }
    }
  }

  const auto summary = read_summary_file(dir.filePath(summary_name));
  if (const auto* error = std::get_if<FileError>(&summary)) {
    notes += error->message;
  } else {
    chart.summary_lines = std::get<QStringList>(summary);
    chart.annual = figures_of_summary(chart.summary_lines);
    chart.terms = terms_of_summary(chart.summary_lines, chart.days.size());
    if (!chart.annual || !chart.terms) {
      notes += QCoreApplication::translate("ChartYear",
                                           "Sammanfattningen %1 saknar några av årets värden.")
                   .arg(summary_name);
    }
    if (const auto climate_file = climate_file_of_summary(chart.summary_lines)) {
      const auto climate = read_climate(*climate_file, folder, climate_fallback_dir);
      if (const auto* days = std::get_if<core::ClimateDays>(&climate)) {
        chart.climate = shape_of(*days);
      }
    }
  }
  chart.note = notes.join(QLatin1Char(' '));
  return chart;
}

}  // namespace varmkalk
