#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets of the engine, the CSV reader, kalvex-batch's table, the readers of
# kept summaries and inputs files, the climate import and the heat pumps' Keymark reader in
# build-fuzz/ (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and runs each of them, or
# only the NAMEs given, for SECONDS seconds, one after the other. Corpora grow in
# build-fuzz/corpus/NAME, seeded from fuzz/seeds/NAME; inputs that break a target are kept in
# build-fuzz/findings/NAME. Prints executions, coverage, corpus size and findings per target and
# exits non-zero when any target found something.
set -euo pipefail
if [ $# -lt 1 ] || ! [[ $1 =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 SECONDS [NAME...]   (run time of each fuzz target; all targets or the named)" >&2
  exit 2
fi
seconds=$1
shift
cd "$(dirname "$0")/.."

build=build-fuzz
names=(control_file climate_file own_climate_file engine_run csv_table batch_input summary_report
  inputs_file
  import_detect
  import_smhi_daily import_smhi_hourly import_epw import_plain_csv import_climate_file
  keymark_file)
if [ $# -gt 0 ]; then
  for name in "$@"; do
    if ! [[ " ${names[*]} " == *" $name "* ]]; then
      echo "$0: no fuzz target $name; the targets are: ${names[*]}" >&2
      exit 2
    fi
  done
  names=("$@")
fi

generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" "${generator[@]}" -DCMAKE_CXX_COMPILER=clang++ -DVARMKALK_WERROR=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARMKALK_FUZZ=ON -DVARMKALK_SANITIZE=ON \
    -DVARMKALK_BUILD_FRONTEND=OFF -DVARMKALK_BUILD_TESTS=OFF -DVARMKALK_BUILD_BENCHMARKS=OFF
fi
cmake --build "$build" --parallel "$(nproc)" --target "${names[@]/#/fuzz_}"

# Whole climate years make good seeds: the bundled climates, and each of them after the example
# control file for the whole-run target.
generated="$build/generated-seeds"
rm -rf "$generated"
mkdir -p "$generated/control_file" "$generated/climate_file" "$generated/own_climate_file" \
  "$generated/engine_run" \
  "$generated/csv_table" "$generated/batch_input" "$generated/summary_report" \
  "$generated/inputs_file" "$generated/keymark_file"
for climate in data/climate/*.dat; do
  place=$(basename "$climate" .dat)
  cp "$climate" "$generated/climate_file/$place"
  cp "$climate" "$generated/own_climate_file/$place"
  { cat examples/styrfil.dat; printf '\377'; cat "$climate"; } >"$generated/engine_run/$place"
done

# The shipped heat pumps' declarations, the smaller ones (a large seed slows every execution).
find data/heatpumps -name '*.csv' -size -16k -exec cp {} "$generated/keymark_file/" \;

export ASAN_OPTIONS=halt_on_error=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# The targets write their files on every execution: in memory when /dev/shm is there, which is
# many times faster than a disk.
scratch_root="$(pwd)/$build/scratch"
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  scratch_root=$(mktemp -d /dev/shm/varmkalk-fuzz-XXXXXX)
fi
trap 'rm -rf "$scratch_root"' EXIT

# The climate import's targets start from made-up whole years in each source format.
fuzz/make_seeds.sh "$generated"

failed=0
for name in "${names[@]}"; do
  target="fuzz_$name"
  corpus="$build/corpus/$name"
  findings="$build/findings/$name"
  scratch="$scratch_root/$name"
  seeds=fuzz/seeds/$name
  log="$build/logs/$target.log"
  # Findings of an earlier run are replaced: each run reports only its own.
  rm -rf "$findings"
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  rm -rf "$scratch" && mkdir -p "$scratch"

  status=0
  TMPDIR="$scratch" "$build/bin/$target" -max_total_time="$seconds" -timeout=1 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" \
    "$corpus" "$seeds" "$generated/$name" >"$log" 2>&1 || status=$?
  rm -rf "$scratch"

  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1 || true)
  crashes=$(find "$findings" -type f | wc -l)
  inputs=$(find "$corpus" -type f | wc -l)
  printf '%-26s %12s executions  %-22s %6s in corpus  %s finding(s)  (log: %s)\n' "$target" \
    "${executions:-?}" "${coverage:-cov: ? ft: ?}" "$inputs" "$crashes" "$log"
  if [ "$status" -ne 0 ] || [ "$crashes" -ne 0 ]; then
    failed=1
    echo "  $target ended with status $status; inputs in $findings:" >&2
    find "$findings" -type f -printf '    %p\n' >&2
    grep -a -E -A2 '^(FINDING|==[0-9]+==ERROR|SUMMARY)|runtime error' "$log" | head -n 20 |
      sed 's/^/    /' >&2 || true
  fi
done
exit "$failed"
