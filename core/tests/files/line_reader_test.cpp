// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/files/run_error.h"
#include "core/tests/support/temp_folder.h"

namespace varmkalk::core {
namespace {

using testing::TempFolder;

std::vector<std::string> lines_of(const std::string& bytes) {
  TempFolder folder;
  folder.write("f.dat", bytes);
  LineReader reader(folder.path() / "f.dat", "f.dat");
  std::vector<std::string> lines;
  while (const std::optional<std::string> line = reader.next()) {
    lines.push_back(*line);
  }
  return lines;
}

std::string error_of(const std::string& bytes) {
  try {
    lines_of(bytes);
  } catch (const RunError& e) {
    return e.what();
  }
  return "no error";
}

TEST(LineReader, EndsLinesAtLineFeedsAndDropsTheCarriageReturnsBeforeThem) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},  // no line end after the last line
      {"a\r", {"a"}},
      {"a\n\n", {"a", ""}},
      {"\r\n", {""}},
      {"", {}},
      // A CR LF file converted once more by a text-mode writer.
      {"a\r\r\nb\r\r\n", {"a", "b"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lines_of(c.bytes), c.lines) << ::testing::PrintToString(c.bytes);
  }
}

// Fuzzing finding: a climate file with CR-only line ends read as a single day, silently, since
// everything after column 11 is ignored.
TEST(LineReader, RefusesACarriageReturnInsideALine) {
  const std::string cr_only = "   1   -4.8\r   2   -6.3\r   3   -4.7\r";
  EXPECT_EQ(error_of(cr_only),
            "f.dat, rad 1: raden innehåller en vagnretur (CR) mitt i raden; filen har troligen "
            "radslut med bara CR, men raderna ska sluta med CR LF");
  EXPECT_EQ(error_of("ok\r\nab\rc\r\n").substr(0, 12), "f.dat, rad 2");
}

TEST(LineReader, RefusesNulBytes) {
  // " 0.6" CR LF in UTF-16LE, as an editor might save it.
  const std::string utf16(
      " \0"
      "0\0"
      ".\0"
      "6\0"
      "\r\0"
      "\n\0",
      12);
  EXPECT_EQ(error_of(utf16),
            "f.dat, rad 1: raden innehåller ett NUL-tecken; filen är ingen textfil i Windows-1252 "
            "(kanske sparad som UTF-16)");
}

TEST(LineReader, KeepsTheStartOfAVeryLongLineAndReadsOn) {
  const std::string long_line = "   1   -4.8" + std::string(1'000'000, 'x');
  const std::vector<std::string> lines = lines_of(long_line + "\r\n   2   -6.3\r\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(0, 11), "   1   -4.8");
  EXPECT_LE(lines[0].size(), 1024u);
  EXPECT_EQ(lines[1], "   2   -6.3");
}

}  // namespace
}  // namespace varmkalk::core
