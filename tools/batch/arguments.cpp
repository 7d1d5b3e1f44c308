// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/batch/arguments.h"

#include <array>
#include <charconv>
#include <string_view>
#include <vector>

#include "core/case/climates.h"
#include "core/case/heating_systems.h"
#include "core/cost/cost_inputs.h"
#include "core/formats/control_file.h"
#include "core/heatpump/heat_pump_installation.h"
#include "core/text/number_text.h"
#include "core/text/utf8_text.h"
#include "tools/batch/batch_input.h"
#include "tools/batch/heat_pump_cells.h"
#include "tools/common/command_line.h"

namespace varmkalk::batch {
namespace {

constexpr int kMostThreads = 1024;
constexpr std::size_t kNameWidth = 22;

// What the code columns take: the letters of the table's rows, in either case, and nothing else.
std::string climate_codes() {
  std::string text;
  for (const core::Climate& climate : core::kClimates) {
    text += (text.empty() ? "" : ", ") + std::string(1, climate.code_letter) + " " +
            std::string(climate.place_name);
  }
  return text;
}

std::string heating_system_codes() {
  std::string text;
  for (const core::HeatingSystemDesign& design : core::kHeatingSystems) {
    text += (text.empty() ? "" : ", ") + std::string(1, design.code_letter) + " " +
            core::design_temperatures_text(design.temperatures);
  }
  return text;
}

std::string column_line(std::string_view field, const std::string& what) {
  std::string name(field);
  // A name too long for the column stands on a line of its own.
  name += name.size() < kNameWidth ? std::string(kNameWidth - name.size(), ' ')
                                   : "\n  " + std::string(kNameWidth, ' ');
  return "  " + name + what + "\n";
}

// A default as the columns take it, to four significant digits.
std::string cost_default_text(const core::CostQuantity& quantity) {
  std::array<char, 32> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(), quantity.default_value,
                                     std::chars_format::general, 4);
  return std::string(text.data(), written.ptr);
}

// The input columns, each with its unit or its codes.
std::string column_lines() {
  std::string lines;
  for (const core::ControlLine& line : core::kControlLines) {
    if (line.kind == core::ControlLineKind::number) {
      lines += column_line(line.field, std::string(line.unit));
    }
  }
  lines += column_line("climate_code", "klimatort: " + climate_codes());
  lines += column_line("heating_system_code", "värmesystem: " + heating_system_codes());
  lines += column_line(kDesignSupplyColumn,
                       "valfri, med " + std::string(kDesignReturnColumn) +
                           ": egen dimensionerande framledningstemperatur, °C (" +
                           core::shortest_text(core::kLowestDesignSupplyTempC) + "–" +
                           core::shortest_text(core::kHighestDesignSupplyTempC) + ")");
  lines +=
      column_line(kDesignReturnColumn, "valfri, med " + std::string(kDesignSupplyColumn) +
                                           ": egen dimensionerande returtemperatur, °C; två tomma" +
                                           "\n" + std::string(kNameWidth + 2, ' ') +
                                           "fält räknar med heating_system_code");
  for (const core::CostQuantity& quantity : core::kCostQuantities) {
    lines += column_line(quantity.key,
                         "valfri: " + std::string(quantity.label) +
                             (quantity.unit.empty() ? "" : ", " + std::string(quantity.unit)) +
                             ", annars " + cost_default_text(quantity));
  }
  // Broken as the rest of the help is, beneath the column's description.
  std::string indent(kNameWidth + 3, ' ');
  indent.front() = '\n';
  lines +=
      column_line(kMeterColumn, "valfri: årets uppmätta gas på räkningens sätt, kWh;" + indent +
                                    "raden räknas vid det dimensionerande effektbehov som ger" +
                                    indent + "den; ett tomt fält räknar raden som den står");
  lines += column_line(kHeatPumpFileColumn, "valfri, med " + std::string(kHeatPumpModelColumn) +
                                                ": en värmepumps Heat Pump KEYMARK-fil" + indent +
                                                "(CSV; söks i den aktuella mappen, sedan bland" +
                                                indent + "de installerade värmepumparna)");
  lines += column_line(kHeatPumpModelColumn, "valfri: variantens titel i filen");
  lines += column_line(kHeatPumpTypeColumn,
                       "valfri, med " + std::string(kHeatPumpCapacityColumn) +
                           ", i stället för en fil: en typisk" + indent +
                           "värmepump, air (uteluft), brine (berg, jord, sjö) eller" + indent +
                           "exhaust (frånluft)");
  lines += column_line(kHeatPumpCapacityColumn,
                       "valfri: den typiska värmepumpens nominella effekt, kW (" +
                           core::shortest_text(float(core::kLeastRatingKw)) + "–" +
                           core::shortest_text(float(core::kLargestRatingKw)) + ")");
  for (const core::HeatPumpQuantity& quantity : core::kHeatPumpQuantities) {
    lines += column_line(
        quantity.key, "valfri: " + std::string(quantity.label) + ", " + std::string(quantity.unit) +
                          " (" + core::shortest_text(float(quantity.min_value)) + "–" +
                          core::shortest_text(float(quantity.max_value)) + "), annars " +
                          core::shortest_text(float(quantity.default_value)));
  }
  return lines + column_line(kCaseColumn, "valfri: fallets namn, vilken text som helst");
}

}  // namespace

std::variant<Arguments, std::string> parse_arguments(std::span<const char* const> arguments) {
  constexpr std::array<tools::OptionRule, 3> kOptions{{
      {"--threads", true, "--threads behöver ett antal trådar, till exempel --threads 2"},
      {"--replace", false, {}},
      {"--quiet", false, {}},
  }};
  const auto read = tools::parse_command_line(arguments, kOptions);
  if (const auto* error = std::get_if<std::string>(&read)) {
    return *error;
  }
  const tools::CommandLine& command_line = std::get<tools::CommandLine>(read);
  Arguments parsed;
  if (command_line.help) {
    parsed.help = true;
    return parsed;
  }
  parsed.replace = command_line.has("--replace");
  parsed.quiet = command_line.has("--quiet");
  if (const auto threads = command_line.options.find("--threads");
      threads != command_line.options.end()) {
    const std::optional<int> count = tools::option_number(threads->second, 1, kMostThreads);
    if (!count) {
      return "--threads " + core::quoted_for_message(threads->second) +
             " är inget antal mellan 1 och " + std::to_string(kMostThreads);
    }
    parsed.threads = static_cast<unsigned>(*count);
  }
  const std::vector<std::string>& files = command_line.files;
  if (files.size() != 2) {
    return files.size() < 2 ? std::string(
                                  "ange indatafilen och utdatafilen (- för standard in "
                                  "och ut)")
                            : std::string("för många filnamn; ange indatafilen och utdatafilen");
  }
  parsed.input = files[0];
  parsed.output = files[1];
  return parsed;
}

std::string help_text() {
  return R"(Användning:
  kalvex-batch INDATA.csv UTDATA.csv [--replace] [--threads N] [--quiet]
  kalvex-batch --help

Räknar årsverkningsgraden för många pannor på en gång, ett fall per rad i en CSV-fil, med
samma modell som kalvex och utan resultatfiler. Ett filnamn - står för standard in eller ut.

Indata är en CSV-fil i UTF-8: fälten åtskilda av kommatecken, ett fält med kommatecken,
citattecken eller radbrytning inom citattecken ("" för ett citattecken i fältet). Första
raden namnger kolumnerna, i valfri ordning; varje kolumn nedan utom case måste finnas, och
ingen annan får finnas. Tal skrivs med decimalpunkt, i samma enheter som i styrfilen;
kostnadens och koldioxidens kolumner är valfria:
)" + column_lines() +
         R"(
Klimatfilerna söks som kalvex söker dem: först i den aktuella mappen, sedan bland de
installerade. En tabell med kostnadens kolumner, metered_gas_kwh eller en värmepump räknar
ett helt år: en klimatfil som inte har 365 eller 366 dygn numrerade 1, 2, 3 … i ordning vägras
då innan någon rad räknas (slutstatus 2).

En rad med värmepump anger antingen hp_unit_file och hp_model eller hp_type och
hp_capacity_kw; en rad med alla fyra tomma har ingen värmepump. Värmepumpens filer läses en gång
innan någon rad räknas: en fil som inte går att läsa eller saknar varianten vägras då (slutstatus
2), och ändras en fil under körningen slutar den som när indata ändras.

Utdata upprepar varje kolumn från indata och lägger till:
  status                          ok, shortfall (pannan räckte inte till alla dygn) eller
                                  error (beräkningen vägrades)
  message                         kalvex meddelande: varför fallet vägrades, eller varningen
  annual_efficiency               årsverkningsgraden, %
  annual_efficiency_without_pump  årsverkningsgraden utan cirkulationspumpen, %
  net_energy_kwh, gross_energy_kwh, gross_energy_without_pump_kwh, convection_energy_kwh,
  standby_energy_kwh, flue_gas_energy_kwh, pilot_energy_kwh, pump_electricity_kwh
                                  årets energier, kWh
  heating_days, shortfall_days    dygn med värmebehov, dygn då pannan inte räckte till
Har indata någon av kostnadens och koldioxidens kolumner kommer ytterligare fyra:
  gas_bill_kwh                    årets gas på räkningens sätt (övre värmevärde), kWh: bränslet
                                  med pumpens värme tillgodoräknad (ett dygn brännaren inte
                                  klarar med dess effekt dygnet runt), pilotlågan när brännaren
                                  står still och dygnen utan värmebehov med varmvattnet och
                                  pannans egna förluster, allt gånger fuel_hhv_ratio
  gas_m3                          samma gas i normalkubikmeter, gas_bill_kwh / gas_kwh_per_m3
  cost_sek                        kostnaden för gasen, den fasta avgiften och pumpens el, kr/år
  co2_kg                          koldioxiden från gasen och pumpens el, kg/år
Har indata kolumnen metered_gas_kwh kommer de fyra och sist:
  calibrated_design_heat_demand_w det dimensionerande effektbehov, W, vid vilket årets gas på
                                  räkningens sätt är den uppmätta (inom 1 kWh); radens övriga
                                  resultat gäller vid det. Uppmätt gas som inget effektbehov på
                                  0 W eller mer når, eller mer än brännaren kan bränna på ett
                                  år, ger status error och skälet i message.
                                  Kolumnen design_heat_demand behövs ändå; den är sökningens
                                  startpunkt.
Har indata en värmepump kommer sist värmepumpens år i samma hus (det anpassade, med
metered_gas_kwh), tomma på en rad utan värmepump och för ett vägrat fall:
  hp_heat_kwh                     värmen från värmepumpen, kWh
  hp_backup_kwh                   värmen från elpatronen, kWh
  hp_unmet_kwh                    värmen som inte heller elpatronen räckte till, kWh
  hp_electricity_kwh              värmepumpens el: kompressor, elpatron och frånläge, utan
                                  cirkulationspumpen, kWh
  hp_spf                          årsvärmefaktorn, (hp_heat_kwh + hp_backup_kwh) /
                                  hp_electricity_kwh
  hp_bivalent_temp                balanspunkten: utetemperaturen under vilken husets behov
                                  är större än värmepumpens effekt, °C; tom där värmepumpen
                                  räcker ned till -40 °C
och med kostnadens kolumner:
  hp_cost_sek                     kostnaden för värmepumpens och cirkulationspumpens el, kr/år
  hp_co2_kg                       koldioxiden från samma el, kg/år
Värmepumpens år räknas dygn för dygn på dygnets medeltemperatur; under ett år timme för timme
blir elpatronens värme och den högsta effekten större. Inget av talen är ett mått för säkring
eller effekttaxa.
Talen är de kortaste som läses tillbaka som samma tal som beräkningen gav; avrundade som i
kalvex sammanställning blir de samma text.

Tabellen får vara hur stor som helst; minnet beror inte på dess storlek. Indata läses två
gånger: först kontrolleras varje rad, så att en felaktig cell var som helst nämns innan något
fall räknas, sedan räknas raderna i omgångar parallellt på alla kärnor och skrivs i indatas
ordning. En rad får vara högst 1 MiB, radbrytningar inom citattecken medräknade. Standard in
kopieras först till en fil utan namn i den tillfälliga mappen (TMPDIR, annars /tmp) och läses
sedan som en fil; inget av den blir kvar hur körningen än slutar.

Utdata prövas innan något läses: en mapp som saknas eller inte går att skriva i, och ett namn
som är en mapp eller ingen vanlig fil, vägras genast, liksom ett tomt namn, en ström som
/dev/stdout (ange -), ett namn för långt för den tillfälliga filens ändelse och ett namn som
inte går att använda i både Linux och Windows: med < > : " | ? * eller ett styrtecken, med
en punkt eller ett mellanslag sist, eller ett enhetsnamn i Windows (CON, PRN, AUX, NUL,
COM1-COM9, LPT1-LPT9, CONIN$, CONOUT$, med eller utan ändelse). Tabellen skrivs till en
tillfällig fil bredvid utdata, UTDATA.csv.kalvex-batch-XXXXXX (sex slumpvisa tecken), som får
namnet UTDATA.csv först när allt är skrivet. Avbryts körningen med Ctrl-C, SIGTERM, SIGHUP
eller SIGQUIT, eller kraschar den, tas den tillfälliga filen bort och en befintlig UTDATA.csv är
som förut; en gräns för filers storlek (ulimit -f) avslutar körningen med ett meddelande. Efter
kill -9 (SIGKILL) eller ett strömavbrott kan UTDATA.csv.kalvex-batch-XXXXXX ligga kvar; ta bort
den. Ändras indata mellan de två läsningarna (skrivs filen om under körningen) märks det på
storleken och en kontrollsumma av dess byte, och körningen slutar med status 2 innan utdata får
sitt namn; på standard ut står raderna som redan skrivits kvar, och meddelandet säger att de inte
hör till en och samma tabell.

En körning som tar mer än en sekund visar på standard fel hur många rader som är klara, rader
per sekund och tiden som återstår, när standard fel är en terminal.

Flaggor:
  --replace     ersätt UTDATA.csv om den redan finns och är en vanlig fil; annars skrivs
                den aldrig över
  --threads N   räkna på N trådar i stället för en per kärna
  --quiet       visa inte hur långt körningen har kommit
  --help        visa den här hjälpen

Slutstatus: 0 när varje rad räknades (ok eller shortfall), 1 när någon rad fick error,
2 när indata inte gick att använda (då räknas inget fall) eller utdata inte kunde skrivas.
)";
}

}  // namespace varmkalk::batch
