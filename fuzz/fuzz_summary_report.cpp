// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a kept summary report: the reader either gives a report whose numbers are
// finite, whose asterisks and dashes are what they say and whose three file names belong to one
// identity, read alike with CR LF or LF line ends, or ends with one Swedish line of valid UTF-8
// that names the file.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "core/formats/summary_report_reader.h"
#include "fuzz/fuzz_support.h"

namespace {

using varmkalk::core::ReportValue;
using varmkalk::core::SummaryReport;

void check(const ReportValue& value) {
  using varmkalk::fuzz::require;
  switch (value.kind) {
    case ReportValue::Kind::number:
      require(std::isfinite(value.number), "a number that is not finite", value.text);
      require(!value.text.empty() && value.text.front() != ' ', "a number without its text",
              value.text);
      break;
    case ReportValue::Kind::too_wide:
      require(!value.text.empty() && value.text.find_first_not_of('*') == std::string::npos,
              "a value too wide for its field that is not asterisks", value.text);
      break;
    case ReportValue::Kind::undefined:
      require(value.text == "-", "an undefined value that is not a dash", value.text);
      break;
  }
}

void check(const SummaryReport& report) {
  for (const ReportValue* value : {&report.efficiency_percent,
                                   &report.efficiency_without_pump_percent,
                                   &report.net_energy_kwh,
                                   &report.gross_energy_kwh,
                                   &report.convection_energy_kwh,
                                   &report.standby_energy_kwh,
                                   &report.flue_gas_energy_kwh,
                                   &report.pilot_energy_kwh,
                                   &report.pump_electricity_kwh,
                                   &report.hot_water_kwh_per_year,
                                   &report.heater_loss_kwh_per_year,
                                   &report.max_power_kw,
                                   &report.min_power_kw,
                                   &report.air_ratio,
                                   &report.low_temp.supply_temp_c,
                                   &report.low_temp.return_temp_c,
                                   &report.low_temp.flue_gas_temp_c,
                                   &report.high_temp.supply_temp_c,
                                   &report.high_temp.return_temp_c,
                                   &report.high_temp.flue_gas_temp_c,
                                   &report.convection_constant,
                                   &report.standby_constant,
                                   &report.standby_exponent,
                                   &report.design_heat_demand_w,
                                   &report.indoor_temp_c,
                                   &report.min_return_temp_c,
                                   &report.pump_power_w,
                                   &report.pump_share_percent,
                                   &report.hot_water_kwh,
                                   &report.heater_loss_kwh_per_day}) {
    check(*value);
  }
  if (report.pilot_power_w) {
    check(*report.pilot_power_w);
  }
  const auto names = varmkalk::core::result_file_names_of(report.identity);
  varmkalk::fuzz::require(names.raw_file == report.names.raw_file &&
                              names.summary_file == report.names.summary_file &&
                              names.pump_file == report.names.pump_file,
                          "file names of another identity", report.names.summary_file);
  varmkalk::fuzz::require(!varmkalk::core::identity_fault(report.identity),
                          "an identity that cannot name a file", report.identity.text());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varmkalk;
  const std::string bytes = fuzz::bytes_of(data, size);
  try {
    const core::SummaryReport report = core::parse_summary_report(bytes, "in.dat");
    check(report);
    // The same lines with LF line ends read alike.
    std::string lf_only;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) {
        lf_only += bytes[i];
      }
    }
    const core::SummaryReport again = core::parse_summary_report(lf_only, "in.dat");
    fuzz::require(again.efficiency_percent.text == report.efficiency_percent.text &&
                      again.names.summary_file == report.names.summary_file &&
                      again.heater_loss_kwh_per_day.text == report.heater_loss_kwh_per_day.text,
                  "the report reads otherwise with LF line ends");
  } catch (const core::SummaryReportError& e) {
    fuzz::require_clear_message(e.what(), "Sammanfattningen in.dat");
  } catch (const std::exception& e) {
    fuzz::finding("parse_summary_report ended with an exception that is not a SummaryReportError",
                  e.what());
  }
  return 0;
}
