#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs two kalvex engines on the same generated cases and compares all they leave behind: the
# files in the working folder, standard output, standard error and the exit status.
#   scripts/compare-engines.sh OLD_KALVEX NEW_KALVEX [COUNT] [SEED]
# Both engines run in the same folder path, since messages name it. The six climate files of
# OLD's installed folder are copied into the working folder (a case's own climate file takes
# the place of one of them), so that neither engine falls back on its own installed files.
# Exit status 0 only when every case is equal; the folders of differing cases are kept.
set -euo pipefail

usage() {
  echo "användning: $0 GAMMAL_KALVEX NY_KALVEX [ANTAL] [FRÖ]" >&2
  exit 2
}
if [ $# -lt 2 ] || [ $# -gt 4 ]; then
  usage
fi
count=${3:-2000}
seed=${4:-1}
[[ $count =~ ^[1-9][0-9]*$ && $seed =~ ^[0-9]+$ ]] || usage

engine_path() {
  if [ ! -x "$1" ] || [ -d "$1" ]; then
    echo "$1: ingen körbar fil" >&2
    exit 2
  fi
  realpath "$1"
}
old=$(engine_path "$1")
new=$(engine_path "$2")
climate_dir=$(realpath -m "$(dirname "$old")/../share/varmkalk/climate")
climate_files=()
for name in malmo.dat jkping.dat sthlm.dat falun.dat ostersnd.dat kiruna.dat; do
  if [ ! -f "$climate_dir/$name" ]; then
    echo "$climate_dir/$name: klimatfilen saknas bredvid $old" >&2
    exit 2
  fi
  climate_files+=("$climate_dir/$name")
done

# An engine that runs this long on one case hangs; the case then differs or is reported.
time_limit_s=30

tmp=$(mktemp -d "${TMPDIR:-/tmp}/compare-engines.XXXXXX")
trap 'rm -rf "$tmp/cases" "$tmp/arbetsmapp" "$tmp/gammal" "$tmp/ny"' EXIT
kept="$tmp/avvikande"
python3 "$(dirname "$0")/casegen.py" --count "$count" --seed "$seed" --out "$tmp/cases"
work="$tmp/arbetsmapp"

# run ENGINE CASE_FOLDER RESULT_FOLDER: the engine on a fresh copy of the case in $work. The
# folder as the engine left it, stdout, stderr and the exit status end up in RESULT_FOLDER, so
# that one recursive diff compares them all; the status is also left in $status. Few processes
# per run keep 2000 cases fast.
run() {
  local inputs=("$2"/*) name
  for name in "${climate_files[@]}"; do
    [ -e "$2/${name##*/}" ] || inputs+=("$name")
  done
  mkdir "$work" "$3"
  cp -- "${inputs[@]}" "$work/"
  status=0
  cd "$work"
  timeout -k 5 "$time_limit_s" "$1" </dev/null >"$3/stdout" 2>"$3/stderr" || status=$?
  cd "$tmp"
  echo "$status" >"$3/status"
  mv "$work" "$3/mapp"
}

# The lines of `diff -r -q gammal ny` as a short list: the names of differing files, files only
# one engine left, stdout, stderr. File names are the engine's Windows-1252 bytes.
describe() {
  local text
  text=$(grep -v '^Files gammal/status and ny/status differ$' <<<"$1" |
    sed -E -e 's#^Files gammal/(stdout|stderr) and ny/(stdout|stderr) differ$#\1#' \
      -e 's#^Files gammal/mapp/(.*) and ny/mapp/.* differ$#\1#' \
      -e 's#^Only in (gammal|ny)/mapp: (.*)$#\2 bara hos \1#' | paste -s -d ';' | sed 's/;/; /g')
  iconv -f WINDOWS-1252 -t UTF-8 <<<"$text" 2>/dev/null || echo "$text"
}

# An exit status with its meaning when it is no status of the engine's own.
status_text() {
  if [ "$1" = 124 ]; then
    echo "$1 (tidsgränsen ${time_limit_s} s)"
  elif [ "$1" -gt 128 ]; then
    echo "$1 (signal $(($1 - 128)))"
  else
    echo "$1"
  fi
}

declare -A class_count=([utan]=0 [med]=0 [vägrad]=0 [avbruten]=0)
differing=()
for case_dir in "$tmp"/cases/case-*; do
  name=${case_dir##*/}
  run "$old" "$case_dir" "$tmp/gammal"
  old_status=$status
  run "$new" "$case_dir" "$tmp/ny"

  if [ "$old_status" = 0 ] && [ ! -s "$tmp/gammal/stderr" ]; then
    class=utan
  elif [ "$old_status" = 0 ]; then
    class=med
  elif [ "$old_status" = 1 ]; then
    class=vägrad
  else
    class=avbruten
  fi
  class_count[$class]=$((class_count[$class] + 1))

  if differences=$(cd "$tmp" && LC_ALL=C diff -r -q gammal ny 2>&1); then
    rm -rf "$tmp/gammal" "$tmp/ny"
  else
    what=$(describe "$differences")
    if [ "$old_status" != "$status" ]; then
      what="slutstatus $(status_text "$old_status") mot $(status_text "$status")${what:+; $what}"
    fi
    kind=$(grep -m1 "^$name " "$tmp/cases/cases.txt" | cut -d' ' -f2)
    differing+=("$name ($kind): $what")
    mkdir -p "$kept/$name"
    mv "$tmp/gammal" "$tmp/ny" "$kept/$name/"
  fi
done

echo "fullständiga utan varning: ${class_count[utan]}"
echo "fullständiga med varning: ${class_count[med]}"
echo "vägrade: ${class_count[vägrad]}"
if [ "${class_count[avbruten]}" -gt 0 ]; then
  echo "avbrutna av en signal eller tidsgränsen (${time_limit_s} s): ${class_count[avbruten]}"
fi
if [ ${#differing[@]} -eq 0 ]; then
  rm -rf "$tmp"
  echo "alla $count fall lika"
  exit 0
fi
echo "${#differing[@]} av $count fall skiljer sig:"
printf '  %s\n' "${differing[@]}"
echo "de avvikande fallen finns kvar i $kept (gammal/ och ny/: mapp, stdout, stderr, status)"
exit 1
