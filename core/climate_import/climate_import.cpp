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

namespace {

// The first lines of the file, as many as the format is told from: every line up to the last
// that may hold SMHI's column names, and the first two that are not empty. Throws ImportFailure
// for a line that is too long.
std::string first_lines(LineSplitter& lines) {
  constexpr int kTextLinesTellingPlainTable = 2;
  std::string text;
  int text_lines = 0;
  while (const std::optional<SourceLine> line = lines.next()) {
    const bool empty = trimmed(line->text).empty();
    if (line->number <= kLinesBeforeSmhiColumns || !empty) {
      text += line->text;
      text += '\n';
    }
    text_lines += empty ? 0 : 1;
    if (line->number >= kLinesBeforeSmhiColumns && text_lines >= kTextLinesTellingPlainTable) {
      break;
    }
  }
  return text;
}

}  // namespace

std::variant<ImportedClimate, ImportError> import_climate(InputFile& file,
                                                          const ImportOptions& options) {
  const std::string name = shown_name(options.source_name);
  std::string start(2, '\0');
  std::size_t read = 0;
  for (std::size_t count = 1; read < start.size() && count > 0; read += count) {
    count = file.read_some(start.data() + read, start.size() - read);
  }
  start.resize(read);
  if (starts_as_utf16(start)) {
    return ImportError{name + ": filen är kodad i UTF-16; spara den som UTF-8 eller Windows-1252"};
  }
  file.rewind();
  std::string head;
  if (const ImportResult fault = guarded(name,
                                         [&]() -> ClimateYear {
                                           LineSplitter lines(file, name);
                                           head = first_lines(lines);
                                           return {};
                                         });
      std::holds_alternative<ImportError>(fault)) {
    return std::get<ImportError>(fault);
  }
  const auto format = detect_source_format(head, options.source_name);
  if (const auto* error = std::get_if<ImportError>(&format)) {
    return *error;
  }
  file.rewind();
  LineSplitter lines(file, name);
  ImportResult year = import_source(lines, std::get<SourceFormat>(format), options);
  if (auto* error = std::get_if<ImportError>(&year)) {
    return std::move(*error);
  }
  return ImportedClimate{std::get<SourceFormat>(format), std::move(std::get<ClimateYear>(year))};
}

ImportResult import_source(std::string_view text, SourceFormat format,
                           const ImportOptions& options) {
  LineSplitter lines(text);
  return import_source(lines, format, options);
}

ImportResult import_source(LineSplitter& lines, SourceFormat format, const ImportOptions& options) {
  const std::string name = shown_name(options.source_name);
  return guarded(name, [&]() -> ClimateYear {
    switch (format) {
      case SourceFormat::smhi_daily:
        return read_smhi_daily(lines, name, options);
      case SourceFormat::smhi_hourly:
        return read_smhi_hourly(lines, name, options);
      case SourceFormat::epw:
        return read_epw(lines, name, options);
      case SourceFormat::plain_csv:
        return read_plain_csv(lines, name, options);
    }
    fail(name + ": okänt format");
  });
}

}  // namespace varmkalk::core
