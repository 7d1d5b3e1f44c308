// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <new>
#include <span>
#include <string_view>

#include "core/files/file_access.h"

namespace varmkalk::tools {

// The arguments after the program's name, in UTF-8 on every system.
std::span<const char* const> program_arguments(int argc, char** argv);

// Writes "<program>: <message>" as one line on standard error; returns `status`, the exit status.
int report(std::string_view program, std::string_view message, int status);

// A command line the program cannot take: what is wrong with it, and where to read how the
// program is used.
int report_usage(std::string_view program, std::string_view problem, int status);

// Runs `work`, whose value is the exit status. A file that cannot be read or written, or memory
// running out, ends the program with one line and `status`.
template <typename Work>
int reporting_failures(std::string_view program, int status, Work work) {
  try {
    return work();
  } catch (const core::FileAccessError& error) {
    return report(program, error.what(), status);
  } catch (const std::bad_alloc&) {
    return report(program, "minnet räcker inte till", status);
  }
}

}  // namespace varmkalk::tools
