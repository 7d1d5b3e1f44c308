// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/csv_table.h"

#include <optional>

#include "core/text/byte_code.h"
#include "core/text/utf8_text.h"

namespace varmkalk::core {
namespace {

constexpr char kSeparator = ',';
constexpr char kQuote = '"';
constexpr std::size_t kReadBlock = std::size_t{1} << 16;
constexpr std::size_t kLongestUtf8Sequence = 4;

std::string shown_character(std::string_view text, std::size_t at) {
  const std::size_t length = utf8_sequence_length(text, at);
  return quoted_for_message(text.substr(at, length == 0 ? 1 : length));
}

}  // namespace

// Reads the records one by one from a window on the source, keeping track of the line for
// messages. The window holds the record being read and at most a block more.
class CsvReader {
 public:
  CsvReader(ByteSource& source, std::string_view file_name)
      : source_(source), file_name_(message_safe(file_name)) {
    has(kUtf8ByteOrderMark.size());
    if (starts_as_utf16(buffer_)) {
      throw CsvError(file_name_ +
                     ", rad 1, kolumn 1: filen är kodad i UTF-16; spara den som CSV i UTF-8");
    }
    position_ = buffer_.size() - without_utf8_bom(buffer_).size();
  }

  // The next record, or nothing at the end of the text; empty lines are passed over.
  std::optional<CsvRow> next() {
    while (has(1)) {
      drop_what_was_read();
      record_start_ = position_;
      CsvRow row;
      row.line = line_;
      bool quoted_any = false;
      while (true) {
        check_record_length(row.line, row.fields.size());
        quoted_any |= has(1) && buffer_[position_] == kQuote;
        row.fields.push_back(field(row.line, row.fields.size()));
        if (has(1) && buffer_[position_] == kSeparator) {
          ++position_;
          continue;
        }
        end_line();
        break;
      }
      if (row.fields.size() > 1 || !row.fields[0].empty() || quoted_any) {
        return row;
      }
    }
    return std::nullopt;
  }

  void use_header(std::span<const std::string> header) { header_ = header; }

  [[noreturn]] void fail(long line, std::size_t column, const std::string& what) const {
    throw CsvError(csv_cell_place(file_name_, line, column, header_) + ": " + what);
  }

  [[noreturn]] void fail_row(long line, const std::string& what) const {
    throw CsvError(file_name_ + ", rad " + std::to_string(line) + ": " + what);
  }

 private:
  // Whether `count` bytes stand from the position on, reading more of the source as needed.
  bool has(std::size_t count) {
    while (buffer_.size() - position_ < count && !source_ended_) {
      block_.resize(kReadBlock);
      const std::size_t read = source_.read_some(block_.data(), block_.size());
      buffer_.append(block_.data(), read);
      source_ended_ = read == 0;
    }
    return buffer_.size() - position_ >= count;
  }

  // Forgets the records already read, once they fill a block: seldom enough that moving the
  // rest to the front costs little.
  void drop_what_was_read() {
    if (position_ >= kReadBlock) {
      buffer_.erase(0, position_);
      position_ = 0;
    }
  }

  void check_record_length(long line, std::size_t column) const {
    if (position_ - record_start_ > kLongestCsvRecord) {
      fail(line, column,
           "raden är längre än " + std::to_string(kLongestCsvRecord / (1024 * 1024)) +
               " MiB, det mesta en rad i tabellen får vara");
    }
  }

  bool at_line_end() {
    return !has(1) || buffer_[position_] == '\n' ||
           (buffer_[position_] == '\r' && has(2) && buffer_[position_ + 1] == '\n');
  }

  // Moves past the line end at the position, if any.
  void end_line() {
    if (has(1)) {
      position_ += buffer_[position_] == '\r' ? 2 : 1;
      ++line_;
    }
  }

  // Takes the character at the position into `into`, after checking that it is text.
  void take(std::string& into, long record_line, std::size_t column) {
    check_record_length(record_line, column);
    const char byte = buffer_[position_];
    if (byte == '\0') {
      fail(line_, column, "en NUL-byte; filen är ingen textfil");
    }
    has(kLongestUtf8Sequence);
    const std::size_t length = utf8_sequence_length(buffer_, position_);
    if (length == 0) {
      fail(line_, column,
           "byten " + byte_code_text(static_cast<unsigned char>(byte)) +
               " hör inte till UTF-8; spara filen som CSV i UTF-8");
    }
    if (byte == '\n') {
      ++line_;
    }
    into.append(buffer_, position_, length);
    position_ += length;
  }

  std::string field(long record_line, std::size_t column) {
    std::string value;
    if (has(1) && buffer_[position_] == kQuote) {
      quoted_field(value, record_line, column);
      return value;
    }
    while (has(1) && buffer_[position_] != kSeparator && !at_line_end()) {
      if (buffer_[position_] == kQuote) {
        fail(line_, column,
             "citattecken inne i ett fält utan citattecken; sätt hela fältet inom citattecken "
             "och skriv citattecknet i det två gånger (\"\")");
      }
      if (buffer_[position_] == '\r') {
        fail(line_, column, "ett ensamt CR-tecken; en rad ska sluta med LF eller CR LF");
      }
      take(value, record_line, column);
    }
    return value;
  }

  void quoted_field(std::string& value, long record_line, std::size_t column) {
    const long opened_on = line_;
    ++position_;
    while (true) {
      if (!has(1)) {
        fail(opened_on, column, "citattecknet som inleder fältet avslutas aldrig");
      }
      if (buffer_[position_] != kQuote) {
        take(value, record_line, column);
        continue;
      }
      ++position_;
      if (has(1) && buffer_[position_] == kQuote) {
        value += kQuote;
        ++position_;
        continue;
      }
      break;
    }
    if (has(1) && buffer_[position_] != kSeparator && !at_line_end()) {
      has(kLongestUtf8Sequence);
      fail(line_, column,
           "efter fältets avslutande citattecken står " + shown_character(buffer_, position_) +
               "; ett citattecken i fältet skrivs två gånger (\"\")");
    }
  }

  ByteSource& source_;
  std::string file_name_;
  std::span<const std::string> header_;
  std::string buffer_;
  std::vector<char> block_;  // what the source gave last
  std::size_t position_ = 0;
  std::size_t record_start_ = 0;
  bool source_ended_ = false;
  long line_ = 1;
};

CsvStream::CsvStream(ByteSource& source, std::string_view file_name)
    : reader_(std::make_unique<CsvReader>(source, file_name)) {
  std::optional<CsvRow> header = reader_->next();
  if (!header) {
    reader_->fail_row(1,
                      "filen är tom; den ska börja med en rubrikrad som namnger kolumnerna, "
                      "åtskilda av kommatecken");
  }
  header_line_ = header->line;
  header_ = std::move(header->fields);
  reader_->use_header(header_);
}

CsvStream::~CsvStream() = default;

std::optional<CsvRow> CsvStream::next() {
  std::optional<CsvRow> row = reader_->next();
  if (!row) {
    return row;
  }
  const std::size_t fields = row->fields.size();
  const std::size_t columns = header_.size();
  if (fields < columns) {
    reader_->fail(row->line, fields,
                  "kolumnen saknas; raden har " + std::to_string(fields) +
                      " fält men rubrikraden " + std::to_string(columns));
  }
  if (fields > columns) {
    reader_->fail(row->line, columns,
                  "raden har " + std::to_string(fields) + " fält men rubrikraden bara " +
                      std::to_string(columns));
  }
  return row;
}

CsvTable read_csv_table(std::string_view bytes, std::string_view file_name) {
  MemoryByteSource source(bytes);
  CsvStream stream(source, file_name);
  CsvTable table;
  table.header_line = stream.header_line();
  table.header = stream.header();
  while (std::optional<CsvRow> row = stream.next()) {
    table.rows.push_back(std::move(*row));
  }
  return table;
}

std::string csv_cell_place(std::string_view file_name, long line, std::size_t column,
                           std::span<const std::string> header) {
  std::string place = message_safe(file_name) + ", rad " + std::to_string(line) + ", kolumn " +
                      std::to_string(column + 1);
  if (column < header.size()) {
    place += " (" + quoted_for_message(header[column]) + ")";
  }
  return place;
}

std::string csv_field(std::string_view text, char separator) {
  const char needs_quotes[] = {separator, kQuote, '\r', '\n'};
  // A byte order mark at the start of a file would be taken for the file's.
  if (text.find_first_of(std::string_view(needs_quotes, sizeof needs_quotes)) ==
          std::string_view::npos &&
      !text.starts_with(kUtf8ByteOrderMark)) {
    return std::string(text);
  }
  std::string field = "\"";
  for (const char c : text) {
    field += c;
    if (c == kQuote) {
      field += kQuote;
    }
  }
  return field + "\"";
}

std::string csv_record(std::span<const std::string> fields, char separator) {
  if (fields.size() == 1 && fields[0].empty()) {
    return "\"\"\r\n";
  }
  std::string record;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) {
      record += separator;
    }
    record += csv_field(fields[i], separator);
  }
  return record + "\r\n";
}

}  // namespace varmkalk::core
