#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace kalvex {

// Reads a text file line by line. A line ends at its line feed; a carriage return just before
// it (or before the end of the file) is dropped. The text after the last line feed is one more
// line only when it holds at least one character.
class LineReader {
 public:
  // Opens `path` for reading; `name` is the file's name in error messages. Throws RunError.
  LineReader(const std::filesystem::path& path, std::string name);

  // The next line, or nothing at the end of the file. Throws RunError on a read error.
  std::optional<std::string> next();

  // Number of the line last returned (1 = first line).
  int line_number() const { return line_number_; }
  const std::string& name() const { return name_; }

 private:
  // No field of the engine's input reaches beyond column 20; the rest of a longer line is
  // read past but not kept, so that no line can exhaust memory.
  static constexpr std::size_t kLongestKept = 1024;

  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  std::string name_;
  int line_number_ = 0;
};

}  // namespace kalvex
