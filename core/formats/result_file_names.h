// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/case/calc_identity.h"

namespace varmkalk::core {

// The engine's second copy of the summary report, the one the front end shows.
inline constexpr std::string_view kResultFileName = "resultat.dat";

// The three result files named by a calculation identity, as they are created: the identity
// padded to four characters, then ".dat" (daily lines, pump heat credited), "sum.dat" (summary
// report) or "sum_c.dat" (daily lines without the pump's heat).
struct ResultFileNames {
  std::string raw_file;
  std::string summary_file;
  std::string pump_file;
};

// The names whatever the identity holds.
ResultFileNames result_file_names_of(const CalcIdentity& identity);

// The same, for files to be created: throws RunError, naming the control file's identity line and
// column, when the identity holds a character that cannot stand in a file name, so that a result
// file can never be created outside the working folder.
ResultFileNames result_file_names(const CalcIdentity& identity);

}  // namespace varmkalk::core
