"""Toolbar start, placement, settings dialog, expand/collapse and the settings store,
driven through the real programs under Wine (see tools/e2e/harness.py).

Run: python3 -m unittest tests/e2e/test_foundation.py
"""

import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "e2e"))
import harness as h  # noqa: E402

STARTUP = "^CDIM_CATCH_ANGLE 1\r"
COLLAPSED_TW, EXPANDED_TW = 1650, 2160
APPSET_BUTTON = (18600, 120, 570, 375)
EXTEND_BUTTON = (18600, 840, 570, 375)
LINE_POINR2 = (3360 + 120, 240, 490, 490)
# Settings dialog, design positions in its client area (twips).
TEXT1 = (120, 480, 4215, 375)
TEXT2 = (240, 1080, 855, 375)
TEXT3 = (1440, 1080, 735, 390)
OK_BUTTON = (2400, 960, 855, 495)
CANCEL_BUTTON = (3480, 960, 855, 495)
DIALOG = "AppSet"
WS_EX_TOOLWINDOW = 0x80
QUIET_S = 0.5  # how long "nothing more happens" is watched

session = None


def setUpModule():
    global session
    session = h.Session().__enter__()


def tearDownModule():
    if session is not None:
        session.__exit__(None, None, None)


def height(window):
    return window["rect"]["bottom"] - window["rect"]["top"]


class FoundationTest(unittest.TestCase):
    def setUp(self):
        self.s = session
        self.s.stop_all()
        self.s.registry_clear()

    def tearDown(self):
        self.s.stop_all()

    # -- helpers ------------------------------------------------------------------------

    def start_toolbar(self):
        t0 = time.monotonic()
        proc = self.s.start_kelomenu()
        window = self.s.wait_window(h.TOOLBAR_TITLE, timeout=30)
        print(f"\n  toolbar visible after {time.monotonic() - t0:.2f} s", file=sys.stderr)
        return proc, window

    def close_toolbar(self, proc):
        self.s.close_window(h.TOOLBAR_TITLE)
        self.assertEqual(proc.wait_exit(15), 0)

    def assert_quiet(self, host, expected):
        """The host has received exactly expected and nothing follows."""
        host.log.wait_text(expected)
        deadline = time.monotonic() + QUIET_S
        while time.monotonic() < deadline:
            self.assertEqual(host.log.received_text(), expected)
            time.sleep(0.05)

    def assert_no_message(self):
        self.assertEqual(self.s.windows(h.MESSAGE_TITLE, exact=True), [])

    def exe_folder(self):
        return h.unix_to_wine_path(h.BUILD_WIN)

    def assert_folder(self, value):
        self.assertEqual(value.rstrip("\\").lower(), self.exe_folder().lower())

    def open_settings(self):
        self.s.click_control(h.TOOLBAR_TITLE, *APPSET_BUTTON)
        return self.s.wait_window(DIALOG, exact=True)

    def settings_texts(self, dialog):
        texts = []
        for place in (TEXT1, TEXT2, TEXT3):
            box = self.s.control_at(dialog, *place, cls="Edit")
            self.assertIsNotNone(box, f"no text box at {place}")
            texts.append(box["text"])
        return texts

    def replace_text(self, place, text):
        # Ctrl+A does not select all in Wine's edit boxes.
        self.s.click_control(DIALOG, *place, exact=True)
        self.s.key("Home", "shift+End")
        self.s.type_text(text)

    # -- start ---------------------------------------------------------------------------

    def test_fresh_start_is_collapsed_top_right_topmost_and_types_startup(self):
        host = self.s.start_hostsim()
        _, window = self.start_toolbar()
        seen_us = h.now_us()
        screen = self.s.probe("dpi")["screen"]
        self.s.screenshot("toolbar-collapsed.png", window["rect"])

        # The caption with its blanks: the hint ends up at the right of the title bar.
        caption = ("Kelo Menu Ver.1.32" + " " * 5 + "\u3000" * 10 + " " * 2 + "\u3000" * 24 + " " * 2 +
                   "アイコンの説明を表示するには、ここをクリックした後にアイコンの上にマウスポインターを合わせてください。")
        self.assertEqual(window["title"], caption)
        self.assertEqual(height(window), self.s.px(COLLAPSED_TW))
        self.assertEqual(window["rect"]["top"], 0)
        right_px = screen["width"] - 3200 * self.s.dpi() / 1440
        self.assertLessEqual(abs(window["rect"]["right"] - right_px), 1, window["rect"])
        extend = self.s.control_at(window, *EXTEND_BUTTON)
        self.assertIsNotNone(extend)
        self.assertEqual(extend["text"], "▼")

        self.assert_quiet(host, STARTUP)
        self.assertEqual(host.log.lines(), ["DIM_CATCH_ANGLE 1"])
        chars = host.log.chars()
        # ^C, then DTime2 (0.1 s) before the command; loose bounds for a busy machine.
        self.assertGreaterEqual(chars[1][0] - chars[0][0], 80_000)
        # The window shows only once the start-up command has been typed.
        self.assertLessEqual(chars[-1][0], seen_us)
        self.assert_no_message()
        self.assertTrue(window["topmost"], "toolbar not in the topmost band")

    def test_start_without_host_shows_no_message(self):
        _, window = self.start_toolbar()
        self.assertEqual(height(window), self.s.px(COLLAPSED_TW))
        deadline = time.monotonic() + QUIET_S
        while time.monotonic() < deadline:
            self.assert_no_message()
            time.sleep(0.05)

    def test_host_title_that_begins_with_app_name_gets_startup_command(self):
        host = self.s.start_hostsim(h.DEFAULT_HOST_TITLE + " - [part1]")
        self.start_toolbar()
        self.assert_quiet(host, STARTUP)

    def test_unreadable_dtime2_ends_at_once_and_keeps_store(self):
        stored = {"AppName": h.DEFAULT_HOST_TITLE, "DTime1": "0.1", "DTime2": "abc",
                  "EXTEND": "False", "OpenPathName": "C:\\", "PartPathName": "C:\\"}
        self.s.registry_write(stored)
        host = self.s.start_hostsim()
        proc = self.s.start_kelomenu()
        proc.wait_exit(15)
        self.assertEqual(self.s.windows(h.TOOLBAR_TITLE), [])
        self.assert_no_message()
        self.assertEqual(host.log.received_text(), "")
        self.assertEqual(self.s.registry_read(), stored)

    # -- settings ------------------------------------------------------------------------

    def test_close_after_fresh_start_stores_all_six_defaults(self):
        proc, _ = self.start_toolbar()
        self.close_toolbar(proc)
        stored = self.s.registry_read()
        self.assertEqual(sorted(stored), sorted(h.SETTINGS_NAMES))
        self.assertEqual(stored["AppName"], h.DEFAULT_HOST_TITLE)
        self.assertEqual(stored["DTime1"], "0.1")
        self.assertEqual(stored["DTime2"], "0.1")
        self.assertEqual(stored["EXTEND"], "False")
        self.assert_folder(stored["OpenPathName"])
        self.assert_folder(stored["PartPathName"])

    def test_settings_dialog_ok_changes_host_title(self):
        host_a = self.s.start_hostsim()
        host_b = self.s.start_hostsim("HostB")
        proc, toolbar = self.start_toolbar()
        self.assert_quiet(host_a, STARTUP)

        dialog = self.open_settings()
        self.assertEqual(self.settings_texts(dialog), [h.DEFAULT_HOST_TITLE, "0.1", "0.1"])
        self.assertEqual(dialog["owner"], toolbar["hwnd"])
        self.assertTrue(int(dialog["exstyle"], 16) & WS_EX_TOOLWINDOW)
        screen = self.s.probe("dpi")["screen"]
        r = dialog["rect"]
        self.assertLessEqual(abs((r["left"] + r["right"]) / 2 - screen["width"] / 2), 2)
        self.assertLessEqual(abs((r["top"] + r["bottom"]) / 2 - screen["height"] / 2), 2)
        self.s.screenshot("settings-dialog.png", dialog["rect"])

        self.replace_text(TEXT1, "HostB")
        self.replace_text(TEXT2, "0.4")
        self.s.click_control(DIALOG, *OK_BUTTON, exact=True)
        self.s.wait_no_window(DIALOG, exact=True)
        self.assertEqual(self.s.registry_read(), {}, "stored before the toolbar closed")

        # The very next command goes to the new title, with the new Act. Time.
        clicked_us = h.now_us()
        self.s.click_control(h.TOOLBAR_TITLE, *LINE_POINR2)
        self.assert_quiet(host_b, "^CLINE ASSIST TWO_PTS\r")
        self.assertGreaterEqual(host_b.log.chars()[0][0] - clicked_us, 400_000)
        self.assertEqual(host_a.log.received_text(), STARTUP)

        self.close_toolbar(proc)
        stored = self.s.registry_read()
        self.assertEqual({k: stored.get(k) for k in ("AppName", "DTime1", "DTime2", "EXTEND")},
                         {"AppName": "HostB", "DTime1": "0.4", "DTime2": "0.1", "EXTEND": "False"})
        self.assert_folder(stored["OpenPathName"])
        self.assert_folder(stored["PartPathName"])

        # The next start types into the new host only.
        self.start_toolbar()
        self.assert_quiet(host_b, "^CLINE ASSIST TWO_PTS\r" + STARTUP)
        self.assertEqual(host_a.log.received_text(), STARTUP)

    def test_settings_dialog_layout_and_tab_order(self):
        self.start_toolbar()
        dialog = self.open_settings()
        self.assertEqual((dialog["client_size"]["width"], dialog["client_size"]["height"]),
                         (self.s.px(4635), self.s.px(1620)))
        # Name, class, text, left, top, width, height as designed, in tab order.
        design = [
            ("Text1", "Edit", h.DEFAULT_HOST_TITLE, 120, 480, 4215, 375),
            ("Command1", "Button", "O K", 2400, 960, 855, 495),
            ("Command2", "Button", "Cancel", 3480, 960, 855, 495),
            ("Label1", "Static", "アプリのタイトル名を入力してください。", 240, 120, 3855, 375),
            ("Text2", "Edit", "0.1", 240, 1080, 855, 375),
            ("Text3", "Edit", "0.1", 1440, 1080, 735, 390),
            ("Label2", "Static", "Act. Time", 360, 840, 855, 255),
            ("Label3", "Static", "Enter Time", 1440, 840, 855, 255),
        ]
        children = dialog["children"]
        self.assertEqual([(c["class"].lower(), c["text"]) for c in children],
                         [(cls.lower(), text) for _, cls, text, *_ in design])
        ox, oy = dialog["client_origin"]["x"], dialog["client_origin"]["y"]
        for child, (name, _, _, left, top, width, height) in zip(children, design):
            with self.subTest(control=name):
                r = child["rect"]
                self.assertEqual((r["left"] - ox, r["top"] - oy, r["right"] - r["left"], r["bottom"] - r["top"]),
                                 (self.s.px(left), self.s.px(top), self.s.px(width), self.s.px(height)))

    def test_settings_dialog_refuses_an_enter_time_that_is_not_a_number(self):
        proc, _ = self.start_toolbar()
        self.open_settings()
        self.replace_text(TEXT3, "fast")
        self.s.click_control(DIALOG, *OK_BUTTON, exact=True)
        # The message box is titled like the dialog; its window class tells them apart.
        box = self.s.wait_window(DIALOG, exact=True, predicate=lambda w: w["class"] == "#32770")
        self.assertIsNotNone(self.s.child(box, text="Enter Time には数値を入力してください。"))
        self.s.key("Return")
        h.wait_until(lambda: all(w["class"] != "#32770" for w in self.s.windows(DIALOG, exact=True)), 10,
                     "the message box to close")
        dialog = self.s.wait_window(DIALOG, exact=True)
        self.assertEqual(self.settings_texts(dialog)[2], "fast")
        self.s.click_control(DIALOG, *CANCEL_BUTTON, exact=True)
        self.s.wait_no_window(DIALOG, exact=True)
        self.close_toolbar(proc)
        self.assertEqual(self.s.registry_read()["DTime2"], "0.1")

    def test_settings_dialog_ignores_escape_and_enter(self):
        # No button is bound to Escape or Enter: only a click on O K or Cancel ends the dialog.
        proc, _ = self.start_toolbar()
        self.open_settings()
        self.replace_text(TEXT1, "Other")
        for key in ("Escape", "Return"):
            with self.subTest(key=key):
                self.s.key(key)
                time.sleep(QUIET_S)
                dialog = self.s.wait_window(DIALOG, exact=True)
                self.assertEqual(self.settings_texts(dialog)[0], "Other")
        self.s.click_control(DIALOG, *OK_BUTTON, exact=True)
        self.s.wait_no_window(DIALOG, exact=True)
        self.close_toolbar(proc)
        self.assertEqual(self.s.registry_read()["AppName"], "Other")

    def test_settings_dialog_cancel_changes_nothing(self):
        proc, _ = self.start_toolbar()
        self.open_settings()
        self.replace_text(TEXT1, "Other")
        self.replace_text(TEXT2, "9")
        self.s.click_control(DIALOG, *CANCEL_BUTTON, exact=True)
        self.s.wait_no_window(DIALOG, exact=True)

        dialog = self.open_settings()
        self.assertEqual(self.settings_texts(dialog), [h.DEFAULT_HOST_TITLE, "0.1", "0.1"])
        self.s.click_control(DIALOG, *CANCEL_BUTTON, exact=True)
        self.s.wait_no_window(DIALOG, exact=True)

        self.close_toolbar(proc)
        stored = self.s.registry_read()
        self.assertEqual((stored["AppName"], stored["DTime1"], stored["DTime2"]),
                         (h.DEFAULT_HOST_TITLE, "0.1", "0.1"))

    def test_letters_as_act_time_are_stored_and_startup_stays_silent(self):
        proc, _ = self.start_toolbar()
        self.open_settings()
        self.replace_text(TEXT2, "abc")
        self.s.click_control(DIALOG, *OK_BUTTON, exact=True)
        self.s.wait_no_window(DIALOG, exact=True)
        self.close_toolbar(proc)
        self.assertEqual(self.s.registry_read().get("DTime1"), "abc")

        # The start-up command fails at its first wait: no message, nothing typed.
        host = self.s.start_hostsim()
        self.start_toolbar()
        self.assert_quiet(host, "")
        self.assert_no_message()

    # -- expand / collapse ---------------------------------------------------------------

    def test_extend_toggles_height_and_persists(self):
        proc, window = self.start_toolbar()
        collapsed, expanded = self.s.px(COLLAPSED_TW), self.s.px(EXPANDED_TW)
        self.assertEqual(height(window), collapsed)

        self.s.click_control(h.TOOLBAR_TITLE, *EXTEND_BUTTON)
        window = self.s.wait_window(h.TOOLBAR_TITLE, predicate=lambda w: height(w) == expanded)
        self.assertEqual(window["rect"]["top"], 0)
        self.assertEqual(self.s.control_at(window, *EXTEND_BUTTON)["text"], "▲")
        self.s.screenshot("toolbar-expanded.png", window["rect"])

        self.s.click_control(h.TOOLBAR_TITLE, *EXTEND_BUTTON)
        window = self.s.wait_window(h.TOOLBAR_TITLE, predicate=lambda w: height(w) == collapsed)
        self.assertEqual(self.s.control_at(window, *EXTEND_BUTTON)["text"], "▼")

        self.s.click_control(h.TOOLBAR_TITLE, *EXTEND_BUTTON)
        self.s.wait_window(h.TOOLBAR_TITLE, predicate=lambda w: height(w) == expanded)
        self.close_toolbar(proc)
        self.assertEqual(self.s.registry_read().get("EXTEND"), "True")

        _, window = self.start_toolbar()
        self.assertEqual(height(window), expanded)
        self.assertEqual(self.s.control_at(window, *EXTEND_BUTTON)["text"], "▲")

    def test_display_change_brings_the_toolbar_back_onto_the_screen(self):
        # As when the monitor it stood on is removed: the window is left off every monitor,
        # then the system announces the new display.
        proc, window = self.start_toolbar()
        size = (window["rect"]["right"] - window["rect"]["left"], height(window))
        screen = self.s.probe("dpi")["screen"]
        self.s.probe("move", h.TOOLBAR_TITLE, screen["width"] + 400, 300)
        self.s.wait_window(h.TOOLBAR_TITLE, predicate=lambda w: w["rect"]["left"] >= screen["width"])
        self.s.probe("displaychange", h.TOOLBAR_TITLE)
        back = self.s.wait_window(h.TOOLBAR_TITLE, predicate=lambda w: w["rect"]["right"] <= screen["width"])
        r = back["rect"]
        self.assertEqual((r["right"] - r["left"], height(back)), size)
        self.assertEqual((r["right"], r["top"]), (screen["width"], 300))
        self.close_toolbar(proc)

    def test_logoff_stores_the_settings_without_a_close(self):
        proc, _ = self.start_toolbar()
        self.s.click_control(h.TOOLBAR_TITLE, *EXTEND_BUTTON)
        self.s.wait_window(h.TOOLBAR_TITLE, predicate=lambda w: height(w) == self.s.px(EXPANDED_TW))
        self.assertEqual(self.s.registry_read(), {})
        self.s.probe("endsession", h.TOOLBAR_TITLE)
        self.assertEqual(self.s.registry_read().get("EXTEND"), "True")
        self.assertTrue(proc.running())


if __name__ == "__main__":
    unittest.main()
