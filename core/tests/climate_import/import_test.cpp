// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "core/climate_import/climate_file.h"
#include "core/climate_import/climate_import.h"
#include "core/climate_import/source_text.h"
#include "core/files/file_access.h"
#include "core/tests/support/source_builders.h"
#include "core/tests/support/temp_folder.h"

namespace varmkalk::core {
namespace {

using testing::epw_file;
using testing::smhi_daily_csv;
using testing::smhi_hourly_csv;
using testing::stockholm_2009;
using testing::stockholm_2009_bytes;

using Imported = std::variant<ImportedClimate, ImportError>;

// The source imported from its bytes; imported from a file line by line it must give the same
// year or the same message.
Imported import_named(const std::string& bytes, const std::string& name,
                      std::optional<int> year = std::nullopt, bool allow_suspect = false) {
  const ImportOptions options{name, year, allow_suspect};
  const Imported imported = import_climate(bytes, options);
  const varmkalk::testing::TempFolder folder;
  folder.write("source", bytes);
  InputFile file((folder.path() / "source").string());
  const Imported streamed = import_climate(file, options);
  const auto text = [](const Imported& result) {
    const auto* climate = std::get_if<ImportedClimate>(&result);
    return climate ? std::string(format_description(climate->format)) + "\n" +
                         format_climate_file(climate->year)
                   : std::get<ImportError>(result).message;
  };
  EXPECT_EQ(text(streamed), text(imported));
  return imported;
}

std::string error_of(const Imported& imported) {
  const auto* error = std::get_if<ImportError>(&imported);
  return error ? error->message : "(importerades utan fel)";
}

// `text` with every occurrence of `from` replaced.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
  return text;
}

// `text` without the lines that contain `part`.
std::string without_lines(const std::string& text, const std::string& part) {
  std::string kept;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string line = text.substr(start, end - start + 1);
    if (line.find(part) == std::string::npos) {
      kept += line;
    }
    start = end + 1;
  }
  return kept;
}

std::string windows1252_crlf(const std::string& utf8) {
  std::string text = utf8;
  for (const auto& [letter, byte] : {std::pair{"å", "\xE5"}, {"ä", "\xE4"}, {"ö", "\xF6"}}) {
    text = replaced(text, letter, byte);
  }
  return replaced(text, "\n", "\r\n");
}

std::string plain_csv(const ClimateYear& year, const std::string& header, char separator,
                      bool decimal_comma, bool quoted_fields) {
  std::string csv = header;
  for (int day = 1; day <= static_cast<int>(year.daily_mean_tenths_c.size()); ++day) {
    std::string value = testing::tenths_text(year.daily_mean_tenths_c[day - 1]);
    if (decimal_comma) {
      value = replaced(value, ".", ",");
    }
    const std::string date = iso_date(date_of_day(year, day));
    csv += quoted_fields ? "\"" + date + "\"" + separator + "\"" + value + "\"\n"
                         : date + separator + value + "\n";
  }
  return csv;
}

TEST(ClimateImport, EverySourceOfStockholm2009GivesTheBundledFileByteForByte) {
  const ClimateYear stockholm = stockholm_2009();
  const std::string daily = smhi_daily_csv(stockholm);
  struct Case {
    const char* what;
    std::string bytes;
    SourceFormat format;
    std::optional<int> calendar_year;
  };
  const std::vector<Case> cases = {
      {"SMHI dygnsmedel, UTF-8, LF", daily, SourceFormat::smhi_daily, 2009},
      {"SMHI dygnsmedel, Windows-1252, CR LF", windows1252_crlf(daily), SourceFormat::smhi_daily,
       2009},
      {"SMHI dygnsmedel, UTF-8 med BOM", "\xEF\xBB\xBF" + daily, SourceFormat::smhi_daily, 2009},
      {"SMHI timvärden", smhi_hourly_csv(stockholm), SourceFormat::smhi_hourly, 2009},
      {"tabell, semikolon, decimalkomma, rubrik",
       plain_csv(stockholm, "Datum;Temperatur (°C)\n", ';', true, false), SourceFormat::plain_csv,
       2009},
      {"tabell, komma, decimalpunkt", plain_csv(stockholm, "", ',', false, false),
       SourceFormat::plain_csv, 2009},
      {"tabell, tabb, citattecken, CR LF",
       replaced(plain_csv(stockholm, "datum\ttemp\n", '\t', false, true), "\n", "\r\n"),
       SourceFormat::plain_csv, 2009},
      {"EPW-typår", epw_file(stockholm, false), SourceFormat::epw, std::nullopt},
      {"EPW-typår med 29 februari", epw_file(stockholm, true), SourceFormat::epw, std::nullopt},
  };
  for (const Case& c : cases) {
    const Imported imported = import_named(c.bytes, "källa.csv");
    const auto* result = std::get_if<ImportedClimate>(&imported);
    ASSERT_NE(result, nullptr) << c.what << ": " << error_of(imported);
    EXPECT_EQ(result->format, c.format) << c.what;
    EXPECT_EQ(result->year.calendar_year, c.calendar_year) << c.what;
    EXPECT_EQ(format_climate_file(result->year), stockholm_2009_bytes()) << c.what;
  }
}

TEST(ClimateImport, EpwTypicalYearGives365LinesInMonthAndDayOrder) {
  ClimateYear year;
  for (int day = 1; day <= 365; ++day) {
    year.daily_mean_tenths_c.push_back(day % 200 - 100);
  }
  for (const bool leap_day : {false, true}) {
    const Imported imported = import_named(epw_file(year, leap_day), "typår.epw");
    ASSERT_TRUE(std::holds_alternative<ImportedClimate>(imported)) << error_of(imported);
    const std::string file = format_climate_file(std::get<ImportedClimate>(imported).year);
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 365);
    EXPECT_EQ(std::get<ImportedClimate>(imported).year.daily_mean_tenths_c,
              year.daily_mean_tenths_c);
  }
}

TEST(ClimateImport, HourlyDayMissingOneHourIsRefusedNamingThatDay) {
  const std::string hourly = without_lines(smhi_hourly_csv(stockholm_2009()), "2009-03-05;07:");
  const std::string message = error_of(import_named(hourly, "timmar.csv"));
  EXPECT_NE(message.find("timmar.csv: året 2009 är inte komplett"), std::string::npos) << message;
  EXPECT_NE(message.find("1 dag saknas eller är ofullständig: 2009-03-05 (23 av 24 timvärden)"),
            std::string::npos)
      << message;
}

// A day's 24 hourly values: `value` at midnight, 0 °C in every other hour.
std::vector<const char*> first_hour(const char* value) {
  std::vector<const char*> hours(24, "0");
  hours[0] = value;
  return hours;
}

// Means are rounded half away from zero on the exact decimal values, never through binary
// floating point, where the double nearest -4.85 lies just above it and would give -4.8.
TEST(ClimateImport, MeansRoundHalfAwayFromZeroOnTheExactDecimalValues) {
  struct Case {
    std::vector<const char*> hours;  // one value: a daily mean; 24: the hours of a day
    int tenths;
  };
  for (const Case& c : {
           Case{{"2.25"}, 23},
           Case{{"-2.25"}, -23},
           Case{{"-4.85"}, -49},
           Case{{"0.0499999"}, 0},
           Case{{"-0,05"}, -1},
           Case{first_hour("1.2"), 1},
           Case{first_hour("-1.2"), -1},
           Case{first_hour("1.1"), 0},
           Case{std::vector<const char*>(24, "-4.85"), -49},
       }) {
    // 1 January holds the values; every other day of 2009 is 0.0 °C.
    ClimateYear rest{2009, std::vector<int>(365, 0)};
    std::string source =
        c.hours.size() == 1 ? plain_csv(rest, "", ';', true, false) : smhi_hourly_csv(rest);
    for (int hour = 0; hour < static_cast<int>(c.hours.size()); ++hour) {
      const std::string time = (hour < 10 ? "0" : "") + std::to_string(hour) + ":00:00;";
      source =
          c.hours.size() == 1
              ? replaced(source, "2009-01-01;0,0\n", "2009-01-01;" + std::string(c.hours[0]) + "\n")
              : replaced(source,
                         "2009-01-01;" + time +
                             testing::tenths_text(testing::hour_tenths(0, hour)) + ";",
                         "2009-01-01;" + time + c.hours[hour] + ";");
    }
    const Imported imported = import_named(source, "värden.csv");
    ASSERT_TRUE(std::holds_alternative<ImportedClimate>(imported)) << error_of(imported);
    EXPECT_EQ(std::get<ImportedClimate>(imported).year.daily_mean_tenths_c.front(), c.tenths)
        << c.hours.front() << " (" << c.hours.size() << " värden)";
  }
}

TEST(ClimateImport, RefusalsSayWhatIsWrongAndWhereOnOneLine) {
  const ClimateYear stockholm = stockholm_2009();
  const std::string daily = smhi_daily_csv(stockholm);
  std::string march = daily;
  for (int day = 1; day <= 12; ++day) {
    march = without_lines(
        march, ";2009-03-" + std::string(day < 10 ? "0" : "") + std::to_string(day) + ";");
  }
  struct Case {
    const char* what;
    std::string bytes;
    std::optional<int> year;
    bool allow_suspect;
    std::string expected;  // part of the message; empty: the import succeeds
    bool year_needed;
    bool suspect_refused;
  };
  const std::string min_daily =
      replaced(daily, "medelvärde 1 dygn, 1 gång/dygn, kl 00", "min, 1 gång per dygn");
  const std::string suspect = replaced(daily, "2009-01-03;-4.7;G", "2009-01-03;-4.7;Y");
  const std::string two_years =
      daily + "2009-12-31 00:00:01;2010-01-01 00:00:00;2010-01-01;1.0;G\n";
  const std::vector<Case> cases = {
      {"tolv dagar saknas",
       march,
       {},
       false,
       "12 dagar saknas: 2009-03-01, 2009-03-02, 2009-03-03, 2009-03-04, 2009-03-05, 2009-03-06, "
       "2009-03-07, 2009-03-08, 2009-03-09, 2009-03-10 och 2 till",
       false,
       false},
      {"misstänkt värde",
       suspect,
       {},
       false,
       "1 dag har värden vars kvalitetskod inte godtas: 2009-01-03 (kod \"Y\")",
       false,
       true},
      {"misstänkt värde tillåtet", suspect, {}, true, "", false, false},
      {"okänd kvalitetskod",
       replaced(daily, "-4.7;G", "-4.7;R"),
       {},
       true,
       "(kod \"R\")",
       false,
       false},
      {"två år", two_years, {}, false, "värden från 2 olika år (2009–2010)", true, false},
      {"två år, ett valt", two_years, 2009, false, "", false, false},
      {"året finns inte", daily, 2011, false, "inga värden från 2011, bara från 2009", false,
       false},
      {"datum två gånger",
       daily + "x;y;2009-01-05;1.0;G\n",
       {},
       false,
       "rad 376: 2009-01-05 har redan ett värde",
       false,
       false},
      {"ingen temperatur",
       replaced(daily, ";2009-01-05;-9.3;", ";2009-01-05;abc;"),
       {},
       false,
       "källa.csv, rad 15, fält 4 (Lufttemperatur): \"abc\" är ingen temperatur",
       false,
       false},
      {"orimlig temperatur",
       replaced(daily, ";-9.9;", ";75.3;"),
       {},
       false,
       "\"75.3\" °C är ingen rimlig lufttemperatur",
       false,
       false},
      {"dygnets lägsta temperatur",
       replaced(daily, "medelvärde 1 dygn, 1 gång/dygn, kl 00", "min, 1 gång per dygn"),
       {},
       false,
       "rad 5: filen har parametern \"Lufttemperatur, min, 1 gång per dygn\"",
       false,
       false},
      {"annan kolumn",
       replaced(daily, "dygn;Lufttemperatur;", "dygn;Nederbördsmängd;"),
       {},
       false,
       "fält 4: kolumnen heter \"Nederbördsmängd\", väntade \"Lufttemperatur\"",
       false,
       false},
      {"halv timme",
       replaced(smhi_hourly_csv(stockholm), "2009-02-01;05:00:00", "2009-02-01;05:30:00"),
       {},
       false,
       "fält 2 (Tid (UTC)): \"05:30:00\" är ingen hel timme",
       false,
       false},
      {"decimalkomma i kommaseparerad tabell",
       "2009-01-01,-4,8\n",
       {},
       false,
       "rad 1: raden har 3 fält, väntade två",
       false,
       false},
      {"EPW med år", epw_file(stockholm, false), 2009, false, "typår", false, false},
      {"EPW med kvartsvärden",
       replaced(epw_file(stockholm, false), "DATA PERIODS,1,1,", "DATA PERIODS,1,4,"),
       {},
       false,
       "rad 8, fält 3 (värden per timme): \"4\" värden per timme",
       false,
       false},
      {"UTF-16",
       "\xFF\xFE"
       "2\0"
       "0\0",
       {},
       false,
       "UTF-16",
       false,
       false},
      {"okänt format", "Hej\nhopp\n", {}, false, "okänt format", false, false},
      {"dygnets lägsta temperatur utan parameterblock",
       min_daily.substr(min_daily.find("Från Datum")),
       {},
       false,
       "källa.csv: SMHI:s parameterblock (raden \"Parameternamn;Beskrivning;Enhet\" och raden "
       "efter) saknas",
       false,
       false},
      {"timvärde kl 24",
       replaced(smhi_hourly_csv(stockholm), "2009-02-01;05:00:00", "2009-02-01;24:00:00"),
       {},
       false,
       "fält 2 (Tid (UTC)): \"24:00:00\" är ingen hel timme",
       false,
       false},
      {"1900 är inget skottår",
       "1900-02-28;1.0\n1900-02-29;1.0\n",
       {},
       false,
       "1900-02-29",
       false,
       false},
      {"styrtecken och trasig UTF-8",
       replaced(daily, ";-9.3;", ";\x1b[31m\xff\x81;"),
       {},
       false,
       "rad 15, fält 4 (Lufttemperatur): \"?[31mÿ?\" är ingen temperatur",
       false,
       false},
  };
  for (const Case& c : cases) {
    const Imported imported = import_named(c.bytes, "källa.csv", c.year, c.allow_suspect);
    const auto* error = std::get_if<ImportError>(&imported);
    if (c.expected.empty()) {
      EXPECT_EQ(error, nullptr) << c.what << ": " << error_of(imported);
      continue;
    }
    ASSERT_NE(error, nullptr) << c.what;
    EXPECT_NE(error->message.find(c.expected), std::string::npos)
        << c.what << ": " << error->message;
    EXPECT_EQ(error->message.rfind("källa.csv", 0), 0u) << error->message;
    EXPECT_EQ(error->message.find_first_of("\n\r\x1b"), std::string::npos) << error->message;
    EXPECT_EQ(decode_source_text(error->message), error->message) << "ingen giltig UTF-8";
    EXPECT_EQ(error->year_needed, c.year_needed) << c.what;
    EXPECT_EQ(error->suspect_refused, c.suspect_refused) << c.what;
  }
}

// A file of one endless line is refused at the bound, naming the line, not read whole.
TEST(ClimateImport, ALineLongerThanTheBoundIsRefusedFromAFileNamingIt) {
  const std::string start = smhi_daily_csv(stockholm_2009());
  const std::vector<std::pair<std::string, std::string>> sources = {
      {std::string(64 * kLongestSourceLine, ';'), "source, rad 1: raden är längre än 64 KiB"},
      {start + std::string(64 * kLongestSourceLine, ' '),
       "source, rad " + std::to_string(std::count(start.begin(), start.end(), '\n') + 1) +
           ": raden är längre än 64 KiB"},
  };
  for (const auto& [bytes, message] : sources) {
    const varmkalk::testing::TempFolder folder;
    folder.write("source", bytes);
    InputFile file((folder.path() / "source").string());
    EXPECT_EQ(error_of(import_climate(file, ImportOptions{"source", std::nullopt, false})),
              message + ", det mesta en rad får vara");
  }
}

}  // namespace
}  // namespace varmkalk::core
