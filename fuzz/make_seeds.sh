#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes whole-year seeds for the climate import's fuzz targets into DIR/import_NAME: a made-up
# year 2009 in each source format, so that the fuzzers start from inputs that import.
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: $0 DIR" >&2
  exit 2
fi
out=$1
for name in detect smhi_daily smhi_hourly epw plain_csv climate_file; do
  mkdir -p "$out/import_$name"
done

# Day by day: the date, the month and day, and a daily mean in tenths that follows the seasons.
days() {
  awk 'BEGIN {
    split("31 28 31 30 31 30 31 31 30 31 30 31", length_of)
    day = 0
    for (month = 1; month <= 12; ++month)
      for (d = 1; d <= length_of[month]; ++d) {
        ++day
        tenths = int(60 - 110 * cos(6.2832 * (day - 20) / 365) + (day * 37 % 41) - 20)
        printf "2009-%02d-%02d %d %d %d %d\n", month, d, month, d, tenths, day
      }
  }'
}
days | awk '
  function text(t) { s = t < 0 ? "-" : ""; t = t < 0 ? -t : t; return sprintf("%s%d.%d", s, int(t / 10), t % 10) }
  { date[NR] = $1; month[NR] = $2; day[NR] = $3; tenths[NR] = $4 }
  END {
    header = "Stationsnamn;Stationsnummer;Stationsnät;Mäthöjd (meter över marken)\nProvort;1;SMHIs stationsnät;2.0\n\nParameternamn;Beskrivning;Enhet\n"
    daily = out "/import_smhi_daily/year"
    printf "%sLufttemperatur;medelvärde 1 dygn, 1 gång/dygn, kl 00;celsius\n\nFrån Datum Tid (UTC);Till Datum Tid (UTC);Representativt dygn;Lufttemperatur;Kvalitet;;Tidsutsnitt:\n", header > daily
    for (i = 1; i <= NR; ++i)
      printf "%s 00:00:01;%s 00:00:00;%s;%s;%s\n", date[i], (i < NR ? date[i + 1] : "2010-01-01"), date[i], text(tenths[i]), (i % 97 ? "G" : "Y") > daily
    hourly = out "/import_smhi_hourly/year"
    printf "%sLufttemperatur;momentanvärde, 1 gång/tim;celsius\n\nDatum;Tid (UTC);Lufttemperatur;Kvalitet;;Tidsutsnitt:\n", header > hourly
    for (i = 1; i <= NR; ++i)
      for (h = 0; h < 24; ++h)
        printf "%s;%02d:00:00;%s;G\n", date[i], h, text(tenths[i] + (h == 23 ? 0 : h - 11)) > hourly
    epw = out "/import_epw/year"
    printf "LOCATION,Provort,-,SWE,Prov,000000,59.65,17.95,1.0,61.0\r\nDESIGN CONDITIONS,0\r\nTYPICAL/EXTREME PERIODS,0\r\nGROUND TEMPERATURES,0\r\nHOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0\r\nCOMMENTS 1,prov\r\nCOMMENTS 2,prov\r\nDATA PERIODS,1,1,Data,Sunday, 1/ 1,12/31\r\n" > epw
    for (i = 1; i <= NR; ++i)
      for (h = 1; h <= 24; ++h)
        printf "%d,%d,%d,%d,60,A7A7,%s,-7.2\r\n", 1990 + month[i], month[i], day[i], h, text(tenths[i] + (h == 24 ? 0 : h - 12)) > epw
    plain = out "/import_plain_csv/year"
    printf "Datum;Temperatur\r\n" > plain
    for (i = 1; i <= NR; ++i) {
      value = text(tenths[i]); sub(/\./, ",", value)
      printf "%s;%s\r\n", date[i], value > plain
    }
    dat = out "/import_climate_file/year"
    for (i = 1; i <= NR; ++i)
      printf "%4d%7s\r\n", i, text(tenths[i]) > dat
  }' out="$out"

for name in smhi_daily smhi_hourly epw plain_csv; do
  cp "$out/import_$name/year" "$out/import_detect/$name"
done
