// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <filesystem>
#include <string_view>

namespace varmkalk {

// The working files of a calculation cycle, as the engine names them.
QString control_file_name();  // styrfil.dat
QString result_file_name();   // resultat.dat, the summary the main menu shows

// The engine's three identity files, in the order in which they are deleted: the identity padded
// to four characters, followed by ".dat", "sum.dat" and "sum_c.dat".
std::array<QString, 3> identity_file_names(const QString& identity);

// The front end's inputs file of a kept calculation, named like the engine's files: the identity
// padded to four characters, followed by "indata.json".
QString inputs_file_name(const QString& identity);

// The control file's line 24 holds an own climate file's name in its first 20 characters.
inline constexpr qsizetype kLongestClimateFileName = 20;

// A name of the engine's (ASCII or Windows-1252 bytes) as the front end handles it.
QString from_latin1(std::string_view name);

// Text of the core's tables (place names, labels, units), which is UTF-8.
QString from_utf8(std::string_view text);

// A file or folder as the core's readers take it: in the file system's encoding.
std::filesystem::path to_path(const QString& path);

// The same for a folder that may be none: no name gives the empty path, the core's "no folder".
std::filesystem::path optional_folder_path(const QString& folder);

}  // namespace varmkalk
