// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/identity_name.h"

namespace varmkalk::core {

std::optional<PortableNameFault> identity_name_fault(const CalcIdentity& identity) {
  // The three files share the stem; Windows matches device names on it alone.
  return portable_name_fault(identity.padded() + ".dat");
}

}  // namespace varmkalk::core
