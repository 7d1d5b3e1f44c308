// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/common/heat_pump_file.h"

#include <filesystem>
#include <system_error>

#include "core/files/platform.h"

namespace varmkalk::tools {

std::string located_heat_pump_file(const std::string& file) {
  const std::filesystem::path given = core::platform::path_from_utf8(file);
  std::error_code ignored;
  if (std::filesystem::exists(given, ignored)) {
    return file;
  }
  const std::filesystem::path executable = core::platform::executable_path();
  if (executable.empty()) {
    return file;
  }
  const std::filesystem::path installed =
      (executable.parent_path() / ".." / "share" / "varmkalk" / "heatpumps" / given.filename())
          .lexically_normal();
  return std::filesystem::is_regular_file(installed, ignored)
             ? core::platform::utf8_from_path(installed)
             : file;
}

}  // namespace varmkalk::tools
