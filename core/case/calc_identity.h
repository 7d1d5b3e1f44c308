// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/text/file_name_fault.h"

namespace varmkalk::core {

// The calculation identity: up to four characters (Windows-1252 bytes) that name the result
// files. It is kept as given, since the control file carries it as typed; the engine pads it
// with blanks to four characters.
class CalcIdentity {
 public:
  static constexpr std::size_t kLength = 4;

  CalcIdentity() = default;
  // The first four bytes of `text`.
  explicit CalcIdentity(std::string_view text) : text_(text.substr(0, kLength)) {}

  // As given: at most four bytes, no padding.
  const std::string& text() const { return text_; }
  // As the engine uses it in file names: four bytes, blank-padded.
  std::string padded() const { return text_ + std::string(kLength - text_.size(), ' '); }

  // Two identities are the same when they name the same files.
  friend bool operator==(const CalcIdentity& a, const CalcIdentity& b) {
    return a.padded() == b.padded();
  }

 private:
  std::string text_;
};

// Why the identity, padded as the engine pads it, cannot stand in a file name; nothing when it
// can.
std::optional<FileNameFault> identity_fault(const CalcIdentity& identity);

}  // namespace varmkalk::core
