// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QLocale>
#include <QString>

#include <optional>
#include <variant>

#include "frontend/logic/run/file_error.h"

namespace varmkalk {

// A climate file of the working folder that a case can take as its own climate.
struct OwnClimateFile {
  QString name;
  double suggested_design_temp_c = 0.0;  // the lowest mean over three consecutive days
};

// The folder's .dat files, the six bundled climates' names excepted, that read as a year of 365
// or 366 daily means; in name order. Result files and anything else are passed over.
QList<OwnClimateFile> own_climate_files(const QString& folder);

// What to import, and where to.
struct ClimateImportRequest {
  QString source_path;
  QString target_name;      // a name in the working folder, ending in .dat
  std::optional<int> year;  // the calendar year to take; none: the source's only year
  bool allow_suspect = false;
};

// An imported climate, written into the folder.
struct ImportedClimateFile {
  OwnClimateFile file;
  QString summary;  // the year's figures, one per line, numbers in the user's locale
};

// Imports the source into a new climate file in the folder: SMHI's daily or hourly CSV, an
// EnergyPlus file or a plain table of date and temperature. An existing file is never replaced.
// Fails with a Swedish message naming the file and what is wrong.
std::variant<ImportedClimateFile, FileError> import_climate_into(
    const QString& folder, const ClimateImportRequest& request, const QLocale& locale);

// The name a source suggests for its climate file: its stem in lower-case letters and digits,
// short enough for the control file, with ".dat".
QString suggested_climate_file_name(const QString& source_path);

}  // namespace varmkalk
