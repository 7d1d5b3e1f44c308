#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds kalvex.exe, kalvex-batch.exe, kalvex-klimat.exe and kalvex-vp.exe for 64-bit Windows in
# build-windows/, with Debian's MinGW-w64, linked statically; installs the packages first.
#   scripts/build-windows.sh [-DOPTION=VALUE...]
# The programs land in build-windows/bin, the six climate files and the heat pumps' declarations
# in build-windows/share, as on Linux, so that each program finds them beside itself.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh windows
launcher=()
if command -v ccache > /dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build-windows -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DVARMKALK_WERROR="${VARMKALK_WERROR:-ON}" \
  -DVARMKALK_BUILD_FRONTEND=OFF -DVARMKALK_BUILD_TESTS=OFF -DVARMKALK_BUILD_BENCHMARKS=OFF \
  "${launcher[@]}" "$@" > /dev/null
cmake --build build-windows --parallel 2 --target kalvex kalvex-batch kalvex-klimat kalvex-vp

# Nothing but Windows' own DLLs may be needed beside them.
for program in kalvex kalvex-batch kalvex-klimat kalvex-vp; do
  exe=build-windows/bin/$program.exe
  others=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' |
    grep -viE '^(kernel32|msvcrt|shell32|user32|advapi32)\.dll$' || true)
  if [ -n "$others" ]; then
    echo "$exe behöver DLL-filer som Windows inte har: $others" >&2
    exit 1
  fi
done
echo "build-windows/bin: kalvex.exe kalvex-batch.exe kalvex-klimat.exe kalvex-vp.exe"
