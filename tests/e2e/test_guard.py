"""Nothing is ever typed into another program: when another window takes the
foreground during a command's wait the host is brought back before typing, and
when the host has gone the command stops with its message.

Run: python3 -m unittest tests/e2e/test_guard.py
"""

import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "e2e"))
import harness as h  # noqa: E402

LINE_POINR2 = (3360 + 120, 240, 490, 490)
OTHER = "Other program"
STARTUP = "^CDIM_CATCH_ANGLE 1\r"

session = None


def setUpModule():
    global session
    session = h.Session().__enter__()


def tearDownModule():
    if session is not None:
        session.__exit__(None, None, None)


class ForegroundGuardTest(unittest.TestCase):
    def setUp(self):
        self.s = session
        self.s.stop_all()
        self.s.registry_clear()
        # A long Act. Time leaves room to take the foreground away mid-command.
        self.s.registry_write({"DTime1": "1.5", "DTime2": "0.05"})
        self.host = self.s.start_hostsim()
        log = h.HostLog(self.s._tmp / "other.log")
        self.s.start(h.exe_path("hostsim.exe"), "--title", OTHER, "--log", h.unix_to_wine_path(log.path),
                     "--x", "950", "--y", "400", "--w", "600", "--h", "400", title=OTHER, log=log)
        log.wait_kind("READY")
        self.other = log
        self.toolbar = self.s.start_kelomenu()
        self.s.wait_window(h.TOOLBAR_TITLE, timeout=30)
        self.host.log.wait_text(STARTUP)

    def tearDown(self):
        self.s.stop_all()

    def click_and_wait_for_activation(self):
        activations = len(self.host.log.of_kind("ACTIVE"))
        self.s.click_control(h.TOOLBAR_TITLE, *LINE_POINR2)
        h.wait_until(lambda: len(self.host.log.of_kind("ACTIVE")) > activations, 5, "host activated")

    def click_other(self):
        """Clicks the other program, and waits until it has become the active window."""
        def activations():
            return [rest for _, rest in self.other.of_kind("ACTIVE") if rest == "1"]
        before = len(activations())
        window = self.s.wait_window(OTHER, exact=True)
        r = window["rect"]
        self.s.click_at((r["left"] + r["right"]) // 2, (r["top"] + r["bottom"]) // 2, focus_title=OTHER)
        h.wait_until(lambda: len(activations()) > before, 5, "the other program activated")

    def test_host_is_brought_back_when_another_program_took_the_foreground(self):
        self.click_and_wait_for_activation()
        self.click_other()
        self.assertEqual(self.host.log.wait_text(STARTUP + "^CLINE ASSIST TWO_PTS\r", timeout=10),
                         STARTUP + "^CLINE ASSIST TWO_PTS\r")
        self.assertEqual(self.other.received_text(), "")

    def test_host_closed_during_the_wait_stops_the_command_with_its_message(self):
        self.click_and_wait_for_activation()
        host = next(p for p in self.s._procs if p.log is self.host.log)
        self.s.stop(host)
        self.click_other()
        box = self.s.wait_window(h.MESSAGE_TITLE, exact=True, timeout=10)
        self.assertIsNotNone(self.s.child(box, text="始めにアプリの設定または起動してください。"))
        time.sleep(0.3)  # an observation window: nothing may arrive in the other program
        self.assertEqual(self.other.received_text(), "")


if __name__ == "__main__":
    unittest.main()
