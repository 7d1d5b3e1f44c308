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

// How a climate file is read. The six bundled files are read as they always have been; a file of
// the user's own must hold one whole year as kalvex-klimat writes it.
enum class ClimateReading { bundled, whole_year };

// A climate file read record by record, in file order, to its end.
class ClimateFile {
 public:
  // `name` names the file in messages (UTF-8).
  ClimateFile(const std::filesystem::path& path, std::string name,
              ClimateReading reading = ClimateReading::bundled);

  // The next record, or nothing at the end of the file. Throws RunError naming the file, line
  // and columns of a field that is not a number, or for a whole year, of a line that is not the
  // year's next day as a climate file writes it.
  std::optional<ClimateRecord> next();

  ClimateReading reading() const { return reading_; }
  const std::string& name() const { return reader_.name(); }

 private:
  LineReader reader_;
  ClimateReading reading_;
};

// The records of a climate file in order, up to its end or up to the first line that holds no
// record; then `fault` is the message of that line and the records before it are kept.
struct ClimateDays {
  std::vector<ClimateRecord> records;
  std::optional<std::string> fault;
};

// Reads the rest of the file. A whole year is read whole or not at all: any fault in it, or a
// length other than 365 or 366 days, throws RunError.
ClimateDays read_climate_days(ClimateFile& file);

// Opens `file_name` (as line 24 or the bundled table gives it, Windows-1252) from the working
// folder, or when it is not there from `fallback_dir` (empty: no fallback): under its file
// system name (UTF-8), or else under the bytes as they stand. A name that is not one of the
// bundled files' is read as a whole year. Throws RunError naming the file and every place looked
// in.
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
