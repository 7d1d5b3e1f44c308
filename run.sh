#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up what VARMKALK needs, builds the programs it starts and starts it in the working folder
# work/. The tests are test.sh's.
#   ./run.sh            the front end (the engine's example case when there is no display)
#   ./run.sh --example  the engine on the bundled example case, summary printed to the terminal;
#                       only the engine is installed for and built
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)

climate_dir="$root/build/share/varmkalk/climate"

run_example() {
  local dir
  dir=$(mktemp -d "${TMPDIR:-/tmp}/varmkalk-example.XXXXXX")
  cp "$root/examples/styrfil.dat" "$climate_dir"/*.dat "$dir/"
  echo "Exempelberäkning i $dir"
  (cd "$dir" && "$root/build/bin/kalvex")
  if [ -f "$dir/resultat.dat" ]; then
    iconv -f WINDOWS-1252 -t UTF-8 "$dir/resultat.dat" | tr -d '\r'
  fi
}

if [ "${1:-}" = "--example" ]; then
  ./scripts/install-deps.sh engine
  ./scripts/build.sh engine >/dev/null
  run_example
  exit 0
fi

./scripts/install-deps.sh programs
./scripts/build.sh programs >/dev/null

mkdir -p work
for f in "$climate_dir"/*.dat; do
  cmp -s "$f" "work/$(basename "$f")" || cp "$f" work/
done

if [ -x build/bin/varmkalk ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  cd work && exec "$root/build/bin/varmkalk"
fi
echo "Ingen bildskärm (DISPLAY) hittades; kör exempelberäkningen i stället." >&2
run_example
