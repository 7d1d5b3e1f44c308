// SPDX-License-Identifier: GPL-3.0-or-later
// Names of the user's own climate files: what line 24 can carry, and what looks like a name.
#include "core/formats/climate_file_name.h"

#include <gtest/gtest.h>

#include <string>

#include "core/formats/control_file.h"
#include "core/text/windows1252.h"

namespace varmkalk::core {
namespace {

TEST(ClimateFileName, AWrittenNameIsOneLine24CarriesAndTheEngineUses) {
  struct Case {
    std::string name;
    std::string fault;  // part of it; empty: the name can be used
  };
  for (const Case& c : {
           Case{"umea.dat", ""},
           Case{"umeå 2009.dat", ""},
           Case{"abcdefghijklmnop.dat", ""},
           Case{"abcdefghijklmnopq.dat", "det är 21 tecken långt"},
           Case{"åäöåäöåäöåäöåäöå.dat", ""},
           Case{"UMEA.DAT", "det ska sluta på .dat"},
           Case{".dat", "det ska sluta på .dat"},
           Case{"umea.txt", "det ska sluta på .dat"},
           Case{"data/umea.dat", "snedstreck"},
           Case{" umea.dat", "mellanslag"},
           Case{"umea\t.dat", "styrtecken"},
           Case{"Ωmega.dat", "Windows-1252"},
           Case{"sthlm.dat", "medföljande"},
           Case{"Kiruna.dat", "medföljande"},
           // The same file on Windows as on Linux.
           Case{"c:umea.dat", "det innehåller tecknet :, som Windows inte tillåter"},
           Case{"nul.dat", "det är enhetsnamnet nul i Windows"},
           Case{"Aux .dat", "det är enhetsnamnet Aux i Windows"},
           Case{"com1.dat", "det är enhetsnamnet com1 i Windows"},
           Case{"umea?.dat", "tecknet ?"},
           Case{"nul_umea.dat", ""},
       }) {
    const std::optional<std::string> fault = climate_file_name_fault(c.name);
    if (!c.fault.empty()) {
      EXPECT_NE(fault.value_or("").find(c.fault), std::string::npos) << c.name;
      continue;
    }
    EXPECT_EQ(fault, std::nullopt) << c.name;
    // Every name that can be written is one line 24 names, and found under the same name.
    const std::string line_24 = to_windows1252(c.name);
    EXPECT_TRUE(names_climate_file(line_24)) << c.name;
    EXPECT_EQ(file_system_name(line_24), c.name);
  }
}

TEST(ClimateFileName, LinesThatLookLikeAFileName) {
  for (const char* line : {"umea.dat\t", "UMEA.DAT", "x.Dat   # kommentar", "data/umea", "c:\\umea",
                           "umea.csv", "rapport.pdf  ", "umea.dat   # Umeå"}) {
    EXPECT_TRUE(looks_like_file_name(line)) << line;
  }
  for (const char* line :
       {"", "\t", " 1.5", "-1e99", "nan", "text efter rad 23", "-18.0", "Per Ex. AB", "v. 2.1"}) {
    EXPECT_FALSE(looks_like_file_name(line)) << line;
  }
}

}  // namespace
}  // namespace varmkalk::core
