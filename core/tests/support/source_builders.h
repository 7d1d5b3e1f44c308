// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <variant>
#include <vector>

#include "core/climate_import/calendar.h"
#include "core/climate_import/climate_file.h"
#include "core/climate_import/climate_year.h"

// Sources written as their publishers write them, from a year of daily means: the tests compare
// what the import reads back with that year.
namespace varmkalk::core::testing {

// Stockholm 2009 (SMHI station 98210), the engine's climate file as it is bundled.
inline std::string stockholm_2009_bytes() {
  std::ifstream file(VARMKALK_CLIMATE_TEST_DATA "/sthlm.dat", std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline ClimateYear stockholm_2009() {
  ClimateYear year = std::get<ClimateYear>(read_climate_file(stockholm_2009_bytes(), "sthlm.dat"));
  year.calendar_year = 2009;
  return year;
}

inline std::string tenths_text(int tenths) {
  char text[16];
  std::snprintf(text, sizeof text, "%s%d.%d", tenths < 0 ? "-" : "", std::abs(tenths) / 10,
                std::abs(tenths) % 10);
  return text;
}

// Hour k of a day whose mean is `tenths`: a small swing around it that sums to nothing over the
// 24 hours (offsets k − 11 tenths for k = 0…22, none at hour 23).
inline int hour_tenths(int tenths, int hour) {
  return tenths + (hour == 23 ? 0 : hour - 11);
}

inline std::string smhi_header(const std::string& description, const std::string& columns) {
  return "Stationsnamn;Stationsnummer;Stationsnät;Mäthöjd (meter över marken)\n"
         "Stockholm;98210;SMHIs stationsnät;2.0\n\n"
         "Parameternamn;Beskrivning;Enhet\n"
         "Lufttemperatur;" +
         description +
         ";celsius\n\n"
         "Tidsperiod (fr.o.m);Tidsperiod (t.o.m);Höjd (meter över havet);Latitud (decimalgrader);"
         "Longitud (decimalgrader)\n"
         "1756-01-01 00:00:00;2024-12-31 23:59:59;44.0;59.3417;18.0549\n\n" +
         columns + ";;Tidsutsnitt:\n";
}

// SMHI's daily means ("Lufttemperatur, medelvärde 1 dygn") of the year, every value of quality G.
inline std::string smhi_daily_csv(const ClimateYear& year) {
  std::string csv = smhi_header("medelvärde 1 dygn, 1 gång/dygn, kl 00",
                                "Från Datum Tid (UTC);Till Datum Tid (UTC);Representativt "
                                "dygn;Lufttemperatur;Kvalitet");
  for (int day = 1; day <= static_cast<int>(year.daily_mean_tenths_c.size()); ++day) {
    const Date date = date_of_day(year, day);
    const Date next = day < static_cast<int>(year.daily_mean_tenths_c.size())
                          ? date_of_day(year, day + 1)
                          : Date{date.year + 1, 1, 1};
    csv += iso_date(date) + " 00:00:01;" + iso_date(next) + " 00:00:00;" + iso_date(date) + ";" +
           tenths_text(year.daily_mean_tenths_c[day - 1]) + ";G" +
           (day == 1 ? ";;Kvalitetskontrollerade historiska data (utom de senaste 3 mån)\n" : "\n");
  }
  return csv;
}

// SMHI's hourly values of the year, each day's 24 values averaging to its daily mean.
inline std::string smhi_hourly_csv(const ClimateYear& year) {
  std::string csv =
      smhi_header("momentanvärde, 1 gång/tim", "Datum;Tid (UTC);Lufttemperatur;Kvalitet");
  for (int day = 1; day <= static_cast<int>(year.daily_mean_tenths_c.size()); ++day) {
    const std::string date = iso_date(date_of_day(year, day));
    for (int hour = 0; hour < 24; ++hour) {
      char time[16];
      std::snprintf(time, sizeof time, "%02d:00:00", hour);
      csv += date + ";" + time + ";" +
             tenths_text(hour_tenths(year.daily_mean_tenths_c[day - 1], hour)) + ";G\n";
    }
  }
  return csv;
}

// An EnergyPlus typical year of the 365 days, its months taken from different years.
inline std::string epw_file(const ClimateYear& year, bool with_leap_day) {
  std::string epw =
      "LOCATION,Stockholm,-,SWE,IWEC Data,024600,59.65,17.95,1.0,61.0\n"
      "DESIGN CONDITIONS,0\nTYPICAL/EXTREME PERIODS,0\nGROUND TEMPERATURES,0\n"
      "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0\nCOMMENTS 1,test\nCOMMENTS 2,test\n"
      "DATA PERIODS,1,1,Data,Sunday, 1/ 1,12/31\n";
  const auto rows = [&](int month, int day, int tenths) {
    for (int hour = 1; hour <= 24; ++hour) {
      epw += std::to_string(1983 + month) + "," + std::to_string(month) + "," +
             std::to_string(day) + "," + std::to_string(hour) + ",60,A7A7A7A7*0?9?9?9," +
             tenths_text(hour_tenths(tenths, hour - 1)) + ",-7.2,85,101300,0,0,250\n";
    }
  };
  for (int day = 1; day <= 365; ++day) {
    const Date date = date_of_day(2001, day);
    rows(date.month, date.day, year.daily_mean_tenths_c[day - 1]);
    if (with_leap_day && date.month == 2 && date.day == 28) {
      rows(2, 29, 555);
    }
  }
  return epw;
}

}  // namespace varmkalk::core::testing
