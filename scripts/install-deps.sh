#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages VARMKALK needs, only those that are missing.
#   scripts/install-deps.sh [PROFILE]          PROFILE: engine, programs, windows or all (the default)
#   scripts/install-deps.sh --check [PROFILE]  exit status 0 when nothing of PROFILE is missing
# engine: what builds kalvex and the console tools; programs: that and the front end; all: that
# and what the tests, benchmarks, fuzzing, packaging and screenshots use; windows: the engine's
# and what cross-builds the console programs for Windows, runs them under Wine and zips them.
set -euo pipefail

check=0
if [ "${1:-}" = "--check" ]; then
  check=1
  shift
fi
profile=${1:-all}

engine=(build-essential cmake ninja-build)
programs=(
  pkgconf qt6-base-dev qt6-base-dev-tools libgl-dev
  # Qt Charts' CMake files need Qt OpenGL's, which its package does not pull in.
  qt6-charts-dev libqt6opengl6-dev
  # lrelease, which builds the Swedish translation of Qt's own texts.
  qt6-l10n-tools
  fonts-dejavu-core
)
rest=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev
  desktop-file-utils appstream librsvg2-bin
  poppler-utils
  # scripts/keyboard-tour.sh: a virtual screen, a window manager and keys sent to it.
  xvfb openbox xdotool
)
windows=(g++-mingw-w64-x86-64-posix wine64 zip unzip python3)
case $profile in
  engine) packages=("${engine[@]}") ;;
  windows) packages=("${engine[@]}" "${windows[@]}") ;;
  programs) packages=("${engine[@]}" "${programs[@]}") ;;
  all) packages=("${engine[@]}" "${programs[@]}" "${rest[@]}") ;;
  *)
    echo "$0: no profile $profile; the profiles are engine, programs, windows and all" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ "$check" -eq 1 ]; then exit $((${#missing[@]} > 0)); fi
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installerar saknade paket: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
