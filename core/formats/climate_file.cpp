// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/climate_file.h"

#include <variant>
#include <vector>

#include "core/climate_import/climate_file.h"
#include "core/files/platform.h"
#include "core/files/run_error.h"
#include "core/formats/climate_file_name.h"
#include "core/text/fixed_field.h"
#include "core/text/utf8_text.h"
#include "core/text/windows1252.h"

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

ClimateFile::ClimateFile(const std::filesystem::path& path, std::string name,
                         ClimateReading reading)
    : reader_(path, std::move(name)), reading_(reading) {}

std::optional<ClimateRecord> ClimateFile::next() {
  std::optional<std::string> line = reader_.next();
  if (!line) {
    return std::nullopt;
  }
  const int number = reader_.line_number();
  if (reading_ == ClimateReading::whole_year) {
    if (number > kMostClimateFileLines) {
      throw RunError(reader_.name() + ": filen har fler än " +
                     std::to_string(kMostClimateFileLines) + " rader");
    }
    if (number == 1) {
      line = std::string(without_utf8_bom(*line));
    }
    const std::variant<int, std::string> tenths = climate_file_line(*line, number, reader_.name());
    if (const auto* fault = std::get_if<std::string>(&tenths)) {
      throw RunError(*fault);
    }
  }
  try {
    return parse_climate_line(*line);
  } catch (const ConversionError& e) {
    throw RunError(reader_.name() + ", rad " + std::to_string(number) + ", " + e.what());
  }
}

ClimateDays read_climate_days(ClimateFile& file) {
  ClimateDays days;
  if (file.reading() == ClimateReading::whole_year) {
    while (const std::optional<ClimateRecord> record = file.next()) {
      days.records.push_back(*record);
    }
    if (const std::optional<std::string> fault =
            climate_file_length_fault(days.records.size(), file.name())) {
      throw RunError(*fault);
    }
    return days;
  }
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
  const std::string shown = shown_from_windows1252(file_name);
  const ClimateReading reading =
      is_bundled_climate_name(file_name) ? ClimateReading::bundled : ClimateReading::whole_year;
  // The name as the file system holds it; a file named by the bytes themselves is still found.
  std::vector<std::string> names = {file_system_name(file_name)};
  if (names.front() != file_name) {
    names.emplace_back(file_name);
  }
  const auto find_in = [&](const std::filesystem::path& folder) -> std::optional<ClimateFile> {
    std::error_code ignored;
    for (const std::string& name : names) {
      const std::filesystem::path path = folder / platform::path_from_utf8(name);
      if (std::filesystem::exists(path, ignored)) {
        return ClimateFile(path, shown, reading);
      }
    }
    return std::nullopt;
  };
  if (std::optional<ClimateFile> local = find_in(work_dir)) {
    return std::move(*local);
  }
  const std::string in_work_dir =
      "i arbetsmappen " + message_safe(platform::utf8_from_path(work_dir));
  if (fallback_dir.empty()) {
    throw RunError(shown + ": klimatfilen finns inte " + in_work_dir);
  }
  if (std::optional<ClimateFile> installed = find_in(fallback_dir)) {
    return std::move(*installed);
  }
  throw RunError(shown + ": klimatfilen finns varken " + in_work_dir + " eller i " +
                 message_safe(platform::utf8_from_path(fallback_dir)));
}

std::filesystem::path climate_dir_beside(const std::filesystem::path& executable_path) {
  return (executable_path.parent_path() / ".." / "share" / "varmkalk" / "climate")
      .lexically_normal();
}

std::filesystem::path installed_climate_dir() {
  const std::filesystem::path executable = platform::executable_path();
  return executable.empty() ? executable : climate_dir_beside(executable);
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
