#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fits generated houses to a meter that is their own year: kalvex-batch first runs every case at
its own design heat demand (an empty metered_gas_kwh cell), then again with that year's gas on the
bill's basis as the metered use and another design demand in the table. Each fitted demand must give the metered gas within 1 kWh and
lie within 0.1 % of the case's own demand. Run it through meter-round-trip.sh:

    scripts/meter-round-trip.sh KALVEX_BATCH [COUNT] [SEED]

The cases are casegen.py's sensible ones (no oddities), written as compare_batch.py writes its
rows; kalvex-batch finds the climate files in its own installed folder. Cases the model refuses
at their own demand have no year to meter and are counted apart.
"""

import csv
import io
import pathlib
import subprocess
import sys
import tempfile
import time
import types

import casegen
import compare_batch

METER_COLUMN = "metered_gas_kwh"
DEMAND_COLUMN = "design_heat_demand"
FITTED_COLUMN = "calibrated_design_heat_demand_w"
# The metered pass knows nothing of the house's own demand: its table holds this one instead.
UNKNOWN_DEMAND_W = "10000"
GAS_TOLERANCE_KWH = 1.0
DEMAND_TOLERANCE = 1e-3  # a fraction of the case's own demand


def usage() -> None:
    print("användning: meter-round-trip.sh KALVEX_BATCH [ANTAL] [FRÖ]", file=sys.stderr)
    sys.exit(2)


def run_batch(batch: pathlib.Path, folder: pathlib.Path, rows: list) -> tuple:
    table = io.StringIO()
    fields = (compare_batch.CASE_COLUMN,) + compare_batch.COLUMNS + (METER_COLUMN,)
    writer = csv.DictWriter(table, fieldnames=fields, lineterminator="\r\n")
    writer.writeheader()
    writer.writerows(rows)
    (folder / "in.csv").write_text(table.getvalue(), encoding="utf-8")
    started = time.monotonic()
    run = subprocess.run([batch, "--replace", "--quiet", "in.csv", "out.csv"], cwd=folder,
                         stdin=subprocess.DEVNULL, capture_output=True)
    seconds = time.monotonic() - started
    if run.returncode not in (0, 1):
        print(f"kalvex-batch slutade med status {run.returncode}: "
              f"{run.stderr.decode('utf-8', errors='replace')}", file=sys.stderr)
        sys.exit(1)
    with open(folder / "out.csv", encoding="utf-8", newline="") as file:
        return {row[compare_batch.CASE_COLUMN]: row for row in csv.DictReader(file)}, seconds


def main(argv: list) -> int:
    if not 1 <= len(argv) <= 3:
        usage()
    try:
        count = int(argv[1]) if len(argv) > 1 else 1000
        seed = int(argv[2]) if len(argv) > 2 else 1
    except ValueError:
        usage()
    if count < 1 or seed < 0:
        usage()
    batch = casegen.executable(argv[0])

    rows = []
    for index in range(1, count + 1):
        values = casegen.generate_values(casegen.case_random(seed, index))
        row = compare_batch.batch_row(casegen.case_folder_name(index),
                                      types.SimpleNamespace(values=values))
        row[METER_COLUMN] = ""
        rows.append(row)

    with tempfile.TemporaryDirectory(prefix="meter-round-trip-") as tmp:
        folder = pathlib.Path(tmp)
        own, _ = run_batch(batch, folder, rows)
        metered_rows = []
        refused = 0
        for row in rows:
            year = own[row[compare_batch.CASE_COLUMN]]
            if year["status"] == "error":
                refused += 1
                continue
            metered_rows.append(dict(row, **{METER_COLUMN: year["gas_bill_kwh"]}))
        fitted, seconds = run_batch(batch, folder, [
            dict(row, **{DEMAND_COLUMN: UNKNOWN_DEMAND_W}) for row in metered_rows])

    worst_gas_kwh = 0.0
    worst_demand = 0.0
    failures = []
    for row in metered_rows:
        name = row[compare_batch.CASE_COLUMN]
        fit = fitted[name]
        if not fit[FITTED_COLUMN]:
            failures.append(f"{name}: ingen anpassning: {fit['message']}")
            continue
        own_w = compare_batch.float32(float(row[DEMAND_COLUMN]))
        gas_kwh = abs(float(fit["gas_bill_kwh"]) - float(row[METER_COLUMN]))
        demand = abs(float(fit[FITTED_COLUMN]) - own_w) / own_w
        worst_gas_kwh = max(worst_gas_kwh, gas_kwh)
        worst_demand = max(worst_demand, demand)
        if gas_kwh > GAS_TOLERANCE_KWH or demand > DEMAND_TOLERANCE:
            failures.append(f"{name}: {own_w:g} W gav {fit[FITTED_COLUMN]} W, "
                            f"gasen skiljer {gas_kwh:.3f} kWh ({fit['status']})")

    print(f"{count} fall, frö {seed}: {len(metered_rows)} anpassade, {refused} vägrade av "
          f"modellen vid sitt eget behov")
    print(f"störst avvikelse: gas {worst_gas_kwh:.4f} kWh, uppvärmningsbehov "
          f"{100 * worst_demand:.5f} %")
    print(f"kalvex-batch: {len(metered_rows)} anpassningar på {seconds:.2f} s")
    for failure in failures:
        print(failure)
    if failures:
        print(f"{len(failures)} fall utanför 1 kWh eller 0,1 %")
        return 1
    print(f"alla {len(metered_rows)} fall inom 1 kWh och 0,1 %")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
