// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/csv_table.h"

#include <optional>

#include "core/text/byte_code.h"
#include "core/text/utf8_text.h"

namespace varmkalk::core {
namespace {

constexpr char kSeparator = ',';
constexpr char kQuote = '"';

std::string shown_character(std::string_view text, std::size_t at) {
  const std::size_t length = utf8_sequence_length(text, at);
  return quoted_for_message(text.substr(at, length == 0 ? 1 : length));
}

// Reads the records one by one, keeping track of the line for messages.
class CsvReader {
 public:
  CsvReader(std::string_view text, std::string_view file_name)
      : text_(text), file_name_(message_safe(file_name)) {}

  // The next record, or nothing at the end of the text; empty lines are passed over.
  std::optional<CsvRow> next() {
    while (position_ < text_.size()) {
      CsvRow row;
      row.line = line_;
      bool quoted_any = false;
      while (true) {
        quoted_any |= position_ < text_.size() && text_[position_] == kQuote;
        row.fields.push_back(field(row.fields.size()));
        if (position_ < text_.size() && text_[position_] == kSeparator) {
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
  bool at_line_end() const {
    return position_ == text_.size() || text_[position_] == '\n' ||
           (text_[position_] == '\r' && position_ + 1 < text_.size() &&
            text_[position_ + 1] == '\n');
  }

  // Moves past the line end at the position, if any.
  void end_line() {
    if (position_ < text_.size()) {
      position_ += text_[position_] == '\r' ? 2 : 1;
      ++line_;
    }
  }

  // Takes the character at the position into `into`, after checking that it is text.
  void take(std::string& into, std::size_t column) {
    const char byte = text_[position_];
    if (byte == '\0') {
      fail(line_, column, "en NUL-byte; filen är ingen textfil");
    }
    const std::size_t length = utf8_sequence_length(text_, position_);
    if (length == 0) {
      fail(line_, column,
           "byten " + byte_code_text(static_cast<unsigned char>(byte)) +
               " hör inte till UTF-8; spara filen som CSV i UTF-8");
    }
    if (byte == '\n') {
      ++line_;
    }
    into.append(text_.substr(position_, length));
    position_ += length;
  }

  std::string field(std::size_t column) {
    std::string value;
    if (position_ < text_.size() && text_[position_] == kQuote) {
      quoted_field(value, column);
      return value;
    }
    while (position_ < text_.size() && text_[position_] != kSeparator && !at_line_end()) {
      if (text_[position_] == kQuote) {
        fail(line_, column,
             "citattecken inne i ett fält utan citattecken; sätt hela fältet inom citattecken "
             "och skriv citattecknet i det två gånger (\"\")");
      }
      if (text_[position_] == '\r') {
        fail(line_, column, "ett ensamt CR-tecken; en rad ska sluta med LF eller CR LF");
      }
      take(value, column);
    }
    return value;
  }

  void quoted_field(std::string& value, std::size_t column) {
    const long opened_on = line_;
    ++position_;
    while (true) {
      if (position_ == text_.size()) {
        fail(opened_on, column, "citattecknet som inleder fältet avslutas aldrig");
      }
      if (text_[position_] != kQuote) {
        take(value, column);
        continue;
      }
      ++position_;
      if (position_ < text_.size() && text_[position_] == kQuote) {
        value += kQuote;
        ++position_;
        continue;
      }
      break;
    }
    if (position_ < text_.size() && text_[position_] != kSeparator && !at_line_end()) {
      fail(line_, column,
           "efter fältets avslutande citattecken står " + shown_character(text_, position_) +
               "; ett citattecken i fältet skrivs två gånger (\"\")");
    }
  }

  std::string_view text_;
  std::string file_name_;
  std::span<const std::string> header_;
  std::size_t position_ = 0;
  long line_ = 1;
};

}  // namespace

CsvTable read_csv_table(std::string_view bytes, std::string_view file_name) {
  if (starts_as_utf16(bytes)) {
    throw CsvError(message_safe(file_name) +
                   ", rad 1, kolumn 1: filen är kodad i UTF-16; spara den som CSV i UTF-8");
  }
  CsvReader reader(without_utf8_bom(bytes), file_name);
  std::optional<CsvRow> header = reader.next();
  if (!header) {
    reader.fail_row(1,
                    "filen är tom; den ska börja med en rubrikrad som namnger kolumnerna, "
                    "åtskilda av kommatecken");
  }
  CsvTable table;
  table.header_line = header->line;
  table.header = std::move(header->fields);
  reader.use_header(table.header);
  const std::size_t columns = table.header.size();
  while (std::optional<CsvRow> row = reader.next()) {
    const std::size_t fields = row->fields.size();
    if (fields < columns) {
      reader.fail(row->line, fields,
                  "kolumnen saknas; raden har " + std::to_string(fields) +
                      " fält men rubrikraden " + std::to_string(columns));
    }
    if (fields > columns) {
      reader.fail(row->line, columns,
                  "raden har " + std::to_string(fields) + " fält men rubrikraden bara " +
                      std::to_string(columns));
    }
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
