// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/daily_file_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/files/run_error.h"
#include "core/tests/support/temp_folder.h"
#include "core/text/fixed_field.h"
#include "core/text/fixed_format.h"

namespace varmkalk::core {
namespace {

DayBalance day_of(int number, float outdoor, float demand, float run_time, float efficiency) {
  DayBalance day;
  day.day_number = number;
  day.outdoor_temp = outdoor;
  day.supply_temp = 40.61f;
  day.return_temp = 35.44f;
  day.heat_demand = demand;
  day.convection_loss = 42.91f;
  day.standby_loss = 37.13f;
  day.flue_gas_loss = -312.6f;  // a condensing gain
  day.flue_gas_temp = 43.62f;
  day.combustion_eff = 1.0123f;
  day.with_pump = {run_time, efficiency, 0.0f};
  day.without_pump = {run_time * 1.01f, efficiency * 0.99f, 0.0f};
  return day;
}

// Whatever the writer puts in a column, the reader gives back the value as rounded there, and a
// gap where the writer had to write asterisks.
TEST(DailyFileReader, ReadsBackWhatTheWriterWrites) {
  const std::vector<DayBalance> days = {
      day_of(1, -4.8f, 4137.9f, 0.32748f, 0.9592f), day_of(2, 14.9f, 0.05f, 0.0004f, 0.4f),
      day_of(366, -40.0f, 10000.0f, 1.0f, 1.2f),   // demand too wide for its column
      day_of(1000, -5.0f, 99999.9f, 1.0f, -0.5f),  // day and demand too wide
  };
  testing::TempFolder folder;
  std::string with_pump;
  std::string without_pump;
  for (const DayBalance& day : days) {
    with_pump += format_daily_line(day, day.with_pump);
    without_pump += format_daily_line(day, day.without_pump);
  }
  folder.write("h123.dat", with_pump);
  folder.write("h123sum_c.dat", without_pump);
  for (const auto& [name, pump] : {std::pair{"h123.dat", true}, {"h123sum_c.dat", false}}) {
    const std::vector<DailyFileLine> lines = read_daily_file(folder.path() / name, name);
    ASSERT_EQ(lines.size(), days.size());
    for (std::size_t i = 0; i < days.size(); ++i) {
      const auto values = daily_values(days[i], pump ? days[i].with_pump : days[i].without_pump);
      for (const DailyColumn& column : kDailyColumns) {
        const auto index = static_cast<std::size_t>(column.field);
        const std::string printed =
            column.field == DailyField::day
                ? format_integer(static_cast<long long>(values[index]), column.width)
                : format_fixed(values[index], column.width, column.decimals);
        SCOPED_TRACE(std::string(name) + " day " + std::to_string(i) + " " +
                     std::string(column.label) + " \"" + printed + "\"");
        if (printed.find('*') != std::string::npos) {
          EXPECT_FALSE(lines[i].values[index].has_value());
        } else {
          ASSERT_TRUE(lines[i].values[index].has_value());
          EXPECT_EQ(*lines[i].values[index], read_real(printed, column.decimals));
        }
      }
    }
  }
}

TEST(DailyFileReader, NamesTheFileLineAndColumnsOfWhatIsWrong) {
  const std::string good = format_daily_line(day_of(1, -4.8f, 4137.9f, 0.3f, 0.95f), {});
  std::string bad_field = good;
  bad_field.replace(40, 3, "x.y");  // inside the day efficiency, columns 40–47
  struct Case {
    std::string text;
    std::string message;
  };
  const std::vector<Case> cases = {
      {good + bad_field, "h1.dat, rad 2, kolumn 40–47: "},
      {good + good.substr(0, 50) + "\r\n", "h1.dat, rad 2, raden har 50 tecken"},
      {good + std::string(87, ' ') + "\r\n", "h1.dat, rad 2, kolumn 1–3: fältet för Dag är tomt"},
  };
  testing::TempFolder folder;
  for (const Case& one : cases) {
    folder.write("h1.dat", one.text);
    try {
      read_daily_file(folder.path() / "h1.dat", "h1.dat");
      ADD_FAILURE() << "accepted " << one.message;
    } catch (const RunError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(one.message, 0), 0u) << e.what();
    }
  }
  EXPECT_THROW(read_daily_file(folder.path(), "mappen"), RunError);
  EXPECT_THROW(read_daily_file(folder.path() / "saknas.dat", "saknas.dat"), RunError);
}

}  // namespace
}  // namespace varmkalk::core
