// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a CSV table: the reader either gives a table whose rows all have the
// header's number of fields, on increasing lines, which the writer writes back as the same table,
// or ends with one Swedish line of valid UTF-8 that names the file and a line. Read a few bytes at
// a time, as from a file in blocks, the bytes give the same table or the same message.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "core/formats/csv_table.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace varmkalk::core;

// The table read in pieces of `piece` bytes, or the message it is refused with.
std::string read_in_pieces(std::string_view bytes, std::size_t piece, CsvTable& table) {
  try {
    MemoryByteSource source(bytes, piece);
    CsvStream stream(source, "in.csv");
    table = CsvTable{stream.header_line(), stream.header(), {}};
    while (std::optional<CsvRow> row = stream.next()) {
      table.rows.push_back(std::move(*row));
    }
    return {};
  } catch (const CsvError& e) {
    return e.what();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varmkalk;
  using namespace varmkalk::core;
  const std::string bytes = fuzz::bytes_of(data, size);
  // The piece size from the input's length, so that every size is met.
  const std::size_t piece = 1 + size % 7;
  CsvTable pieced;
  const std::string pieced_fault = read_in_pieces(bytes, piece, pieced);
  try {
    const CsvTable table = read_csv_table(bytes, "in.csv");
    fuzz::require(pieced_fault.empty(), "read in pieces the table is refused", pieced_fault);
    fuzz::require(pieced.header == table.header && pieced.rows == table.rows,
                  "read in pieces the table reads otherwise");
    fuzz::require(!table.header.empty() && table.header_line >= 1, "a table without header");
    long line = table.header_line;
    std::string written = csv_record(table.header);
    for (const CsvRow& row : table.rows) {
      fuzz::require(row.fields.size() == table.header.size(),
                    "a row with another number of fields than the header");
      fuzz::require(row.line > line, "rows out of line order");
      line = row.line;
      written += csv_record(row.fields);
    }
    const CsvTable again = read_csv_table(written, "out.csv");
    fuzz::require(again.header == table.header, "the written header reads back otherwise");
    fuzz::require(again.rows.size() == table.rows.size(), "the written rows read back otherwise");
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
      fuzz::require(again.rows[i].fields == table.rows[i].fields,
                    "a written row reads back otherwise");
    }
  } catch (const CsvError& e) {
    fuzz::require(pieced_fault == e.what(), "read in pieces the table is refused otherwise",
                  pieced_fault);
    fuzz::require_clear_message(e.what(), "in.csv, rad ");
  } catch (const std::exception& e) {
    fuzz::finding("read_csv_table ended with an exception that is not a CsvError", e.what());
  }
  return 0;
}
