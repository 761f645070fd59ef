"""What the user's own keyboard does to typing, under Wine: Shift, Ctrl and Alt held at
the moment the toolbar types, Caps Lock on, and the host's Japanese input method open.
The host must receive every character unchanged, and no modifier may stay down after
a command, as the host sees it or as the system (the toolbar's GetAsyncKeyState) does.

Run: python3 tests/e2e/run_all.py -k reliability_input
"""

import time
import unittest

import reliability_case as rc
import test_buttons as tb
from test_buttons import h

CAPS_LOCK = 0x14
# (case, keys held after the click, Shift held from before it, button, what the host gets)
HELD = [
    ("Shift through the waits: the Shift line", [], True, "Line_Poinr2", "^CLINE TWO_PTS\r"),
    ("Ctrl", ["ctrl"], False, "LINE_c_dash_d", "^Cvetra_line_change 'c_dash_d' 1\r"),
    ("Alt", ["alt"], False, "LINE_c_dash_d", "^Cvetra_line_change 'c_dash_d' 1\r"),
    ("right Ctrl and right Alt", ["Control_R", "Alt_R"], False, "ADD_FAI", "^Cadd_dim_prefix #14'1'#15 end\r"),
    ("Shift, Ctrl and Alt", ["shift", "ctrl", "alt"], False, "Line_Poinr2", "^CLINE TWO_PTS\r"),
]


class HeldKeysTest(rc.ReliabilityCase):
    def check_after(self, keys, start_event, what, caps=False):
        """No modifier down in the host's view or the system's; only the user's own keys untagged."""
        rc.settle(keys, 0.3)
        events = keys.events[start_event:]
        self.assertEqual(rc.modifiers_left_down(events), [], f"{what}: the host sees keys down")
        state = self.s.probe("state", h.TOOLBAR_TITLE)
        self.assertEqual(state["down"], [], f"{what}: the system sees keys down")
        self.assertEqual(state["caps"], caps, f"{what}: Caps Lock")
        foreign = [k for k in rc.key_lines(events) if k[2] != tb.INJECTED and k[1] not in rc.MODIFIERS
                   and k[1] != CAPS_LOCK]
        self.assertEqual(foreign, [], f"{what}: keys the toolbar did not type")

    def test_reliability_input_held_modifiers_and_caps_lock_change_no_character(self):
        window, keys = self.start_toolbar({"EXTEND": "True", "DTime1": "0.5", "DTime2": "0.05"})
        host = self.s.x_window(h.DEFAULT_HOST_TITLE)
        for what, held, shift_first, button, expected in HELD:
            with self.subTest(held=what):
                start, start_event = len(keys.poll().text), len(keys.events)
                pressed = (["shift"] if shift_first else []) + held
                try:
                    if shift_first:
                        self.s.focus(h.TOOLBAR_TITLE)
                        self.s.xdotool("keydown", "shift")
                    clicked = self.click(window, button)
                    # As on Windows, the keys a user holds go to the window in front: the host.
                    self.s.xdotool("windowfocus", host)
                    for key in held:
                        self.s.xdotool("keydown", key)
                    self.assertLess(h.now_us() - clicked, 400_000, "keys pressed too late to test")
                    got = keys.wait_typed(start, expected)
                finally:
                    for key in reversed(pressed):
                        self.s.xdotool("keyup", key)
                self.assertEqual(got, expected)
                self.check_after(keys, start_event, what)

        # Caps Lock on: letters typed as keys would come out in the other case.
        self.s.focus(h.DEFAULT_HOST_TITLE)
        self.s.key("Caps_Lock")
        h.wait_until(lambda: self.s.probe("state", h.TOOLBAR_TITLE)["caps"], 5, "Caps Lock on")
        try:
            for button in ("Line_Poinr2", "LINE_c_dash_d", "ZERO"):
                with self.subTest(caps_lock=button):
                    expected = tb.expected_stream(button, False)
                    start, start_event = len(keys.poll().text), len(keys.events)
                    self.click(window, button)
                    self.assertEqual(keys.wait_typed(start, expected), expected)
                    self.check_after(keys, start_event, f"Caps Lock, {button}", caps=True)
        finally:
            self.s.focus(h.DEFAULT_HOST_TITLE)
            self.s.key("Caps_Lock")
        h.wait_until(lambda: not self.s.probe("state", h.TOOLBAR_TITLE)["caps"], 5, "Caps Lock off")
        self.assertEqual(self.messages(), [])


class HostImeTest(rc.ReliabilityCase):
    def start_with_ime(self, mode):
        self.s.registry_write({"EXTEND": "True", "DTime1": "0.05", "DTime2": "0.05"})
        log = h.HostLog(self.s._tmp / f"ime-{mode}-{time.monotonic_ns()}.log")
        self.s.start(h.exe_path("hostsim.exe"), "--title", h.DEFAULT_HOST_TITLE, "--log",
                     h.unix_to_wine_path(log.path), "--ime-open", mode, title=h.DEFAULT_HOST_TITLE, log=log)
        log.wait_kind("READY")
        self.proc = self.s.start_kelomenu()
        return self.s.wait_window(h.TOOLBAR_TITLE, timeout=30), log

    def test_reliability_input_ime_closed_while_keys_arrive_and_opened_again(self):
        # Wine's input method window ignores IMC_SETOPENSTATUS; hostsim's mode 2 obeys it
        # as Windows' does, so the close-type-reopen path runs for real.
        window, log = self.start_with_ime(2)
        keys = tb.Keys(log)
        self.assertEqual(keys.wait_typed(0, tb.STARTUP, timeout=15), tb.STARTUP)
        expected = tb.STARTUP
        for button in ("Line_Poinr2", "ZERO", "LINE_c_dash_d"):
            with self.subTest(button=button):
                start = len(keys.poll().text)
                sent = tb.expected_stream(button, False)
                self.click(window, button)
                self.assertEqual(keys.wait_typed(start, sent), sent)
                expected += sent
        rc.settle(keys, 0.3)
        self.assertEqual(keys.typed(), expected)
        # Every key met a closed input method, and it was open again after each key string.
        state, met_open, closes = None, [], 0
        for kind, t, rest in log.entries():
            if kind == "IME":
                state = rest.strip() == "1"
                closes += not state
            elif kind in ("KEYDOWN", "CHAR") and state:
                met_open.append((kind, rest))
        self.assertEqual(met_open, [])
        self.assertTrue(state, "the input method was left closed")
        self.assertGreaterEqual(closes, expected.count("\r") + expected.count("^C"))
        self.assertEqual(self.messages(), [])

    def test_reliability_input_ime_that_will_not_close_refuses_with_its_message(self):
        window, log = self.start_with_ime(1)
        time.sleep(0.5)  # the start-up command is refused in silence
        self.click(window, "Line_Poinr2")
        box = self.wait_message(rc.IME_OPEN)
        self.s.screenshot("reliability-ime-message.png", box["rect"])
        self.assertEqual(box["owner"], window["hwnd"])
        self.dismiss(box)
        time.sleep(0.3)
        self.assertEqual(log.received_text(), "")
        self.assertEqual([rest.strip() for _, rest in log.of_kind("IME")], ["1"])


if __name__ == "__main__":
    unittest.main()
