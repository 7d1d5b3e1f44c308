#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds VARMKALK in build/, warnings as errors, only as much as asked for:
#   scripts/build.sh [PROFILE] [TARGET...] [-DOPTION=VALUE...]
# PROFILE engine builds kalvex, programs varmkalk and kalvex, all (the default) everything; TARGETs
# given instead are built in that profile's configuration. The options go to the configure step.
# build/ is configured once and again only when the profile needs a part it was configured
# without (the front end; the tests and benchmarks), so the three profiles share one build.
set -euo pipefail
cd "$(dirname "$0")/.."

profile=all
case ${1:-} in
  engine | programs | all)
    profile=$1
    shift
    ;;
esac
targets=()
options=()
for arg in "$@"; do
  case $arg in
    -D*) options+=("$arg") ;;
    *) targets+=("$arg") ;;
  esac
done

case $profile in
  engine)
    needed=()
    [ ${#targets[@]} -gt 0 ] || targets=(kalvex)
    ;;
  programs)
    needed=(VARMKALK_BUILD_FRONTEND)
    [ ${#targets[@]} -gt 0 ] || targets=(varmkalk kalvex)
    ;;
  all) needed=(VARMKALK_BUILD_FRONTEND VARMKALK_BUILD_TESTS VARMKALK_BUILD_BENCHMARKS) ;;
esac

cache=build/CMakeCache.txt
configure=0
if [ ! -f "$cache" ] || [ ${#options[@]} -gt 0 ]; then configure=1; fi
for option in "${needed[@]}"; do
  if [ -f "$cache" ] && ! grep -q "^$option:BOOL=ON$" "$cache"; then configure=1; fi
done

if [ "$configure" -eq 1 ]; then
  # The parts this profile does not need are built only where their packages are installed:
  # the engine builds on a machine with nothing but a compiler, CMake and Ninja.
  parts=ON
  if ! ./scripts/install-deps.sh --check all; then parts=OFF; fi
  settings=()
  for option in VARMKALK_BUILD_FRONTEND VARMKALK_BUILD_TESTS VARMKALK_BUILD_BENCHMARKS; do
    if [[ " ${needed[*]} " == *" $option "* ]]; then
      settings+=("-D$option=ON")
    elif [ ! -f "$cache" ]; then
      settings+=("-D$option=$parts")
    fi
  done
  generator=()
  if [ ! -f "$cache" ] && command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
  cmake -S . -B build "${generator[@]}" -DVARMKALK_WERROR=ON "${settings[@]}" "${options[@]}"
fi
cmake --build build --parallel "$(nproc)" ${targets[@]+--target "${targets[@]}"}
