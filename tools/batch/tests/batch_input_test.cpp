// SPDX-License-Identifier: GPL-3.0-or-later
// The batch table's cells make the case the control file's reader makes of the same texts; a
// table that cannot be run is refused, naming the line and the column, before any case runs.
#include "tools/batch/batch_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/formats/control_file.h"
#include "core/tests/support/control_file_fixture.h"
#include "core/tests/support/temp_folder.h"

namespace varmkalk::batch {
namespace {

// A table of cells by column name; header and row written in the order given.
using Cells = std::vector<std::pair<std::string, std::string>>;

// The cells of the fixture's control file: the same texts, one column per line but the identity.
Cells example_cells() {
  const std::vector<std::string> lines = testing::control_lines();
  Cells cells;
  for (const core::ControlLine& line : core::kControlLines) {
    if (line.kind != core::ControlLineKind::identity) {
      cells.emplace_back(line.field, lines[static_cast<std::size_t>(line.line - 1)]);
    }
  }
  return cells;
}

std::string table_text(const Cells& cells) {
  std::string header;
  std::string row;
  for (const auto& [name, text] : cells) {
    header += (header.empty() ? "" : ",") + name;
    row += (row.empty() ? "" : ",") + text;
  }
  return header + "\r\n" + row + "\r\n";
}

void set(Cells& cells, const std::string& name, const std::string& text) {
  std::find_if(cells.begin(), cells.end(), [&](const auto& c) { return c.first == name; })->second =
      text;
}

TEST(BatchInput, CellsGiveTheCaseTheControlFileReaderGivesInAnyColumnOrder) {
  // Number texts of every form a cell takes, each also a control-file line the engine reads.
  const std::vector<std::string> numbers = {
      "0.1",  "1e3", "-0",         "12.50", "1E-7",       ".5",       "5.",     "+3",
      "-2.5", " 7 ", "3.40282e38", "1e-50", "0.30000001", "16777217", "2.5e+2", "-1.5E-3"};
  std::vector<std::string> lines = testing::control_lines();
  Cells cells = example_cells();
  std::size_t next = 0;
  for (const core::ControlLine& line : core::kControlLines) {
    if (line.kind == core::ControlLineKind::number) {
      const std::string& text = numbers[next++ % numbers.size()];
      lines[static_cast<std::size_t>(line.line - 1)] = text;
      set(cells, std::string(line.field), text);
    }
  }
  // Blanks and tabs around a code do not count, as around a number.
  set(cells, "climate_code", " e\t");
  lines[16] = "e";
  set(cells, "heating_system_code", "a ");
  lines[17] = "a";
  cells.emplace_back("case", "Villa");
  std::reverse(cells.begin(), cells.end());

  testing::TempFolder folder;
  folder.write(std::string(core::kControlFileName), testing::control_text(lines));
  core::BoilerCase expected = core::read_control_file(folder.path());
  expected.identity = {};

  const BatchInput input = read_batch_input(table_text(cells), "in.csv");
  ASSERT_EQ(input.rows.size(), 1u);
  EXPECT_EQ(input.rows[0].input, expected);
  EXPECT_EQ(input.rows[0].row.fields.front(), "Villa");
}

std::string refusal(const std::string& text) {
  try {
    read_batch_input(text, "in.csv");
  } catch (const std::exception& e) {
    return e.what();
  }
  return "no error";
}

TEST(BatchInput, RefusesTablesThatCannotRunNamingLineAndColumn) {
  struct Fault {
    std::string name;
    void (*change)(Cells&);
    std::string message_start;
  };
  const std::vector<Fault> faults = {
      {"unknown column", [](Cells& c) { c[5].first = "air_ration"; },
       "in.csv, rad 1, kolumn 6 (\"air_ration\"): okänd kolumn"},
      {"identity column", [](Cells& c) { c.emplace_back("calc_id", "h123"); },
       "in.csv, rad 1, kolumn 23 (\"calc_id\"): calc_id hör inte till en batchkörning"},
      {"repeated column", [](Cells& c) { c.emplace_back("air_ratio", "1.2"); },
       "in.csv, rad 1, kolumn 23 (\"air_ratio\"): kolumnen finns redan som kolumn 6"},
      {"missing column", [](Cells& c) { c.erase(c.begin() + 13); },
       "in.csv, rad 1: kolumnen \"pump_power\" saknas"},
      {"missing columns", [](Cells& c) { c.erase(c.begin(), c.begin() + 2); },
       "in.csv, rad 1: kolumnerna \"convection_constant\", \"standby_constant\" saknas"},
      {"decimal comma", [](Cells& c) { c[5].second = "\"1,3\""; },
       "in.csv, rad 2, kolumn 6 (\"air_ratio\"): \"1,3\" är inget tal; skriv decimaltecknet som "
       "punkt"},
      {"letter in number", [](Cells& c) { c[3].second = "18OOO"; },
       "in.csv, rad 2, kolumn 4 (\"burner_max_power\"): \"18OOO\" är inget tal"},
      {"unit after number", [](Cells& c) { c[3].second = "18000 W"; }, "\"18000 W\" är inget tal"},
      {"empty number", [](Cells& c) { c[0].second = " "; },
       "in.csv, rad 2, kolumn 1 (\"convection_constant\"): fältet är tomt"},
      {"not a number", [](Cells& c) { c[0].second = "nan"; }, "\"nan\" är inget tal"},
      {"infinite", [](Cells& c) { c[0].second = "inf"; }, "\"inf\" är inget tal"},
      {"Fortran exponent", [](Cells& c) { c[0].second = "1D3"; }, "\"1D3\" är inget tal"},
      {"too large", [](Cells& c) { c[0].second = "1e39"; }, "\"1e39\" är för stort för ett tal"},
      {"short row", [](Cells& c) { c.back().second = "45\r\n1,2"; },
       "in.csv, rad 3, kolumn 3 (\"standby_exponent\"): kolumnen saknas"},
  };
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.name);
    Cells cells = example_cells();
    fault.change(cells);
    const std::string message = refusal(table_text(cells));
    EXPECT_NE(message.find(fault.message_start), std::string::npos) << message;
  }
}

// The fixture's cells with a design supply and return cell after them.
Cells with_design(const std::string& code, const std::string& supply, const std::string& back) {
  Cells cells = example_cells();
  set(cells, "heating_system_code", code);
  cells.emplace_back("design_supply_temp", supply);
  cells.emplace_back("design_return_temp", back);
  return cells;
}

core::DesignTemperatures system_of(const Cells& cells) {
  const BatchInput input = read_batch_input(table_text(cells), "in.csv");
  EXPECT_EQ(input.rows.size(), 1u);
  return input.rows.at(0).input.heating_system;
}

TEST(BatchInput, DesignTemperaturesApplyWhereBothCellsAreFilledElseTheCode) {
  EXPECT_EQ(system_of(with_design("", "45", " 35 ")), (core::DesignTemperatures{45.0f, 35.0f}));
  EXPECT_EQ(system_of(with_design("b", "42.5", "30")), (core::DesignTemperatures{42.5f, 30.0f}));
  EXPECT_EQ(system_of(with_design("A", "80", "60")), (core::DesignTemperatures{80.0f, 60.0f}));
  EXPECT_EQ(system_of(with_design("A", "", "")), (core::DesignTemperatures{80.0f, 60.0f}));
  EXPECT_EQ(system_of(with_design("B", " ", "")), (core::DesignTemperatures{55.0f, 45.0f}));

  struct Fault {
    Cells cells;
    std::string message;
  };
  Cells alone = example_cells();
  alone.emplace_back("design_return_temp", "35");
  for (const Fault& fault : std::vector<Fault>{
           {alone,
            "in.csv, rad 1, kolumn 23 (\"design_return_temp\"): kolumnen \"design_supply_temp\" "
            "saknas; de dimensionerande temperaturerna anges i två kolumner tillsammans"},
           {with_design("", "45", ""),
            "in.csv, rad 2, kolumn 24 (\"design_return_temp\"): fältet är tomt men "
            "design_supply_temp är ifyllt"},
           {with_design("A", "45", "35"),
            "in.csv, rad 2, kolumn 18 (\"heating_system_code\"): \"A\" står inte för 45/35 °C; "
            "lämna fältet tomt eller ange B"},
           {with_design("B", "80", "60"),
            "\"B\" står inte för 80/60 °C; lämna fältet tomt eller "
            "ange A"},
           {with_design("", "\"45,5\"", "35"),
            "in.csv, rad 2, kolumn 23 (\"design_supply_temp\"): \"45,5\" är inget tal"},
           {with_design("", "", ""), "kolumn 18 (\"heating_system_code\"): fältet är tomt"},
       }) {
    const std::string message = refusal(table_text(fault.cells));
    EXPECT_NE(message.find(fault.message), std::string::npos) << message;
  }
}

TEST(BatchInput, ListsTheFirstFaultyCellsAndCountsTheRest) {
  Cells cells = example_cells();
  std::string text = table_text(cells);
  for (int row = 0; row < 12; ++row) {
    set(cells, "indoor_temp", "x" + std::to_string(row));
    const std::string table = table_text(cells);
    text += table.substr(table.find('\n') + 1);
  }
  const std::string message = refusal(text);
  EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 10) << message;
  EXPECT_NE(message.find("in.csv, rad 12, kolumn 19 (\"indoor_temp\"): \"x9\" är inget tal"),
            std::string::npos);
  EXPECT_TRUE(message.ends_with("in.csv: och 2 fel till av samma slag")) << message;
}

}  // namespace
}  // namespace varmkalk::batch
