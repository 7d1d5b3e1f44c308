// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/result_file_names.h"

#include "core/files/run_error.h"
#include "core/formats/control_file.h"
#include "core/formats/identity_name.h"
#include "core/text/byte_code.h"

namespace varmkalk::core {

ResultFileNames result_file_names_of(const CalcIdentity& identity) {
  const std::string stem = identity.padded();
  return {stem + ".dat", stem + "sum.dat", stem + "sum_c.dat"};
}

ResultFileNames result_file_names(const CalcIdentity& identity) {
  // Separators and control characters are named as they always were.
  if (const std::optional<PortableNameFault> fault = identity_name_fault(identity);
      fault && !identity_fault(identity)) {
    throw RunError(std::string(kControlFileName) + ", rad " + std::to_string(kControlFileLines) +
                   ", kolumn " + std::to_string(fault->position) + ": beräkningsidentiteten " +
                   portable_name_fault_text(*fault, identity.padded()) +
                   "; den kan inte ingå i resultatfilernas namn");
  }
  if (const std::optional<FileNameFault> fault = identity_fault(identity)) {
    const char* const reason = fault->kind == FileNameFault::Kind::separator
                                   ? "ett snedstreck, som skulle peka ut en annan mapp"
                                   : "ett styrtecken";
    throw RunError(std::string(kControlFileName) + ", rad " + std::to_string(kControlFileLines) +
                   ", kolumn " + std::to_string(fault->position) +
                   ": beräkningsidentiteten innehåller " + reason + " (" +
                   byte_code_text(fault->byte) + ") och kan inte ingå i ett filnamn");
  }
  return result_file_names_of(identity);
}

}  // namespace varmkalk::core
