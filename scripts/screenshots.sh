#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders every form of varmkalk offscreen to PNG files in DIR:  ./scripts/screenshots.sh DIR
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "användning: $0 KATALOG" >&2
  exit 2
fi
out=$(realpath -m "$1")
cd "$(dirname "$0")/.."
# The same build as the tests', so that its settings (warnings as errors) stay as they are.
./scripts/build.sh programs varmkalk_screenshots >/dev/null
QT_QPA_PLATFORM=offscreen build/bin/varmkalk_screenshots "$out"
