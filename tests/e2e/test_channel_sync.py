"""The channel's promise that a key string returns only once the host has handled it, and
that no host, however stuck, holds it for long. Driven through channel_bench.exe, which
runs the toolbar's own channel code, into the stand-in host under Wine.

Run: python3 tests/e2e/run_all.py -k channel
"""

import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "e2e"))
import harness as h  # noqa: E402

PATTERN = "LINE TWO_PTS 12.5,-30.25 ARC CEN_BEG_END 0,7.5 "  # as channel_bench types it


def bench_line(chars):
    line = (PATTERN * (chars // len(PATTERN) + 1))[:chars]
    return line[:-1] + "X" if line.endswith(" ") else line


class ChannelSyncTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.s = h.Session().__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.s.__exit__(None, None, None)

    def tearDown(self):
        self.s.stop_all()

    def start_host(self, *args):
        log_path = self.s._tmp / f"hostsim-{time.monotonic_ns()}.log"
        log = h.HostLog(log_path)
        proc = self.s.start(h.exe_path("hostsim.exe"), "--title", h.DEFAULT_HOST_TITLE, "--log",
                            h.unix_to_wine_path(log_path), *args, title=h.DEFAULT_HOST_TITLE, log=log)
        log.wait_kind("READY", timeout=20)
        self.s.wait_window(h.DEFAULT_HOST_TITLE, exact=True, timeout=20)
        return proc

    def bench(self, *args, timeout=60.0):
        result = self.s.wine(h.exe_path("channel_bench.exe"), "type", h.DEFAULT_HOST_TITLE, *args,
                             timeout=timeout)
        return result.stdout.decode().splitlines()

    def test_channel_returns_after_the_host_handled_every_key_of_each_string(self):
        host = self.start_host()
        cases = [(1, 5), (40, 10), (200, 5)]  # (characters, runs)
        for chars, runs in cases:
            with self.subTest(chars=chars):
                start = len(host.log.lines())
                out = self.bench(chars, runs)
                calls = [tuple(map(int, line.split()[1:3])) for line in out if line.startswith("RUN ")]
                self.assertEqual(len(calls), runs, out)
                lines = host.log.lines()[start:]
                self.assertEqual(lines, [bench_line(chars)] * runs)
                # Each run ends with Enter: its character must be in the host's log, with an
                # earlier stamp, by the time the call returned (same clock on both sides).
                enters = [t for t, rest in host.log.of_kind("CHAR") if rest == "u=0x000d"][-runs:]
                for (call, back), enter in zip(calls, enters):
                    self.assertLessEqual(call, enter)
                    self.assertLessEqual(enter, back, "returned before the host handled Enter")

    def test_channel_gives_up_on_a_host_that_stops_answering(self):
        host = self.start_host("--hang-after", "12")
        began = time.monotonic()
        out = self.bench(40, 3, timeout=60)
        spent = time.monotonic() - began
        # Each key string waits at most 2 s for a host that is not yet known as hung; once
        # the system calls it hung (5 s without a message), activation fails at once.
        self.assertLess(spent, 25, f"the channel was held {spent:.1f} s: {out}")
        self.assertEqual(len(out), 3, out)
        self.assertTrue(host.running())
        # What arrived before the host stopped is the start of the command, in order.
        received = host.log.received_text()
        self.assertTrue(received and ("^C" + bench_line(40)).startswith(received), received)


if __name__ == "__main__":
    unittest.main()
