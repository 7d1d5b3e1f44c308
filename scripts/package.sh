#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of VARMKALK: a Release build in build-package/ (no tests, no
# benchmarks, warnings not errors unless VARMKALK_WERROR=ON is in the environment, as CI sets it
# to catch the warnings only -O3 raises), packed by cpack into
# build/package/varmkalk_VERSION_ARCH.deb. Install it with:
#   apt-get install ./build/package/varmkalk_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
cmake -S . -B build-package "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DVARMKALK_BUILD_TESTS=OFF -DVARMKALK_BUILD_BENCHMARKS=OFF -DVARMKALK_WERROR="${VARMKALK_WERROR:-OFF}" >/dev/null
cmake --build build-package --parallel "$(nproc)"

out="$root/build/package"
mkdir -p "$out"
rm -f "$out"/varmkalk_*.deb
(cd build-package && cpack -G DEB -B "$out")
ls -l "$out"/varmkalk_*.deb
