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
# The added windows open at a size that fits the screen: the same pictures again on a laptop's
# 1280×800 screen and on a 2560×1600 screen at twice the scale.
for screen in 1280x800 2560x1600-2x; do
  QT_QPA_PLATFORM="offscreen:configfile=$PWD/tools/screenshots/screen-$screen.json" \
    build/bin/varmkalk_screenshots "$out/$screen"
done
# "Anpassa till mätaren…" with its results on a small laptop's 1024×600 screen as well.
QT_QPA_PLATFORM="offscreen:configfile=$PWD/tools/screenshots/screen-1024x600.json" \
  build/bin/varmkalk_screenshots "$out/1024x600" --matare
