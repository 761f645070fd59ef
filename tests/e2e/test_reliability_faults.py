"""Faults under Wine that no other module covers: a host that hangs in the middle of a
command, and a settings store that holds only some of the six values.

Covered elsewhere, and not repeated here: no host at a click (test_buttons:
test_click_without_host_shows_one_message_then_works_once_host_runs) or at start
(test_foundation: test_start_without_host_shows_no_message); the host closed during a
command's waits (test_guard); an empty store (test_foundation:
test_close_after_fresh_start_stores_all_six_defaults); "abc" for DTime2 (test_foundation:
test_unreadable_dtime2_ends_at_once_and_keeps_store); clicks nested in each other's waits
(test_buttons: test_click_during_a_wait_runs_to_its_end_inside_it).
"""

import sys
import time
import unittest

import reliability_case as rc
import test_buttons as tb
from test_buttons import h

EXE_FOLDER = h.unix_to_wine_path(h.BUILD_WIN)


class HungHostTest(rc.ReliabilityCase):
    def startup_key_messages(self):
        """How many key messages (down and up) the start-up command gives the host."""
        host = self.s.start_hostsim()
        self.s.start_kelomenu()
        self.s.wait_window(h.TOOLBAR_TITLE, timeout=30)
        host.log.wait_text(tb.STARTUP)
        time.sleep(0.3)
        count = len(rc.key_lines(host.log.entries()))
        self.s.stop_all()
        return count

    def test_reliability_hung_host_ends_the_command_with_the_message_and_the_toolbar_stays_live(self):
        # The host stops answering a few key messages into the click's "^C".
        hang_after = self.startup_key_messages() + 3
        self.s.registry_write({"DTime1": "0.3", "DTime2": "0.1"})
        log = h.HostLog(self.s._tmp / f"hung-{time.monotonic_ns()}.log")
        host = self.s.start(h.exe_path("hostsim.exe"), "--title", h.DEFAULT_HOST_TITLE, "--log",
                            h.unix_to_wine_path(log.path), "--hang-after", hang_after,
                            title=h.DEFAULT_HOST_TITLE, log=log)
        log.wait_kind("READY")
        self.proc = self.s.start_kelomenu()
        window = self.s.wait_window(h.TOOLBAR_TITLE, timeout=30)
        log.wait_text(tb.STARTUP)
        times = []
        for attempt in range(2):
            clicked = time.monotonic()
            self.click(window, "Line_Poinr2")
            answered = []
            box = None
            while box is None:
                self.assertLess(time.monotonic() - clicked, 15, "no message within 15 s")
                answered.append(self.s.probe("state", h.TOOLBAR_TITLE)["answers"])
                box = (self.messages(rc.NO_HOST) or [None])[0]
                time.sleep(0.1)
            times.append(time.monotonic() - clicked)
            self.assertTrue(all(answered), f"the toolbar did not answer while the command waited: {answered}")
            if attempt == 0:
                self.s.screenshot("reliability-hung-host-message.png", box["rect"])
            self.dismiss(box)
        self.assertTrue(host.running())
        # What arrived before the host stopped is the beginning of the command.
        self.assertTrue((tb.STARTUP + "^CLINE ASSIST TWO_PTS\r").startswith(log.received_text()))
        print(f"\n  hung host: the message {times[0]:.1f} s after the click, "
              f"{times[1]:.1f} s after a second click", file=sys.stderr)
        self.assertLess(max(times), 10)


class PartialSettingsTest(rc.ReliabilityCase):
    def test_reliability_partly_written_store_keeps_every_stored_value(self):
        defaults = {"AppName": h.DEFAULT_HOST_TITLE, "DTime1": "0.1", "DTime2": "0.1", "EXTEND": "False",
                    "OpenPathName": EXE_FOLDER, "PartPathName": EXE_FOLDER}
        cases = [
            ({"AppName": h.DEFAULT_HOST_TITLE + " - [part1]"}, True),
            ({"DTime1": "0.05", "DTime2": "0.05"}, True),
            ({"EXTEND": "True", "OpenPathName": "C:\\図面"}, True),
            ({"PartPathName": "C:\\", "DTime2": "abc"}, False),  # the start ends, nothing written
        ]
        for stored, starts in cases:
            with self.subTest(stored=stored):
                self.s.stop_all()
                self.s.registry_clear()
                self.s.registry_write(stored)
                host = self.s.start_hostsim(stored.get("AppName", h.DEFAULT_HOST_TITLE))
                proc = self.s.start_kelomenu()
                if not starts:
                    proc.wait_exit(15)
                    self.assertEqual(self.s.registry_read(), stored)
                    self.assertEqual(host.log.received_text(), "")
                    self.assertEqual(self.messages(), [])
                    continue
                self.s.wait_window(h.TOOLBAR_TITLE, timeout=30)
                self.assertEqual(host.log.wait_text(tb.STARTUP), tb.STARTUP)
                self.assertEqual(self.messages(), [])
                self.assertEqual(self.s.registry_read(), stored)  # nothing written while it runs
                self.s.close_window(h.TOOLBAR_TITLE)
                self.assertEqual(proc.wait_exit(15), 0)
                after = self.s.registry_read()
                want = {**defaults, **stored}
                self.assertEqual({k: v.rstrip("\\").lower() for k, v in after.items()},
                                 {k: v.rstrip("\\").lower() for k, v in want.items()})


if __name__ == "__main__":
    unittest.main()
