#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs two kalvex executables on the same generated cases and compares all they leave behind:
the files in the working folder (which ones and their bytes), standard output, standard error
and the exit status. Run it through compare-engines.sh:

    scripts/compare-engines.sh OLD_KALVEX NEW_KALVEX [COUNT] [SEED]

Both engines run a case in the same folder path, since messages name it. The six climate files
of OLD's installed folder are copied into the working folder (a case's own climate file takes
the place of one of them), so that neither engine falls back on its own installed files. The
work is done in this process, apart from the engine runs, so 2000 cases take well under a
minute on two cores.
"""

import concurrent.futures
import dataclasses
import os
import pathlib
import shutil
import signal
import subprocess
import sys
import tempfile

import casegen

CLIMATE_FILE_NAMES = [name for name, _, _ in casegen.CLIMATES.values()]
CLIMATE_FILE_NAMES.append(casegen.DEFAULT_CLIMATE[0])
# An engine that runs this long on one case hangs.
TIME_LIMIT_S = 30
TIME_LIMIT_STATUS = "tidsgräns"
CLASSES = (
    ("utan", "fullständiga utan varning"),
    ("med", "fullständiga med varning"),
    ("vägrad", "vägrade"),
)
INTERRUPTED = "avbruten"
OLD, NEW = "gammal", "ny"


@dataclasses.dataclass
class Run:
    status: int | str  # the exit status, minus the signal that ended it, or TIME_LIMIT_STATUS
    stdout: bytes
    stderr: bytes


def usage() -> None:
    print("användning: compare-engines.sh GAMMAL_KALVEX NY_KALVEX [ANTAL] [FRÖ]", file=sys.stderr)
    sys.exit(2)


def installed_climate_files(engine: pathlib.Path) -> list:
    folder = (engine.parent / ".." / "share" / "varmkalk" / "climate").resolve()
    files = [folder / name for name in CLIMATE_FILE_NAMES]
    for path in files:
        if not path.is_file():
            print(f"{path}: klimatfilen saknas bredvid {engine}", file=sys.stderr)
            sys.exit(2)
    return files


def run_engine(engine: pathlib.Path, work: pathlib.Path) -> Run:
    # A session of its own, so that a hanging engine is stopped with all it started.
    process = subprocess.Popen(
        [engine], cwd=work, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
        stderr=subprocess.PIPE, start_new_session=True)
    try:
        stdout, stderr = process.communicate(timeout=TIME_LIMIT_S)
        return Run(process.returncode, stdout, stderr)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        stdout, stderr = process.communicate()
        return Run(TIME_LIMIT_STATUS, stdout, stderr)


def folder_contents(folder: pathlib.Path) -> dict:
    """Every entry under the folder by its path relative to it, as bytes (file names are the
    engine's Windows-1252 bytes): the content of a file, the target of a link, None for a
    folder."""
    contents = {}
    root = os.fsencode(folder)
    for parent, folders, files in os.walk(root):
        for name in folders + files:
            path = os.path.join(parent, name)
            relative = os.path.relpath(path, root)
            if os.path.islink(path):
                contents[relative] = b"link:" + os.readlink(path)
            elif os.path.isdir(path):
                contents[relative] = None
            else:
                with open(path, "rb") as file:
                    contents[relative] = file.read()
    return contents


def shown(name: bytes) -> str:
    return name.decode("cp1252", errors="replace")


def status_text(status) -> str:
    if status == TIME_LIMIT_STATUS:
        return f"tidsgränsen {TIME_LIMIT_S} s"
    if status < 0:
        return f"signal {-status}"
    return str(status)


def differences(old: Run, new: Run, old_folder: pathlib.Path, new_folder: pathlib.Path) -> list:
    found = []
    if old.status != new.status:
        found.append(f"slutstatus {status_text(old.status)} mot {status_text(new.status)}")
    if old.stdout != new.stdout:
        found.append("stdout")
    if old.stderr != new.stderr:
        found.append("stderr")
    old_files = folder_contents(old_folder)
    new_files = folder_contents(new_folder)
    for name in sorted(old_files.keys() | new_files.keys()):
        if name not in new_files:
            found.append(f"{shown(name)} bara hos {OLD}")
        elif name not in old_files:
            found.append(f"{shown(name)} bara hos {NEW}")
        elif old_files[name] != new_files[name]:
            found.append(shown(name))
    return found


def outcome_class(run: Run) -> str:
    if run.status == 0:
        return "med" if run.stderr else "utan"
    return "vägrad" if run.status == 1 else INTERRUPTED


def keep(run: Run, folder: pathlib.Path, target: pathlib.Path) -> None:
    target.mkdir(parents=True)
    folder.rename(target / "mapp")
    (target / "stdout").write_bytes(run.stdout)
    (target / "stderr").write_bytes(run.stderr)
    (target / "status").write_text(f"{run.status}\n")


class Comparison:
    def __init__(self, old: pathlib.Path, new: pathlib.Path, tmp: pathlib.Path):
        self.old = old
        self.new = new
        self.tmp = tmp
        self.climate_files = {path.name: path.read_bytes() for path in installed_climate_files(old)}
        self.kept = tmp / "avvikande"

    def inputs(self, case_folder: pathlib.Path) -> dict:
        files = dict(self.climate_files)
        for path in case_folder.iterdir():
            files[path.name] = path.read_bytes()
        return files

    def run_in(self, engine: pathlib.Path, inputs: dict, work: pathlib.Path) -> Run:
        work.mkdir()
        for name, data in inputs.items():
            (work / name).write_bytes(data)
        return run_engine(engine, work)

    def compare(self, case_folder: pathlib.Path, worker: int) -> tuple:
        """The case's class by the old engine's run, and what differs (empty when nothing)."""
        # The same path for both runs of a case: the old run's folder is moved aside first.
        work = self.tmp / f"arbetsmapp-{worker}"
        old_folder = self.tmp / f"{OLD}-{worker}"
        inputs = self.inputs(case_folder)
        old_run = self.run_in(self.old, inputs, work)
        work.rename(old_folder)
        new_run = self.run_in(self.new, inputs, work)
        found = differences(old_run, new_run, old_folder, work)
        if found:
            keep(old_run, old_folder, self.kept / case_folder.name / OLD)
            keep(new_run, work, self.kept / case_folder.name / NEW)
        else:
            shutil.rmtree(old_folder)
            shutil.rmtree(work)
        return outcome_class(old_run), found


def main(argv: list) -> int:
    if not 2 <= len(argv) <= 4:
        usage()
    try:
        count = int(argv[2]) if len(argv) > 2 else 2000
        seed = int(argv[3]) if len(argv) > 3 else 1
    except ValueError:
        usage()
    if count < 1 or seed < 0:
        usage()
    old = casegen.executable(argv[0])
    new = casegen.executable(argv[1])
    installed_climate_files(old)

    tmp = pathlib.Path(tempfile.mkdtemp(prefix="compare-engines."))
    try:
        return compare_cases(old, new, count, seed, tmp)
    finally:
        # Only the differing cases' folders stay.
        for path in tmp.iterdir():
            if path.name != "avvikande":
                shutil.rmtree(path)
        if not any(tmp.iterdir()):
            tmp.rmdir()


def compare_cases(old: pathlib.Path, new: pathlib.Path, count: int, seed: int,
                  tmp: pathlib.Path, comparison_type=Comparison) -> int:
    """Prints the outcome and returns the exit status; `comparison_type` runs the engines."""
    cases = tmp / "cases"
    casegen.write_cases(cases, count, seed)
    kinds = dict(line.split(" ", 1) for line in (cases / "cases.txt").read_text().splitlines())
    comparison = comparison_type(old, new, tmp)

    workers = min(2, os.cpu_count() or 1)
    folders = sorted(cases.glob("case-*"))
    # Each worker runs its share of the cases one after the other in a folder of its own.
    shares = [folders[i::workers] for i in range(workers)]
    results = {}
    with concurrent.futures.ThreadPoolExecutor(workers) as pool:
        futures = [pool.submit(lambda share, w: [comparison.compare(f, w) for f in share], s, w)
                   for w, s in enumerate(shares, start=1)]
        for share, future in zip(shares, futures):
            results.update(zip(share, future.result()))

    counts = {key: 0 for key, _ in CLASSES}
    counts[INTERRUPTED] = 0
    differing = []
    for folder in folders:
        outcome, found = results[folder]
        counts[outcome] += 1
        if found:
            differing.append(f"{folder.name} ({kinds[folder.name]}): {'; '.join(found)}")
    for key, label in CLASSES:
        print(f"{label}: {counts[key]}")
    if counts[INTERRUPTED]:
        print(f"avbrutna av en signal eller tidsgränsen ({TIME_LIMIT_S} s): {counts[INTERRUPTED]}")
    if not differing:
        print(f"alla {count} fall lika")
        return 0
    print(f"{len(differing)} av {count} fall skiljer sig:")
    for line in differing:
        print(f"  {line}")
    print(f"de avvikande fallen finns kvar i {comparison.kept} "
          f"({OLD}/ och {NEW}/: mapp, stdout, stderr, status)")
    return 1

if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
