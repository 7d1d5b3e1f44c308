#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Clones the current commit into a temporary folder with nothing beside it and there configures,
# builds the engine and the console tools and runs `./run.sh --example`: the repository alone must
# be enough.
set -euo pipefail
cd "$(dirname "$0")/.."

top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
clone="$top/varmkalk"
git clone --quiet "$(pwd)" "$clone"
git -C "$clone" checkout --quiet --detach "$(git rev-parse HEAD)"
cd "$clone"

# The engine and the console tools only, as on a machine without Qt: `./run.sh --example` then
# finds the build done.
./scripts/build.sh engine kalvex kalvex-batch kalvex-klimat -DVARMKALK_BUILD_FRONTEND=OFF \
  -DVARMKALK_BUILD_TESTS=OFF -DVARMKALK_BUILD_BENCHMARKS=OFF >/dev/null
./run.sh --example >"$top/example.txt" 2>&1 || { cat "$top/example.txt" >&2; exit 1; }
if ! grep -q "Årsverkningsgrad:" "$top/example.txt"; then
  cat "$top/example.txt" >&2
  echo "FAIL: ./run.sh --example in a clean clone printed no summary" >&2
  exit 1
fi
grep -m1 "Årsverkningsgrad:" "$top/example.txt"
echo "clean clone of $(git rev-parse --short HEAD): configured, built and ran the example case"
