#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plants small faults in the code one at a time and tells which of them the tests catch.

    scripts/mutate.sh [--build DIR] [--list FILE] [--id ID ...] [--file PART ...]
                      [--no-whole-suite] [--skip-baseline] [--jobs N] [--show]

Each mutant of the list (scripts/mutants.toml) names a file, a text that occurs in it exactly
once, what replaces that text, the tests that should catch it (a ctest regular expression) and
the targets those tests need. First the chosen mutants' tests run on the code as it stands: a
failing test there would kill every mutant. Then for each one the script replaces the text,
builds those targets in the build folder (default build/, configured already), and runs the
tests: a failing test kills the mutant. A mutant the tests let live is tried against the whole
suite (everything built, every test but those that fail without any mutant) before it is called
a survivor, unless --no-whole-suite. A mutant that does not build is counted apart, and one
marked `equivalent` (with its reason) is not run: no test can tell it from the code as it
stands. The score is the killed share of the killed and the survivors.

The file is put back after every mutant, also when a build or a test fails, on Ctrl-C and on
SIGTERM; its original bytes are also kept in DIR/mutate-backup/ until they are back, so that a
run ended by kill -9 is undone by the next run before it starts. At the end the targets are
built again from the original sources, so that no mutated program stays in the build folder.
"""

import argparse
import fcntl
import hashlib
import json
import os
import pathlib
import re
import signal
import subprocess
import sys
import time
import tomllib

ROOT = pathlib.Path(__file__).resolve().parent.parent
DEFAULT_LIST = ROOT / "scripts" / "mutants.toml"
# A test that runs longer than this has hung: the mutant is killed by the timeout.
TEST_TIMEOUT_S = 300
REQUIRED = ("id", "file", "find", "replace", "tests")


class Interrupted(Exception):
    pass


def fail(message):
    print(f"mutate: {message}", file=sys.stderr)
    sys.exit(2)


def load_mutants(list_path):
    try:
        with open(list_path, "rb") as source:
            data = tomllib.load(source)
    except (OSError, tomllib.TOMLDecodeError) as error:
        fail(f"{list_path}: {error}")
    mutants = data.get("mutant", [])
    seen = set()
    for number, mutant in enumerate(mutants, 1):
        missing = [key for key in REQUIRED if key not in mutant]
        if missing:
            fail(f"{list_path}: mutant {number} lacks {', '.join(missing)}")
        if mutant["id"] in seen:
            fail(f"{list_path}: mutant id {mutant['id']} given twice")
        seen.add(mutant["id"])
        if mutant["find"] == mutant["replace"]:
            fail(f"{list_path}: mutant {mutant['id']} replaces its text with itself")
        try:
            re.compile(mutant["tests"])
        except re.error as error:
            fail(f"{list_path}: mutant {mutant['id']}: tests is no regular expression: {error}")
    return mutants


class Backup:
    """The original bytes of the one file mutated at a time, in memory and on disk."""

    def __init__(self, build_dir):
        self.folder = build_dir / "mutate-backup"
        self.journal = self.folder / "journal.json"

    def recover(self):
        """Puts back a file a run ended by kill -9 left mutated."""
        if not self.journal.exists():
            return
        entry = json.loads(self.journal.read_text())
        path = ROOT / entry["file"]
        original = (self.folder / "original").read_bytes()
        if hashlib.sha256(original).hexdigest() != entry["sha256"]:
            fail(f"the backup of {entry['file']} in {self.folder} is damaged; restore it by hand")
        path.write_bytes(original)
        self.journal.unlink()
        print(f"mutate: {entry['file']} put back from an earlier run's backup")

    def keep(self, relative, original):
        self.folder.mkdir(parents=True, exist_ok=True)
        (self.folder / "original").write_bytes(original)
        digest = hashlib.sha256(original).hexdigest()
        self.journal.write_text(json.dumps({"file": relative, "sha256": digest}))

    def put_back(self, relative, original):
        path = ROOT / relative
        path.write_bytes(original)
        if path.read_bytes() != original:
            fail(f"{relative} could not be put back; its original is in {self.folder}/original")
        self.journal.unlink(missing_ok=True)


def run(command, log, timeout=None):
    """The command's exit status, its output appended to `log`; -1 where it ran out of time."""
    with open(log, "ab") as out:
        out.write(("\n$ " + " ".join(command) + "\n").encode())
        out.flush()
        process = subprocess.Popen(command, stdout=out, stderr=subprocess.STDOUT,
                                   start_new_session=True)
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            return -1
        except BaseException:
            os.killpg(process.pid, signal.SIGTERM)
            process.wait()
            raise


def build(build_dir, targets, jobs, log):
    command = ["cmake", "--build", str(build_dir), "--parallel", str(jobs)]
    if targets:
        command += ["--target", *targets]
    return run(command, log) == 0


def test_count(build_dir, pattern):
    """How many tests the pattern names; 0 where it names none."""
    listed = subprocess.run(["ctest", "--test-dir", str(build_dir), "-N", "-R", pattern],
                            capture_output=True, text=True, check=False)
    found = re.search(r"Total Tests: (\d+)", listed.stdout)
    return int(found.group(1)) if found else 0


def tests_fail(build_dir, pattern, jobs, log, excluded=()):
    command = ["ctest", "--test-dir", str(build_dir), "--output-on-failure", "-j", str(jobs),
               "--no-tests=error", "--timeout", str(TEST_TIMEOUT_S)]
    if pattern:
        command += ["-R", pattern]
    if excluded:
        command += ["-E", "^(" + "|".join(re.escape(name) for name in excluded) + ")$"]
    return run(command, log) != 0


def failing_tests(build_dir, jobs, log):
    """The tests of the whole suite that fail without any mutant."""
    start = log.stat().st_size if log.exists() else 0
    tests_fail(build_dir, "", jobs, log)
    with open(log, encoding="utf-8", errors="replace") as text:
        text.seek(start)
        output = text.read()
    listed = output.split("The following tests FAILED:")[-1] if "FAILED:" in output else ""
    return sorted(set(re.findall(r"^\s*\d+ - (\S+) \(", listed, re.MULTILINE)))


def try_mutant(mutant, args, backup, log):
    relative = mutant["file"]
    path = ROOT / relative
    original = path.read_bytes()
    text = original.decode("utf-8")
    count = text.count(mutant["find"])
    if count != 1:
        return "invalid", f"the text occurs {count} times in {relative}"
    backup.keep(relative, original)
    try:
        path.write_text(text.replace(mutant["find"], mutant["replace"]), encoding="utf-8")
        targets = mutant.get("targets", [])
        if not build(args.build, targets, args.jobs, log):
            return "build failed", ""
        if test_count(args.build, mutant["tests"]) == 0:
            return "invalid", f"no test matches {mutant['tests']}"
        if tests_fail(args.build, mutant["tests"], args.jobs, log):
            return "killed", ""
        if args.no_whole_suite:
            return "survived", "its tests passed; the whole suite was not run"
        args.whole_built = True
        if not build(args.build, [], args.jobs, log):
            return "build failed", "the whole build"
        if tests_fail(args.build, "", args.jobs, log, args.failing_already):
            return "killed", "by the whole suite"
        return "survived", ""
    finally:
        backup.put_back(relative, original)


def chosen(mutants, args):
    picked = []
    for mutant in mutants:
        if args.id and mutant["id"] not in args.id:
            continue
        if args.file and not any(part in mutant["file"] for part in args.file):
            continue
        picked.append(mutant)
    unknown = set(args.id or []) - {m["id"] for m in mutants}
    if unknown:
        fail("no mutant with the id " + ", ".join(sorted(unknown)))
    return picked


def print_table(results):
    width = max([len(m["id"]) for m, _, _ in results] + [2])
    print()
    print(f"{'id':<{width}}  {'outcome':<12}  file / note")
    for mutant, outcome, note in results:
        line = f"{mutant['id']:<{width}}  {outcome:<12}  {mutant['file']}"
        print(line + (f": {note}" if note else ""))
    counts = {}
    for _, outcome, _ in results:
        counts[outcome] = counts.get(outcome, 0) + 1
    killed = counts.get("killed", 0)
    survived = counts.get("survived", 0)
    print()
    print(", ".join(f"{outcome} {count}" for outcome, count in sorted(counts.items())))
    if killed + survived:
        print(f"score: {killed} of {killed + survived} killed, "
              f"{100.0 * killed / (killed + survived):.0f} %")
    return survived == 0 and "invalid" not in counts and "build failed" not in counts


def main():
    parser = argparse.ArgumentParser(description="Plants faults one at a time; tells which the "
                                     "tests catch.")
    parser.add_argument("--build", type=pathlib.Path, default=ROOT / "build",
                        help="the configured build folder (default build/)")
    parser.add_argument("--list", type=pathlib.Path, default=DEFAULT_LIST,
                        help="the list of mutants (default scripts/mutants.toml)")
    parser.add_argument("--id", action="append", help="run only this mutant (repeatable)")
    parser.add_argument("--file", action="append",
                        help="run only mutants of files whose path contains this (repeatable)")
    parser.add_argument("--no-whole-suite", action="store_true",
                        help="call a mutant its tests miss a survivor without the whole suite")
    parser.add_argument("--jobs", type=int, default=2, help="build and test jobs (default 2)")
    parser.add_argument("--skip-baseline", action="store_true",
                        help="do not first check that the tests pass without any mutant")
    parser.add_argument("--show", action="store_true",
                        help="list the chosen mutants and check their texts, run nothing")
    args = parser.parse_args()
    args.build = args.build.resolve()
    args.whole_built = False
    args.failing_already = []
    if not (args.build / "CMakeCache.txt").exists():
        fail(f"{args.build} is no configured build folder")

    mutants = chosen(load_mutants(args.list), args)
    if args.show:
        # Only reads: safe beside a run in progress.
        all_found = True
        for mutant in mutants:
            count = (ROOT / mutant["file"]).read_text(encoding="utf-8").count(mutant["find"])
            print(f"{mutant['id']:<40} {'ok' if count == 1 else f'found {count} times'}")
            all_found = all_found and count == 1
        return 0 if all_found else 1

    # One run at a time in a build folder: a second would build and put back beside the first.
    lock = open(args.build / "mutate.lock", "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except BlockingIOError:
        fail(f"another run of mutate.py works in {args.build}")
    backup = Backup(args.build)
    backup.recover()
    log = args.build / "mutate.log"
    log.write_text("")

    def interrupted(signal_number, _frame):
        raise Interrupted(signal.Signals(signal_number).name)

    signal.signal(signal.SIGINT, interrupted)
    signal.signal(signal.SIGTERM, interrupted)

    if not args.skip_baseline:
        # A test that fails on the code as it stands would kill every mutant.
        runnable = [m for m in mutants if "equivalent" not in m]
        targets = sorted({target for m in runnable for target in m.get("targets", [])})
        # ctest's expressions take few parentheses: the alternatives, each once.
        pattern = "|".join(sorted({part for m in runnable for part in m["tests"].split("|")}))
        print("mutate: the tests on the code as it stands ...", end="", flush=True)
        if runnable and (not build(args.build, targets, args.jobs, log)
                         or tests_fail(args.build, pattern, args.jobs, log)):
            print(" failed")
            fail(f"the build or the tests fail without any mutant; see {log}")
        print(" pass")
    args.failing_already = []
    if not args.no_whole_suite and not args.skip_baseline:
        # A test that fails in the whole suite as it stands says nothing about a survivor.
        print("mutate: the whole suite as it stands ...", end="", flush=True)
        if not build(args.build, [], args.jobs, log):
            print(" does not build")
            fail(f"the whole build fails without any mutant; see {log}")
        args.failing_already = failing_tests(args.build, args.jobs, log)
        print(" fails in " + ", ".join(args.failing_already) if args.failing_already else " passes")

    results = []
    built_targets = set()
    try:
        for number, mutant in enumerate(mutants, 1):
            if "equivalent" in mutant:
                results.append((mutant, "equivalent", mutant["equivalent"]))
                continue
            started = time.monotonic()
            print(f"[{number}/{len(mutants)}] {mutant['id']} ({mutant['file']}) ...", end="",
                  flush=True)
            built_targets.update(mutant.get("targets", []))
            outcome, note = try_mutant(mutant, args, backup, log)
            print(f" {outcome} ({time.monotonic() - started:.0f} s)", flush=True)
            results.append((mutant, outcome, note))
    except Interrupted as reason:
        print(f"\nmutate: stopped by {reason}; the file is put back", file=sys.stderr)
        print_table(results)
        return 130
    finally:
        signal.signal(signal.SIGINT, signal.SIG_DFL)
        signal.signal(signal.SIGTERM, signal.SIG_DFL)
        if built_targets or args.whole_built:
            # No program built from a mutated source stays behind.
            build(args.build, [] if args.whole_built else sorted(built_targets), args.jobs, log)
    print(f"\nthe builds' and tests' output: {log}")
    return 0 if print_table(results) else 1


if __name__ == "__main__":
    sys.exit(main())
