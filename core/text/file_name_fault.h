// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace varmkalk::core {

// Why a name cannot stand as the name of a file in a folder, with the 1-based position and the
// value of the byte at fault: a path separator, which would point into another folder, or a
// control character; and, for a name that has to be the same file on Linux and on Windows,
// a character Windows refuses in names (< > : " | ? *, the colon also making "c:ab" a name
// relative to drive C), a point or blank at the end, which Windows drops, or a device name.
struct FileNameFault {
  enum class Kind { separator, control, windows_character, trailing, device_name };
  Kind kind;
  std::size_t position;
  unsigned char byte;
};

// The name's first separator or control character; nothing when it can be a file's name here.
std::optional<FileNameFault> file_name_fault(std::string_view name);

// The name's first fault as a file's name on Linux and Windows alike, the same on both, since
// files travel between them. Windows takes a name whose part before the first point, blanks at
// its end dropped, is a device name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, CONIN$,
// CONOUT$, in any case, COM and LPT also with a superscript 1, 2 or 3) as that device, with any
// extension: "nul .dat" is the NUL device, "nul sum.dat" a file.
std::optional<FileNameFault> portable_name_fault(std::string_view name);

// Whether a path is relative to a drive's current folder on Windows ("c:ab", "c:mapp/ab"): a
// letter and a colon not followed by a separator. Such a name means another file on Linux.
bool is_drive_relative(std::string_view path);

// What is wrong, in Swedish, to follow "namnet ": "innehåller tecknet :, som Windows inte
// tillåter i ett filnamn".
std::string file_name_fault_text(const FileNameFault& fault, std::string_view name);

}  // namespace varmkalk::core
