// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "core/climate_import/climate_file.h"
#include "core/tests/support/source_builders.h"

namespace varmkalk::core {
namespace {

using testing::stockholm_2009_bytes;

TEST(ClimateFile, FormattedYearsReadBackUnchangedElevenCharactersALine) {
  std::vector<int> extremes(366, 0);
  const std::vector<int> edges = {kLowestTenthsC, kHighestTenthsC, -1, 1, -9, 9, -10, 10, -99, 0};
  std::copy(edges.begin(), edges.end(), extremes.begin());
  for (const ClimateYear& year : {testing::stockholm_2009(), ClimateYear{2008, extremes},
                                  ClimateYear{std::nullopt, extremes}}) {
    const std::string file = format_climate_file(year);
    ASSERT_EQ(file.size(), year.daily_mean_tenths_c.size() * 13);
    for (std::size_t line = 0; line < year.daily_mean_tenths_c.size(); ++line) {
      EXPECT_EQ(file.substr(line * 13 + 11, 2), "\r\n") << "rad " << line + 1;
    }
    const ImportResult read = read_climate_file(file, "år.dat");
    ASSERT_TRUE(std::holds_alternative<ClimateYear>(read)) << std::get<ImportError>(read).message;
    EXPECT_EQ(std::get<ClimateYear>(read).daily_mean_tenths_c, year.daily_mean_tenths_c);
  }
  // A tenth below zero keeps its sign; zero has none.
  EXPECT_EQ(format_climate_file(ClimateYear{2008, extremes}).substr(26, 13), "   3   -0.1\r\n");
  EXPECT_EQ(format_climate_file(ClimateYear{2008, extremes}).substr(117, 13), "  10    0.0\r\n");
  EXPECT_EQ(format_climate_file(
                std::get<ClimateYear>(read_climate_file(stockholm_2009_bytes(), "sthlm.dat"))),
            stockholm_2009_bytes());
}

TEST(ClimateFile, ReadingRefusesWhatIsNotADailyMeanWithOneDecimal) {
  const std::string good = stockholm_2009_bytes();
  struct Case {
    std::string bytes;
    std::string expected;
  };
  for (const Case& c : {
           Case{"   2   -4.8\r\n" + good.substr(13),
                "sthlm.dat, rad 1, kolumn 1–4: dagnumret är \"2\""},
           Case{"   1  -4.85\r\n" + good.substr(13),
                "rad 1, kolumn 5–11: \"-4.85\" är ingen temperatur"},
           Case{"   1    -48\r\n" + good.substr(13), "\"-48\" är ingen temperatur med en decimal"},
           Case{"   1   99.9\r\n" + good.substr(13), "\"99.9\" °C är ingen rimlig"},
           Case{"\r\n" + good.substr(13), "rad 1, kolumn 1–4: dagnumret är \"\""},
           Case{good.substr(13 * 2), "rad 1, kolumn 1–4: dagnumret är \"3\""},
           Case{good.substr(0, 13 * 364), "filen har 364 rader"},
           Case{good + " 366    1.0\r\n 367    1.0\r\n", "filen har fler än 366 rader"},
       }) {
    const ImportResult read = read_climate_file(c.bytes, "sthlm.dat");
    ASSERT_TRUE(std::holds_alternative<ImportError>(read)) << c.expected;
    EXPECT_NE(std::get<ImportError>(read).message.find(c.expected), std::string::npos)
        << std::get<ImportError>(read).message;
  }
  // Text after column 11 is not read, as the engine does not read it.
  EXPECT_TRUE(std::holds_alternative<ClimateYear>(
      read_climate_file("   1   -4.8 anteckning\n" + good.substr(13), "sthlm.dat")));
}

TEST(ClimateFile, FormattingRefusesYearsTheFileCannotHold) {
  for (const ClimateYear& year : {
           ClimateYear{2009, std::vector<int>(364, 0)},
           ClimateYear{2008, std::vector<int>(365, 0)},
           ClimateYear{std::nullopt, std::vector<int>(367, 0)},
           ClimateYear{2009, std::vector<int>(365, kHighestTenthsC + 1)},
           ClimateYear{2009, std::vector<int>(365, kLowestTenthsC - 1)},
       }) {
    EXPECT_THROW(format_climate_file(year), std::invalid_argument);
  }
}

}  // namespace
}  // namespace varmkalk::core
