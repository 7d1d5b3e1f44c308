// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/source_text.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace varmkalk::core {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kLongestQuoted = 40;  // characters

// Code points of the bytes 0x80 to 0x9F; where Windows-1252 assigns none, the Latin-1 control.
constexpr std::array<char32_t, 32> kWindows1252From0x80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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

// Length of the valid UTF-8 sequence at `i`, or 0 when none starts there.
std::size_t utf8_sequence_length(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
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
  if (i + length > text.size()) {
    return 0;
  }
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0u) != 0x80u) {
      return 0;
    }
    code = (code << 6) | (byte(i + k) & 0x3Fu);
  }
  // Overlong forms, surrogates and code points beyond Unicode are not UTF-8.
  constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
    return 0;
  }
  return length;
}

bool is_valid_utf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = utf8_sequence_length(text, i);
    if (length == 0) {
      return false;
    }
    i += length;
  }
  return true;
}

std::string from_windows1252(std::string_view bytes) {
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    append_utf8(text, byte >= 0x80 && byte < 0xA0 ? kWindows1252From0x80[byte - 0x80] : byte);
  }
  return text;
}

// C0 and C1 controls, DEL and the Unicode line and paragraph separators: nothing a message
// may carry.
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

// Valid UTF-8 `text` with controls as '?', at most `longest` characters followed by "…".
std::string shown(std::string_view text, std::size_t longest) {
  std::string result;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++characters) {
    if (characters == longest) {
      return result + "…";
    }
    const std::size_t length = utf8_sequence_length(text, i);
    const std::string_view sequence = text.substr(i, length == 0 ? 1 : length);
    if (length == 0 || is_control(sequence)) {
      result += '?';
    } else {
      result += sequence;
    }
    i += sequence.size();
  }
  return result;
}

}  // namespace

std::string decode_source_text(std::string_view bytes) {
  if (bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
    bytes.remove_prefix(kUtf8ByteOrderMark.size());
  }
  if (is_valid_utf8(bytes)) {
    return std::string(bytes);
  }
  // Line by line: one stray byte in a UTF-8 file leaves the other lines as they are.
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 8);
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t feed = bytes.find('\n', start);
    const std::size_t end = feed == std::string_view::npos ? bytes.size() : feed + 1;
    const std::string_view line = bytes.substr(start, end - start);
    text += is_valid_utf8(line) ? std::string(line) : from_windows1252(line);
    start = end;
  }
  return text;
}

bool starts_as_utf16(std::string_view bytes) {
  return bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF";
}

std::optional<SourceLine> LineSplitter::next() {
  if (position_ >= text_.size()) {
    return std::nullopt;
  }
  const std::size_t feed = text_.find('\n', position_);
  const std::size_t end = feed == std::string_view::npos ? text_.size() : feed;
  std::string_view line = text_.substr(position_, end - position_);
  if (!line.empty() && line.back() == '\r') {
    line.remove_suffix(1);
  }
  position_ = end + 1;
  return SourceLine{++number_, line};
}

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> split_fields(std::string_view line, char separator) {
  // One allocation a line: large sources have hundreds of thousands of lines.
  std::vector<std::string_view> fields;
  fields.reserve(static_cast<std::size_t>(std::count(line.begin(), line.end(), separator)) + 1);
  std::size_t start = 0;
  while (true) {
    const std::size_t end = line.find(separator, start);
    fields.push_back(trimmed(line.substr(start, end - start)));
    if (end == std::string_view::npos) {
      return fields;
    }
    start = end + 1;
  }
}

std::string quoted(std::string_view text) {
  return "\"" + shown(text, kLongestQuoted) + "\"";
}

std::string shown_name(std::string_view name) {
  const std::string text = is_valid_utf8(name) ? std::string(name) : from_windows1252(name);
  return shown(text, text.size());
}

}  // namespace varmkalk::core
