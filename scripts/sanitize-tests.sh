#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds VARMKALK with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/ and runs the
# whole test suite there. Any sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [ ! -f build-asan/CMakeCache.txt ]; then
  cmake -S . -B build-asan "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug -DVARMKALK_SANITIZE=ON \
    -DVARMKALK_WERROR=ON -DVARMKALK_BUILD_BENCHMARKS=OFF
fi
cmake --build build-asan --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Libraries outside the project (fontconfig, Qt's plugin loader) keep caches until exit.
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)"
