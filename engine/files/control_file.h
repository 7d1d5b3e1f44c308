#pragma once

#include <filesystem>
#include <string_view>

#include "run_parameters.h"

namespace kalvex {

inline constexpr std::string_view kControlFileName = "styrfil.dat";
// Lines of the control file that carry values; any after them are never read.
inline constexpr int kControlFileLines = 23;

// Reads the 23 values of styrfil.dat in `work_dir` into fields 1 to 23 of RunParameters. A
// missing file is an error and is not created. Throws RunError naming the line and the fault.
RunParameters read_control_file(const std::filesystem::path& work_dir);

}  // namespace kalvex
