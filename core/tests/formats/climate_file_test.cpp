// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/files/run_error.h"
#include "core/formats/climate_file.h"
#include "core/tests/support/temp_folder.h"
#include "core/text/fixed_field.h"

namespace varmkalk::core {
namespace {

using testing::TempFolder;

TEST(ClimateLine, DayInColumnsOneToFourTemperatureWithOneImpliedDecimal) {
  struct Case {
    const char* line;
    int day_number;
    float outdoor_temp;
  };
  for (const Case c : {
           Case{"   1   -4.8", 1, -4.8f},
           Case{"   2    -52", 2, -5.2f},
           Case{"  12     12", 12, 1.2f},
           Case{"", 0, 0.0f},
           Case{"1234   0.5", 1234, 0.5f},
           Case{" 365   -7.6 comment", 365, -7.6f},
           Case{"   7", 7, 0.0f},
           Case{"   3     7.", 3, 7.0f},  // a trailing point: seven degrees, not 0.7
           Case{"       1E1", 0, 1.0f},
       }) {
    const ClimateRecord record = parse_climate_line(c.line);
    EXPECT_EQ(record.day_number, c.day_number) << '"' << c.line << '"';
    EXPECT_EQ(record.outdoor_temp, c.outdoor_temp) << '"' << c.line << '"';
  }
}

TEST(ClimateLine, FaultNamesTheColumnsOfTheBadField) {
  try {
    parse_climate_line("  1.   0.0");
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "kolumn 1–4: \"1.\" är inget tal");
  }
  try {
    parse_climate_line("   1    1A");
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "kolumn 5–11: \"1A\" är inget tal");
  }
}

TEST(ClimateFile, ReadsEveryLineAndAnEmptyLastLineAsDayZero) {
  TempFolder folder;
  folder.write("sthlm.dat", "   1   -4.8\r\n   2   -6.3\r\n\r\n");
  ClimateFile file(folder.path() / "sthlm.dat", "sthlm.dat");
  std::vector<ClimateRecord> records;
  while (const auto record = file.next()) {
    records.push_back(*record);
  }
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[1].day_number, 2);
  EXPECT_EQ(records[1].outdoor_temp, -6.3f);
  EXPECT_EQ(records[2].day_number, 0);
  EXPECT_EQ(records[2].outdoor_temp, 0.0f);
}

TEST(ClimateFile, EndsAfterTheLastLineWithOrWithoutLineEnd) {
  for (const char* text : {"   1   -4.8\r\n   2   -6.3\r\n", "   1   -4.8\r\n   2   -6.3"}) {
    TempFolder folder;
    folder.write("x.dat", text);
    ClimateFile file(folder.path() / "x.dat", "x.dat");
    int count = 0;
    while (file.next()) {
      ++count;
    }
    EXPECT_EQ(count, 2);
  }
}

TEST(ClimateFile, BadLineNamesFileLineAndColumns) {
  TempFolder folder;
  folder.write("sthlm.dat", "   1   -4.8\r\n   2   -6.3\r\n   3    x.5\r\n");
  ClimateFile file(folder.path() / "sthlm.dat", "sthlm.dat");
  file.next();
  file.next();
  try {
    file.next();
    FAIL();
  } catch (const RunError& e) {
    EXPECT_STREQ(e.what(), "sthlm.dat, rad 3, kolumn 5–11: \"x.5\" är inget tal");
  }
}

TEST(OpenClimateFile, PrefersTheWorkingFolderThenTheInstalledOne) {
  TempFolder work;
  TempFolder installed;
  work.write("malmo.dat", "   1    1.0\r\n");
  installed.write("malmo.dat", "   1    2.0\r\n");
  installed.write("kiruna.dat", "   1   -3.0\r\n");
  EXPECT_EQ(open_climate_file("malmo.dat", work.path(), installed.path()).next()->outdoor_temp,
            1.0f);
  EXPECT_EQ(open_climate_file("kiruna.dat", work.path(), installed.path()).next()->outdoor_temp,
            -3.0f);
}

TEST(OpenClimateFile, MissingFileNamesEveryPlaceLookedIn) {
  TempFolder work;
  TempFolder installed;
  try {
    open_climate_file("falun.dat", work.path(), installed.path());
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(std::string(e.what()), "falun.dat: klimatfilen finns varken i arbetsmappen " +
                                         work.path().string() + " eller i " +
                                         installed.path().string());
  }
  try {
    open_climate_file("falun.dat", work.path(), {});
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(std::string(e.what()),
              "falun.dat: klimatfilen finns inte i arbetsmappen " + work.path().string());
  }
}

}  // namespace
}  // namespace varmkalk::core
