// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

#include "core/case/calc_identity.h"
#include "core/case/climates.h"
#include "core/case/heating_systems.h"
#include "core/formats/result_file_names.h"

namespace varmkalk::core {

// A value of a kept summary report as printed: a number, asterisks where the value was too wide
// for its columns (it exists but is not known, it is not zero), or "-" where it is undefined (the
// efficiencies of a year without heating days).
struct ReportValue {
  enum class Kind { number, too_wide, undefined };
  Kind kind = Kind::number;
  float number = 0.0f;  // the printed number; only for Kind::number
  std::string text;     // the field as printed, without the blanks before it

  std::optional<float> known() const {
    return kind == Kind::number ? std::optional<float>(number) : std::nullopt;
  }
};

// A flue-gas point of the report's input section.
struct ReportFlueGasPoint {
  ReportValue supply_temp_c;
  ReportValue return_temp_c;
  ReportValue flue_gas_temp_c;
};

// Everything a summary report holds, in the units it prints.
struct SummaryReport {
  // The two empty lines that start the copy in xxxxsum.dat (not resultat.dat) were there.
  bool leading_empty_lines = false;

  ReportValue efficiency_percent;
  ReportValue efficiency_without_pump_percent;
  ReportValue net_energy_kwh;
  ReportValue gross_energy_kwh;
  ReportValue convection_energy_kwh;
  ReportValue standby_energy_kwh;
  ReportValue flue_gas_energy_kwh;
  ReportValue pilot_energy_kwh;
  ReportValue pump_electricity_kwh;
  ReportValue hot_water_kwh_per_year;
  ReportValue heater_loss_kwh_per_year;

  // The identity the three result files are named by, padded to four characters.
  CalcIdentity identity;
  ResultFileNames names;

  ReportValue max_power_kw;
  ReportValue min_power_kw;
  ReportValue air_ratio;
  std::optional<ReportValue> pilot_power_w;  // empty: "Ingen pilotflamma"
  ReportFlueGasPoint low_temp;
  ReportFlueGasPoint high_temp;
  ReportValue convection_constant;
  ReportValue standby_constant;
  ReportValue standby_exponent;

  DesignTemperatures heating_system;
  // A bundled place, or the name of an own climate file as the report prints it (Windows-1252).
  std::variant<Place, std::string> climate = Place::kiruna;
  ReportValue design_heat_demand_w;
  ReportValue indoor_temp_c;
  ReportValue min_return_temp_c;
  ReportValue pump_power_w;
  ReportValue pump_share_percent;
  ReportValue hot_water_kwh;
  ReportValue heater_loss_kwh_per_day;
};

// A file that is not a summary report as the engine writes it. what() is one Swedish line of
// valid UTF-8 that names the file and, where one is at fault, the line.
class SummaryReportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Larger than any summary report many times over.
inline constexpr std::size_t kLargestSummaryReportBytes = 64 * 1024;

// Reads a summary report from the bytes of xxxxsum.dat (47 lines, the first two empty) or of
// resultat.dat (45 lines); `file_name` (UTF-8) names it in messages. Strict: every line must be
// exactly what the engine writes, down to the columns of each value, and nothing may follow the
// last one; lines end in CR LF (or LF, as an editor may have saved them). Throws
// SummaryReportError at the first line that differs, naming the file, the line and what is
// wrong; a file in UTF-8 rather than Windows-1252 is named as such.
SummaryReport parse_summary_report(std::string_view bytes, std::string_view file_name);

// The same for the file at `path`; one that is not a regular file, or larger than
// kLargestSummaryReportBytes, is refused, as is one that cannot be read.
SummaryReport read_summary_report(const std::filesystem::path& path, std::string_view file_name);

}  // namespace varmkalk::core
