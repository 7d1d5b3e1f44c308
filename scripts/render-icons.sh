#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the application icon's PNG sizes from its SVG into the hicolor tree under
# packaging/icons. Run it after changing the SVG and commit the PNG files with it.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v rsvg-convert >/dev/null 2>&1; then
  echo "rsvg-convert is missing: install the package librsvg2-bin." >&2
  exit 1
fi
icons=packaging/icons/hicolor
svg="$icons/scalable/apps/se.varmkalk.Varmkalk.svg"
for size in 48 64 128 256; do
  mkdir -p "$icons/${size}x${size}/apps"
  rsvg-convert --width "$size" --height "$size" "$svg" \
    --output "$icons/${size}x${size}/apps/se.varmkalk.Varmkalk.png"
done
