#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages VARMKALK needs, only those that are missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkgconf
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  # Qt Charts' CMake files need Qt OpenGL's, which its package does not pull in.
  qt6-charts-dev libqt6opengl6-dev
  fonts-dejavu-core
  clang libclang-rt-dev
  desktop-file-utils appstream librsvg2-bin
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installerar saknade paket: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
