// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varmkalk::core {

// Where a reader's bytes come from, a piece at a time, so that no file needs to be in memory
// whole.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `most` of the next bytes into `into`; 0 only at the end. Throws when they cannot be
  // read.
  virtual std::size_t read_some(char* into, std::size_t most) = 0;
};

// Bytes held in memory, handed out at most `piece` at a time.
class MemoryByteSource : public ByteSource {
 public:
  explicit MemoryByteSource(std::string_view bytes, std::size_t piece = SIZE_MAX)
      : bytes_(bytes), piece_(piece) {}

  std::size_t read_some(char* into, std::size_t most) override {
    const std::size_t count = std::min({most, piece_, bytes_.size()});
    bytes_.copy(into, count);
    bytes_.remove_prefix(count);
    return count;
  }

 private:
  std::string_view bytes_;
  std::size_t piece_;
};

}  // namespace varmkalk::core
