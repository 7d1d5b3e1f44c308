// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/own_climate.h"

#include <QDir>
#include <QFileInfo>

#include <optional>
#include <stdexcept>
#include <string>

#include "core/case/climates.h"
#include "core/climate_import/climate_file.h"
#include "core/climate_import/climate_import.h"
#include "core/climate_import/climate_statistics.h"
#include "core/climate_import/climate_summary.h"
#include "core/files/file_access.h"
#include "core/formats/climate_file_name.h"
#include "frontend/logic/run/file_names.h"

namespace varmkalk {

namespace {

constexpr double kTenthsPerDegree = 10.0;
const QString kSuffix = QStringLiteral(".dat");

bool is_bundled(const QString& name) {
  for (const core::Climate& climate : core::kClimates) {
    if (name == from_utf8(climate.file_name)) {
      return true;
    }
  }
  return false;
}

OwnClimateFile described(const QString& name, const core::ClimateYear& year) {
  return {name, core::climate_statistics(year).design_outdoor_tenths_c / kTenthsPerDegree};
}

}  // namespace

QList<OwnClimateFile> own_climate_files(const QString& folder) {
  QList<OwnClimateFile> files;
  const QDir dir(folder);
  for (const QString& name :
       dir.entryList({QStringLiteral("*") + kSuffix}, QDir::Files | QDir::Readable, QDir::Name)) {
    if (is_bundled(name) || name.size() > kLongestClimateFileName) {
      continue;
    }
    try {
      const std::string bytes = core::read_file(dir.filePath(name).toStdString());
      const core::ImportResult year = core::read_climate_file(bytes, name.toStdString());
      if (const auto* read = std::get_if<core::ClimateYear>(&year)) {
        files.append(described(name, *read));
      }
    } catch (const core::FileAccessError&) {
      // A file that cannot be read is no climate to offer.
    }
  }
  return files;
}

std::variant<ImportedClimateFile, FileError> import_climate_into(
    const QString& folder, const ClimateImportRequest& request, const QLocale& locale) {
  const QString name = request.target_name.trimmed();
  // The engine finds the file only by a name line 24 of the control file can carry.
  if (const std::optional<std::string> fault = core::climate_file_name_fault(name.toStdString())) {
    return FileError{QStringLiteral("Namnet \"%1\" går inte att använda för en klimatfil: %2.")
                         .arg(name, QString::fromStdString(*fault))};
  }
  try {
    const std::string source = core::read_file(request.source_path.toStdString());
    core::ImportOptions options;
    options.source_name = QFileInfo(request.source_path).fileName().toStdString();
    options.year = request.year;
    options.allow_suspect = request.allow_suspect;
    const auto imported = core::import_climate(source, options);
    if (const auto* error = std::get_if<core::ImportError>(&imported)) {
      return FileError{QString::fromStdString(error->message)};
    }
    const core::ClimateYear& year = std::get<core::ImportedClimate>(imported).year;
    core::write_file(QDir(folder).filePath(name).toStdString(), core::format_climate_file(year),
                     false);
    const char separator = locale.decimalPoint() == QStringLiteral(",") ? ',' : '.';
    return ImportedClimateFile{described(name, year),
                               QString::fromStdString(core::summary_lines(year, separator))};
  } catch (const core::FileAccessError& error) {
    return FileError{QString::fromStdString(error.what())};
  }
}

QString suggested_climate_file_name(const QString& source_path) {
  QString stem;
  for (const QChar c : QFileInfo(source_path).completeBaseName().toLower()) {
    if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
        (c >= QLatin1Char('0') && c <= QLatin1Char('9'))) {
      stem += c;
    }
  }
  if (stem.isEmpty()) {
    stem = QStringLiteral("klimat");
  }
  const QString name = stem.left(kLongestClimateFileName - kSuffix.size()) + kSuffix;
  return is_bundled(name) ? QStringLiteral("egen") + name.left(kLongestClimateFileName - 4) : name;
}

}  // namespace varmkalk
