#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs kalvex on COUNT generated cases (default 1000, seed SEED, default 1), one process per
# case, and kalvex-batch once on the same cases as a CSV table, and checks that every row gives
# the values of kalvex's summary report and the same messages.
#   scripts/compare-batch.sh KALVEX KALVEX_BATCH [COUNT] [SEED]
# The work is done by compare_batch.py beside this script.
set -euo pipefail
exec python3 "$(dirname "$0")/compare_batch.py" "$@"
