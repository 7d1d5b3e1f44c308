// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace varmkalk::core {

// Why a name cannot stand as the name of a file in a folder: a path separator, which would point
// into another folder, or a control character; with the 1-based position and the value of the
// first such byte.
struct FileNameFault {
  enum class Kind { separator, control };
  Kind kind;
  std::size_t position;
  unsigned char byte;
};

// The name's first fault; nothing when it can be a file's name.
std::optional<FileNameFault> file_name_fault(std::string_view name);

}  // namespace varmkalk::core
