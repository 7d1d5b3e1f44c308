// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/case/calc_identity.h"

namespace varmkalk::core {

std::optional<FileNameFault> identity_fault(const CalcIdentity& identity) {
  return file_name_fault(identity.padded());
}

}  // namespace varmkalk::core
