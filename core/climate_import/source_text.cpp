// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/source_text.h"

#include <algorithm>

#include "core/climate_import/import_failure.h"
#include "core/text/utf8_text.h"
#include "core/text/windows1252.h"

namespace varmkalk::core {
std::string decode_source_text(std::string_view bytes) {
  bytes = without_utf8_bom(bytes);
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
    text += is_valid_utf8(line) ? std::string(line) : decode_windows1252(line);
    start = end;
  }
  return text;
}

bool LineSplitter::next_from_source() {
  constexpr std::size_t kReadBlock = std::size_t{1} << 16;
  line_.clear();
  bool read_any = false;
  while (true) {
    if (buffer_position_ == buffer_.size()) {
      if (source_ended_) {
        break;
      }
      buffer_.resize(kReadBlock);
      buffer_.resize(source_->read_some(buffer_.data(), kReadBlock));
      buffer_position_ = 0;
      source_ended_ = buffer_.empty();
      continue;
    }
    const std::size_t feed = buffer_.find('\n', buffer_position_);
    const std::size_t end = feed == std::string::npos ? buffer_.size() : feed;
    line_.append(buffer_, buffer_position_, end - buffer_position_);
    buffer_position_ = feed == std::string::npos ? end : end + 1;
    read_any = true;
    if (line_.size() > kLongestSourceLine) {
      fail(line_place(name_, number_ + 1) + ": raden är längre än " +
           std::to_string(kLongestSourceLine / 1024) + " KiB, det mesta en rad får vara");
    }
    if (feed != std::string::npos) {
      break;
    }
  }
  if (!read_any) {
    return false;
  }
  if (number_ == 0 && line_.starts_with(kUtf8ByteOrderMark)) {
    line_.erase(0, kUtf8ByteOrderMark.size());
  }
  if (!is_valid_utf8(line_)) {
    line_ = decode_windows1252(line_);
  }
  return true;
}

std::optional<SourceLine> LineSplitter::next() {
  if (source_ != nullptr) {
    if (!next_from_source()) {
      return std::nullopt;
    }
    std::string_view line = line_;
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    return SourceLine{++number_, line};
  }
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

std::string shown_name(std::string_view name) {
  return message_safe(is_valid_utf8(name) ? std::string(name) : decode_windows1252(name));
}

}  // namespace varmkalk::core
