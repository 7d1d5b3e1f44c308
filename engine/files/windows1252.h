#pragma once

#include <string>
#include <string_view>

namespace kalvex {

// The UTF-8 text in Windows-1252, one byte per character, as the engine's report files hold it.
// Characters from U+00A0 to U+00FF (the Swedish letters among them) keep their code; any
// other non-ASCII character becomes '?'.
std::string to_windows1252(std::string_view utf8);

// Bytes read from a file, as a message may show them: Windows-1252 decoded to UTF-8, with
// control characters and the five unassigned bytes shown as '?', so that nothing read from a
// file can break the message's encoding or steer the terminal.
std::string shown_from_windows1252(std::string_view bytes);

}  // namespace kalvex
