// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/files/byte_source.h"

namespace varmkalk::batch {

// How many bytes were read and a running hash of them: a file read twice gives the same
// fingerprint both times only when it did not change in between (FNV-1a, 64 bits: a change
// passes unseen with a chance of one in 2^64).
struct TableFingerprint {
  std::uint64_t bytes = 0;
  std::uint64_t hash = 0xcbf29ce484222325u;

  friend bool operator==(const TableFingerprint&, const TableFingerprint&) = default;
};

// The bytes of another source, handed on unchanged while their fingerprint is taken.
class FingerprintedSource : public core::ByteSource {
 public:
  explicit FingerprintedSource(core::ByteSource& source) : source_(source) {}

  std::size_t read_some(char* into, std::size_t most) override;
  const TableFingerprint& fingerprint() const { return fingerprint_; }

 private:
  core::ByteSource& source_;
  TableFingerprint fingerprint_;
};

}  // namespace varmkalk::batch
