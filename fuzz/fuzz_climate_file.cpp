// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a climate file, read record by record to its end. Every record read is
// finite and is the record of the same line split in memory; a fault is one clear message
// naming the file and the line after the last good record, and that line is indeed no record.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/run_error.h"
#include "core/formats/climate_file.h"
#include "core/text/fixed_field.h"
#include "fuzz/fuzz_support.h"

namespace {

constexpr const char* kName = "sthlm.dat";

// The lines as the engine's files define them: a line ends at its line feed, carriage returns
// just before it are dropped, and text after the last line feed is a line when it is not empty.
std::vector<std::string> split_lines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t feed = bytes.find('\n', start);
    const std::size_t end = feed == std::string_view::npos ? bytes.size() : feed;
    std::string line(bytes.substr(start, end - start));
    while (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// Whether a line, split as above, is a climate record: no carriage return left inside it, no
// NUL byte, and fields that are numbers.
bool is_record(const std::string& line) {
  if (line.find('\r') != std::string::npos || line.find('\0') != std::string::npos) {
    return false;
  }
  try {
    varmkalk::core::parse_climate_line(line);
    return true;
  } catch (const varmkalk::core::ConversionError&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varmkalk;
  using namespace varmkalk::core;
  static const fuzz::ScratchFolder folder;
  const std::string bytes = fuzz::bytes_of(data, size);
  folder.write(kName, bytes);
  const std::vector<std::string> lines = split_lines(bytes);

  std::size_t records = 0;
  try {
    ClimateFile file(folder.path() / kName, kName);
    while (const std::optional<ClimateRecord> record = file.next()) {
      fuzz::require(records < lines.size(), "more records than lines");
      fuzz::require(std::isfinite(record->outdoor_temp), "an outdoor temperature is not finite");
      try {
        const ClimateRecord expected = parse_climate_line(lines[records]);
        fuzz::require(record->day_number == expected.day_number &&
                          record->outdoor_temp == expected.outdoor_temp,
                      "the record differs from its line split in memory", lines[records]);
      } catch (const ConversionError& e) {
        fuzz::finding("the file gave a record for a line that is no record", e.what());
      }
      ++records;
    }
    fuzz::require(records == lines.size(), "the file ended before its last line");
  } catch (const RunError& e) {
    const std::string line = std::string(kName) + ", rad " + std::to_string(records + 1);
    const std::string_view message = e.what();
    fuzz::require_clear_message(message, line);
    fuzz::require(message.size() > line.size() &&
                      (message[line.size()] == ',' || message[line.size()] == ':'),
                  "the message names another line than the one after the last record", message);
    fuzz::require(records < lines.size() && !is_record(lines[records]),
                  "a line that is a record was refused", message);
  } catch (const std::exception& e) {
    fuzz::finding("reading the climate file ended with an exception that is not a RunError",
                  e.what());
  }
  return 0;
}
