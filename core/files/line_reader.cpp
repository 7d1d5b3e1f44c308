// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/line_reader.h"

#include <cerrno>

#include "core/files/run_error.h"
#include "core/files/system_error_text.h"

namespace varmkalk::core {

LineReader::LineReader(const std::filesystem::path& path, std::string name)
    : file_(std::fopen(path.c_str(), "rb")), name_(std::move(name)) {
  if (!file_) {
    throw RunError(name_ + ": filen kan inte öppnas (" + system_error_text(errno) + ")");
  }
}

std::optional<std::string> LineReader::next() {
  std::string line;
  bool read_any = false;
  // Carriage returns seen but not yet known to stand at the end of the line.
  std::size_t pending_returns = 0;
  int c = 0;
  while ((c = std::fgetc(file_.get())) != EOF) {
    read_any = true;
    if (c == '\n') {
      break;
    }
    if (c == '\r') {
      ++pending_returns;
      continue;
    }
    if (pending_returns > 0) {
      fail(
          ": raden innehåller en vagnretur (CR) mitt i raden; filen har troligen radslut med "
          "bara CR, men raderna ska sluta med CR LF");
    }
    if (c == '\0') {
      fail(
          ": raden innehåller ett NUL-tecken; filen är ingen textfil i Windows-1252 (kanske "
          "sparad som UTF-16)");
    }
    if (line.size() < kLongestKept) {
      line += static_cast<char>(c);
    }
  }
  if (std::ferror(file_.get())) {
    fail(": läsningen misslyckades (" + system_error_text(errno) + ")");
  }
  if (!read_any) {
    return std::nullopt;
  }
  ++line_number_;
  return line;
}

void LineReader::fail(const std::string& what) const {
  throw RunError(name_ + ", rad " + std::to_string(line_number_ + 1) + what);
}

}  // namespace varmkalk::core
