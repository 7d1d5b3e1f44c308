// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varmkalk::core {

// Length of the well-formed UTF-8 sequence that starts at `at`, or 0 when none does: a stray
// continuation byte, a cut sequence, an overlong form, a surrogate or a code point beyond
// U+10FFFF.
std::size_t utf8_sequence_length(std::string_view text, std::size_t at);

// Whether the whole text is well-formed UTF-8.
bool is_valid_utf8(std::string_view text);

// The byte order mark some programs put at the start of a UTF-8 file.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The bytes without a UTF-8 byte order mark at their start.
std::string_view without_utf8_bom(std::string_view bytes);

// Whether the bytes start with a UTF-16 byte order mark, of either byte order.
bool starts_as_utf16(std::string_view bytes);

// The text as a message may carry it, such as a file's name: every control character and every
// byte that is not UTF-8 shown as '?'.
std::string message_safe(std::string_view text);

// A file's or source's name as shown in messages: valid UTF-8 (other bytes read as
// Windows-1252) with every control character shown as '?'.
std::string shown_name(std::string_view name);

// A text read from a file as a message quotes it: in double quotes, cut after a few dozen
// characters with "…", every control character and every byte that is not UTF-8 shown as '?', so
// that the message stays one line of valid UTF-8 and cannot steer a terminal.
std::string quoted_for_message(std::string_view text);

}  // namespace varmkalk::core
