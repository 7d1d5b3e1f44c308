#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks an installed VARMKALK under PREFIX (a `cmake --install` prefix, or usr/ of an unpacked
# package): the programs, the climate files, the heat pumps' files and the documents are there,
# the menu entry, the icons and the metadata pass their validators, and the installed engine runs
# the example case from a folder that holds no climate file, so it finds its own, and so does
# kalvex-batch on the same case as a one-row table; kalvex-vp finds a shipped heat pump.
#   check-installed-tree.sh PREFIX VERSION [WITH_FRONTEND: 1 (default) or 0]
set -euo pipefail
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: $0 PREFIX VERSION [WITH_FRONTEND]" >&2
  exit 2
fi
prefix=$(realpath "$1")
version=$2
with_frontend=${3:-1}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
app_id=se.varmkalk.Varmkalk
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
need_tool() {
  command -v "$1" >/dev/null 2>&1 ||
    { echo "$1 is missing: install the package $2 (scripts/install-deps.sh)." >&2; exit 1; }
}

# A PNG's width and height are the two big-endian 32-bit numbers at byte 16 of its header.
png_size() {
  local -a b
  read -r -a b < <(od -An -tu1 -j16 -N8 "$1")
  local width=$(((b[0] << 24) | (b[1] << 16) | (b[2] << 8) | b[3]))
  local height=$(((b[4] << 24) | (b[5] << 16) | (b[6] << 8) | b[7]))
  echo "${width}x${height}"
}

programs=(kalvex kalvex-batch kalvex-vp)
[ "$with_frontend" = 1 ] && programs+=(varmkalk)
for program in "${programs[@]}"; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is missing or not executable"
done
for place in malmo jkping sthlm falun ostersnd kiruna; do
  [ -s "$prefix/share/varmkalk/climate/$place.dat" ] ||
    fail "share/varmkalk/climate/$place.dat is missing or empty"
done
[ "$(find "$prefix/share/varmkalk/heatpumps" -name '*.csv' 2>/dev/null | wc -l)" -eq 11 ] ||
  fail "share/varmkalk/heatpumps does not hold the eleven heat pumps' declarations"
for doc in README.md LICENSE climate/README.md heatpumps/README.md; do
  [ -s "$prefix/share/doc/varmkalk/$doc" ] || fail "share/doc/varmkalk/$doc is missing"
done

if [ "$with_frontend" = 1 ]; then
  need_tool desktop-file-validate desktop-file-utils
  need_tool appstreamcli appstream
  desktop="$prefix/share/applications/$app_id.desktop"
  metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
  if [ -f "$desktop" ]; then
    desktop-file-validate "$desktop" || fail "$desktop does not validate"
    exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [ -x "$prefix/bin/$exec_program" ] ||
      fail "the menu entry starts '$exec_program', which is not installed"
    grep -qx "Icon=$app_id" "$desktop" || fail "the menu entry's icon is not $app_id"
  else
    fail "share/applications/$app_id.desktop is missing"
  fi
  if [ -f "$metainfo" ]; then
    if ! appstreamcli validate --no-net "$metainfo" >"$work/metainfo.log" 2>&1; then
      cat "$work/metainfo.log" >&2
      fail "$metainfo does not validate"
    fi
    # The whole tree too: the metadata's launchable must name an installed menu entry.
    if ! appstreamcli validate-tree --no-net "$prefix" >"$work/tree.log" 2>&1; then
      cat "$work/tree.log" >&2
      fail "the installed tree does not validate (appstreamcli validate-tree)"
    fi
    grep -q "<release version=\"$version\"" "$metainfo" ||
      fail "the metadata has no release $version, the project's version"
  else
    fail "share/metainfo/$app_id.metainfo.xml is missing"
  fi
  icons="$prefix/share/icons/hicolor"
  [ -f "$icons/scalable/apps/$app_id.svg" ] || fail "the scalable icon is missing"
  for size in 48x48 64x64 128x128 256x256; do
    png="$icons/$size/apps/$app_id.png"
    if [ -f "$png" ]; then
      [ "$(png_size "$png")" = "$size" ] || fail "$png is $(png_size "$png"), not $size"
    else
      fail "the $size icon is missing"
    fi
  done
fi

run="$work/run"
mkdir "$run"
cp "$source_dir/examples/styrfil.dat" "$run/"
if (cd "$run" && "$prefix/bin/kalvex") >"$work/kalvex.log" 2>&1; then
  [ -s "$run/resultat.dat" ] || fail "the installed kalvex wrote no resultat.dat"
else
  cat "$work/kalvex.log" >&2
  fail "the installed kalvex failed on the example case"
fi

# The table's columns are the control file's first 22 lines in order, under their field names.
batch="$work/batch"
mkdir "$batch"
{
  echo "convection_constant,standby_constant,standby_exponent,burner_max_power,burner_min_power,\
air_ratio,pilot_power,flue_gas_temp_1,supply_temp_1,return_temp_1,flue_gas_temp_2,supply_temp_2,\
return_temp_2,pump_power,pump_efficiency,design_heat_demand,climate_code,heating_system_code,\
indoor_temp,min_return_temp,hot_water_demand,heater_loss"
  head -n 22 "$source_dir/examples/styrfil.dat" | tr -d '\r ' | paste -sd,
} >"$batch/in.csv"
if (cd "$batch" && "$prefix/bin/kalvex-batch" in.csv out.csv) >"$work/batch.log" 2>&1; then
  [ "$(wc -l <"$batch/out.csv")" -eq 2 ] || fail "the installed kalvex-batch wrote no result row"
else
  cat "$work/batch.log" >&2
  fail "the installed kalvex-batch failed on the example case"
fi

# kalvex-vp finds a shipped unit by its file name alone among the installed ones.
if ! (cd "$batch" && "$prefix/bin/kalvex-vp" scop _CTC_ABCTC_EcoAir_610M.csv \
  --model "CTC EcoAir 610M" --climate average --flow 35) >"$work/vp.log" 2>&1; then
  cat "$work/vp.log" >&2
  fail "the installed kalvex-vp did not find its own heat pumps"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of the installed tree in $prefix failed" >&2
  exit 1
fi
echo "installed tree in $prefix: all checks passed"
