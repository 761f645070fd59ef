"""The toolbar's start, place and caption, the settings dialog, ▼ / ▲, a display change,
log-off, and the settings store in the registry (read at start, written at close, the six
values, a store holding only some of them), through the real programs under Wine.
"""

import time
import unittest

import case
from case import h

COLLAPSED_TW, EXPANDED_TW = 1650, 2160
DIALOG = "AppSet"
# The settings dialog as designed, in tab order: class, text at a fresh start, left, top,
# width, height (twips, client area).
SETTINGS_DESIGN = [
    ("Edit", h.DEFAULT_HOST_TITLE, 120, 480, 4215, 375),
    ("Button", "O K", 2400, 960, 855, 495),
    ("Button", "Cancel", 3480, 960, 855, 495),
    ("Static", "アプリのタイトル名を入力してください。", 240, 120, 3855, 375),
    ("Edit", "0.1", 240, 1080, 855, 375),
    ("Edit", "0.1", 1440, 1080, 735, 390),
    ("Static", "Act. Time", 360, 840, 855, 255),
    ("Static", "Enter Time", 1440, 840, 855, 255),
]
DEFAULTS = {"AppName": h.DEFAULT_HOST_TITLE, "DTime1": "0.1", "DTime2": "0.1", "EXTEND": "False"}


class FoundationTest(case.ToolbarCase):
    def exe_folder(self):
        return h.unix_to_wine_path(h.BUILD_WIN).lower()

    def assert_stored(self, expected):
        """The six values as expected; the folders, unless given, the program's own."""
        stored = self.s.registry_read()
        folders = {"OpenPathName": self.exe_folder(), "PartPathName": self.exe_folder()}
        self.assertEqual({k: v.rstrip("\\").lower() for k, v in stored.items()},
                         {k: v.rstrip("\\").lower() for k, v in {**folders, **expected}.items()})

    def extend_caption(self):
        return self.s.control_at(self.s.find_window(h.TOOLBAR_TITLE), *case.place("C_EXTEND"))["text"]

    def test_fresh_start_is_collapsed_top_right_topmost_types_startup_and_stores_six_values_at_close(self):
        self.s.stop_all()
        self.s.registry_clear()
        # A host whose title only begins with the name looked for is found too.
        host = case.Keys(self.s.start_hostsim(h.DEFAULT_HOST_TITLE + " - [part1]").log)
        type(self).proc = self.s.start_kelomenu()
        window = self.s.wait_window(h.TOOLBAR_TITLE, timeout=30)
        seen_us = h.now_us()
        self.s.screenshot("toolbar-collapsed.png", window["rect"])
        caption = ("Kelo Menu Ver.1.32" + " " * 5 + "\u3000" * 10 + " " * 2 + "\u3000" * 24 + " " * 2 +
                   "アイコンの説明を表示するには、ここをクリックした後にアイコンの上にマウスポインターを合わせてください。")
        self.assertEqual(window["title"], caption)  # the hint at the right of the title bar
        self.assertEqual(self.height(window), self.s.px(COLLAPSED_TW))
        screen = self.s.probe("dpi")["screen"]
        self.assertEqual(window["rect"]["top"], 0)
        self.assertLessEqual(abs(window["rect"]["right"] - (screen["width"] - self.s.px(3200))), 1, window["rect"])
        self.assertTrue(window["topmost"], "toolbar not in the topmost band")
        self.assertEqual(self.extend_caption(), "▼")
        self.assertEqual(host.wait_typed(0, case.STARTUP), case.STARTUP)
        self.assertTrue(host.quiet())
        self.assertEqual(host.typed(), case.STARTUP)
        # The window shows only once the start-up command has been typed, with the Enter
        # Time (0.1 s) after the ^C; loose bounds for a busy machine.
        self.assertLessEqual(host.text[-1][0], seen_us)
        self.assertGreaterEqual(host.text[1][0] - host.text[0][0], 80_000)
        self.assert_no_message()
        self.assertEqual(self.s.registry_read(), {}, "stored before the toolbar closed")
        self.close_toolbar()
        self.assert_stored(DEFAULTS)

    def test_settings_dialog_as_designed_ignores_enter_and_escape_refuses_a_bad_enter_time_and_cancels(self):
        self.start_toolbar(host=False)
        dialog = self.open_settings()
        self.assertEqual(dialog["owner"], self.window["hwnd"])
        self.assertTrue(int(dialog["exstyle"], 16) & 0x80, "not a tool window")
        screen, r = self.s.probe("dpi")["screen"], dialog["rect"]
        self.assertLessEqual(abs((r["left"] + r["right"]) / 2 - screen["width"] / 2), 2)
        self.assertLessEqual(abs((r["top"] + r["bottom"]) / 2 - screen["height"] / 2), 2)
        self.assertEqual((dialog["client_size"]["width"], dialog["client_size"]["height"]),
                         (self.s.px(4635), self.s.px(1620)))
        self.s.screenshot("settings-dialog.png", r)
        self.assertEqual([(c["class"].lower(), c["text"]) for c in dialog["children"]],
                         [(cls.lower(), text) for cls, text, *_ in SETTINGS_DESIGN])
        ox, oy = dialog["client_origin"]["x"], dialog["client_origin"]["y"]
        for child, (cls, text, *place) in zip(dialog["children"], SETTINGS_DESIGN):
            r = child["rect"]
            self.assertEqual((r["left"] - ox, r["top"] - oy, r["right"] - r["left"], r["bottom"] - r["top"]),
                             tuple(map(self.s.px, place)), text)

        # No button answers Escape or Enter: only O K or Cancel ends the dialog; Cancel
        # changes nothing.
        self.replace_text(1, "Other")
        self.replace_text(2, "9")
        for key in ("Escape", "Return"):
            self.s.key(key)
            time.sleep(case.QUIET_S)  # nothing to wait for: the dialog must simply stay
            self.assertEqual(self.settings_texts(), ["Other", "9", "0.1"], key)
        self.press_settings("Cancel")
        self.s.wait_no_window(DIALOG, exact=True)
        self.open_settings()
        self.assertEqual(self.settings_texts(), [h.DEFAULT_HOST_TITLE, "0.1", "0.1"])
        # An Enter Time that is no number: the message box is titled like the dialog, which
        # stays open with the text; the Enter Time in force stays.
        self.replace_text(3, "fast")
        self.press_settings("O K")
        self.wait_message("Enter Time には数値を入力してください。", title=DIALOG)
        self.s.key("Return")
        h.wait_until(lambda: not self.messages(DIALOG), 10, "the message box to close")
        self.assertEqual(self.settings_texts()[2], "fast")
        self.press_settings("Cancel")
        self.s.wait_no_window(DIALOG, exact=True)
        self.assertEqual(self.close_toolbar()["DTime2"], "0.1")

    def test_settings_ok_sends_the_next_command_to_the_new_host_with_the_new_act_time(self):
        self.start_toolbar()
        other = case.Keys(self.s.start_hostsim("HostB").log)
        self.open_settings()
        self.replace_text(1, "HostB")
        self.replace_text(2, "0.4")
        self.press_settings("O K")
        self.s.wait_no_window(DIALOG, exact=True)
        self.assertEqual(self.s.registry_read(), {}, "stored before the toolbar closed")
        clicked = self.click("Line_Poinr2")
        self.assertEqual(other.wait_typed(0, "^CLINE ASSIST TWO_PTS\r"), "^CLINE ASSIST TWO_PTS\r")
        self.assertGreaterEqual(other.text[0][0] - clicked, 400_000)
        self.close_toolbar()
        self.assert_stored({**DEFAULTS, "AppName": "HostB", "DTime1": "0.4"})
        # The next start types into the new host only.
        type(self).proc = self.s.start_kelomenu()
        self.assertEqual(other.wait_typed(0, "^CLINE ASSIST TWO_PTS\r" + case.STARTUP),
                         "^CLINE ASSIST TWO_PTS\r" + case.STARTUP)
        self.assertTrue(other.quiet())
        self.assertEqual(self.keys.poll().typed(), case.STARTUP)

    def open_settings(self):
        self.click("AppSet")
        return self.s.wait_window(DIALOG, exact=True, predicate=case.is_dialog)

    def settings_texts(self):
        return [c["text"] for c in self.s.wait_window(DIALOG, exact=True, predicate=case.is_dialog)["children"]
                if c["class"] == "Edit"]

    def replace_text(self, n, text):
        # Ctrl+A does not select all in Wine's edit boxes.
        edits = [c for c in self.s.wait_window(DIALOG, exact=True, predicate=case.is_dialog)["children"]
                 if c["class"] == "Edit"]
        self.click_rect(edits[n - 1]["rect"], DIALOG)
        self.s.key("Home", "shift+End")
        self.s.type_text(text)

    def press_settings(self, caption):
        self.click_rect(self.s.child(self.s.wait_window(DIALOG, exact=True, predicate=case.is_dialog),
                                     text=caption)["rect"], DIALOG)

    def test_extend_shows_the_lower_row_and_log_off_or_close_stores_it(self):
        self.start_toolbar(host=False)
        collapsed, expanded = self.s.px(COLLAPSED_TW), self.s.px(EXPANDED_TW)
        for height, caption in ((expanded, "▲"), (collapsed, "▼"), (expanded, "▲")):
            self.click("C_EXTEND")
            window = self.s.wait_window(h.TOOLBAR_TITLE, predicate=lambda w: self.height(w) == height)
            self.assertEqual(window["rect"]["top"], 0)
            self.assertEqual(self.extend_caption(), caption)
        self.s.screenshot("toolbar-expanded.png", window["rect"])
        # Log-off stores the settings without a close.
        self.assertEqual(self.s.registry_read(), {})
        self.s.probe("endsession", h.TOOLBAR_TITLE)
        self.assertEqual(self.s.registry_read().get("EXTEND"), "True")
        self.assertTrue(self.proc.running())
        self.close_toolbar()
        type(self).proc = self.s.start_kelomenu()
        window = self.s.wait_window(h.TOOLBAR_TITLE, timeout=30)
        self.assertEqual(self.height(window), expanded)
        self.assertEqual(self.extend_caption(), "▲")

    def test_start_without_host_shows_nothing_and_a_display_change_brings_the_toolbar_back(self):
        window = self.start_toolbar(host=False)
        self.assertEqual(self.height(window), self.s.px(COLLAPSED_TW))
        # As when the monitor it stood on is removed: the window is left off every
        # monitor, then the system announces the new display.
        size = (window["rect"]["right"] - window["rect"]["left"], self.height(window))
        screen = self.s.probe("dpi")["screen"]
        self.s.probe("move", h.TOOLBAR_TITLE, screen["width"] + 400, 300)
        self.s.wait_window(h.TOOLBAR_TITLE, predicate=lambda w: w["rect"]["left"] >= screen["width"])
        self.s.probe("displaychange", h.TOOLBAR_TITLE)
        back = self.s.wait_window(h.TOOLBAR_TITLE, predicate=lambda w: w["rect"]["right"] <= screen["width"])
        r = back["rect"]
        self.assertEqual((r["right"] - r["left"], self.height(back)), size)
        self.assertEqual((r["right"], r["top"]), (screen["width"], 300))
        self.assert_no_message()

    def test_partly_written_store_keeps_every_stored_value(self):
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
                host = case.Keys(self.s.start_hostsim(stored.get("AppName", h.DEFAULT_HOST_TITLE)).log)
                type(self).proc = self.s.start_kelomenu()
                if not starts:
                    self.proc.wait_exit(15)
                    self.assertEqual(self.s.windows(h.TOOLBAR_TITLE), [])
                    self.assertEqual(self.s.registry_read(), stored)
                    self.assertEqual(host.poll().typed(), "")
                    self.assert_no_message()
                    continue
                self.s.wait_window(h.TOOLBAR_TITLE, timeout=30)
                self.assertEqual(host.wait_typed(0, case.STARTUP), case.STARTUP)
                self.assert_no_message()
                self.assertEqual(self.s.registry_read(), stored)  # nothing written while it runs
                self.close_toolbar()
                self.assert_stored({**DEFAULTS, **stored})


if __name__ == "__main__":
    unittest.main()
