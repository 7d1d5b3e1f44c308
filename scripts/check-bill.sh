#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The year on the bill's terms over COUNT generated houses (default 300, seed SEED, default 1),
# each at design demands of 1, 10, 100, 300, 1000 and 3000 W and its own: the bill never falls by
# more than 0.1 % as the demand rises, and the bill with the pump's credited heat always covers the
# hot water and the heater's loss of the whole climate year. Prints the figures, and counts the
# years whose bill alone is below the hot water, the heater's loss and the pilot flame's
# off-time fuel (free heat of the pump or the pilot flame covers part of them).
#   scripts/check-bill.sh [COUNT] [SEED]
# Needs build/bin/varmkalk_bill_check (cmake --build build --target varmkalk_bill_check).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
count="${1:-300}"
seed="${2:-1}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 "$root/scripts/casegen.py" --count "$count" --seed "$seed" --out "$work" >/dev/null
"$root/build/bin/varmkalk_bill_check" "$work"/case-*
