#!/usr/bin/env python3
"""Runs every tests/e2e/test_*.py module and ends with one summary line,
"e2e: <n> passed, <m> failed"; exits non-zero when anything failed or nothing ran.

    python3 tests/e2e/run_all.py [--long] [-k PATTERN] [module ...]

--long runs the reliability tests at full length (1,000 soak commands and so on; see
tests/e2e/reliability_case.py) instead of the short runs CI makes.
"""

import argparse
import os
import sys
import time
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent


class TimedResult(unittest.TextTestResult):
    """Notes how long each test class took, set-up and tear-down included, so that the
    run ends with where its time went."""

    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self.durations = {}
        self._class = None
        self._since = None

    def startTest(self, test):
        name = type(test).__qualname__
        if name != self._class:
            self._close()
            self._class, self._since = name, time.monotonic()
        super().startTest(test)

    def stopTestRun(self):
        self._close()
        super().stopTestRun()

    def _close(self):
        if self._class is not None:
            self.durations[self._class] = self.durations.get(self._class, 0) + time.monotonic() - self._since


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("-k", dest="patterns", action="append", default=None,
                        help="only tests whose name holds this text (repeatable)")
    parser.add_argument("--long", action="store_true", help="the long reliability runs")
    parser.add_argument("modules", nargs="*", help="test module files (default: all)")
    args = parser.parse_args()
    if args.long:
        os.environ["KELO_E2E_LONG"] = "1"

    sys.path.insert(0, str(HERE))
    loader = unittest.TestLoader()
    if args.patterns:
        loader.testNamePatterns = [f"*{p}*" for p in args.patterns]
    files = [Path(m).resolve() for m in args.modules] or sorted(HERE.glob("test_*.py"))
    suite = unittest.TestSuite()
    for path in files:
        suite.addTests(loader.loadTestsFromName(path.stem))

    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout, resultclass=TimedResult).run(suite)
    slowest = sorted(result.durations.items(), key=lambda item: -item[1])[:8]
    print("e2e slowest: " + ", ".join(f"{name} {seconds:.0f} s" for name, seconds in slowest), flush=True)
    # A test with failing subtests reports each of them: count the test once.
    def test_id(test):
        return getattr(test, "test_case", test).id()

    failed = len({test_id(t) for t, _ in result.failures + result.errors} |
                 {test_id(t) for t in result.unexpectedSuccesses})
    skipped = len({test_id(t) for t, _ in result.skipped})
    passed = result.testsRun - failed - skipped
    print(f"e2e: {passed} passed, {failed} failed", flush=True)
    return 0 if failed == 0 and passed > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
