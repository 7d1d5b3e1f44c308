#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Plants the faults of scripts/mutants.toml one at a time in the sources, builds and runs the tests
# that should catch each, and prints which were caught and the score. Not part of CI: it takes
# about half a minute a mutant with an incremental build.
#   scripts/mutate.sh [--build DIR] [--id ID ...] [--file PART ...] [--no-whole-suite] [--show]
# The work is done by mutate.py beside this script; every mutated file is put back.
set -euo pipefail
exec python3 "$(dirname "$0")/mutate.py" "$@"
