#pragma once

#include <string>

#include "run_parameters.h"

namespace kalvex {

inline constexpr const char* kResultFileName = "resultat.dat";

// Forms raw_file_name, summary_file_name and pump_file_name from calc_id: the four characters
// as read, then ".dat", "sum.dat" or "sum_c.dat". Throws RunError when calc_id holds a
// character that cannot stand in a file name (a path separator or a control character), so a
// result file can never be created outside the working folder.
void set_result_file_names(RunParameters& params);

// The name a result file is created under: its name field without the trailing blanks.
std::string created_name(const FileNameText& name_field);

}  // namespace kalvex
