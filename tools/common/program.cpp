// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/common/program.h"

#include <iostream>
#include <string>

#include "core/files/platform.h"

namespace varmkalk::tools {

std::span<const char* const> program_arguments(int argc, char** argv) {
  return core::platform::program_arguments(argc, argv);
}

int report(std::string_view program, std::string_view message, int status) {
  std::cerr << program << ": " << message << '\n';
  return status;
}

int report_usage(std::string_view program, std::string_view problem, int status) {
  return report(program, std::string(problem) + "; se " + std::string(program) + " --help", status);
}

}  // namespace varmkalk::tools
