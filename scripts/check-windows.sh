#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Windows programs and the Linux ones and checks under Wine that they behave the same
# (check_windows.py beside this script says how), then that the Windows zip, unpacked into an
# empty folder, runs the worked example.
#   scripts/check-windows.sh [COUNT] [SEED]     COUNT generated cases (500), seed SEED (1)
# Exit status 0 only when everything is equal.
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-500}
seed=${2:-1}

./scripts/build-windows.sh
./scripts/build.sh engine kalvex kalvex-batch kalvex-klimat kalvex-vp > /dev/null

# A headless prefix of its own, made at the first start (slow once); one Wine server for all the
# runs, stopped at the end.
export WINEPREFIX=$PWD/build-windows/wine-prefix
export WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
# Wine takes the command line's names from the locale: UTF-8, so that "umeå.dat" stays itself.
export LC_ALL=C.UTF-8
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Skapar Wine-prefixet $WINEPREFIX"
  "$wine" wineboot -i > /dev/null 2>&1
fi
# One may be running already for this prefix; it serves as well.
"$wineserver" -p 2> /dev/null || true
trap '"$wineserver" -k 2> /dev/null || true' EXIT
# Wine's own services start with the first program and would inherit its standard output, so
# that a run seemed to last until they end: they start here, writing nowhere.
"$wine" wineboot > /dev/null 2>&1 < /dev/null

python3 scripts/check_windows.py build/bin build-windows/bin "$count" "$seed"
./scripts/package-windows.sh --check
