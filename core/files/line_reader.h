// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace varmkalk::core {

// Reads a text file line by line. A line ends at its line feed; carriage returns just before it
// (or before the end of the file) are dropped, so CR CR LF ends a line like CR LF. The text
// after the last line feed is one more line only when it holds at least one character. A
// carriage return inside a line (a file with CR-only line ends would otherwise read as one line)
// and a NUL byte (a file that is not 8-bit text) are errors.
class LineReader {
 public:
  // Opens `path` for reading; `name` is the file's name in error messages. Throws RunError,
  // also for anything but a regular file, which is refused without waiting on it.
  LineReader(const std::filesystem::path& path, std::string name);

  // The next line, or nothing at the end of the file. Throws RunError naming the line on a
  // read error, a carriage return inside the line or a NUL byte.
  std::optional<std::string> next();

  // Number of the line last returned (1 = first line).
  int line_number() const { return line_number_; }
  const std::string& name() const { return name_; }

 private:
  // No field of the engine's input reaches beyond column 20; the rest of a longer line is
  // read past but not kept, so that no line can exhaust memory.
  static constexpr std::size_t kLongestKept = 1024;

  // Throws RunError: the file's name, the number of the line being read, then `what`.
  [[noreturn]] void fail(const std::string& what) const;

  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  std::string name_;
  int line_number_ = 0;
};

}  // namespace varmkalk::core
