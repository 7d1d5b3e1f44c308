#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures (once) and builds VARMKALK in build/, warnings as errors. Extra arguments go to the
# configure step.
set -euo pipefail
cd "$(dirname "$0")/.."

generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build "${generator[@]}" -DVARMKALK_WERROR=ON "$@"
fi
cmake --build build --parallel "$(nproc)"
