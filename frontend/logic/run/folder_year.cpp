// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/folder_year.h"

#include "core/case/climate_choice.h"
#include "core/formats/control_file.h"
#include "frontend/logic/run/file_names.h"

#include <QCoreApplication>

#include <exception>
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

std::shared_ptr<const core::FoundClimate> find_case_climate(const core::BoilerCase& input,
                                                            const QString& folder,
                                                            const QString& climate_fallback_dir) {
  return std::make_shared<const core::FoundClimate>(
      core::find_climate(core::climate_file_name(input.climate), to_path(folder),
                         optional_folder_path(climate_fallback_dir)));
}

CaseYear case_year(const core::BoilerCase& input,
                   std::shared_ptr<const core::FoundClimate> climate) {
  CaseYear computed{input, std::move(climate), std::nullopt};
  if (computed.climate->days && !computed.climate->days->fault) {
    try {
      computed.year = core::run_year(computed.input, computed.climate->days->records);
    } catch (const std::bad_alloc&) {
      computed.year.reset();
    }
  }
  return computed;
}

CalculationYear folder_year(const QString& folder, const QString& climate_fallback_dir) {
  core::BoilerCase input;
  try {
    input = core::read_control_file(to_path(folder));
  } catch (const std::exception& e) {
    return QString::fromStdString(e.what());
  }
  auto climate = find_case_climate(input, folder, climate_fallback_dir);
  return case_year(input, std::move(climate));
}

std::optional<QString> year_fault(const CalculationYear& computed) {
  if (const auto* why = std::get_if<QString>(&computed)) {
    return *why;
  }
  const CaseYear& ran = std::get<CaseYear>(computed);
  const core::FoundClimate& climate = *ran.climate;
  if (!climate.days) {
    return QString::fromStdString(climate.open_fault);
  }
  if (climate.days->fault) {
    return QString::fromStdString(*climate.days->fault);
  }
  if (!ran.year) {
    return QCoreApplication::translate("FolderYear", "minnet räckte inte till.");
  }
  if (ran.year->refusal) {
    return QString::fromStdString(*ran.year->refusal);
  }
  return std::nullopt;
}

}  // namespace varmkalk
