// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/case/climates.h"

#include <gtest/gtest.h>

#include "core/case/heating_systems.h"

namespace varmkalk::core {
namespace {

TEST(PlaceFromCode, ByCodeLetterInEitherCaseElseKiruna) {
  struct Case {
    const char* code;
    const char* file;
    float design_outdoor_temp_c;
  };
  for (const Case c : {
           Case{"A", "malmo.dat", -14.0f},
           Case{"a", "malmo.dat", -14.0f},
           Case{"B", "jkping.dat", -22.0f},
           Case{"b", "jkping.dat", -22.0f},
           Case{"c  ", "sthlm.dat", -18.0f},
           Case{"D", "falun.dat", -26.0f},
           Case{"e", "ostersnd.dat", -28.0f},
           Case{"f", "kiruna.dat", -29.0f},
           Case{"", "kiruna.dat", -29.0f},
           Case{" A", "kiruna.dat", -29.0f},
           Case{"AB", "kiruna.dat", -29.0f},
           Case{"Malmö", "kiruna.dat", -29.0f},
       }) {
    const Climate& climate = climate_of(place_from_code(c.code));
    EXPECT_EQ(climate.file_name, c.file) << '"' << c.code << '"';
    EXPECT_EQ(climate.design_outdoor_temp_c, c.design_outdoor_temp_c) << '"' << c.code << '"';
  }
  EXPECT_EQ(climate_of(place_from_code("e")).report_line, "- Östersunds klimat har använts");
  EXPECT_EQ(climate_of(place_from_code("x")).report_line, "- Kirunas klimat har använts");
}

TEST(PlaceFromCode, EveryPlaceReadsBackFromItsOwnLetter) {
  for (const Climate& climate : kClimates) {
    EXPECT_EQ(place_from_code(std::string(1, climate.code_letter)), climate.place);
  }
  for (const HeatingSystemDesign& design : kHeatingSystems) {
    EXPECT_EQ(heating_system_from_code(std::string(1, design.code_letter)), design.system);
  }
}

TEST(HeatingSystemFromCode, AOrLowerCaseAIs80_60ElseTheDefault) {
  for (const char* code : {"A", "a", "A   "}) {
    EXPECT_EQ(heating_system_from_code(code), HeatingSystem::radiators_80_60) << code;
  }
  for (const char* code : {"B", "", " A", "AA", "x"}) {
    EXPECT_EQ(heating_system_from_code(code), HeatingSystem::radiators_55_45) << code;
  }
}

}  // namespace
}  // namespace varmkalk::core
