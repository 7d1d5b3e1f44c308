// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/utf8_text.h"

#include <array>

#include "core/text/windows1252.h"

namespace varmkalk::core {
namespace {

constexpr std::size_t kLongestQuoted = 40;  // characters

// C0 and C1 controls, DEL and the Unicode line and paragraph separators.
bool is_control(std::string_view sequence) {
  const auto lead = static_cast<unsigned char>(sequence[0]);
  if (sequence.size() == 1) {
    return lead < 0x20 || lead == 0x7F;
  }
  const auto second = static_cast<unsigned char>(sequence[1]);
  return (lead == 0xC2 && second < 0xA0) ||
         (sequence.size() == 3 && lead == 0xE2 && second == 0x80 &&
          (sequence[2] == '\xA8' || sequence[2] == '\xA9'));
}

// At most `longest` characters of the text, with "…" after them when it is longer.
std::string shown(std::string_view text, std::size_t longest) {
  std::string result;
  std::size_t characters = 0;
  for (std::size_t at = 0; at < text.size(); ++characters) {
    if (characters == longest) {
      return result + "…";
    }
    const std::size_t length = utf8_sequence_length(text, at);
    const std::string_view sequence = text.substr(at, length == 0 ? 1 : length);
    result += length == 0 || is_control(sequence) ? std::string_view("?") : sequence;
    at += sequence.size();
  }
  return result;
}

}  // namespace

std::size_t utf8_sequence_length(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) {
    return 1;
  }
  std::size_t length = 0;
  char32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (at + length > text.size()) {
    return 0;
  }
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(at + k) & 0xC0u) != 0x80u) {
      return 0;
    }
    code = (code << 6) | (byte(at + k) & 0x3Fu);
  }
  constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
    return 0;
  }
  return length;
}

bool is_valid_utf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = utf8_sequence_length(text, at);
    if (length == 0) {
      return false;
    }
    at += length;
  }
  return true;
}

std::string_view without_utf8_bom(std::string_view bytes) {
  return bytes.starts_with(kUtf8ByteOrderMark) ? bytes.substr(kUtf8ByteOrderMark.size()) : bytes;
}

bool starts_as_utf16(std::string_view bytes) {
  return bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF";
}

std::string message_safe(std::string_view text) {
  return shown(text, std::string_view::npos);
}

std::string quoted_for_message(std::string_view text) {
  // Appended piece by piece: "literal" + std::string&& trips a false -Wrestrict in g++ 12 at -O3.
  std::string quoted = "\"";
  quoted += shown(text, kLongestQuoted);
  quoted += '"';
  return quoted;
}

std::string shown_name(std::string_view name) {
  return message_safe(is_valid_utf8(name) ? std::string(name) : decode_windows1252(name));
}

}  // namespace varmkalk::core
