// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

// Two of the platform's calls, beside platform.h: the POSIX and the Windows branch implement
// them in platform_posix.cpp and platform_windows.cpp.
namespace varmkalk::core::platform {

// Whether both names lead to one existing file, links followed; false where either is missing.
bool same_file(const std::filesystem::path& a, const std::filesystem::path& b);

// Whether a file open for reading can be replaced by moving another file over its name: on POSIX
// it can, and the reader goes on with the old file; on Windows the move fails.
bool replaces_open_files();

}  // namespace varmkalk::core::platform
