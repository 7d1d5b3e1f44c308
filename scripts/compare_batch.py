#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs kalvex once per generated case and kalvex-batch once on all of them as a CSV table, and
checks every row against the engine: the summary report's values (lines 3-11 of resultat.dat)
equal the row's numbers rounded the report's way, and the messages are the same (the refusal
of a refused case, the warnings of a complete one). Run it through compare-batch.sh:

    scripts/compare-batch.sh KALVEX KALVEX_BATCH [COUNT] [SEED]

The cases are casegen.py's. Each is written as styrfil.dat, its numbers in any of the ways the
engine reads, and as a CSV row with the same decimal values, so that both programs read the same
floats. Cases the table cannot carry (a control file that is not readable, a calculation
identity that the engine refuses, a climate file of the case's own) are left out and counted.
Both programs find the climate files in their own installed folder.
"""

import collections
import concurrent.futures
import csv
import decimal
import io
import os
import pathlib
import struct
import subprocess
import sys
import tempfile
import time

import casegen

# Oddities of a case that a batch row cannot carry.
LEFT_OUT = {
    "letter-in-number": "bokstav i ett tal i styrfilen",
    "short-file": "styrfilen för kort",
    "identity-with-slash": "beräkningsidentitet som kalvex vägrar",
}
OWN_CLIMATE = "egen klimatfil"
# The code letters of the control file's code lines, the default row's last. The control file
# drops the blanks after a code and reads any text that is no letter as the default row; a table
# takes only the letters, so a row carries the letter the control file's text stands for.
CODE_LETTERS = {casegen.CLIMATE_LINE: "ABCDEF", casegen.HEATING_LINE: "AB"}
NUMBER_TOO_LONG = "tal längre än styrfilens 11 kolumner"
CASE_COLUMN = "case"
# The batch's columns for the control file's lines 1-22 in order; line 23, the calculation
# identity, has none.
COLUMNS = ("convection_constant", "standby_constant", "standby_exponent", "burner_max_power",
           "burner_min_power", "air_ratio", "pilot_power", "flue_gas_temp_1", "supply_temp_1",
           "return_temp_1", "flue_gas_temp_2", "supply_temp_2", "return_temp_2", "pump_power",
           "pump_efficiency", "design_heat_demand", "climate_code", "heating_system_code",
           "indoor_temp", "min_return_temp", "hot_water_demand", "heater_loss")
TIME_LIMIT_S = 30
# Report lines (1 = first) and the batch column each one shows, with the report's rounding.
EFFICIENCY_LINES = ((3, "annual_efficiency"), (4, "annual_efficiency_without_pump"))
ENERGY_LINES = ((5, "net_energy_kwh"), (6, "gross_energy_kwh"), (7, "convection_energy_kwh"),
                (8, "standby_energy_kwh"), (9, "flue_gas_energy_kwh"), (10, "pilot_energy_kwh"),
                (11, "pump_electricity_kwh"))
NO_EFFICIENCY = "    -"


def usage() -> None:
    print("användning: compare-batch.sh KALVEX KALVEX_BATCH [ANTAL] [FRÖ]", file=sys.stderr)
    sys.exit(2)


def left_out_reason(case: casegen.Case) -> str | None:
    for kind in case.kind.split("+"):
        if kind in LEFT_OUT:
            return LEFT_OUT[kind]
    if case.climate_name:
        return OWN_CLIMATE
    for line in casegen.NUMBER_LINES:
        if len(casegen.plain_text(case.values[line - 1])) > casegen.NUMBER_WIDTH:
            return NUMBER_TOO_LONG
    return None


def code_cell(text: str, letters: str) -> str:
    code = text.rstrip(" ")
    return code if len(code) == 1 and code.upper() in letters else letters[-1]


def batch_row(name: str, case: casegen.Case) -> dict:
    row = {CASE_COLUMN: name}
    for line, column in enumerate(COLUMNS, start=1):
        value = case.values[line - 1]
        if line in CODE_LETTERS:
            row[column] = code_cell(value, CODE_LETTERS[line])
        else:
            row[column] = value if line in casegen.TEXT_LINES else casegen.plain_text(value)
    return row


def float32(value: float) -> float:
    return struct.unpack("f", struct.pack("f", value))[0]


def decimal_text(value: float, decimals: int) -> str:
    """The float's exact value rounded to `decimals`, halves away from zero, never "-0"."""
    quantum = decimal.Decimal(1).scaleb(-decimals)
    rounded = decimal.Decimal(value).quantize(quantum, rounding=decimal.ROUND_HALF_UP)
    if rounded == 0:
        rounded = abs(rounded)
    return f"{rounded:.{decimals}f}"


def report_fixed(value: float, width: int, decimals: int) -> str:
    """A number as the report's fixed fields print it."""
    text = decimal_text(value, decimals)
    if len(text) > width and text.startswith("0."):
        text = text[1:]
    return text.rjust(width) if len(text) <= width else "*" * width


def report_kilowatt_hours(value_kwh: float) -> str:
    """Half a kWh added in 32 bits, cut toward zero, in six columns."""
    text = str(int(float32(value_kwh + 0.5)))
    return text.rjust(6) if len(text) <= 6 else "*" * 6


def messages(stderr: bytes) -> str:
    return " ".join(stderr.decode("utf-8", errors="replace").splitlines())


def engine_run(kalvex: pathlib.Path, folder: pathlib.Path, case: casegen.Case) -> tuple:
    folder.mkdir()
    (folder / casegen.CONTROL_FILE_NAME).write_bytes(case.control_text.encode(casegen.ENCODING))
    try:
        process = subprocess.run([kalvex], cwd=folder, stdin=subprocess.DEVNULL,
                                 capture_output=True, timeout=TIME_LIMIT_S)
    except subprocess.TimeoutExpired:
        return -1, f"kalvex hann inte klart på {TIME_LIMIT_S} s", None
    report = None
    if process.returncode == 0:
        report = (folder / "resultat.dat").read_bytes().decode(casegen.ENCODING).split("\r\n")
    return process.returncode, messages(process.stderr), report


def differences(row: dict, status: int, message: str, report: list | None) -> list:
    found = []
    if row["message"] != message:
        found.append(f"meddelande {row['message']!r} mot kalvex {message!r}")
    if status != 0:
        if row["status"] != "error":
            found.append(f"status {row['status']} mot kalvex slutstatus {status}")
        return found
    if row["status"] not in ("ok", "shortfall"):
        return found + [f"status {row['status']} mot kalvex slutstatus 0"]
    if (row["status"] == "shortfall") != (int(row["shortfall_days"]) > 0):
        found.append(f"status {row['status']} med {row['shortfall_days']} dygn underskott")
    for line, column in EFFICIENCY_LINES:
        text = row[column]
        shown = report_fixed(float32(float(text)), 5, 1) if text else NO_EFFICIENCY
        if shown != report[line - 1][53:58]:
            found.append(f"{column} {text} ({shown!r}) mot rad {line}: {report[line - 1][53:58]!r}")
    for line, column in ENERGY_LINES:
        shown = report_kilowatt_hours(float32(float(row[column])))
        if shown != report[line - 1][52:58]:
            found.append(f"{column} {row[column]} ({shown!r}) mot rad {line}: "
                         f"{report[line - 1][52:58]!r}")
    return found


def main(argv: list) -> int:
    if not 2 <= len(argv) <= 4:
        usage()
    try:
        count = int(argv[2]) if len(argv) > 2 else 1000
        seed = int(argv[3]) if len(argv) > 3 else 1
    except ValueError:
        usage()
    if count < 1 or seed < 0:
        usage()
    kalvex, batch = casegen.executable(argv[0]), casegen.executable(argv[1])

    cases = {}
    left_out = collections.Counter()
    for index in range(1, count + 1):
        case = casegen.generate_case(seed, index)
        reason = left_out_reason(case)
        if reason:
            left_out[reason] += 1
        else:
            cases[casegen.case_folder_name(index)] = case

    with tempfile.TemporaryDirectory(prefix="compare-batch-") as tmp:
        root = pathlib.Path(tmp)
        table = io.StringIO()
        writer = csv.DictWriter(table, fieldnames=(CASE_COLUMN,) + COLUMNS,
                                lineterminator="\r\n")
        writer.writeheader()
        for name, case in cases.items():
            writer.writerow(batch_row(name, case))
        batch_folder = root / "batch"
        batch_folder.mkdir()
        (batch_folder / "in.csv").write_text(table.getvalue(), encoding="utf-8")
        started = time.monotonic()
        batch_run = subprocess.run([batch, "in.csv", "out.csv"], cwd=batch_folder,
                                   stdin=subprocess.DEVNULL, capture_output=True)
        seconds = time.monotonic() - started
        if batch_run.returncode not in (0, 1):
            print(f"kalvex-batch slutade med status {batch_run.returncode}: "
                  f"{batch_run.stderr.decode('utf-8', errors='replace')}", file=sys.stderr)
            return 1
        with open(batch_folder / "out.csv", encoding="utf-8", newline="") as file:
            rows = {row[CASE_COLUMN]: row for row in csv.DictReader(file)}

        with concurrent.futures.ThreadPoolExecutor(os.cpu_count() or 1) as pool:
            runs = dict(zip(cases, pool.map(
                lambda item: engine_run(kalvex, root / item[0], item[1]), cases.items())))

    outcomes = collections.Counter()
    differing = {}
    for name in cases:
        row = rows.get(name)
        if row is None:
            differing[name] = ["raden saknas i kalvex-batch utdata"]
            continue
        outcomes[row["status"]] += 1
        found = differences(row, *runs[name])
        if found:
            differing[name] = found
    if list(rows) != list(cases):
        differing["ordning"] = ["utdatas rader står inte i indatas ordning"]

    compared = len(cases)
    print(f"{count} fall, frö {seed}: {compared} jämförda ("
          + ", ".join(f"{outcomes[s]} {s}" for s in ("ok", "shortfall", "error")) + "), "
          + f"{sum(left_out.values())} utelämnade"
          + ("" if not left_out else " (" + ", ".join(
              f"{reason} {n}" for reason, n in sorted(left_out.items())) + ")"))
    print(f"kalvex-batch: {compared} fall på {seconds:.2f} s")
    for name, found in differing.items():
        print(f"{name}: " + "; ".join(found))
    if differing:
        print(f"{len(differing)} fall skiljer sig")
        return 1
    print(f"alla {compared} jämförda fall lika")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
