"""What the user's keyboard, other programs and a stuck host do to a command, under Wine:
keys held and Caps Lock on while the toolbar types, the host's input method open, a host
that hangs in the middle of a command, and the foreground guard (another program in front
during a wait, the host closed during it). The host must receive every character
unchanged, no modifier may stay down, and nothing may reach another program.
"""

import time
import unittest

import case
from case import h

CAPS_LOCK = 0x14
IME_OPEN = "アプリの日本語入力がオンのため、コマンドを送れませんでした。日本語入力をオフにしてから、もう一度操作してください。"
OTHER = "Other program"
# (case, keys held after the click, Shift held from before it, button, what the host gets)
HELD = [
    ("Shift through the waits: the Shift line", [], True, "Line_Poinr2", "^CLINE TWO_PTS\r"),
    ("Ctrl", ["ctrl"], False, "LINE_c_dash_d", "^Cvetra_line_change 'c_dash_d' 1\r"),
    ("Alt", ["alt"], False, "LINE_c_dash_d", "^Cvetra_line_change 'c_dash_d' 1\r"),
    ("right Ctrl and right Alt", ["Control_R", "Alt_R"], False, "ADD_FAI", "^Cadd_dim_prefix #14'1'#15 end\r"),
    ("Shift, Ctrl and Alt", ["shift", "ctrl", "alt"], False, "Line_Poinr2", "^CLINE TWO_PTS\r"),
]


class ReliabilityTest(case.ToolbarCase):
    def start_special_host(self, settings, *args):
        """The toolbar beside a hostsim started with args (hang, input method...)."""
        self.s.stop_all()
        self.s.registry_clear()
        self.s.registry_write(settings)
        log = h.HostLog(self.s._tmp / f"host-{time.monotonic_ns()}.log")
        type(self).host = self.s.start(h.exe_path("hostsim.exe"), "--title", h.DEFAULT_HOST_TITLE, "--log",
                                       h.unix_to_wine_path(log.path), *args, title=h.DEFAULT_HOST_TITLE, log=log)
        log.wait_kind("READY")
        type(self).keys, type(self).started = case.Keys(log), None
        type(self).proc = self.s.start_kelomenu()
        type(self).window = self.s.wait_window(h.TOOLBAR_TITLE, timeout=30)
        type(self)._xid = None
        return log

    def check_after(self, start_event, what, caps=False):
        """No modifier down in the host's view or the system's; only the user's own keys untagged."""
        self.assertTrue(self.keys.quiet())
        events = self.keys.events[start_event:]
        self.assertEqual(case.modifiers_left_down(events), [], f"{what}: the host sees keys down")
        state = self.s.probe("state", h.TOOLBAR_TITLE)
        self.assertEqual(state["down"], [], f"{what}: the system sees keys down")
        self.assertEqual(state["caps"], caps, f"{what}: Caps Lock")
        foreign = [k for k in case.key_lines(events) if k[2] != case.INJECTED and k[1] not in case.MODIFIERS
                   and k[1] != CAPS_LOCK]
        self.assertEqual(foreign, [], f"{what}: keys the toolbar did not type")

    def test_reliability_input_held_modifiers_and_caps_lock_change_no_character(self):
        self.start_toolbar({"EXTEND": "True", "DTime1": "0.5", "DTime2": "0.05"})
        host = self.s.x_window(h.DEFAULT_HOST_TITLE)
        for what, held, shift_first, button, expected in HELD:
            with self.subTest(held=what):
                start, start_event = len(self.keys.poll().text), len(self.keys.events)
                pressed = (["shift"] if shift_first else []) + held
                try:
                    if shift_first:
                        self.s.focus(h.TOOLBAR_TITLE)
                        self.s.xdotool("keydown", "shift")
                    clicked = self.click(button)
                    # As on Windows, the keys a user holds go to the window in front: the host.
                    self.s.xdotool("windowfocus", host)
                    for key in held:
                        self.s.xdotool("keydown", key)
                    self.assertLess(h.now_us() - clicked, 400_000, "keys pressed too late to test")
                    got = self.keys.wait_typed(start, expected)
                finally:
                    for key in reversed(pressed):
                        self.s.xdotool("keyup", key)
                self.assertEqual(got, expected)
                self.check_after(start_event, what)
        # Caps Lock on: letters typed as keys would come out in the other case.
        self.s.focus(h.DEFAULT_HOST_TITLE)
        self.s.key("Caps_Lock")
        h.wait_until(lambda: self.s.probe("state", h.TOOLBAR_TITLE)["caps"], 5, "Caps Lock on")
        try:
            for button in ("Line_Poinr2", "LINE_c_dash_d", "ZERO"):
                with self.subTest(caps_lock=button):
                    start_event = len(self.keys.poll().events)
                    self.run_command(button)
                    self.check_after(start_event, f"Caps Lock, {button}", caps=True)
        finally:
            self.s.focus(h.DEFAULT_HOST_TITLE)
            self.s.key("Caps_Lock")
        h.wait_until(lambda: not self.s.probe("state", h.TOOLBAR_TITLE)["caps"], 5, "Caps Lock off")
        self.assert_no_message()

    def test_reliability_input_ime_closed_while_keys_arrive_and_opened_again(self):
        # Wine's input method window ignores IMC_SETOPENSTATUS; hostsim's mode 2 obeys it
        # as Windows' does, so the close-type-reopen path runs for real.
        log = self.start_special_host(case.FAST, "--ime-open", 2)
        self.assertEqual(self.keys.wait_typed(0, case.STARTUP, timeout=15), case.STARTUP)
        for button in ("Line_Poinr2", "ZERO", "LINE_c_dash_d"):
            with self.subTest(button=button):
                self.run_command(button)
        expected = case.STARTUP + "".join(case.stream(b) for b in ("Line_Poinr2", "ZERO", "LINE_c_dash_d"))
        self.assert_typed_since(0, expected)
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
        self.assert_no_message()

    def test_waits_of_0_into_a_host_slow_with_every_key_stay_exact(self):
        # 3 ms a key message: a 39-character line takes the host a third of a second.
        self.start_special_host({"EXTEND": "True", "DTime1": "0", "DTime2": "0"}, "--key-delay", 3)
        self.assertEqual(self.keys.wait_typed(0, case.STARTUP, timeout=15), case.STARTUP)
        buttons = ("ZERO", "Dim_Datum_Short_HORIZONTAL", "Line_Poinr2", "Fillet_Delete")
        for name in buttons:
            with self.subTest(button=name):
                self.run_command(name)
        start = len(self.keys.poll().text)
        self.open(case.FACE)  # from the start point 0,0 to X 20, and OK
        self.enter("20", None)
        self.s.wait_no_window(case.FACE, exact=True)
        face = "^CLINE TWO_PTS 0,0 0,10\r^C"
        self.assertEqual(self.keys.wait_typed(start, face, timeout=10), face)
        self.assert_typed_since(0, case.STARTUP + "".join(case.stream(b) for b in buttons) + face)
        self.assertEqual(self.keys.settled_faults(0), [])
        self.assert_no_message()

    def test_reliability_input_ime_that_will_not_close_refuses_with_its_message(self):
        log = self.start_special_host(case.FAST, "--ime-open", 1)
        self.click("Line_Poinr2")  # the start-up command was refused in silence
        box = self.wait_message(IME_OPEN)
        self.s.screenshot("reliability-ime-message.png", box["rect"])
        self.assertEqual(box["owner"], self.window["hwnd"])
        self.dismiss(box)
        self.assertEqual(self.messages(), [])
        self.assertEqual(log.received_text(), "")
        self.assertEqual([rest.strip() for _, rest in log.of_kind("IME")], ["1"])

    def test_reliability_hung_host_ends_the_command_with_the_message_and_the_toolbar_stays_live(self):
        # The host stops answering a few key messages into the click's "^C".
        self.start_toolbar()
        self.assertTrue(self.keys.quiet())
        log = self.start_special_host({"DTime1": "0.3", "DTime2": "0.1"}, "--hang-after",
                                      len(case.key_lines(self.keys.events)) + 3)
        log.wait_text(case.STARTUP)
        times = []
        for attempt in range(2):
            clicked = time.monotonic()
            self.click("Line_Poinr2")
            answered, box = [], None
            while box is None:
                self.assertLess(time.monotonic() - clicked, 15, "no message within 15 s")
                answered.append(self.s.probe("state", h.TOOLBAR_TITLE)["answers"])
                box = (self.messages(text=case.NO_HOST) or [None])[0]
                time.sleep(0.1)
            times.append(time.monotonic() - clicked)
            self.assertTrue(all(answered), f"the toolbar did not answer while the command waited: {answered}")
            self.dismiss(box)
        self.assertTrue(self.host.running())
        # What arrived before the host stopped is the beginning of the command.
        self.assertTrue((case.STARTUP + "^CLINE ASSIST TWO_PTS\r").startswith(log.received_text()))
        self.assertLess(max(times), 10, times)

    # -- the foreground guard -----------------------------------------------------------

    def start_with_other_program(self):
        # A long Act. Time leaves room to take the foreground away mid-command.
        self.start_toolbar({"DTime1": "1.5", "DTime2": "0.05"})
        log = h.HostLog(self.s._tmp / f"other-{time.monotonic_ns()}.log")
        self.s.start(h.exe_path("hostsim.exe"), "--title", OTHER, "--log", h.unix_to_wine_path(log.path),
                     "--x", "950", "--y", "400", "--w", "600", "--h", "400", title=OTHER, log=log)
        log.wait_kind("READY")
        return log

    def click_and_take_the_foreground(self, other, meanwhile=lambda: None):
        """Clicks the toolbar and, once the host is in front, the other program."""
        activations = len(self.host.log.of_kind("ACTIVE"))
        self.click("Line_Poinr2")
        h.wait_until(lambda: len(self.host.log.of_kind("ACTIVE")) > activations, 5, "host activated")
        meanwhile()
        before = len([r for _, r in other.of_kind("ACTIVE") if r == "1"])
        r = self.s.wait_window(OTHER, exact=True)["rect"]
        self.s.click_at((r["left"] + r["right"]) // 2, (r["top"] + r["bottom"]) // 2, focus_title=OTHER)
        h.wait_until(lambda: len([r for _, r in other.of_kind("ACTIVE") if r == "1"]) > before, 5,
                     "the other program activated")

    def test_host_is_brought_back_when_another_program_took_the_foreground(self):
        other = self.start_with_other_program()
        self.click_and_take_the_foreground(other)
        self.assert_typed_since(case.units(case.STARTUP), "^CLINE ASSIST TWO_PTS\r")
        self.assertEqual(other.received_text(), "")

    def test_host_closed_during_the_wait_stops_the_command_with_its_message(self):
        other = self.start_with_other_program()
        self.click_and_take_the_foreground(other, lambda: self.s.stop(self.host))
        self.wait_message(case.NO_HOST)
        time.sleep(case.QUIET_S)  # an observation window: nothing may arrive in the other program
        self.assertEqual(other.received_text(), "")


if __name__ == "__main__":
    unittest.main()
