// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/line_reader.h"
#include "core/model/climate_record.h"

namespace varmkalk::core {

// One climate record from its line: day number in columns 1–4 (integer), outdoor temperature
// in columns 5–11 (real, one implied decimal: "-52" is -5.2 °C). An empty line is day 0 at
// 0.0 °C. Throws ConversionError whose text starts with the columns of the bad field.
ClimateRecord parse_climate_line(std::string_view line);

// A climate file read record by record, in file order, to its end.
class ClimateFile {
 public:
  ClimateFile(const std::filesystem::path& path, std::string name);

  // The next record, or nothing at the end of the file. Throws RunError naming the file, line
  // and columns of a field that is not a number.
  std::optional<ClimateRecord> next();

 private:
  LineReader reader_;
};

// The records of a climate file in order, up to its end or up to the first line that holds no
// record; then `fault` is the message of that line and the records before it are kept.
struct ClimateDays {
  std::vector<ClimateRecord> records;
  std::optional<std::string> fault;
};

// Reads the rest of the file.
ClimateDays read_climate_days(ClimateFile& file);

// Opens `file_name` from the working folder, or when it is not there from `fallback_dir` (empty:
// no fallback). Throws RunError naming the file and every place looked in.
ClimateFile open_climate_file(std::string_view file_name, const std::filesystem::path& work_dir,
                              const std::filesystem::path& fallback_dir);

// The climate folder installed with a program: ../share/varmkalk/climate from the folder of its
// executable.
std::filesystem::path climate_dir_beside(const std::filesystem::path& executable_path);

// The climate folder installed with the engine, climate_dir_beside the running executable; empty
// when the executable's path cannot be found.
std::filesystem::path installed_climate_dir();

// The folders of one run: the working folder with styrfil.dat and the result files, and the
// folder of the installed climate files, used when the working folder has none (empty: none).
struct RunFolders {
  std::filesystem::path work_dir;
  std::filesystem::path climate_fallback_dir;
};

// The folders of this process: the current folder and the climate files installed beside the
// executable.
RunFolders process_run_folders();

}  // namespace varmkalk::core
