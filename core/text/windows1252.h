// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varmkalk::core {

// The files of the engine are 8-bit Windows-1252 text; everything else in the programs is UTF-8.
// This is the one table between the two.

// The bytes decoded to UTF-8. The five bytes the code page leaves unassigned become the C1
// control characters of the same value, as Windows decodes them.
std::string decode_windows1252(std::string_view bytes);

// The UTF-8 text in Windows-1252, or nothing when it holds a character the code page cannot
// carry (or is not valid UTF-8).
std::optional<std::string> encode_windows1252(std::string_view utf8);

// The UTF-8 text in Windows-1252 with '?' for every character the code page cannot carry; for
// texts of the program's own, such as report labels.
std::string to_windows1252(std::string_view utf8);

// Whether the byte stands for a control character: C0, DEL, or one of the five unassigned bytes,
// which decode as C1 controls.
bool is_windows1252_control(unsigned char byte);

// Bytes read from a file as a message may show them: decoded, with control characters and the
// unassigned bytes shown as '?', so that nothing read from a file can break the message's
// encoding or steer the terminal.
std::string shown_from_windows1252(std::string_view bytes);

}  // namespace varmkalk::core
