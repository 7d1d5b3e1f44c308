#include "line_reader.h"

#include <cerrno>

#include "run_error.h"
#include "system_error_text.h"

namespace kalvex {

LineReader::LineReader(const std::filesystem::path& path, std::string name)
    : file_(std::fopen(path.c_str(), "rb")), name_(std::move(name)) {
  if (!file_) {
    throw RunError(name_ + ": filen kan inte öppnas (" + system_error_text(errno) + ")");
  }
}

std::optional<std::string> LineReader::next() {
  std::string line;
  bool read_any = false;
  int c = 0;
  while ((c = std::fgetc(file_.get())) != EOF) {
    read_any = true;
    if (c == '\n') {
      break;
    }
    if (line.size() < kLongestKept) {
      line += static_cast<char>(c);
    }
  }
  if (std::ferror(file_.get())) {
    throw RunError(name_ + ", rad " + std::to_string(line_number_ + 1) +
                   ": läsningen misslyckades (" + system_error_text(errno) + ")");
  }
  if (!read_any) {
    return std::nullopt;
  }
  if (!line.empty() && line.back() == '\r') {
    line.pop_back();
  }
  ++line_number_;
  return line;
}

}  // namespace kalvex
