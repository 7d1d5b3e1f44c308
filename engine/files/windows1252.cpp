#include "windows1252.h"

namespace kalvex {

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

}  // namespace kalvex
