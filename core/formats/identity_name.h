// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "core/case/calc_identity.h"
#include "core/text/portable_name.h"

namespace varmkalk::core {

// Why the identity cannot name result files that are the same files on Linux and on Windows:
// portable_name_fault of its stem, padded as the engine pads it, with ".dat" (identity "nul"
// would name "nul .dat", the NUL device); the position is the identity's column. Nothing when
// it can.
std::optional<PortableNameFault> identity_name_fault(const CalcIdentity& identity);

}  // namespace varmkalk::core
