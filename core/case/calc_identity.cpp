// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/case/calc_identity.h"

namespace varmkalk::core {

std::optional<IdentityFault> identity_fault(const CalcIdentity& identity) {
  const std::string padded = identity.padded();
  for (std::size_t i = 0; i < padded.size(); ++i) {
    const auto c = static_cast<unsigned char>(padded[i]);
    if (c == '/' || c == '\\') {
      return IdentityFault{i + 1, c, "ett snedstreck, som skulle peka ut en annan mapp"};
    }
    if (c < 0x20 || c == 0x7F) {
      return IdentityFault{i + 1, c, "ett styrtecken"};
    }
  }
  return std::nullopt;
}

}  // namespace varmkalk::core
