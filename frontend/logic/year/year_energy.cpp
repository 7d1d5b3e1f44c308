// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/year/year_energy.h"

#include <QCoreApplication>

#include "core/climate_import/calendar.h"
#include "core/model/run_time.h"

#include <algorithm>
#include <functional>

namespace varmkalk {

namespace {

using core::DailyField;

constexpr double kHoursPerDay = 24.0;
constexpr double kPerCent = 100.0;
constexpr int kCommonYearDays = 365;
constexpr int kLeapYearDays = 366;
// A calendar year of either length, whose months are those of every year of that length.
constexpr int kCommonYear = 2001;
constexpr int kLeapYear = 2000;

std::optional<double> value(const core::DailyFileLine& line, DailyField field) {
  const std::optional<float>& read = line[field];
  return read ? std::optional<double>(*read) : std::nullopt;
}

// The month (0 = January) of a day of the year, day 1 = 1 January, from the months' last days.
std::size_t month_of(int day_number, const std::array<int, kMonths>& last_days) {
  return static_cast<std::size_t>(std::lower_bound(last_days.begin(), last_days.end(), day_number) -
                                  last_days.begin());
}

FlowPart flow_part(EnergyPart part, const QString& name, const SummaryEnergy& energy,
                   const SummaryEnergy& fuel) {
  return {part, name, energy, fuel.wh != 0.0 ? energy.wh / fuel.wh * kPerCent : 0.0};
}

FlowPart flow_part(EnergyPart part, const SummaryEnergy& energy, const SummaryEnergy& fuel) {
  return flow_part(part, energy_part_name(part), energy, fuel);
}

}  // namespace

EnergyParts& EnergyParts::operator+=(const EnergyParts& other) {
  std::transform(wh.begin(), wh.end(), other.wh.begin(), wh.begin(), std::plus<>());
  fuel_wh += other.fuel_wh;
  return *this;
}

QString energy_part_name(EnergyPart part) {
  switch (part) {
    case EnergyPart::space_heat:
      return QCoreApplication::translate("YearEnergy", "Uppvärmning");
    case EnergyPart::hot_water:
      return QCoreApplication::translate("YearEnergy", "Varmvatten");
    case EnergyPart::flue_gas:
      return QCoreApplication::translate("YearEnergy", "Avgasförlust");
    case EnergyPart::convection:
      return QCoreApplication::translate("YearEnergy", "Konvektionsförlust");
    case EnergyPart::standby:
      return QCoreApplication::translate("YearEnergy", "Stilleståndsförlust");
    case EnergyPart::heater:
      return QCoreApplication::translate("YearEnergy", "Beredarförlust");
    case EnergyPart::pilot:
      return QCoreApplication::translate("YearEnergy", "Pilotlåga");
    case EnergyPart::pump_heat:
      return QCoreApplication::translate("YearEnergy", "Pumpens värme");
    case EnergyPart::other:
      return QCoreApplication::translate("YearEnergy", "Övrigt");
  }
  return {};
}

// The day balance (core/model/run_time.cpp) weighs, with the burner running for τ of the day:
//   useful heat  U = (P_b − L_fg)·τ − (Q_sb − 0.7·P_pilot)·(1 − τ) − Q_konv − Q_vvb + P_cp,
//   fuel         Φ = P_b·τ + P_pilot·(1 − τ),  day efficiency η = U / Φ,
// and the year's gross energy counts D / η for the day's demand D (core/model/annual_sums.cpp).
// U = η·Φ solved for the burner's input gives
//   P_b·τ·(1 − η) = L_fg·τ + Q_sb·(1 − τ) + Q_konv + Q_vvb − P_cp + (η − 0.7)·P_pilot·(1 − τ),
// and with it
//   D / η = D + L_fg·τ + Q_sb·(1 − τ) + Q_konv + Q_vvb − P_cp + (η − 0.7)·P_pilot·(1 − τ)
//           + (D − P_b·τ·η)·(1/η − 1).
// Each term times 24 h is one part of the day's fuel. The pilot flame's part is its fuel counted
// by η less the 70 % of its heat that covers the standby loss. The last term is what the balance
// leaves: a trace within its ±0.1 % on a day the boiler meets, the losses charged for the
// undelivered heat on a day it cannot. On a day of η ≤ 0 the fuel is P_b·τ instead, and the same
// identity leaves P_b·τ·η − D. From files, without P_b, that term is what the fuel leaves over.
std::optional<EnergyParts> day_energy(const ChartDay& day, const CaseTerms& terms) {
  const auto demand = value(day.with_pump, DailyField::heat_demand);
  const auto run_time = value(day.with_pump, DailyField::run_time);
  const auto efficiency_percent = value(day.with_pump, DailyField::day_efficiency);
  const auto convection = value(day.with_pump, DailyField::convection_loss);
  const auto standby = value(day.with_pump, DailyField::standby_loss);
  const auto flue_gas = value(day.with_pump, DailyField::flue_gas_loss);
  if (!demand || !run_time || !efficiency_percent || !convection || !standby || !flue_gas) {
    return std::nullopt;
  }
  const double efficiency = *efficiency_percent / kPerCent;
  const double load = *demand + terms.hot_water_load_w;

  EnergyParts parts;
  parts[EnergyPart::space_heat] = *demand * kHoursPerDay;
  parts[EnergyPart::hot_water] = terms.hot_water_load_w * kHoursPerDay;
  parts[EnergyPart::flue_gas] = *flue_gas * kHoursPerDay;
  parts[EnergyPart::convection] = *convection * kHoursPerDay;
  parts[EnergyPart::standby] = *standby * kHoursPerDay;
  parts[EnergyPart::heater] = terms.heater_loss_w * kHoursPerDay;
  parts[EnergyPart::pilot] = (efficiency - static_cast<double>(core::kPilotHeatShare)) *
                             terms.pilot_power_w * (1.0 - *run_time) * kHoursPerDay;
  parts[EnergyPart::pump_heat] = -terms.pump_heat_w * kHoursPerDay;

  if (efficiency > 0.0) {
    parts.fuel_wh = load / efficiency * kHoursPerDay;
  } else if (day.burner_power_w) {
    parts.fuel_wh = *day.burner_power_w * *run_time * kHoursPerDay;
  } else {
    return std::nullopt;
  }
  if (day.burner_power_w) {
    const double burner_output = *day.burner_power_w * *run_time * efficiency;
    parts[EnergyPart::other] = (efficiency > 0.0 ? (load - burner_output) * (1.0 / efficiency - 1.0)
                                                 : burner_output - load) *
                               kHoursPerDay;
  } else {
    double known = 0.0;
    for (std::size_t i = 0; i < kEnergyPartCount; ++i) {
      known += parts.wh[i];
    }
    parts[EnergyPart::other] = parts.fuel_wh - known;
  }
  return parts;
}

std::optional<int> calendar_year_days(const ChartYear& year) {
  if (!year.climate || !year.climate->numbered_in_order ||
      (year.climate->day_count != kCommonYearDays && year.climate->day_count != kLeapYearDays)) {
    return std::nullopt;
  }
  return year.climate->day_count;
}

std::array<int, kMonths> month_last_days(int year_days) {
  const int calendar_year = year_days == kLeapYearDays ? kLeapYear : kCommonYear;
  std::array<int, kMonths> last_days{};
  int last_day = 0;
  for (std::size_t month = 0; month < last_days.size(); ++month) {
    last_day += core::days_in_month(calendar_year, static_cast<int>(month) + 1);
    last_days[month] = last_day;
  }
  return last_days;
}

std::variant<MonthlyEnergy, QString> monthly_energy(const ChartYear& year) {
  if (!year.climate) {
    return QCoreApplication::translate(
        "YearEnergy",
        "Klimatfilen kunde inte läsas, så det går inte att veta vilken månad "
        "dagarna hör till.");
  }
  const std::optional<int> year_days = calendar_year_days(year);
  if (!year_days) {
    return QCoreApplication::translate(
               "YearEnergy",
               "Månader visas bara när klimatfilen har 365 eller 366 dagar i följd "
               "med dag 1 = 1 januari. Den här klimatfilen har %1 dagar.")
        .arg(year.climate->day_count);
  }
  if (!year.terms) {
    return QCoreApplication::translate("YearEnergy",
                                       "Varmvattnets och beredarens effekter är okända, eftersom "
                                       "sammanfattningen inte kunde läsas.");
  }
  const std::array<int, kMonths> last_days = month_last_days(*year_days);
  MonthlyEnergy monthly;
  for (const ChartDay& day : year.days) {
    const std::optional<float>& number = day.with_pump[DailyField::day];
    const std::optional<EnergyParts> parts = day_energy(day, *year.terms);
    if (!number || !parts || *number < 1.0f || *number > static_cast<float>(*year_days)) {
      ++monthly.days_left_out;
      continue;
    }
    monthly.months[month_of(static_cast<int>(*number), last_days)] += *parts;
  }
  return monthly;
}

std::variant<EnergyFlow, QString> energy_flow(const ChartYear& year) {
  if (!year.annual || !year.terms) {
    return QCoreApplication::translate(
        "YearEnergy", "Årets energier är okända, eftersom sammanfattningen inte kunde läsas.");
  }
  EnergyParts sums;
  for (const ChartDay& day : year.days) {
    if (const std::optional<EnergyParts> parts = day_energy(day, *year.terms)) {
      sums += *parts;
    }
  }
  const AnnualFigures& annual = *year.annual;
  EnergyFlow flow;
  flow.fuel = annual.gross;
  flow.useful_heat =
      flow_part(EnergyPart::space_heat, QCoreApplication::translate("YearEnergy", "Nyttig värme"),
                annual.net, flow.fuel);
  const std::array<FlowPart, 7> losses{
      flow_part(EnergyPart::flue_gas, annual.flue_gas, flow.fuel),
      flow_part(EnergyPart::standby, annual.standby, flow.fuel),
      flow_part(EnergyPart::convection, annual.convection, flow.fuel),
      flow_part(EnergyPart::heater, summary_energy_of(sums[EnergyPart::heater]), flow.fuel),
      flow_part(EnergyPart::pilot, summary_energy_of(sums[EnergyPart::pilot]), flow.fuel),
      flow_part(EnergyPart::pump_heat, summary_energy_of(sums[EnergyPart::pump_heat]), flow.fuel),
      // From files the days' sum of what the fuel leaves over would repeat the rounding of the
      // daily lines; the summary's own figures leave less.
      flow_part(EnergyPart::other,
                summary_energy_of(year.source == YearSource::calculation
                                      ? sums[EnergyPart::other]
                                      : annual.gross.wh - annual.net.wh - annual.flue_gas.wh -
                                            annual.standby.wh - annual.convection.wh -
                                            sums[EnergyPart::heater] - sums[EnergyPart::pilot] -
                                            sums[EnergyPart::pump_heat]),
                flow.fuel),
  };
  flow.losses.assign(losses.begin(), losses.end());
  if (year.cost) {
    flow.sek_per_fuel_kwh = year.cost->sek_per_fuel_kwh;
  }
  return flow;
}

std::vector<double> demand_duration(const ChartYear& year) {
  const double hot_water = year.terms ? year.terms->hot_water_load_w : 0.0;
  std::vector<double> demand;
  demand.reserve(year.days.size());
  for (const ChartDay& day : year.days) {
    if (const auto heat = value(day.with_pump, DailyField::heat_demand)) {
      demand.push_back(*heat + hot_water);
    }
  }
  std::sort(demand.begin(), demand.end(), std::greater<>());
  return demand;
}

QString nothing_to_show(const ChartYear& year) {
  if (!year.days.empty()) {
    return {};
  }
  return QCoreApplication::translate("YearEnergy",
                                     "Året har ingen eldningsdag – det finns inget att visa.");
}

std::optional<std::array<double, kMonths>> heat_pump_monthly_kwh(const ChartYear& year) {
  const std::optional<int> year_days = calendar_year_days(year);
  if (!year.heat_pump || !year_days ||
      year.heat_pump->days.size() != static_cast<std::size_t>(*year_days)) {
    return std::nullopt;
  }
  const std::array<int, kMonths> last_days = month_last_days(*year_days);
  std::array<double, kMonths> months{};
  std::size_t month = 0;
  for (std::size_t day = 0; day < year.heat_pump->days.size(); ++day) {
    while (static_cast<int>(day) + 1 > last_days[month]) {
      ++month;
    }
    months[month] += year.heat_pump->days[day].electricity_kwh();
  }
  return months;
}

HeatPumpFlow heat_pump_flow(const core::HeatPumpYear& year, bool ground_source) {
  HeatPumpFlow flow;
  flow.sources = {
      {QCoreApplication::translate("YearEnergy", "Kompressorns el"), year.compressor_kwh},
      {ground_source ? QCoreApplication::translate("YearEnergy", "Värme ur marken")
                     : QCoreApplication::translate("YearEnergy", "Värme ur luften"),
       year.unit_heat_kwh - year.compressor_kwh},
      {QCoreApplication::translate("YearEnergy", "Elpatronen"), year.backup_heat_kwh},
      {QCoreApplication::translate("YearEnergy", "Viloeffekternas el"), year.off_mode_kwh},
  };
  flow.uses = {
      {QCoreApplication::translate("YearEnergy", "Rumsvärme"), year.space_heat_kwh},
      {QCoreApplication::translate("YearEnergy", "Varmvatten och beredarförlust"),
       year.hot_water_kwh},
      {QCoreApplication::translate("YearEnergy", "Värme som inte täcks"), -year.unmet_kwh},
      {QCoreApplication::translate("YearEnergy", "Viloeffekter, ingen värme"), year.off_mode_kwh},
  };
  return flow;
}

}  // namespace varmkalk
