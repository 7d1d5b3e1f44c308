#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs two kalvex engines on COUNT generated cases (default 2000, seed SEED, default 1) and
# compares all they leave behind: the files in the working folder, standard output, standard
# error and the exit status.
#   scripts/compare-engines.sh OLD_KALVEX NEW_KALVEX [COUNT] [SEED]
# Prints the number of cases per outcome of OLD's runs, then "alla N fall lika" or each
# differing case with what differs; the folders of differing cases are kept. Exit status 0 only
# when every case is equal. The work is done by compare_engines.py beside this script.
set -euo pipefail
exec python3 "$(dirname "$0")/compare_engines.py" "$@"
