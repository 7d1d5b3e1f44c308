// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/byte_source.h"

namespace varmkalk::core {

// A table of comma-separated values as spreadsheets write them: a header row naming the
// columns, then one row per record. Fields are separated by commas; a field in double quotes may
// hold commas, line ends and quotes (written twice). Lines end in LF or CR LF, the last one may
// have none; a UTF-8 byte order mark at the start is dropped; empty lines are skipped. The text
// must be UTF-8 without NUL bytes.

struct CsvRow {
  long line = 0;  // line of the file on which the row starts, 1 = first
  std::vector<std::string> fields;

  friend bool operator==(const CsvRow&, const CsvRow&) = default;
};

struct CsvTable {
  long header_line = 0;
  std::vector<std::string> header;
  std::vector<CsvRow> rows;  // each with as many fields as the header
};

// A file that is no such table. what() is one Swedish line of valid UTF-8 that names the file,
// the line and, where one is at fault, the column.
class CsvError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The longest record a table may hold, in bytes, line ends within quotes included: far more
// than any real row, and small enough that a file of a single endless line is refused before it
// fills the memory.
inline constexpr std::size_t kLongestCsvRecord = std::size_t{1} << 20;

class CsvReader;

// Reads a table one row at a time, in memory bounded by the longest record, from the header on.
// Throws CsvError at the first fault: an empty file, a byte that is not text, an unclosed quote,
// a quote inside an unquoted field or text after a closing one, a lone CR, a record longer than
// kLongestCsvRecord, a row with more or fewer fields than the header.
class CsvStream {
 public:
  // Reads up to and including the header; `file_name` names the file in messages.
  CsvStream(ByteSource& source, std::string_view file_name);
  ~CsvStream();
  CsvStream(const CsvStream&) = delete;
  CsvStream& operator=(const CsvStream&) = delete;

  long header_line() const { return header_line_; }
  const std::vector<std::string>& header() const { return header_; }
  // The next row, or nothing after the last one.
  std::optional<CsvRow> next();

 private:
  std::unique_ptr<CsvReader> reader_;
  long header_line_ = 0;
  std::vector<std::string> header_;
};

// Reads the whole table from the file's bytes, as CsvStream does.
CsvTable read_csv_table(std::string_view bytes, std::string_view file_name);

// Where a message about a cell applies: "indata.csv, rad 5, kolumn 3 (air_ratio)", the name
// from the header when it has one for that column (0-based `column`).
std::string csv_cell_place(std::string_view file_name, long line, std::size_t column,
                           std::span<const std::string> header);

// The field as a table holds it: in double quotes, its quotes written twice, only where it
// needs them (the separator, a quote or a line end in it, a byte order mark at its start).
// Spreadsheets under a locale with a decimal comma separate fields by semicolons instead.
std::string csv_field(std::string_view text, char separator = ',');

// One record: the fields separated by `separator`, ended by CR LF. A record of one empty field
// is written as "" so that it is not read as an empty line.
std::string csv_record(std::span<const std::string> fields, char separator = ',');

}  // namespace varmkalk::core
