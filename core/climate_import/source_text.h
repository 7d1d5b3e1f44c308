// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/byte_source.h"

namespace varmkalk::core {

// The source's bytes as UTF-8 text. A UTF-8 byte order mark is dropped; a line that is not
// valid UTF-8 is read as Windows-1252 (Latin-1 where Windows-1252 leaves a byte unassigned),
// which is how Swedish letters in SMHI's and spreadsheet files come otherwise.
std::string decode_source_text(std::string_view bytes);

// A line of a text and its number (1 = first line).
struct SourceLine {
  long number = 0;
  std::string_view text;
};

// The longest line a source read from a file may have, in bytes: far more than any line of the
// formats read, and small enough that a file of one endless line is refused before it fills the
// memory.
inline constexpr std::size_t kLongestSourceLine = std::size_t{1} << 16;

// The lines of a text, in order. A line ends at a line feed, a carriage return before it
// dropped; the text after the last line feed is a line when it is not empty.
class LineSplitter {
 public:
  explicit LineSplitter(std::string_view text) : text_(text) {}
  // The lines of the source's bytes, read a block at a time and each decoded as
  // decode_source_text decodes it. A line longer than kLongestSourceLine fails the import,
  // naming the line; `name` as shown_name gives it.
  LineSplitter(ByteSource& source, std::string name) : source_(&source), name_(std::move(name)) {}

  // The next line; its text stays valid until the next call.
  std::optional<SourceLine> next();

 private:
  // The next line's bytes from the source into line_, decoded; false at the end.
  bool next_from_source();

  std::string_view text_;
  std::size_t position_ = 0;
  long number_ = 0;
  ByteSource* source_ = nullptr;
  std::string name_;
  std::string buffer_;
  std::size_t buffer_position_ = 0;
  bool source_ended_ = false;
  std::string line_;
};

// Blanks (spaces and tabs) around the text dropped.
std::string_view trimmed(std::string_view text);

// The fields of a line between `separator`s, each trimmed.
std::vector<std::string_view> split_fields(std::string_view line, char separator);

// A source's name as shown in messages: valid UTF-8 (other bytes read as Windows-1252) with
// every control character shown as '?'.
std::string shown_name(std::string_view name);

}  // namespace varmkalk::core
