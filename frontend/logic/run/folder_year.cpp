// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/folder_year.h"

#include "core/files/run_error.h"
#include "core/formats/control_file.h"
#include "core/run/case_run.h"
#include "frontend/logic/run/file_names.h"

#include <new>

namespace varmkalk {

std::variant<core::ClimateDays, QString> read_climate(std::string_view file_name,
                                                      const QString& folder,
                                                      const QString& fallback_dir) {
  core::FoundClimate found =
      core::find_climate(file_name, to_path(folder), optional_folder_path(fallback_dir));
  if (!found.days) {
    return QString::fromStdString(found.open_fault);
  }
  if (found.days->fault) {
    return QString::fromStdString(*found.days->fault);
  }
  return std::move(*found.days);
}

std::variant<FolderYear, QString> folder_year(const QString& folder,
                                              const QString& climate_fallback_dir) {
  try {
    return case_year(core::read_control_file(to_path(folder)), folder, climate_fallback_dir);
  } catch (const core::RunError& e) {
    return QString::fromStdString(e.what());
  }
}

std::variant<FolderYear, QString> case_year(const core::BoilerCase& input, const QString& folder,
                                            const QString& climate_fallback_dir) {
  FolderYear folder_year;
  folder_year.input = input;
  auto climate = read_climate(core::climate_file_name(folder_year.input.climate), folder,
                              climate_fallback_dir);
  if (auto* fault = std::get_if<QString>(&climate)) {
    return std::move(*fault);
  }
  folder_year.climate = std::move(std::get<core::ClimateDays>(climate));
  try {
    folder_year.year = core::run_year(folder_year.input, folder_year.climate.records);
  } catch (const std::bad_alloc&) {
    return QStringLiteral("minnet räckte inte till.");
  }
  if (folder_year.year.refusal) {
    return QString::fromStdString(*folder_year.year.refusal);
  }
  return folder_year;
}

}  // namespace varmkalk
