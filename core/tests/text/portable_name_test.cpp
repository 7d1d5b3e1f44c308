// SPDX-License-Identifier: GPL-3.0-or-later
// The name rule files follow on Linux and Windows alike: the same names refused on both.
#include "core/text/portable_name.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace varmkalk::core {
namespace {

using Kind = PortableNameFault::Kind;

TEST(PortableName, ANameIsRefusedWhereWindowsWouldTakeItForAnotherFileOrADevice) {
  struct Case {
    std::string name;
    std::optional<Kind> kind;  // empty: a name on both systems
    std::size_t position = 0;
  };
  for (const Case& c : {
           // An identity of two characters padded as the engine pads it stays a name.
           Case{"ab  .dat", {}},
           Case{"ab  sum_c.dat", {}},
           Case{"umeå 2009.dat", {}},
           Case{"auxiliary.dat", {}},
           Case{"com0.dat", {}},
           Case{"com10.dat", {}},
           Case{"nul sum.dat", {}},
           Case{"nul_.dat", {}},
           Case{".dat", {}},
           // Device names in any case, with or without extension, blanks before the point
           // dropped as Windows drops them.
           Case{"nul .dat", Kind::device_name, 1},
           Case{"NUL", Kind::device_name, 1},
           Case{"Con.txt", Kind::device_name, 1},
           Case{"prn   .csv", Kind::device_name, 1},
           Case{"aux.tar.gz", Kind::device_name, 1},
           Case{"COM1.dat", Kind::device_name, 1},
           Case{"lpt9", Kind::device_name, 1},
           Case{"conin$.dat", Kind::device_name, 1},
           Case{"CONOUT$", Kind::device_name, 1},
           Case{"com\xB9.dat", Kind::device_name, 1},      // superscript one, Windows-1252
           Case{"lpt\xC2\xB3.dat", Kind::device_name, 1},  // superscript three, UTF-8
           // Characters Windows refuses; the colon also makes a name relative to a drive.
           Case{"c:umea.dat", Kind::windows_character, 2},
           Case{"a<b", Kind::windows_character, 2},
           Case{"a>b", Kind::windows_character, 2},
           Case{"\"ab\"", Kind::windows_character, 1},
           Case{"a|b", Kind::windows_character, 2},
           Case{"ab?", Kind::windows_character, 3},
           Case{"a*.dat", Kind::windows_character, 2},
           Case{"umea.dat.", Kind::trailing, 9},
           Case{"umea ", Kind::trailing, 5},
           // Separators and control characters first, as before.
           Case{"a:b/c", Kind::separator, 4},
           Case{"a\\b", Kind::separator, 2},
           Case{"nul\t", Kind::control, 4},
       }) {
    SCOPED_TRACE(c.name);
    const std::optional<PortableNameFault> fault = portable_name_fault(c.name);
    ASSERT_EQ(fault.has_value(), c.kind.has_value());
    if (fault) {
      EXPECT_EQ(fault->kind, *c.kind);
      EXPECT_EQ(fault->position, c.position);
      EXPECT_FALSE(portable_name_fault_text(*fault, c.name).empty());
    }
  }
  // The device as typed, a superscript in UTF-8 also when the name is Windows-1252.
  for (const auto& [name, device] : {std::pair<std::string, std::string>{"Nul  .dat", "Nul"},
                                     {"com\xB9.dat", "com\xC2\xB9"},
                                     {"LPT\xC2\xB2", "LPT\xC2\xB2"}}) {
    EXPECT_EQ(portable_name_fault_text(*portable_name_fault(name), name),
              "är enhetsnamnet " + device +
                  " i Windows, som inget filnamn får ha, med eller utan ändelse");
  }
}

TEST(PortableName, DriveRelativeNames) {
  for (const char* path : {"c:ab", "C:", "c:umea.dat", "z:mapp/ut.csv"}) {
    EXPECT_TRUE(is_drive_relative(path)) << path;
  }
  for (const char* path :
       {"c:\\ab", "C:/mapp/ut.csv", "ab", "1:ab", ":ab", "\\\\server\\ut.csv", "./c:ab", ""}) {
    EXPECT_FALSE(is_drive_relative(path)) << path;
  }
}

}  // namespace
}  // namespace varmkalk::core
