// SPDX-License-Identifier: GPL-3.0-or-later
// Messages that quote bytes from the engine's files: the files are Windows-1252, the console
// reads UTF-8, and a control character must neither reach the terminal nor hide in a '?'.
#include <gtest/gtest.h>

#include <string>

#include "core/files/result_file.h"
#include "core/files/run_error.h"
#include "core/formats/climate_file.h"
#include "core/tests/support/temp_folder.h"
#include "core/text/fixed_field.h"
#include "core/text/windows1252.h"

namespace varmkalk::core {
namespace {

using testing::TempFolder;

template <typename Call>
std::string conversion_error(Call call) {
  try {
    call();
  } catch (const ConversionError& e) {
    return e.what();
  }
  return "no error";
}

TEST(ShownFromWindows1252, DecodesLettersAndHidesControlCharacters) {
  EXPECT_EQ(shown_from_windows1252("h\xC5\xE4\xF6"), "hÅäö");
  EXPECT_EQ(shown_from_windows1252("\x80\x96\x9F"), "€–Ÿ");
  // The five bytes that Windows-1252 leaves unassigned, and control characters.
  EXPECT_EQ(shown_from_windows1252("\x81\x8D\x8F\x90\x9D"), "?????");
  EXPECT_EQ(shown_from_windows1252(std::string("a\0b\tc\x1B[2Jd\x7F", 11)), "a?b?c?[2Jd?");
}

// Fuzzing finding: a field holding a Windows-1252 letter was quoted byte for byte, which made
// the message invalid UTF-8 on the console.
TEST(ErrorMessages, QuoteFileBytesAsTheirWindows1252Letters) {
  EXPECT_EQ(conversion_error([] {
              read_real(
                  " 5\xFF"
                  "000",
                  0);
            }),
            "\"5ÿ000\" är inget tal");
  EXPECT_EQ(conversion_error([] { parse_climate_line("   1  -4\xB0"); }),
            "kolumn 5–11: \"-4°\" är inget tal");
}

TEST(ErrorMessages, NameAControlCharacterThatDoesNotShow) {
  EXPECT_EQ(conversion_error([] { read_real("1\t5", 0); }),
            "\"1?5\" är inget tal (fältet innehåller styrtecknet 0x09)");
  // After the comma nothing counts, a control character there neither.
  EXPECT_EQ(conversion_error([] { read_real("x,\t", 0); }), "\"x,?\" är inget tal");
}

TEST(ErrorMessages, NameAResultFileInUtf8) {
  TempFolder folder;
  const std::string name =
      "h\xC5"
      "12.dat";
  folder.write(name, "kept");
  try {
    ResultFile file(folder.path(), name);
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(std::string(e.what()).find("hÅ12.dat: filen finns redan;"), 0u) << e.what();
  }
  EXPECT_EQ(folder.read(name), "kept");
}

}  // namespace
}  // namespace varmkalk::core
