#include "windows1252.h"

#include <array>

namespace kalvex {
namespace {

// Code points of the bytes 0x80 to 0x9F; 0 where Windows-1252 assigns no character.
constexpr std::array<char32_t, 32> kCodePointsFrom0x80 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool is_control(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F;
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

}  // namespace

std::string to_windows1252(std::string_view utf8) {
  std::string bytes;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      bytes += static_cast<char>(lead);
      ++i;
      continue;
    }
    // Length of the sequence from its lead byte; a stray byte counts as one character.
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length == 2 && i + 1 < utf8.size()) {
      const unsigned code =
          ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
      bytes += code >= 0xA0 && code <= 0xFF ? static_cast<char>(code) : '?';
    } else {
      bytes += '?';
    }
    i += length;
  }
  return bytes;
}

std::string shown_from_windows1252(std::string_view bytes) {
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    char32_t code = byte;
    if (byte >= 0x80 && byte < 0xA0) {
      code = kCodePointsFrom0x80[byte - 0x80];
    }
    append_utf8(text, is_control(byte) || code == 0 ? U'?' : code);
  }
  return text;
}

}  // namespace kalvex
