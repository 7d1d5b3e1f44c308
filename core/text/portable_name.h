// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace varmkalk::core {

// Why a name cannot be the same file on Linux and on Windows, with the 1-based position and the
// value of the byte at fault: a path separator or a control character, as file_name_fault finds
// them; a character Windows refuses in names (< > : " | ? *, the colon also making "c:ab" a name
// relative to drive C); a point or blank at the end, which Windows drops; or a device name.
struct PortableNameFault {
  enum class Kind { separator, control, windows_character, trailing, device_name };
  Kind kind;
  std::size_t position;
  unsigned char byte;
};

// The name's first such fault, the same on both systems, since files travel between them.
// Windows takes a name whose part before the first point, blanks at its end dropped, is a device
// name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, CONIN$, CONOUT$, in any case, COM and LPT
// also with a superscript 1, 2 or 3) as that device, with any extension: "nul .dat" is the NUL
// device, "nul sum.dat" a file.
std::optional<PortableNameFault> portable_name_fault(std::string_view name);

// Whether a path is relative to a drive's current folder on Windows ("c:ab", "c:mapp/ab"): a
// letter and a colon not followed by a separator. Such a name means another file on Linux.
bool is_drive_relative(std::string_view path);

// What is wrong with `name`, in Swedish, to follow "namnet ": "innehåller tecknet :, som Windows
// inte tillåter i ett filnamn".
std::string portable_name_fault_text(const PortableNameFault& fault, std::string_view name);

}  // namespace varmkalk::core
