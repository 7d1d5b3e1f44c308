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
# On a desktop's screen every form shows whole.
QT_QPA_PLATFORM="offscreen:configfile=$PWD/tools/screenshots/screen-1920x1080.json" \
  build/bin/varmkalk_screenshots "$out"
# The windows open at a size that fits the screen, and the forms scroll where they cannot: the
# same pictures again on a laptop's 1280×800 screen, a netbook's 1024×600 and a 2560×1600 screen
# at twice the scale.
for screen in 1280x800 1024x600 2560x1600-2x; do
  QT_QPA_PLATFORM="offscreen:configfile=$PWD/tools/screenshots/screen-$screen.json" \
    build/bin/varmkalk_screenshots "$out/$screen"
done
