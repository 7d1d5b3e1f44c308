// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/batch/table_fingerprint.h"

namespace varmkalk::batch {

std::size_t FingerprintedSource::read_some(char* into, std::size_t most) {
  constexpr std::uint64_t kFnvPrime = 0x100000001b3u;
  const std::size_t count = source_.read_some(into, most);
  std::uint64_t hash = fingerprint_.hash;
  for (std::size_t i = 0; i < count; ++i) {
    hash = (hash ^ static_cast<unsigned char>(into[i])) * kFnvPrime;
  }
  fingerprint_.hash = hash;
  fingerprint_.bytes += count;
  return count;
}

}  // namespace varmkalk::batch
