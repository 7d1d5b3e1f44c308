#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the boiler model in process and the whole kalvex process on the example case, and
# measures the process's peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh all kalvex_bench >/dev/null
build/bin/kalvex_bench --benchmark_min_time=0.5

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp examples/styrfil.dat build/share/varmkalk/climate/sthlm.dat "$dir/"
(cd "$dir" && /usr/bin/time -f "kalvex peak memory: %M KiB, wall time %e s" "$OLDPWD/build/bin/kalvex" \
  >/dev/null 2>"$dir/time.txt" || true)
tail -n 1 "$dir/time.txt"
