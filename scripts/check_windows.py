#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs the Windows programs under Wine beside the Linux ones and checks that they behave the
same. Run it through check-windows.sh:

    scripts/check-windows.sh [COUNT] [SEED]

- kalvex.exe against kalvex on COUNT generated cases (compare_engines.py's cases and
  comparison): the files left in the working folder byte for byte, the exit status, standard
  output and standard error.
- kalvex-batch.exe against kalvex-batch on a table of the same cases (compare_batch.py's rows,
  each with a heat pump beside its boiler),
  from a file into a file and from standard input to standard output: the table byte for byte,
  the exit status and the messages.
- kalvex-klimat.exe against kalvex-klimat on an SMHI file of daily means and one of hourly
  values, each made into a climate file named with å, on one refused source, and with --replace
  over a folder of that name, which is refused.
- kalvex-vp.exe against kalvex-vp on the shipped heat pumps, each found among the installed
  units by its file name, in all four declarations with --verbose (the bins included), and on a
  title the file does not have; and the year of each of them and of each generic type in the
  example's house.
- kalvex-batch.exe interrupted by Ctrl-C while it writes a table: no temporary file is left and
  the exit status is not 0, as with kalvex-batch and SIGINT.
- Names that would be other files on Windows (an identity "nul" or "c:ab", line 24
  "c:umea.dat", kalvex-klimat's and kalvex-batch's outputs "c:...", "NUL...") are refused alike
  on both systems, and nothing is written anywhere; kalvex-batch.exe refuses to replace its own
  input before any row, where kalvex-batch on Linux replaces it.

In the Windows programs' messages a folder is written Z:\\tmp\\...; it is compared in its Linux
form (/tmp/...), and a line end CR LF as LF. A result file named by a calculation identity with
letters beyond ASCII (Windows-1252 bytes in the control file) has on Windows the name of those
letters, which Wine keeps in UTF-8, and on Linux the bytes as they stand; its name is compared as
those bytes. Nothing else is changed before comparing.
"""

import csv
import datetime
import io
import os
import pathlib
import re
import signal
import subprocess
import sys
import tempfile
import time

import casegen
import compare_batch
import compare_engines

WINE = os.environ.get("VARMKALK_WINE", "/usr/lib/wine/wine64")
WINE_PATH = re.compile(rb"Z:((?:\\[^\\\s\"]*)+)")
TIME_LIMIT_S = 120
CLEANUP_LIMIT_S = 10
WINE_ATTEMPTS = 3
# A table that takes some seconds on one thread, long enough to be interrupted.
INTERRUPT_CASES = 200
INTERRUPT_ROWS = 40000
SMHI_YEAR = 2009
SMHI_HEADER = ("Stationsnamn;Stationsnummer;Stationsnät;Mäthöjd (meter över marken)\n"
               "Stockholm;98210;SMHIs stationsnät;2.0\n\n"
               "Parameternamn;Beskrivning;Enhet\n"
               "Lufttemperatur;{description};celsius\n\n"
               "Tidsperiod (fr.o.m);Tidsperiod (t.o.m);Höjd (meter över havet);"
               "Latitud (decimalgrader);Longitud (decimalgrader)\n"
               "1756-01-01 00:00:00;2024-12-31 23:59:59;44.0;59.3417;18.0549\n\n"
               "{columns};;Tidsutsnitt:\n")


def usage() -> None:
    print("användning: check-windows.sh [ANTAL] [FRÖ]", file=sys.stderr)
    sys.exit(2)


class Programs:
    """The four programs of each system and how to undo the Windows form of their messages."""

    def __init__(self, linux_bin: pathlib.Path, windows_bin: pathlib.Path):
        self.linux = {name: casegen.executable(str(linux_bin / name))
                      for name in ("kalvex", "kalvex-batch", "kalvex-klimat", "kalvex-vp")}
        self.windows = {}
        for name in self.linux:
            path = windows_bin / f"{name}.exe"
            if not path.is_file():
                print(f"{path}: saknas; bygg med scripts/build-windows.sh", file=sys.stderr)
                sys.exit(2)
            self.windows[name] = path.resolve()
        # Each program falls back on the climate folder beside it, which messages may name.
        self.climate_dirs = [(self.installed(windows_bin), self.installed(linux_bin))]

    @staticmethod
    def installed(bin_dir: pathlib.Path) -> bytes:
        return os.fsencode((bin_dir / ".." / "share" / "varmkalk" / "climate").resolve())

    def linux_form(self, text: bytes) -> bytes:
        text = text.replace(b"\r\n", b"\n")
        text = WINE_PATH.sub(lambda match: match.group(1).replace(b"\\", b"/"), text)
        for windows, linux in self.climate_dirs:
            text = text.replace(windows, linux)
        return text


def windows_1252(name: str) -> bytes:
    """The bytes Windows reads as these letters; the five bytes code page 1252 leaves out stand
    for the control characters of their own number, as in Windows."""
    return b"".join(bytes([ord(c)]) if ord(c) < 0x100 and c.encode("cp1252", "ignore") == b""
                    else c.encode("cp1252") for c in name)


def wine_start_failed(result: compare_engines.Run, work: pathlib.Path, inputs: dict) -> bool:
    """Whether Wine failed to start the program: status 1 with no word and no file, which the
    engine never does (it names every refusal). Seen about once in a few hundred runs, two at a
    time, on a loaded machine."""
    return (result.status == 1 and not result.stdout and not result.stderr
            and set(os.listdir(work)) == set(inputs))


def names_as_linux_bytes(work: pathlib.Path, inputs: dict) -> int:
    """Renames the files the Windows engine made with letters beyond ASCII to the Windows-1252
    bytes the Linux engine uses; returns how many."""
    renamed = 0
    for name in os.listdir(work):
        if name.isascii() or name in inputs:
            continue
        os.rename(work / name, os.path.join(os.fsencode(work), windows_1252(name)))
        renamed += 1
    return renamed


def run(command: list, work: pathlib.Path, stdin: bytes | None = None) -> compare_engines.Run:
    process = subprocess.Popen(
        command, cwd=work, stdin=subprocess.PIPE if stdin is not None else subprocess.DEVNULL,
        stdout=subprocess.PIPE, stderr=subprocess.PIPE, start_new_session=True)
    try:
        stdout, stderr = process.communicate(stdin, timeout=TIME_LIMIT_S)
        return compare_engines.Run(process.returncode, stdout, stderr)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        stdout, stderr = process.communicate()
        return compare_engines.Run(compare_engines.TIME_LIMIT_STATUS, stdout, stderr)


def run_windows(programs: Programs, exe: pathlib.Path, arguments: list, work: pathlib.Path,
                stdin: bytes | None = None, text_stdout: bool = True) -> compare_engines.Run:
    result = run([WINE, exe, *arguments], work, stdin)
    stdout = programs.linux_form(result.stdout) if text_stdout else result.stdout
    return compare_engines.Run(result.status, stdout, programs.linux_form(result.stderr))


def engine_comparison(programs: Programs):
    class UnderWine(compare_engines.Comparison):
        """kalvex as OLD, kalvex.exe under Wine as NEW, in the same folder path."""

        letter_names = []  # one entry per such run; appended to from both workers
        wine_restarts = []

        def run_in(self, engine, inputs, work):
            if engine != programs.windows["kalvex"]:
                return super().run_in(engine, inputs, work)
            for attempt in range(WINE_ATTEMPTS):
                if attempt > 0:
                    compare_engines.shutil.rmtree(work)
                    self.wine_restarts.append(work)
                work.mkdir()
                for name, data in inputs.items():
                    (work / name).write_bytes(data)
                result = run_windows(programs, engine, [], work)
                if not wine_start_failed(result, work, inputs):
                    break
            if names_as_linux_bytes(work, inputs):
                self.letter_names.append(work)
            return result

    return UnderWine


def check_engine(programs: Programs, count: int, seed: int) -> int:
    print(f"kalvex.exe mot kalvex, {count} fall, frö {seed}:")
    tmp = pathlib.Path(tempfile.mkdtemp(prefix="check-windows."))
    started = time.monotonic()
    try:
        comparison = engine_comparison(programs)
        status = compare_engines.compare_cases(programs.linux["kalvex"], programs.windows["kalvex"],
                                               count, seed, tmp, comparison)
        print(f"  varav {len(comparison.letter_names)} med bokstäver utöver ASCII i identiteten, "
              "som Windows skriver i filnamnen som bokstäver")
        print(f"  Wine startade inte programmet och fick försöka igen: "
              f"{len(comparison.wine_restarts)} gånger")
    finally:
        for path in tmp.iterdir():
            if path.name != "avvikande":
                compare_engines.shutil.rmtree(path)
        if not any(tmp.iterdir()):
            tmp.rmdir()
    print(f"  {time.monotonic() - started:.1f} s")
    return status


# A heat pump beside each row's boiler, in turn each generic type and a shipped unit, so that
# the heat pump's year too is compared to the last digit.
BATCH_HEAT_PUMPS = (
    {"hp_type": "air", "hp_capacity_kw": "8"},
    {"hp_type": "brine", "hp_capacity_kw": "6.5", "hp_brine_temp": "3"},
    {"hp_type": "exhaust", "hp_capacity_kw": "4", "hp_tank_temp": "50"},
    {"hp_unit_file": "_CTC_ABCTC_EcoAir_610M.csv", "hp_model": "CTC EcoAir 610M"},
    {"hp_unit_file": "_ThermiaThermia_Calibra_7.csv", "hp_model": "Thermia Calibra 7 230V",
     "hp_backup_kw": "3"},
)
HEAT_PUMP_COLUMNS = ("hp_unit_file", "hp_model", "hp_type", "hp_capacity_kw", "hp_backup_kw",
                     "hp_tank_temp", "hp_brine_temp")


def batch_table(count: int, seed: int) -> tuple:
    table = io.StringIO()
    writer = csv.DictWriter(table, fieldnames=(compare_batch.CASE_COLUMN,) + compare_batch.COLUMNS
                            + HEAT_PUMP_COLUMNS, lineterminator="\r\n", restval="")
    writer.writeheader()
    rows = 0
    for index in range(1, count + 1):
        case = casegen.generate_case(seed, index)
        if not compare_batch.left_out_reason(case):
            row = compare_batch.batch_row(casegen.case_folder_name(index), case)
            row.update(BATCH_HEAT_PUMPS[index % len(BATCH_HEAT_PUMPS)])
            writer.writerow(row)
            rows += 1
    return table.getvalue().encode("utf-8"), rows


def differences(linux: compare_engines.Run, windows: compare_engines.Run) -> list:
    found = []
    if linux.status != windows.status:
        found.append(f"slutstatus {linux.status} mot {windows.status}")
    if linux.stdout != windows.stdout:
        found.append("stdout")
    if linux.stderr != windows.stderr:
        found.append("stderr")
    return found


def report(what: str, found: list, good: str = "lika") -> int:
    print(f"  {what}: " + (good if not found else "SKILJER SIG: " + "; ".join(found)))
    return 1 if found else 0


def check_batch(programs: Programs, count: int, seed: int, tmp: pathlib.Path) -> int:
    table, rows = batch_table(count, seed)
    print(f"kalvex-batch.exe mot kalvex-batch, en tabell med {rows} rader:")
    failures = 0
    outputs = {}
    for system in ("linux", "windows"):
        work = tmp / f"batch-{system}"
        work.mkdir()
        (work / "in.csv").write_bytes(table)
        started = time.monotonic()
        if system == "linux":
            outputs[system] = run([programs.linux["kalvex-batch"], "in.csv", "ut.csv"], work)
        else:
            outputs[system] = run_windows(programs, programs.windows["kalvex-batch"],
                                          ["in.csv", "ut.csv"], work)
        print(f"  {system}: {time.monotonic() - started:.2f} s, slutstatus {outputs[system].status}")
    found = differences(outputs["linux"], outputs["windows"])
    linux_table = (tmp / "batch-linux" / "ut.csv").read_bytes()
    windows_table = (tmp / "batch-windows" / "ut.csv").read_bytes()
    if linux_table != windows_table:
        found.append("ut.csv")
    failures += report("fil till fil", found)

    # Standard input to standard output: the table passes as bytes, CR LF as it is.
    linux = run([programs.linux["kalvex-batch"], "-", "-"], tmp, stdin=table)
    windows = run_windows(programs, programs.windows["kalvex-batch"], ["-", "-"], tmp, stdin=table,
                          text_stdout=False)
    found = differences(linux, windows)
    if linux.stdout != linux_table:
        found.append("standard ut är inte samma tabell som filen")
    failures += report("standard in till standard ut", found)
    return failures


def interrupted_batch(command: list, work: pathlib.Path) -> tuple:
    """Starts kalvex-batch on a large table into a file, interrupts it (SIGINT, which Wine turns
    into the console's Ctrl-C) once its temporary file is there, and gives its exit status and
    the names left in the folder."""
    # A program started in the background of a shell inherits SIGINT ignored, and kalvex-batch
    # rightly keeps it so; the check wants a program that Ctrl-C reaches, wherever it runs.
    process = subprocess.Popen(command, cwd=work, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True,
                               preexec_fn=lambda: signal.signal(signal.SIGINT, signal.SIG_DFL))
    deadline = time.monotonic() + TIME_LIMIT_S
    while (time.monotonic() < deadline and process.poll() is None
           and not any(name.startswith("ut.csv.") for name in os.listdir(work))):
        time.sleep(0.05)
    process.send_signal(signal.SIGINT)
    try:
        status = process.wait(timeout=TIME_LIMIT_S)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        status = process.wait()
    # Wine removes a file marked for deletion when its server closes the ended program's handles,
    # which may come just after the exit status: a left temporary file is one that stays.
    deadline = time.monotonic() + CLEANUP_LIMIT_S
    while (time.monotonic() < deadline
           and any(name.startswith("ut.csv.") for name in os.listdir(work))):
        time.sleep(0.05)
    return status, sorted(os.listdir(work))


def check_interrupt(programs: Programs, tmp: pathlib.Path) -> int:
    table, rows = batch_table(INTERRUPT_CASES, 1)
    header, body = table.split(b"\r\n", 1)
    repeats = INTERRUPT_ROWS // max(rows, 1) + 1
    big = header + b"\r\n" + body * repeats
    print(f"kalvex-batch avbruten med Ctrl-C (SIGINT) mitt i en tabell med {rows * repeats} rader:")
    failures = 0
    for system, command in (("linux", [programs.linux["kalvex-batch"]]),
                            ("windows", [WINE, programs.windows["kalvex-batch"]])):
        work = tmp / f"avbruten-{system}"
        work.mkdir()
        (work / "in.csv").write_bytes(big)
        status, names = interrupted_batch([*command, "--threads", "1", "in.csv", "ut.csv"], work)
        found = []
        if status == 0:
            found.append("slutstatus 0 efter Ctrl-C")
        if names != ["in.csv"]:
            found.append("kvar i mappen: " + ", ".join(n for n in names if n != "in.csv"))
        failures += report(f"{system}, slutstatus {status}", found,
                           "ingen tillfällig fil kvar, ingen ut.csv")
    return failures


def smhi_sources() -> dict:
    """An SMHI file of daily means and one of hourly values for Stockholm 2009, as SMHI writes
    them, from the bundled climate file; and one that is no source."""
    bundled = pathlib.Path(__file__).parent.parent / "data" / "climate" / "sthlm.dat"
    tenths = [round(float(line[4:11]) * 10)
              for line in bundled.read_text(encoding="ascii").splitlines()]
    first = datetime.date(SMHI_YEAR, 1, 1)
    days = [(first + datetime.timedelta(days=i)).isoformat() for i in range(len(tenths) + 1)]
    text = lambda value: f"{'-' if value < 0 else ''}{abs(value) // 10}.{abs(value) % 10}"
    daily = SMHI_HEADER.format(
        description="medelvärde 1 dygn, 1 gång/dygn, kl 00",
        columns="Från Datum Tid (UTC);Till Datum Tid (UTC);Representativt dygn;Lufttemperatur;"
                "Kvalitet")
    hourly = SMHI_HEADER.format(description="momentanvärde, 1 gång/tim",
                                columns="Datum;Tid (UTC);Lufttemperatur;Kvalitet")
    for day, value in enumerate(tenths):
        daily += f"{days[day]} 00:00:01;{days[day + 1]} 00:00:00;{days[day]};{text(value)};G\n"
        for hour in range(24):
            offset = 0 if hour == 23 else hour - 11
            hourly += f"{days[day]};{hour:02d}:00:00;{text(value + offset)};G\n"
    broken = daily.replace(f"{days[40]};", f"{days[40]};x", 1)
    return {"smhi-dygn.csv": daily.encode("utf-8"), "smhi-tim.csv": hourly.encode("utf-8"),
            "trasig.csv": broken.encode("utf-8")}


def check_klimat(programs: Programs, tmp: pathlib.Path) -> int:
    print("kalvex-klimat.exe mot kalvex-klimat:")
    failures = 0
    sources = smhi_sources()
    # Each source into a new file, then the daily one with --replace over a folder of that name,
    # which only a regular file may be.
    runs = [(source, False) for source in sources] + [("smhi-dygn.csv", True)]
    for source, over_folder in runs:
        results = {}
        for system in ("linux", "windows"):
            work = tmp / f"klimat-{system}-{source}-{over_folder}"
            work.mkdir()
            (work / source).write_bytes(sources[source])
            arguments = [source, "umeå.dat", "--year", str(SMHI_YEAR)]
            if over_folder:
                (work / "umeå.dat").mkdir()
                arguments.append("--replace")
            if system == "linux":
                result = run([programs.linux["kalvex-klimat"], *arguments], work)
            else:
                result = run_windows(programs, programs.windows["kalvex-klimat"], arguments, work)
            written = work / "umeå.dat"
            results[system] = (result, written.read_bytes() if written.is_file() else None)
        found = differences(results["linux"][0], results["windows"][0])
        if results["linux"][1] != results["windows"][1]:
            found.append("umeå.dat")
        made = "umeå.dat gjord" if results["linux"][1] else "ingen fil"
        target = " --replace över en mapp" if over_folder else ""
        failures += report(f"{source}{target} ({made}, slutstatus {results['linux'][0].status})",
                           found)
    return failures


def same_refusal(programs: Programs, name: str, arguments: list, inputs: dict,
                 tmp: pathlib.Path) -> list:
    """Runs a program on both systems in folders holding `inputs`; what differs, and whether
    either wrote anything (it should refuse, exit status not 0)."""
    results = {}
    for system in ("linux", "windows"):
        work = tmp / f"namn-{system}-{len(os.listdir(tmp))}"
        work.mkdir()
        for file_name, data in inputs.items():
            (work / file_name).write_bytes(data)
        if system == "linux":
            results[system] = run([programs.linux[name], *arguments], work)
        else:
            results[system] = run_windows(programs, programs.windows[name], arguments, work)
        if sorted(os.listdir(work)) != sorted(inputs):
            results[system] = compare_engines.dataclasses.replace(results[system], status=-1)
    found = differences(results["linux"], results["windows"])
    if results["linux"].status in (0, -1):
        found.append(f"slutstatus {results['linux'].status}, filer skrivna")
    return found


def check_names(programs: Programs, tmp: pathlib.Path) -> int:
    print("namn som vore andra filer i Windows vägras i båda systemen:")
    failures = 0
    example = (pathlib.Path(__file__).parent.parent / "examples" / "styrfil.dat").read_bytes()
    lines = example.split(b"\r\n")
    climate = (pathlib.Path(__file__).parent.parent / "data" / "climate" / "sthlm.dat").read_bytes()
    for identity in (b"nul", b"c:ab", b"COM1", b"aux."):
        control = b"\r\n".join(lines[:22] + [identity] + [b""])
        failures += report(f"kalvex, identitet {identity.decode()}",
                           same_refusal(programs, "kalvex", [], {"styrfil.dat": control}, tmp))
    control = b"\r\n".join(lines[:22] + [b"h1", b"c:umea.dat", b"    -16.0", b""])
    failures += report("kalvex, rad 24 c:umea.dat", same_refusal(
        programs, "kalvex", [], {"styrfil.dat": control, "umea.dat": climate}, tmp))
    source = smhi_sources()["smhi-dygn.csv"]
    for target in ("c:umea.dat", "nul.dat", "Con .dat"):
        failures += report(f"kalvex-klimat till {target}", same_refusal(
            programs, "kalvex-klimat", ["in.csv", target, "--year", str(SMHI_YEAR)],
            {"in.csv": source}, tmp))
    table, _ = batch_table(5, 1)
    for target in ("c:ut.csv", "NUL.csv", "lpt1 .csv", "ut.csv."):
        failures += report(f"kalvex-batch till {target}", same_refusal(
            programs, "kalvex-batch", ["in.csv", target], {"in.csv": table}, tmp))

    # Its own input as the output: replaced on Linux, refused before any row on Windows.
    outcome = {}
    for system in ("linux", "windows"):
        work = tmp / f"samma-{system}"
        work.mkdir()
        (work / "in.csv").write_bytes(table)
        arguments = ["in.csv", "in.csv", "--replace"]
        result = (run([programs.linux["kalvex-batch"], *arguments], work) if system == "linux"
                  else run_windows(programs, programs.windows["kalvex-batch"], arguments, work))
        outcome[system] = (result, (work / "in.csv").read_bytes(), sorted(os.listdir(work)))
    found = []
    linux, windows = outcome["linux"], outcome["windows"]
    # Status 1 where some generated rows are refused; the table is computed all the same.
    if linux[0].status not in (0, 1) or not linux[1].startswith(table.split(b"\r\n", 1)[0]) \
            or linux[1] == table:
        found.append(f"Linux: slutstatus {linux[0].status}, in.csv inte ersatt")
    if windows[0].status != 2 or windows[1] != table or windows[2] != ["in.csv"] \
            or b"samma fil som indata" not in windows[0].stderr:
        found.append(f"Windows: slutstatus {windows[0].status}, {windows[0].stderr!r}")
    failures += report("kalvex-batch in.csv in.csv --replace", found,
                       "ersatt i Linux, vägrat före första raden i Windows")
    return failures


HEAT_PUMPS = [
    ("_CTC_ABCTC_EcoAir_610M.csv", "CTC EcoAir 610M"),
    ("_Bosch_Thermoteknik_ABIVT_AirSplit_306_308_309-S.csv", "IVT AirBox Split E6 308-S"),
    ("_ThermiaATHENA_18_400V_H_.csv", "ATHENA 18 400V H"),
    ("_CTC_ABCTC_EcoAir_410.csv", "CTC EcoAir 410 3x400V"),
    ("_Nibe_ABS1x55-12.csv", "S1155-12 3x400"),
    ("_ThermiaThermia_Legend_8.csv", "Thermia Legend 8 230-1"),
    ("_Nibe_ABF7x0.csv", "F730"),
]


def check_vp(programs: Programs, tmp: pathlib.Path) -> int:
    print("kalvex-vp.exe mot kalvex-vp:")
    failures = 0
    runs = [[file, title, climate, flow] for file, title in HEAT_PUMPS
            for climate in ("average", "colder") for flow in ("35", "55")]
    runs.append(["_CTC_ABCTC_EcoAir_610M.csv", "CTC EcoAir 611M", "average", "35"])
    scop_runs = [["scop", file, "--model", title, "--climate", climate, "--flow", flow,
                  "--verbose"] for file, title, climate, flow in runs]
    # The year in the example's house: each shipped unit, and each generic type.
    year_runs = [["year", file, "--model", title] for file, title in HEAT_PUMPS]
    year_runs += [["year", "--type", kind, "--capacity", "7.5", "--backup", "3"]
                  for kind in ("air", "brine", "exhaust")]
    example = (pathlib.Path(__file__).parent.parent / "examples" / "styrfil.dat").read_bytes()
    for number, arguments in enumerate(scop_runs + year_runs):
        results = {}
        for system in ("linux", "windows"):
            work = tmp / f"vp-{system}-{number}"
            work.mkdir()
            (work / "styrfil.dat").write_bytes(example)
            if system == "linux":
                results[system] = run([programs.linux["kalvex-vp"], *arguments], work)
            else:
                results[system] = run_windows(programs, programs.windows["kalvex-vp"], arguments,
                                              work)
        output = results["linux"].stdout.decode("utf-8", "replace").strip().split("\n")
        if arguments[0] == "scop":
            _, _, _, title, _, climate, _, flow, _ = arguments
            what = f"{title}, {climate} {flow} °C ({output[-1] or 'vägrad'})"
        else:
            spf = [line.split()[-1] for line in output if "Årsvärmefaktor" in line]
            what = f"year {' '.join(arguments[1:])} (SPF {spf[0] if spf else 'vägrad'})"
        failures += report(what, differences(results["linux"], results["windows"]))
    return failures


def main(argv: list) -> int:
    if len(argv) < 2 or len(argv) > 4:
        usage()
    try:
        count = int(argv[2]) if len(argv) > 2 else 500
        seed = int(argv[3]) if len(argv) > 3 else 1
    except ValueError:
        usage()
    if count < 1 or seed < 0:
        usage()
    programs = Programs(pathlib.Path(argv[0]), pathlib.Path(argv[1]))
    started = time.monotonic()
    failures = check_engine(programs, count, seed)
    with tempfile.TemporaryDirectory(prefix="check-windows.") as tmp:
        failures += check_batch(programs, count, seed, pathlib.Path(tmp))
        failures += check_klimat(programs, pathlib.Path(tmp))
        failures += check_vp(programs, pathlib.Path(tmp))
        failures += check_interrupt(programs, pathlib.Path(tmp))
        failures += check_names(programs, pathlib.Path(tmp))
    print(f"totalt {time.monotonic() - started:.1f} s: " +
          ("allt lika" if not failures else f"{failures} jämförelser skiljer sig"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
