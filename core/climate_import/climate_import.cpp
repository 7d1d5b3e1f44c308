// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/climate_import.h"

#include <string>
#include <utility>

#include "core/climate_import/epw.h"
#include "core/climate_import/import_failure.h"
#include "core/climate_import/plain_csv.h"
#include "core/climate_import/smhi_csv.h"
#include "core/climate_import/source_text.h"
#include "core/text/utf8_text.h"

namespace varmkalk::core {

std::variant<ImportedClimate, ImportError> import_climate(std::string_view bytes,
                                                          const ImportOptions& options) {
  // Text that the readers cannot take.
  if (starts_as_utf16(bytes)) {
    return ImportError{shown_name(options.source_name) +
                       ": filen är kodad i UTF-16; spara den som UTF-8 eller Windows-1252"};
  }
  const std::string text = decode_source_text(bytes);
  const auto format = detect_source_format(text, options.source_name);
  if (const auto* error = std::get_if<ImportError>(&format)) {
    return *error;
  }
  ImportResult year = import_source(text, std::get<SourceFormat>(format), options);
  if (auto* error = std::get_if<ImportError>(&year)) {
    return std::move(*error);
  }
  return ImportedClimate{std::get<SourceFormat>(format), std::move(std::get<ClimateYear>(year))};
}

ImportResult import_source(std::string_view text, SourceFormat format,
                           const ImportOptions& options) {
  const std::string name = shown_name(options.source_name);
  return guarded(name, [&]() -> ClimateYear {
    switch (format) {
      case SourceFormat::smhi_daily:
        return read_smhi_daily(text, name, options);
      case SourceFormat::smhi_hourly:
        return read_smhi_hourly(text, name, options);
      case SourceFormat::epw:
        return read_epw(text, name, options);
      case SourceFormat::plain_csv:
        return read_plain_csv(text, name, options);
    }
    fail(name + ": okänt format");
  });
}

}  // namespace varmkalk::core
