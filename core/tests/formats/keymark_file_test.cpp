// SPDX-License-Identifier: GPL-3.0-or-later
// The Keymark reader: the shipped units read as their certificates state, the variant by its
// title, brine units as brine/water, the first of a repeated value; and every kind of broken
// file refused with the file, the line and the field at fault.
#include "core/formats/keymark_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/heatpump/season_tables.h"
#include "core/tests/heatpump/shipped_units.h"

namespace varmkalk::core {
namespace {

using testing::kShippedUnits;
using testing::read_shipped;

TEST(KeymarkFile, ShippedUnitsReadAsDeclared) {
  for (const auto& shipped : kShippedUnits) {
    const HeatPumpUnit unit = read_shipped(shipped);
    EXPECT_EQ(unit.source, shipped.source) << shipped.title;
    int at = 0;
    for (const SeasonClimate climate : kSeasonClimates) {
      for (const FlowFamily family : kFlowFamilies) {
        ASSERT_TRUE(unit.declaration(climate, family)) << shipped.title;
        // A brine unit's water/water SCOP is far higher: the brine rows are the ones read.
        EXPECT_EQ(unit.declaration(climate, family)->scop, shipped.declared_scop[at++])
            << shipped.title << ", " << declaration_label(climate, family);
      }
    }
  }
}

// CTC EcoAir 610M, average climate, 35 °C, as its file gives it.
TEST(KeymarkFile, ReadsEveryValueOfADeclaration) {
  const HeatPumpUnit unit = read_shipped(kShippedUnits[0]);
  const SeasonalDeclaration& d = *unit.declaration(SeasonClimate::average, FlowFamily::low_35);
  EXPECT_EQ(d.design_load_kw, 6.00);
  EXPECT_EQ(d.bivalent_c, -9);
  EXPECT_EQ(d.operation_limit_c, -10);
  EXPECT_EQ(d.cycling_loss, 0.98);
  EXPECT_EQ(d.highest_flow_c, 65);
  EXPECT_EQ(d.idle.off_w, 14);
  EXPECT_EQ(d.idle.thermostat_off_w, 14);
  EXPECT_EQ(d.idle.standby_w, 14);
  EXPECT_EQ(d.idle.crankcase_w, 0);
  ASSERT_EQ(d.points.size(), 6u);
  const std::vector<DeclaredPoint> expected{{-7, 5.61, 3.03, 0.98}, {2, 3.46, 5.14, 0.98},
                                            {7, 2.45, 5.83, 0.98},  {12, 2.92, 7.27, 0.98},
                                            {-9, 5.88, 2.66},       {-10, 5.71, 2.59}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(d.points[i].outdoor_c, expected[i].outdoor_c) << i;
    EXPECT_EQ(d.points[i].heat_kw, expected[i].heat_kw) << i;
    EXPECT_EQ(d.points[i].cop, expected[i].cop) << i;
    EXPECT_EQ(d.points[i].cycling_loss, expected[i].cycling_loss) << i;
  }
  EXPECT_EQ(unit.rating_kw, 5.88);
  EXPECT_FALSE(unit.reversible);
  // The IVT split units are declared reversible; the ATHENA's title has a trailing blank.
  EXPECT_TRUE(read_shipped(kShippedUnits[2]).reversible);
  EXPECT_EQ(read_shipped(kShippedUnits[3]).title, "ATHENA 18 400V H");
  // Calibra 7 declares −15 °C in the colder climate, with its own cycling loss (EN14825_051).
  const HeatPumpUnit calibra = read_shipped(kShippedUnits[7]);
  const SeasonalDeclaration& colder =
      *calibra.declaration(SeasonClimate::colder, FlowFamily::low_35);
  EXPECT_EQ(colder.points.front().outdoor_c, -15);
  EXPECT_EQ(colder.points.front().heat_kw, 5.80);
  EXPECT_EQ(colder.points.front().cycling_loss, 0.99);
}

// A small file of two variants; "B" is the one read.
std::vector<std::string> good_lines() {
  std::vector<std::string> lines{
      R"("modelID","varName","value","temperature","climate","indoorUnittype","info","hpType")",
      R"("","title","A","0","0","0","1","0")",
      R"("","EN14825_002","99","4","3","0","2","0")",
      R"("","title"," B ","0","0","0","1","0")",
      R"("","reversibility","0","0","0","0","1","0")",
      R"("","EN14511_2_001","7.5","4","10","0","2","0")"};
  const std::vector<std::pair<std::string, std::string>> values{
      {"002", "8"},   {"003", "4.5"}, {"004", "-7"},  {"005", "-10"}, {"008", "7.5"},
      {"009", "3"},   {"010", "5"},   {"011", "4.5"}, {"012", "4"},   {"013", "5.5"},
      {"014", "4"},   {"015", "6.5"}, {"016", "7.5"}, {"017", "3"},   {"018", "6"},
      {"019", "2.5"}, {"023", "10"},  {"024", "10"},  {"025", "10"},  {"026", "0"}};
  for (const char* family : {"4", "5"}) {
    for (const auto& [code, value] : values) {
      lines.push_back("\"\",\"EN14825_" + code + "\",\"" + value + "\",\"" + family +
                      "\",\"3\",\"0\",\"2\",\"0\"");
    }
  }
  lines.push_back(R"("","EN14825_003","9.9","4","3","0","2","0")");  // repeated: the first counts
  lines.push_back(R"("","Mass of Refrigerant","2,200 kg","0","0","0","0")");
  lines.push_back(R"("","Type","Outdoor Air/Water","0","0","0","0")");
  return lines;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line + "\r\n";
  }
  return text;
}

// The 1-based line of the first line holding `needle`.
std::size_t line_of(const std::vector<std::string>& lines, const std::string& needle) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find(needle) != std::string::npos) {
      return i + 1;
    }
  }
  ADD_FAILURE() << needle;
  return 0;
}

TEST(KeymarkFile, SmallFileReadsWithTheFirstOfARepeatedValue) {
  const HeatPumpUnit unit = read_keymark_unit(joined(good_lines()), "vp.csv", "B");
  EXPECT_EQ(unit.title, "B");
  EXPECT_EQ(unit.declaration(SeasonClimate::average, FlowFamily::low_35)->scop, 4.5);
  EXPECT_EQ(unit.declaration(SeasonClimate::average, FlowFamily::low_35)->design_load_kw, 8);
  EXPECT_FALSE(unit.declaration(SeasonClimate::colder, FlowFamily::low_35));
  EXPECT_EQ(keymark_titles(joined(good_lines()), "vp.csv"), (std::vector<std::string>{"A", "B"}));
}

TEST(KeymarkFile, RefusesBrokenFilesNamingFileLineAndField) {
  using Lines = std::vector<std::string>;
  struct Case {
    std::string name;
    std::function<std::string(Lines&)> break_it;  // breaks the lines, gives the message's place
    std::string fault;
  };
  const auto replace = [](Lines& lines, const std::string& needle, const std::string& by) {
    const std::size_t line = line_of(lines, needle);
    lines[line - 1] = by;
    return "vp.csv, rad " + std::to_string(line);
  };
  const std::vector<Case> cases{
      {"header", [&](Lines& l) { return replace(l, "modelID", R"("modelID","varName","value")"); },
       ": rubrikraden ska vara"},
      {"field count",
       [&](Lines& l) { return replace(l, "EN14825_010", R"("","EN14825_010","5","4","3")"); },
       ": 5 fält"},
      {"unclosed quote",
       [&](Lines& l) { return replace(l, "EN14825_010", R"("","EN14825_010","5)"); },
       ": ett citattecken stängs inte"},
      {"text after a closing quote",
       [&](Lines& l) {
         return replace(l, "EN14825_010", R"("","EN14825_010","5,"4","3","0","2","0)");
       },
       ": text efter ett citattecken som stänger fält 3"},
      {"value not a number",
       [&](Lines& l) {
         return replace(l, "\"EN14825_009\",\"3\"",
                        R"("","EN14825_009","3,03","4","3","0","2","0")");
       },
       ": fält value (EN14825_009): \"3,03\" är inget tal"},
      {"value out of range",
       [&](Lines& l) {
         return replace(l, "\"EN14825_009\",\"3\"", R"("","EN14825_009","0","4","3","0","2","0")");
       },
       ": fält value (EN14825_009): 0 ligger utanför 0.5 till 20"},
      {"value beyond every double",
       [&](Lines& l) {
         return replace(l, "\"EN14825_002\",\"8\"",
                        "\"\",\"EN14825_002\",\"1" + std::string(400, '0') +
                            "\",\"4\",\"3\",\"0\",\"2\",\"0\"");
       },
       ": fält value (EN14825_002): "},
      {"flow family not a number",
       [&](Lines& l) {
         return replace(l, "\"EN14825_011\",\"4.5\"",
                        R"("","EN14825_011","4.5","4a","3","0","2","0")");
       },
       ": fält temperature (EN14825_011): \"4a\" är inget heltal"},
      {"code that is no text, with a column that is no number",
       [&](Lines& l) {
         return replace(l, "\"EN14825_011\",\"4.5\"",
                        "\"\",\"EN14825_0\xff"
                        "1\",\"4.5\",\"4\",\"3\",\"0\",\"2\",\"-\"");
       },
       ": fält hpType (EN14825_0?1): \"-\" är inget heltal"},
      {"needed value missing",
       [&](Lines& l) {
         l.erase(l.begin() + static_cast<long>(line_of(l, "\"EN14825_009\",\"3\"")) - 1);
         return "vp.csv, rad " + std::to_string(line_of(l, "\" B \""));
       },
       ": EN14825_009 saknas i deklarationen för genomsnittligt klimat, 35 °C"},
      {"declaration missing",
       [&](Lines& l) {
         std::erase_if(l, [](const std::string& line) {
           return line.find("\",\"5\",\"3\",\"0\",\"2\",\"0\"") != std::string::npos;
         });
         return "vp.csv, rad " + std::to_string(line_of(l, "\" B \""));
       },
       ": variant \"B\" saknar deklarationen för genomsnittligt klimat, 55 °C"},
      {"no such title",
       [&](Lines& l) {
         replace(l, "\" B \"", R"("","title","C","0","0","0","1","0")");
         return std::string("vp.csv");
       },
       ": ingen variant har titeln \"B\"; filen har \"A\", \"C\""},
      {"type missing",
       [&](Lines& l) {
         l.pop_back();
         return std::string("vp.csv");
       },
       ": raden Type"},
      {"type unknown",
       [&](Lines& l) {
         return replace(l, "\"Type\"", R"("","Type","Solar/Water","0","0","0","0")");
       },
       ": fält value (Type): värmekällan \"Solar/Water\""},
      {"reversibility neither 0 nor 1",
       [&](Lines& l) {
         return replace(l, "reversibility", R"("","reversibility","ja","0","0","0","1","0")");
       },
       ": fält value (reversibility): \"ja\" är varken 0 eller 1"},
      {"value before any title",
       [&](Lines& l) {
         l.insert(l.begin() + 1, R"("","application","2","0","0","0","1","0")");
         return std::string("vp.csv, rad 2");
       },
       ": värdet \"application\" står före första variantens title"},
      {"empty",
       [&](Lines& l) {
         l.clear();
         return std::string("vp.csv");
       },
       ": filen är tom"},
  };
  for (const Case& c : cases) {
    Lines lines = good_lines();
    const std::string place = c.break_it(lines);
    try {
      read_keymark_unit(joined(lines), "vp.csv", "B");
      ADD_FAILURE() << c.name << ": read";
    } catch (const KeymarkError& error) {
      const std::string message = error.what();
      EXPECT_EQ(message.find(place + c.fault), 0u) << c.name << ": " << message;
    }
  }
}

}  // namespace
}  // namespace varmkalk::core
