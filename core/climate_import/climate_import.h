// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <variant>

#include "core/climate_import/climate_year.h"
#include "core/climate_import/import_result.h"
#include "core/climate_import/source_format.h"
#include "core/climate_import/source_text.h"
#include "core/files/file_access.h"

namespace varmkalk::core {

// A year of daily mean outdoor temperatures imported from a source and the format it was in.
struct ImportedClimate {
  SourceFormat format;
  ClimateYear year;
};

// Imports a source from its bytes: UTF-8 (with or without byte order mark) or Windows-1252,
// lines ending in LF or CR LF, the format told from the content. Nothing is filled in: a year
// with a day missing, or with a value whose quality is not accepted, is an error.
std::variant<ImportedClimate, ImportError> import_climate(std::string_view bytes,
                                                          const ImportOptions& options);

// Imports a source from a file of any size as from its bytes: the format is told from its first
// lines, then the file is read again from its start line by line, in memory bounded by the
// longest line. Throws FileAccessError when the file cannot be read.
std::variant<ImportedClimate, ImportError> import_climate(InputFile& file,
                                                          const ImportOptions& options);

// Imports a source's text (UTF-8, as decode_source_text gives it) in a known format.
ImportResult import_source(std::string_view text, SourceFormat format,
                           const ImportOptions& options);
// The same for its lines.
ImportResult import_source(LineSplitter& lines, SourceFormat format, const ImportOptions& options);

}  // namespace varmkalk::core
