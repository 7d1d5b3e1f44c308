// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/file_name_fault.h"

namespace varmkalk::core {

std::optional<FileNameFault> file_name_fault(std::string_view name) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c == '/' || c == '\\') {
      return FileNameFault{FileNameFault::Kind::separator, i + 1, c};
    }
    if (c < 0x20 || c == 0x7F) {
      return FileNameFault{FileNameFault::Kind::control, i + 1, c};
    }
  }
  return std::nullopt;
}

}  // namespace varmkalk::core
