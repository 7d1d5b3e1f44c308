#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up everything VARMKALK needs, builds all of it (what run.sh has not built yet: the tests,
# the benchmarks, the console tools and the screenshot tool) and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh all
./scripts/build.sh all
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
