// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace varmkalk::core {

// Line 24 of the control file names a climate file of the user's own in its first 20 characters
// (Windows-1252, trailing blanks dropped), ending in ".dat".
inline constexpr std::size_t kLongestClimateFileName = 20;
inline constexpr std::string_view kClimateFileSuffix = ".dat";

// Whether the name is that of one of the six bundled climate files, in any case of its letters.
bool is_bundled_climate_name(std::string_view name);

// Why a climate file of the user's own cannot be written under `name` (UTF-8, without folder):
// line 24 could not carry it as it stands, or it is a bundled file's name. Nothing when it can.
// The Swedish text completes "Namnet … går inte att använda: ".
std::optional<std::string> climate_file_name_fault(std::string_view name);

// Whether a line after the 23rd looks like a file's name: it holds ".dat" in any case or a path
// separator, or ends in a file extension (a point, then one to four letters and digits, at least
// one of them a letter).
bool looks_like_file_name(std::string_view line);

// The file system's name for a name as line 24 carries it: Windows-1252 made UTF-8.
std::string file_system_name(std::string_view line_24_name);

}  // namespace varmkalk::core
