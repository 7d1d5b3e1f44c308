// SPDX-License-Identifier: GPL-3.0-or-later
// The comma-separated tables of the batch program: what spreadsheets write is read, what is not
// a table is refused with the line and column, and what the writer writes reads back as itself.
#include "core/formats/csv_table.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace varmkalk::core {
namespace {

using namespace std::string_literals;

// The table read from a source that hands out `piece` bytes at a time, as a file is read in
// blocks: a record, a field, a line end or a character may be split anywhere.
CsvTable read_in_pieces(std::string_view bytes, std::size_t piece) {
  MemoryByteSource source(bytes, piece);
  CsvStream stream(source, "in.csv");
  CsvTable table{stream.header_line(), stream.header(), {}};
  while (std::optional<CsvRow> row = stream.next()) {
    table.rows.push_back(std::move(*row));
  }
  return table;
}

constexpr std::array<std::size_t, 4> kPieces = {1, 2, 3, SIZE_MAX};

struct GoodTable {
  std::string name;
  std::string bytes;
  std::vector<std::string> header;
  std::vector<CsvRow> rows;
};

TEST(CsvTable, ReadsWhatSpreadsheetsWrite) {
  const std::vector<GoodTable> tables = {
      {"crlf", "a,b\r\n1,2\r\n3,4\r\n", {"a", "b"}, {{2, {"1", "2"}}, {3, {"3", "4"}}}},
      {"lf, no last line end, BOM",
       "\xEF\xBB\xBF"
       "a,b\n1,2",
       {"a", "b"},
       {{2, {"1", "2"}}}},
      {"quoted comma, quote and line end",
       "case,x\r\n\"Villa, \"\"ny\"\"\",1\r\n\"två\r\nrader\",2\r\n",
       {"case", "x"},
       {{2, {"Villa, \"ny\"", "1"}}, {3, {"två\r\nrader", "2"}}}},
      {"row after a quoted line end counts lines",
       "a,b\n\"x\ny\nz\",1\n2,3\n",
       {"a", "b"},
       {{2, {"x\ny\nz", "1"}}, {5, {"2", "3"}}}},
      {"empty lines skipped, empty fields kept",
       "\na,b\n\n,\n\"\",5\n\n",
       {"a", "b"},
       {{4, {"", ""}}, {5, {"", "5"}}}},
      {"header only", "a,b,c\r\n", {"a", "b", "c"}, {}},
      {"one column, quoted empty value", "a\n\"\"\nx\n", {"a"}, {{2, {""}}, {3, {"x"}}}},
  };
  for (const GoodTable& expected : tables) {
    for (const std::size_t piece : kPieces) {
      SCOPED_TRACE(expected.name + ", " + std::to_string(piece));
      const CsvTable table = read_in_pieces(expected.bytes, piece);
      EXPECT_EQ(table.header, expected.header);
      EXPECT_EQ(table.rows, expected.rows);
    }
  }
}

TEST(CsvTable, RefusesWhatIsNoTableNamingLineAndColumn) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "in.csv, rad 1: filen är tom"},
      {"\xEF\xBB\xBF\r\n\r\n", "in.csv, rad 1: filen är tom"},
      {"a,b\n1\n",
       "in.csv, rad 2, kolumn 2 (\"b\"): kolumnen saknas; raden har 1 fält men "
       "rubrikraden 2"},
      {"a,b\n1,2\n1,2,3\n", "in.csv, rad 3, kolumn 3: raden har 3 fält men rubrikraden bara 2"},
      {"a,b\n1,\"2\n",
       "in.csv, rad 2, kolumn 2 (\"b\"): citattecknet som inleder fältet "
       "avslutas aldrig"},
      {"a,b\n1,2\"x\n", "in.csv, rad 2, kolumn 2 (\"b\"): citattecken inne i ett fält utan"},
      {"a,b\n\"1\"x,2\n",
       "in.csv, rad 2, kolumn 1 (\"a\"): efter fältets avslutande "
       "citattecken står \"x\""},
      {"a,b\r1,2\r", "in.csv, rad 1, kolumn 2: ett ensamt CR-tecken"},
      {"a,b\n1,\"x\n\0\"\n"s,
       "in.csv, rad 3, kolumn 2 (\"b\"): en NUL-byte; filen är ingen "
       "textfil"},
      {"a,b\n1,v\xE4rme\n", "in.csv, rad 2, kolumn 2 (\"b\"): byten 0xE4 hör inte till UTF-8"},
      {"a,\xC0\xAF\n", "in.csv, rad 1, kolumn 2: byten 0xC0 hör inte till UTF-8"},
      {"\xFF\xFE"
       "a\0,\0"s,
       "in.csv, rad 1, kolumn 1: filen är kodad i UTF-16"},
  };
  for (const auto& [bytes, start] : cases) {
    for (const std::size_t piece : kPieces) {
      SCOPED_TRACE(bytes + ", " + std::to_string(piece));
      try {
        read_in_pieces(bytes, piece);
        ADD_FAILURE() << "read without error";
      } catch (const CsvError& e) {
        EXPECT_EQ(std::string(e.what()).substr(0, start.size()), start) << e.what();
      }
    }
  }
}

// Counts the bytes a reader takes from the source.
class CountingSource : public MemoryByteSource {
 public:
  using MemoryByteSource::MemoryByteSource;
  std::size_t read_some(char* into, std::size_t most) override {
    const std::size_t count = MemoryByteSource::read_some(into, most);
    taken += count;
    return count;
  }
  std::size_t taken = 0;
};

// A file of one endless line is refused when the line passes the bound, not read whole.
TEST(CsvTable, ARecordLongerThanTheBoundIsRefusedWithoutReadingItWhole) {
  constexpr std::size_t kFileSize = 16 * kLongestCsvRecord;
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a,b\n" + std::string(kFileSize, ','), "in.csv, rad 2, kolumn "},
      {"a,b\n1,\"" + std::string(kFileSize, '\n'), "in.csv, rad 2, kolumn 2 (\"b\"): "},
      {std::string(kFileSize, 'x'), "in.csv, rad 1, kolumn 1: "},
  };
  for (const auto& [bytes, start] : cases) {
    SCOPED_TRACE(start);
    CountingSource source(bytes);
    try {
      CsvStream stream(source, "in.csv");
      while (stream.next()) {
      }
      ADD_FAILURE() << "read without error";
    } catch (const CsvError& e) {
      const std::string message = e.what();
      EXPECT_EQ(message.substr(0, start.size()), start) << message;
      EXPECT_TRUE(
          message.ends_with("raden är längre än 1 MiB, det mesta en rad i tabellen får vara"))
          << message;
    }
    EXPECT_LT(source.taken, 2 * kLongestCsvRecord);
  }
  // A record just within the bound is read.
  const std::string longest = "a\n" + std::string(kLongestCsvRecord - 2, 'x') + "\r\n";
  EXPECT_EQ(read_csv_table(longest, "in.csv").rows.at(0).fields.at(0).size(),
            kLongestCsvRecord - 2);
}

TEST(CsvTable, AnotherRowsFaultNamesThatColumnByItsHeader) {
  EXPECT_EQ(csv_cell_place("in.csv", 7, 2, std::vector<std::string>{"a", "b", "c,d"}),
            "in.csv, rad 7, kolumn 3 (\"c,d\")");
  EXPECT_EQ(csv_cell_place("in\n.csv", 7, 3, std::vector<std::string>{"a"}),
            "in?.csv, rad 7, kolumn 4");
}

// Random tables of texts with every character that needs quoting.
TEST(CsvTable, WrittenTablesReadBackAsThemselves) {
  const std::vector<std::string> pieces = {"a", "1.5", ",", "\"", "\r\n", "\n",   "\r",
                                           " ", "å",   "€", "",   "x,y",  "\"\"", "\xEF\xBB\xBF"};
  std::mt19937 random(12);
  for (int round = 0; round < 200; ++round) {
    const auto columns = std::uniform_int_distribution<std::size_t>(1, 5)(random);
    const auto rows = std::uniform_int_distribution<std::size_t>(0, 6)(random);
    const auto field = [&] {
      std::string text;
      for (auto n = std::uniform_int_distribution<int>(0, 4)(random); n > 0; --n) {
        text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
      }
      return text;
    };
    std::vector<std::vector<std::string>> records(rows + 1, std::vector<std::string>(columns));
    for (auto& record : records) {
      for (std::string& text : record) {
        text = field();
      }
    }
    std::string bytes;
    for (const auto& record : records) {
      bytes += csv_record(record);
    }
    SCOPED_TRACE(bytes);
    const CsvTable table = read_csv_table(bytes, "in.csv");
    EXPECT_EQ(table.header, records[0]);
    ASSERT_EQ(table.rows.size(), rows);
    for (std::size_t i = 0; i < rows; ++i) {
      EXPECT_EQ(table.rows[i].fields, records[i + 1]);
    }
  }
}

// Where a decimal comma is written, fields are separated by semicolons: a semicolon then needs
// quotes and a comma does not.
TEST(CsvTable, ASemicolonSeparatorQuotesSemicolonsNotCommas) {
  EXPECT_EQ(csv_record(std::vector<std::string>{"1,5", "a;b", "\"q\"", ""}, ';'),
            "1,5;\"a;b\";\"\"\"q\"\"\";\r\n");
  EXPECT_EQ(csv_record(std::vector<std::string>{"1,5", "a;b"}), "\"1,5\",a;b\r\n");
}

}  // namespace
}  // namespace varmkalk::core
