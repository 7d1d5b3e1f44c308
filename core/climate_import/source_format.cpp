// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/source_format.h"

#include <optional>
#include <string>

#include "core/climate_import/epw.h"
#include "core/climate_import/plain_csv.h"
#include "core/climate_import/smhi_csv.h"
#include "core/climate_import/source_text.h"

namespace varmkalk::core {

std::string_view format_description(SourceFormat format) {
  switch (format) {
    case SourceFormat::smhi_daily:
      return "SMHI, dygnsmedeltemperatur";
    case SourceFormat::smhi_hourly:
      return "SMHI, lufttemperatur per timme";
    case SourceFormat::epw:
      return "EnergyPlus (EPW)";
    case SourceFormat::plain_csv:
      return "tabell med datum och dygnsmedeltemperatur";
  }
  return {};
}

std::variant<SourceFormat, ImportError> detect_source_format(std::string_view text,
                                                             std::string_view name) {
  LineSplitter lines(text);
  const std::optional<SourceLine> first = lines.next();
  if (first && is_epw_first_line(first->text)) {
    return SourceFormat::epw;
  }
  for (std::optional<SourceLine> line = first; line && line->number <= kLinesBeforeSmhiColumns;
       line = lines.next()) {
    if (is_smhi_daily_header(line->text)) {
      return SourceFormat::smhi_daily;
    }
    if (is_smhi_hourly_header(line->text)) {
      return SourceFormat::smhi_hourly;
    }
  }
  if (looks_like_plain_csv(text)) {
    return SourceFormat::plain_csv;
  }
  return ImportError{shown_name(name) +
                     ": okänt format; det går att läsa SMHI:s CSV-filer med "
                     "dygnsmedeltemperatur eller lufttemperatur per timme, EnergyPlus-filer "
                     "(.epw) och tabeller med datum ÅÅÅÅ-MM-DD och temperatur"};
}

}  // namespace varmkalk::core
