#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package (scripts/package.sh), prints its control data and checks its content
# unpacked into a temporary root: the menu entry, icons and metadata validate, and the packaged
# kalvex runs the example case from a folder without climate files.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/package.sh >/dev/null
debs=(build/package/varmkalk_*_"$(dpkg --print-architecture)".deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "FAIL: scripts/package.sh did not make exactly one package in build/package" >&2
  exit 1
fi
deb=${debs[0]}
version=$(dpkg-deb --field "$deb" Version)
[ "$(basename "$deb")" = "varmkalk_${version}_$(dpkg --print-architecture).deb" ] ||
  { echo "FAIL: $deb is not named after its version $version" >&2; exit 1; }
dpkg-deb --info "$deb"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
echo "Depends: $(dpkg-deb --field "$deb" Depends)"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb --extract "$deb" "$root"
packaging/check-installed-tree.sh "$root/usr" "$version"
