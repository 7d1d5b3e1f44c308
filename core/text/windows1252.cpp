// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/windows1252.h"

#include <algorithm>
#include <array>

namespace varmkalk::core {
namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the code page equals Latin-1. The five
// unassigned bytes stand for the C1 control characters of their own value.
constexpr std::array<char32_t, 32> kCodePointsFrom0x80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
constexpr unsigned char kFirstHighByte = 0x80;
constexpr char32_t kFirstLatin1 = 0xA0;
constexpr char32_t kLastLatin1 = 0xFF;
constexpr char32_t kNoCharacter = 0xFFFFFFFF;

char32_t code_point_of(unsigned char byte) {
  if (byte >= kFirstHighByte && byte < kFirstHighByte + kCodePointsFrom0x80.size()) {
    return kCodePointsFrom0x80[byte - kFirstHighByte];
  }
  return byte;
}

void append_utf8(std::string& text, char32_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The next code point of UTF-8 text from `at`, which it moves past it; kNoCharacter for a
// sequence that is not valid UTF-8.
char32_t next_code_point(std::string_view utf8, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(utf8[at++]);
  if (lead < 0x80) {
    return lead;
  }
  std::size_t continuation = 0;
  char32_t code = 0;
  if (lead >= 0xC2 && lead < 0xE0) {
    continuation = 1;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead < 0xF0) {
    continuation = 2;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead < 0xF5) {
    continuation = 3;
    code = lead & 0x07u;
  } else {
    return kNoCharacter;
  }
  for (std::size_t i = 0; i < continuation; ++i) {
    if (at >= utf8.size() || (static_cast<unsigned char>(utf8[at]) & 0xC0u) != 0x80u) {
      return kNoCharacter;
    }
    code = (code << 6) | (static_cast<unsigned char>(utf8[at++]) & 0x3Fu);
  }
  return code;
}

// The byte of a code point, or nothing outside the code page.
std::optional<char> byte_of(char32_t code) {
  if (code < kFirstHighByte || (code >= kFirstLatin1 && code <= kLastLatin1)) {
    return static_cast<char>(code);
  }
  const auto* high = std::find(kCodePointsFrom0x80.begin(), kCodePointsFrom0x80.end(), code);
  if (high == kCodePointsFrom0x80.end()) {
    return std::nullopt;
  }
  return static_cast<char>(kFirstHighByte + (high - kCodePointsFrom0x80.begin()));
}

}  // namespace

bool is_windows1252_control(unsigned char byte) {
  // C0 and C1 control characters and DEL.
  const char32_t code = code_point_of(byte);
  return code < 0x20 || (code >= 0x7F && code < 0xA0);
}

std::string decode_windows1252(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    append_utf8(text, code_point_of(static_cast<unsigned char>(c)));
  }
  return text;
}

std::optional<std::string> encode_windows1252(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const std::optional<char> byte = byte_of(next_code_point(utf8, at));
    if (!byte) {
      return std::nullopt;
    }
    bytes += *byte;
  }
  return bytes;
}

std::string to_windows1252(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    bytes += byte_of(next_code_point(utf8, at)).value_or('?');
  }
  return bytes;
}

std::string shown_from_windows1252(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    append_utf8(text, is_windows1252_control(byte) ? U'?' : code_point_of(byte));
  }
  return text;
}

}  // namespace varmkalk::core
