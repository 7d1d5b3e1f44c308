// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/case/calc_identity.h"

namespace varmkalk::core {

std::optional<FileNameFault> identity_fault(const CalcIdentity& identity) {
  return file_name_fault(identity.padded());
}

std::optional<FileNameFault> identity_name_fault(const CalcIdentity& identity) {
  return portable_name_fault(identity.padded() + ".dat");
}

}  // namespace varmkalk::core
