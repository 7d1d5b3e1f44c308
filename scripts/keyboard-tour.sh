#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Works VARMKALK by keyboard alone on a virtual screen (Xvfb, 1280×800, openbox as the window
# manager, keys sent with xdotool), on a Swedish desktop: a whole calculation cycle typed into
# the form with a certified heat pump beside the boiler, a variant from "Föregående fall", a
# comparison of the two, a sensitivity sweep, and the form's added buttons by their mnemonics.
#   scripts/keyboard-tour.sh
# Prints each step with its keys and checks what it must leave: the window it opens, or the
# files of the calculation. Exit status 0 only when every step did.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh programs varmkalk kalvex >/dev/null

display=:${KEYBOARD_TOUR_DISPLAY:-93}
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
DISPLAY=$display LANG=sv_SE.UTF-8 LC_ALL= build/bin/varmkalk "$work" >"$work/.varmkalk.log" 2>&1 &
pids+=($!)

failed=0
# The keys, each a key name for xdotool or text to type after "text:", sent to the active window.
keys() {
  local key
  for key in "$@"; do
    if [[ $key == text:* ]]; then
      DISPLAY=$display xdotool type --delay 40 "${key#text:}"
    else
      DISPLAY=$display xdotool key --delay 60 "$key"
    fi
    sleep 0.15
  done
}
# Waits up to 10 s for a window whose title matches the pattern (ASCII: xdotool's patterns do not
# match Swedish letters).
window() {
  local tries
  for tries in $(seq 50); do
    if DISPLAY=$display xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; then
      return 0
    fi
    sleep 0.2
  done
  return 1
}
step() {
  local what=$1 check=$2
  shift 2
  printf '%-58s %s\n' "$what" "$*"
  keys "$@"
  if eval "$check"; then
    echo "  ok"
  else
    echo "  FEL: $check"
    failed=1
  fi
}
repeat() {
  local n=$1 key=$2 out=()
  for _ in $(seq "$n"); do out+=("$key"); done
  echo "${out[@]}"
}

window "VARMKALK - Ber" || { echo "FEL: huvudmenyn öppnades inte" >&2; exit 1; }
sleep 1
# The form's tab order: Några ord (where the form opens), Tillbaka, Indata färdigt, then one stop
# per option group and the help buttons, the shown fields in the order of the form, the
# building's fields, Hämta indata…, the options "Egen klimatfil" and "Egna temperaturer" (each a
# stop of its own), Föregående fall, Känslighetsanalys…, Kostnad och klimat…, Värmepump…, Anpassa
# till mätaren…; a mnemonic presses its button and leaves the focus where it was.
step "Ny beräkning" 'window "Inmatning av data"' Return
step "Komponenter: enstegs, varmvatten, konstanter" true \
  $(repeat 4 Tab) space Tab Tab space Tab Tab space Tab Tab space
step "Avgastemperaturer, förluster, varmvatten, brännare" true \
  Tab Tab text:80 Tab text:70 Tab text:60 Tab text:60 Tab text:40 Tab text:30 \
  Tab text:1 Tab text:1 Tab text:1,25 Tab text:5000 Tab text:1,08 Tab text:15 Tab text:20
# A certified heat pump beside the boiler, the first of the shipped units, kept with the case.
step "Värmepump…" 'window "rmepump$"' alt+v
step "Certifierad enhet, OK" '! DISPLAY=$display xdotool search --onlyvisible --name "rmepump$" >/dev/null' \
  alt+c Return
step "Husets effekt, sedan Indata färdigt" 'window "kningsidentitet"' \
  $(repeat 6 Tab) text:8 $(repeat 10 Tab) space
step "Identitet k1, OK" 'window "VARMKALK - Ber"' text:k1 Return
step "Beräkna och visa resultat" '[ -f "$work/k1  sum.dat" ]' Return
sleep 2
step "Ytterligare beräkning, Ja (behåll)" '[ -f "$work/k1  indata.json" ] && window "Inmatning av data"' \
  Return Return
step "Föregående fall, inomhus 21 °C, Indata färdigt" 'window "kningsidentitet"' \
  alt+f $(repeat 10 shift+Tab) text:21 $(repeat 12 Tab) space
step "Identitet k2, OK, Beräkna och visa resultat" '[ -f "$work/k2  sum.dat" ]' text:k2 Return Return
sleep 2
step "Jämför beräkningar…: markera två, Jämför" 'window "kningar .+ k1"' \
  alt+j space Down space alt+j
step "Escape stänger jämförelsen" '! DISPLAY=$display xdotool search --onlyvisible --name "kningar .+ k1" >/dev/null' \
  Escape
step "Ytterligare beräkning, Ja, Föregående fall, Känslighetsanalys…" 'window "nslighetsanalys"' \
  Return Return alt+f $(repeat 4 shift+Tab) space
sleep 2
step "Escape stänger känslighetsanalysen" '! DISPLAY=$display xdotool search --onlyvisible --name "nslighetsanalys" >/dev/null' \
  Escape
step "Tillbaka till startmenyn" 'window "VARMKALK - Ber"' $(repeat 5 Tab) space
# No input since "Tillbaka": "Beräkna och visa resultat" opens the form for one. The form's
# added buttons by their mnemonics, each dialog closed with Escape.
step "Beräkna och visa resultat utan indata öppnar formuläret" 'window "Inmatning av data"' alt+b
step "Anpassa till mätaren…" 'window "Anpassa till m"' alt+a
step "Escape stänger mätardialogen" '! DISPLAY=$display xdotool search --onlyvisible --name "Anpassa till m" >/dev/null' \
  Escape
step "Kostnad och klimat…" 'window "Kostnad och klimat"' alt+k
step "Escape, Tillbaka till startmenyn" 'window "VARMKALK - Ber" && ! DISPLAY=$display xdotool search --onlyvisible --name "Inmatning av data" >/dev/null' \
  Escape Tab space
# The first calculation kept with its heat pump, the variant from "Föregående fall" with it too.
for kept in k1 k2; do
  if ! grep -q '"unit_file"' "$work/$kept  indata.json" 2>/dev/null; then
    echo "FEL: $kept sparades utan sin värmepump"
    failed=1
  fi
done
# The variant kept with "Ja": the previous case with 21 °C indoors.
if ! grep -q '"text": "21"' "$work/k2  indata.json" 2>/dev/null; then
  echo "FEL: varianten k2 sparades inte med inomhustemperaturen 21"
  failed=1
fi

if [ "$failed" -ne 0 ]; then
  echo "Tangentbordsturen misslyckades; programmets utskrifter:" >&2
  cat "$work/.varmkalk.log" >&2
  exit 1
fi
echo "Tangentbordsturen gick igenom."
