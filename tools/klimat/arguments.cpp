// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/klimat/arguments.h"

#include <array>
#include <string_view>
#include <vector>

#include "core/climate_import/source_text.h"
#include "core/text/utf8_text.h"
#include "tools/common/command_line.h"

namespace varmkalk::klimat {
namespace {

constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;

}  // namespace

std::variant<Arguments, std::string> parse_arguments(std::span<const char* const> arguments) {
  constexpr std::array<tools::OptionRule, 4> kOptions{{
      {"--year", true, "--year behöver ett år, till exempel --year 2009"},
      {"--allow-suspect", false, {}},
      {"--replace", false, {}},
      {"--info", false, {}},
  }};
  const auto read = tools::parse_command_line(arguments, kOptions);
  if (const auto* error = std::get_if<std::string>(&read)) {
    return *error;
  }
  const tools::CommandLine& command_line = std::get<tools::CommandLine>(read);
  if (command_line.help) {
    return Arguments{};
  }
  Arguments parsed;
  parsed.task = command_line.has("--info") ? Arguments::Task::info : Arguments::Task::import;
  parsed.allow_suspect = command_line.has("--allow-suspect");
  parsed.replace = command_line.has("--replace");
  if (const auto year = command_line.options.find("--year"); year != command_line.options.end()) {
    parsed.year = tools::option_number(year->second, kFirstYear, kLastYear);
    if (!parsed.year) {
      return "--year " + core::quoted_for_message(core::shown_name(year->second)) +
             " är inget år mellan 1 och 9999";
    }
  }
  const std::vector<std::string>& files = command_line.files;
  if (parsed.task == Arguments::Task::info) {
    if (files.size() != 1 || parsed.year || parsed.allow_suspect || parsed.replace) {
      return std::string("--info tar en klimatfil och inga andra flaggor");
    }
    parsed.source = files[0];
    return parsed;
  }
  if (files.size() != 2) {
    return files.size() < 2 ? std::string("ange källan och klimatfilen som ska skrivas")
                            : std::string("för många filnamn; ange källan och klimatfilen");
  }
  parsed.source = files[0];
  parsed.output = files[1];
  return parsed;
}

std::string help_text() {
  return R"(Användning:
  kalvex-klimat KÄLLA UT.dat [--year ÅÅÅÅ] [--allow-suspect] [--replace]
  kalvex-klimat --info KLIMATFIL.dat
  kalvex-klimat --help

Gör en klimatfil för beräkningen, en rad per dag med dygnets medeltemperatur, av
  - SMHI:s öppna data som CSV-fil: "Lufttemperatur, medelvärde 1 dygn", eller
    lufttemperatur per timme (dygnsmedel av de 24 timvärdena under dygnet, UTC);
  - en EnergyPlus-fil (.epw) med ett typår: 365 dagar i ordning efter månad och dag;
  - en tabell med ett datum ÅÅÅÅ-MM-DD och en temperatur per rad, åtskilda av semikolon,
    kommatecken eller tabb, med decimalpunkt eller decimalkomma; en rubrikrad får finnas.
UT.dat är ett namn som styrfilens rad 24 kan bära: högst 20 tecken som slutar på .dat, och
inte namnet på en av de sex medföljande klimatfilerna. Formatet känns igen på de första
raderna, och resten läses rad för rad, så att en källa av vilken storlek som helst tar lite
minne; en rad får vara högst 64 KiB. Filen får vara UTF-8 eller Windows-1252. Inget fylls i:
saknas en dag, eller har ett värde en kvalitetskod som inte godtas, skrivs ingen klimatfil.

Flaggor:
  --year ÅÅÅÅ       året som ska tas ur källan; behövs när den har värden från flera år
  --allow-suspect   ta också med SMHI-värden med kvalitetskod Y (misstänkta); annars bara G
  --replace         ersätt UT.dat om den redan finns och är en vanlig fil
  --info            visa översikten av en befintlig klimatfil
  --help            visa den här hjälpen

Efter importen visas årets medeltemperatur, medeltemperaturen i januari och juli, det lägsta
och högsta dygnsmedlet, antalet dagar under 15 °C (eldningsdagar) och ett förslag till
dimensionerande utetemperatur: det lägsta medlet över tre dygn i följd.
)";
}

}  // namespace varmkalk::klimat
