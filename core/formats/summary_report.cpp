// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/summary_report.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "core/case/climates.h"
#include "core/case/heating_systems.h"
#include "core/case/units.h"
#include "core/formats/summary_energies.h"
#include "core/formats/summary_table.h"
#include "core/text/fixed_field.h"
#include "core/text/fixed_format.h"
#include "core/text/output_line.h"
#include "core/text/windows1252.h"

namespace varmkalk::core {
float whole_kwh(float energy_kwh) {
  return std::trunc(energy_kwh + 0.5f);
}

float summary_kwh(float energy_wh) {
  return whole_kwh(energy_wh / kWhPerKwh);
}

namespace {

constexpr std::string_view kEmptyLine = "\r\n";

std::string value_line(const SummaryValueLine& line, std::string_view value,
                       int label_column = kSummaryLabelColumn) {
  return summary_labelled_line(label_column, line.label, line.value_column, value, line.unit);
}

std::string value_line(const SummaryValueLine& line, float value) {
  return value_line(line, format_summary_value(line, value));
}

// "- Avgastemperatur vid 40.0 och 30.0", then on the next line the flue-gas temperature.
std::string flue_gas_case(float supply_temp, float return_temp, float flue_gas_temp) {
  return flue_gas_point_line(format_fixed(supply_temp, kFlueGasPointWidth, kFlueGasPointDecimals),
                             format_fixed(return_temp, kFlueGasPointWidth, kFlueGasPointDecimals)) +
         value_line(kFlueGasTempLine, format_summary_value(kFlueGasTempLine, flue_gas_temp),
                    kSummarySubLabelColumn);
}

}  // namespace

std::string summary_text_line(int column, std::string_view text) {
  return OutputLine().at(column).text(to_windows1252(text)).finish();
}

std::string summary_labelled_line(int label_column, std::string_view label, int value_column,
                                  std::string_view value, std::string_view unit) {
  return OutputLine()
      .at(label_column)
      .text(to_windows1252(label))
      .at(value_column)
      .text(value)
      .text(to_windows1252(unit))
      .finish();
}

std::string flue_gas_point_line(std::string_view supply_temp, std::string_view return_temp) {
  return OutputLine()
      .at(kSummaryLabelColumn)
      .text(kFlueGasPointLabel)
      .text(supply_temp)
      .at(kFlueGasPointJoinColumn)
      .text(kFlueGasPointJoin)
      .text(return_temp)
      .finish();
}

std::string format_summary_value(const SummaryValueLine& line, float value) {
  return line.decimals == kWholeNumber ? format_whole(value, line.width)
                                       : format_fixed(value, line.width, line.decimals);
}

std::string format_summary_report(const BoilerCase& input, const AnnualTotals& totals,
                                  const ResultFileNames& names) {
  const SummaryYear year{input, totals, summary_energies(input, totals)};
  std::string report;
  for (const SummaryRow& row : summary_rows()) {
    switch (row.kind) {
      case SummaryRowKind::empty:
        report += kEmptyLine;
        break;
      case SummaryRowKind::text:
        report += summary_text_line(row.column, row.text);
        break;
      case SummaryRowKind::value:
        report += value_line(*row.line, row.of_case ? row.of_case(input) : *row.of_year(year));
        break;
      case SummaryRowKind::efficiency: {
        const std::optional<float> per_cent = row.of_year(year);
        report += value_line(*row.line, per_cent ? format_summary_value(*row.line, *per_cent)
                                                 : std::string(kNoEfficiencyField));
        break;
      }
      case SummaryRowKind::file_names:
        // With a four-character identity the three names all end in column 62.
        report += summary_labelled_line(kSummaryLabelColumn, kRawFileLabel, kRawFileColumn,
                                        field_text(names.raw_file, 1, kFileNameWidth), "");
        report += summary_labelled_line(kSummaryLabelColumn, kSummaryFileLabel, kSummaryFileColumn,
                                        field_text(names.summary_file, 1, kFileNameWidth), "");
        report += summary_labelled_line(kSummaryLabelColumn, kPumpFileLabel, kPumpFileColumn,
                                        field_text(names.pump_file, 1, kFileNameWidth), "");
        break;
      case SummaryRowKind::pilot:
        report += input.combustion.pilot_power_w == 0.0f
                      ? summary_text_line(kSummaryLabelColumn, kNoPilotLine)
                      : value_line(*row.line, input.combustion.pilot_power_w);
        break;
      case SummaryRowKind::flue_gas_point: {
        const FlueGasPoint& point = input.flue_gas.*row.point;
        report += flue_gas_case(point.supply_temp_c, point.return_temp_c, point.flue_gas_temp_c);
        break;
      }
      case SummaryRowKind::heating_system:
        report += summary_text_line(kSummaryLabelColumn,
                                    heating_system_report_line(input.heating_system));
        break;
      case SummaryRowKind::climate:
        report += summary_text_line(kSummaryLabelColumn, climate_report_line(input.climate));
        break;
    }
  }
  return report;
}

}  // namespace varmkalk::core
