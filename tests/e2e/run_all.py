#!/usr/bin/env python3
"""Runs the tests/e2e/test_*.py modules and ends with one summary line,
"e2e: <n> passed, <m> failed"; exits non-zero when anything failed or nothing ran.

    python3 tests/e2e/run_all.py [--jobs N] [--long] [-k PATTERN] [module ...]

With no module and no -k the modules run side by side in two workers (--jobs 1 runs them
one after another). Each worker has its own Wine prefix (the first KELO_WINEPREFIX or
build/wineprefix, the next ones the same with "-2", "-3"...; made on first use) and its
own share of the displays in KELO_E2E_DISPLAYS; it takes the longest module still
waiting, by the durations of the last run (build/e2e-durations.json) or the estimates
below. Each module's output is printed whole as it ends.

--long runs the reliability tests at full length (1,000 soak commands and so on; see
tests/e2e/case.py) instead of the short runs CI makes.
"""

import argparse
import json
import os
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parents[1]
RECORDED = REPO / "build" / "e2e-durations.json"
# Seconds per module on a quiet two-core machine, for a run with nothing recorded yet.
ESTIMATES = {"test_release": 110, "test_profiles": 80, "test_buttons": 75, "test_scaling": 70,
             "test_foundation": 60, "test_files": 50, "test_reliability": 70, "test_launchers": 40,
             "test_table": 30, "test_calculator": 25, "test_channel_sync": 15}


class TimedResult(unittest.TextTestResult):
    """Notes how long each test class took, set-up and tear-down included."""

    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self.durations, self.tests, self._class, self._since = {}, {}, None, None

    def startTest(self, test):
        name = type(test).__qualname__
        if name != self._class:
            self._close()
            self._class, self._since = name, time.monotonic()
        self.tests[test.id()] = time.monotonic()
        super().startTest(test)

    def stopTest(self, test):
        self.tests[test.id()] = time.monotonic() - self.tests[test.id()]
        super().stopTest(test)

    def stopTestRun(self):
        self._close()
        super().stopTestRun()

    def _close(self):
        if self._class is not None:
            self.durations[self._class] = self.durations.get(self._class, 0) + time.monotonic() - self._since


def run_here(files, patterns) -> dict:
    """Runs the modules in this process; the counts, failed tests and class durations."""
    sys.path.insert(0, str(HERE))
    loader = unittest.TestLoader()
    if patterns:
        loader.testNamePatterns = [f"*{p}*" for p in patterns]
    suite = unittest.TestSuite(loader.loadTestsFromName(Path(f).stem) for f in files)
    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout, resultclass=TimedResult).run(suite)
    print("slowest tests: " + ", ".join(f"{name.rsplit('.', 1)[-1]} {t:.0f} s" for name, t in
                                        sorted(result.tests.items(), key=lambda item: -item[1])[:5]))

    def test_id(test):  # a test with failing subtests reports each of them: count it once
        return getattr(test, "test_case", test).id()
    failed = {test_id(t) for t, _ in result.failures + result.errors} | {test_id(t) for t in result.unexpectedSuccesses}
    skipped = {test_id(t) for t, _ in result.skipped}
    return {"passed": result.testsRun - len(failed) - len(skipped), "failed": sorted(failed),
            "durations": result.durations}


def displays(ranges: str) -> list[int]:
    """The display numbers of "90-99,120": ranges and single numbers, comma-separated."""
    out = []
    for span in ranges.split(","):
        lo, _, hi = span.partition("-")
        out += range(int(lo), int(hi or lo) + 1)
    return out


def worker_env(n: int, jobs: int) -> dict:
    """Worker n's own Wine prefix and share of the displays."""
    prefix = os.environ.get("KELO_WINEPREFIX", str(REPO / "build" / "wineprefix"))
    numbers = displays(os.environ.get("KELO_E2E_DISPLAYS", "90-199"))
    share = numbers[n * len(numbers) // jobs:(n + 1) * len(numbers) // jobs]
    if not share:
        sys.exit(f"run_all: KELO_E2E_DISPLAYS has too few displays for {jobs} workers")
    spans = [[share[0], share[0]]]
    for d in share[1:]:
        if d == spans[-1][1] + 1:
            spans[-1][1] = d
        else:
            spans.append([d, d])
    return {**os.environ, "KELO_WINEPREFIX": prefix + (f"-{n + 1}" if n else ""),
            "KELO_E2E_DISPLAYS": ",".join(f"{lo}-{hi}" for lo, hi in spans)}


def run_parallel(files, args) -> dict:
    known = dict(ESTIMATES)
    if RECORDED.exists():
        known.update(json.loads(RECORDED.read_text()))
    waiting = sorted(files, key=lambda f: -known.get(Path(f).stem, 60))
    total = {"passed": 0, "failed": [], "durations": {}}
    spent, workers = {}, {n: [] for n in range(args.jobs)}
    running = {}  # worker -> (module, process, result file, output file, start)
    tmp = Path(tempfile.mkdtemp(prefix="kelo-run-all-"))
    while waiting or running:
        for n in range(args.jobs):
            if n not in running and waiting:
                module = waiting.pop(0)
                stem = Path(module).stem
                result, output = tmp / f"{stem}.json", open(tmp / f"{stem}.out", "w+")
                command = [sys.executable, __file__, "--worker", str(result), module]
                command += ["--long"] * args.long + [a for p in args.patterns or [] for a in ("-k", p)]
                proc = subprocess.Popen(command, env=worker_env(n, args.jobs), stdout=output, stderr=subprocess.STDOUT)
                running[n] = (stem, proc, result, output, time.monotonic())
        time.sleep(0.2)
        for n, (stem, proc, result, output, began) in list(running.items()):
            if proc.poll() is None:
                continue
            del running[n]
            spent[stem] = time.monotonic() - began
            workers[n].append(stem)
            output.seek(0)
            print(f"\n===== worker {n + 1}: {stem} ({spent[stem]:.0f} s) =====\n{output.read()}", end="", flush=True)
            output.close()
            got = json.loads(result.read_text()) if result.exists() else {
                "passed": 0, "failed": [f"{stem} (worker ended with {proc.returncode})"], "durations": {}}
            total["passed"] += got["passed"]
            total["failed"] += got["failed"]
            total["durations"].update(got["durations"])
    for n, stems in workers.items():
        env = worker_env(n, args.jobs)
        print(f"e2e worker {n + 1} ({env['KELO_WINEPREFIX']}, displays {env['KELO_E2E_DISPLAYS']}): "
              + ", ".join(f"{s} {spent[s]:.0f} s" for s in stems), flush=True)
    RECORDED.parent.mkdir(parents=True, exist_ok=True)
    RECORDED.write_text(json.dumps({**(json.loads(RECORDED.read_text()) if RECORDED.exists() else {}),
                                    **{s: round(t) for s, t in spent.items()}}, indent=1))
    return total


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("-k", dest="patterns", action="append", default=None,
                        help="only tests whose name holds this text (repeatable)")
    parser.add_argument("--long", action="store_true", help="the long reliability runs")
    parser.add_argument("--jobs", type=int, default=None, help="workers side by side (default 2 for a whole run)")
    parser.add_argument("--worker", help=argparse.SUPPRESS)  # file for the results of a worker's run
    parser.add_argument("modules", nargs="*", help="test module files (default: all)")
    args = parser.parse_args()
    if args.long:
        os.environ["KELO_E2E_LONG"] = "1"
    files = [str(Path(m).resolve()) for m in args.modules] or [str(p) for p in sorted(HERE.glob("test_*.py"))]
    if args.worker:
        Path(args.worker).write_text(json.dumps(run_here(files, args.patterns)))
        return 0
    args.jobs = args.jobs or (1 if args.modules or args.patterns else 2)
    began = time.monotonic()
    total = run_parallel(files, args) if args.jobs > 1 else run_here(files, args.patterns)
    slowest = sorted(total["durations"].items(), key=lambda item: -item[1])[:8]
    print("e2e slowest: " + ", ".join(f"{name} {seconds:.0f} s" for name, seconds in slowest), flush=True)
    for failed in total["failed"]:
        print(f"e2e FAILED: {failed}")
    print(f"e2e wall time {time.monotonic() - began:.0f} s")
    print(f"e2e: {total['passed']} passed, {len(total['failed'])} failed", flush=True)
    return 0 if not total["failed"] and total["passed"] > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
