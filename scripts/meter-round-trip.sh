#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fits COUNT generated houses (default 1000, seed SEED, default 1) to a meter that is their own
# year's gas on the bill's basis, with kalvex-batch's metered_gas_kwh column, and checks that each
# fitted design heat demand gives the metered gas within 1 kWh and lies within 0.1 % of the
# house's own demand.
#   scripts/meter-round-trip.sh KALVEX_BATCH [COUNT] [SEED]
# The work is done by meter_round_trip.py beside this script.
set -euo pipefail
exec python3 "$(dirname "$0")/meter_round_trip.py" "$@"
