// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/climate_file.h"

#include "core/files/run_error.h"
#include "core/text/fixed_field.h"

namespace varmkalk::core {
namespace {

constexpr int kDayColumn = 1;
constexpr int kDayWidth = 4;
constexpr int kTempColumn = 5;
constexpr int kTempWidth = 7;
constexpr int kTempImpliedDecimals = 1;

}  // namespace

ClimateRecord parse_climate_line(std::string_view line) {
  ClimateRecord record;
  try {
    record.day_number = read_integer(field_text(line, kDayColumn, kDayWidth));
  } catch (const ConversionError& e) {
    throw ConversionError(std::string("kolumn 1–4: ") + e.what());
  }
  try {
    record.outdoor_temp =
        read_real(field_text(line, kTempColumn, kTempWidth), kTempImpliedDecimals);
  } catch (const ConversionError& e) {
    throw ConversionError(std::string("kolumn 5–11: ") + e.what());
  }
  return record;
}

ClimateFile::ClimateFile(const std::filesystem::path& path, std::string name)
    : reader_(path, std::move(name)) {}

std::optional<ClimateRecord> ClimateFile::next() {
  const std::optional<std::string> line = reader_.next();
  if (!line) {
    return std::nullopt;
  }
  try {
    return parse_climate_line(*line);
  } catch (const ConversionError& e) {
    throw RunError(reader_.name() + ", rad " + std::to_string(reader_.line_number()) + ", " +
                   e.what());
  }
}

ClimateDays read_climate_days(ClimateFile& file) {
  ClimateDays days;
  try {
    while (const std::optional<ClimateRecord> record = file.next()) {
      days.records.push_back(*record);
    }
  } catch (const RunError& e) {
    days.fault = e.what();
  }
  return days;
}

ClimateFile open_climate_file(std::string_view file_name, const std::filesystem::path& work_dir,
                              const std::filesystem::path& fallback_dir) {
  const std::string name(file_name);
  std::error_code ignored;
  const std::filesystem::path local = work_dir / name;
  if (std::filesystem::exists(local, ignored)) {
    return ClimateFile(local, name);
  }
  const std::string in_work_dir = "i arbetsmappen " + work_dir.string();
  if (fallback_dir.empty()) {
    throw RunError(name + ": klimatfilen finns inte " + in_work_dir);
  }
  const std::filesystem::path installed = fallback_dir / name;
  if (std::filesystem::exists(installed, ignored)) {
    return ClimateFile(installed, name);
  }
  throw RunError(name + ": klimatfilen finns varken " + in_work_dir + " eller i " +
                 fallback_dir.string());
}

std::filesystem::path climate_dir_beside(const std::filesystem::path& executable_path) {
  return (executable_path.parent_path() / ".." / "share" / "varmkalk" / "climate")
      .lexically_normal();
}

std::filesystem::path installed_climate_dir() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    return {};
  }
  return climate_dir_beside(executable);
}

RunFolders process_run_folders() {
  std::error_code error;
  std::filesystem::path work_dir = std::filesystem::current_path(error);
  if (error) {
    work_dir = ".";
  }
  return {work_dir, installed_climate_dir()};
}

}  // namespace varmkalk::core
