#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes build-windows/varmkalk-motor-VERSION-win64.zip: the four Windows programs, the six
# climate files and their credits, the heat pumps' declarations and their credits, the worked example, the licence and a short Swedish README,
# in one folder of the zip's name. Text files get CR LF line ends.
#   scripts/package-windows.sh           builds with build-windows.sh first, then zips
#   scripts/package-windows.sh --check   also unpacks the zip into an empty folder and runs the
#                                        example there under Wine; the four result files must be
#                                        those the Linux kalvex writes
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
if [ "${1:-}" = "--check" ]; then check=1; fi

./scripts/build-windows.sh > /dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-windows/CMakeCache.txt)
name=varmkalk-motor-$version-win64
zip_file=$PWD/build-windows/$name.zip
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT

crlf() { sed 's/\r*$/\r/' "$1" > "$2"; }
root=$staging/$name
mkdir -p "$root/bin" "$root/share/varmkalk/climate" "$root/share/varmkalk/heatpumps" "$root/exempel"
cp build-windows/bin/kalvex.exe build-windows/bin/kalvex-batch.exe build-windows/bin/kalvex-klimat.exe \
  build-windows/bin/kalvex-vp.exe "$root/bin/"
# Without their symbols: a third of the size.
x86_64-w64-mingw32-strip "$root"/bin/*.exe
cp build-windows/share/varmkalk/climate/*.dat "$root/share/varmkalk/climate/"
crlf data/climate/README.md "$root/share/varmkalk/climate/README.md"
cp build-windows/share/varmkalk/heatpumps/*.csv "$root/share/varmkalk/heatpumps/"
crlf data/heatpumps/README.md "$root/share/varmkalk/heatpumps/README.md"
cp examples/styrfil.dat "$root/exempel/"
crlf LICENSE "$root/LICENSE.txt"
crlf packaging/windows/README.txt "$root/README.txt"
rm -f "$zip_file"
(cd "$staging" && TZ=UTC zip -q -X -r "$zip_file" "$name")
unzip -l "$zip_file"

[ "$check" -eq 1 ] || exit 0
export WINEPREFIX=${WINEPREFIX:-$PWD/build-windows/wine-prefix}
export WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
./scripts/build.sh engine kalvex > /dev/null
unpacked=$staging/uppackad
mkdir "$unpacked" "$staging/linux"
(cd "$unpacked" && unzip -q "$zip_file")
cp examples/styrfil.dat "$staging/linux/"
(cd "$staging/linux" && "$OLDPWD/build/bin/kalvex" > stdout 2> stderr) || true
(cd "$unpacked/$name/exempel" && /usr/lib/wine/wine64 ../bin/kalvex.exe > ../../stdout 2> ../../stderr)
# Written in text mode on Windows: CR LF there is LF here.
for stream in stdout stderr; do
  if ! diff -q <(tr -d '\r' < "$unpacked/$stream") "$staging/linux/$stream" > /dev/null; then
    echo "Exemplet ur $name.zip: $stream skiljer sig från Linux-motorns" >&2
    exit 1
  fi
done
for file in exmp.dat exmpsum.dat exmpsum_c.dat resultat.dat; do
  if ! cmp -s "$staging/linux/$file" "$unpacked/$name/exempel/$file"; then
    echo "Exemplet ur $name.zip: $file skiljer sig från Linux-motorns" >&2
    exit 1
  fi
done
echo "Exemplet ur $name.zip, uppackad i en tom mapp och körd under Wine: de fyra filerna lika"
