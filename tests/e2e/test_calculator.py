"""KeloCalculator.EXE under Wine: its window, typing with real keys, Enter, history and
`ans`, an error in the result line, the copy button and Ctrl+C on the clipboard, a history
line clicked, and the version resources of both programs. Its layout at 100, 150 and
200 % is in test_scaling.
"""

import unittest

import case
from case import h

TITLE = h.CALCULATOR_TITLE
CLIENT_TW = (6600, 4380)
# Class, text as the window opens, left, top, width, height in twips, in creation order
# (the Tab order first: the box, the copy button, the history).
DESIGN = [
    ("Edit", "", 840, 120, 5640, 345),
    ("Button", "コピー", 840, 1005, 1095, 375),
    ("ListBox", "", 840, 1500, 5640, 2760),
    ("Static", "式", 120, 165, 600, 255),
    ("Static", "結果", 120, 585, 600, 255),
    ("Static", "", 840, 540, 5640, 345),
    ("Static", "", 2055, 1065, 4425, 255),
    ("Static", "履歴", 120, 1560, 600, 255),
]
BOX, COPY, HISTORY, RESULT, STATUS = 0, 1, 2, 5, 6
WS_VSCROLL = 0x00200000
SENTINEL = "clipboard before"


def controls(test):
    return test.s.wait_window(TITLE, exact=True)["children"]


def wait_result(test, expected, box=None):
    """Waits until the result line (and the box, if given) read as expected."""
    def done():
        c = controls(test)
        return c[RESULT]["text"] == expected and (box is None or c[BOX]["text"] == box)
    try:
        h.wait_until(done, 5, f"result {expected!r}")
    except TimeoutError:
        c = controls(test)
        test.fail(f"box {c[BOX]['text']!r} shows {c[RESULT]['text']!r}, not {expected!r}")


def check_layout(test, window):
    """Client size and every control where the twips design puts it, within 1 px."""
    scale = test.s.dpi() / 1440
    size = window["client_size"]
    test.assertLessEqual(abs(size["width"] - CLIENT_TW[0] * scale), 1)
    test.assertLessEqual(abs(size["height"] - CLIENT_TW[1] * scale), 1)
    test.assertEqual([(c["class"].lower(), c["text"]) for c in window["children"]],
                     [(cls.lower(), text) for cls, text, *_ in DESIGN])
    ox, oy = window["client_origin"]["x"], window["client_origin"]["y"]
    for child, (cls, text, left, top, width, height) in zip(window["children"], DESIGN):
        r = child["rect"]
        have = (r["left"] - ox, r["top"] - oy, r["right"] - ox, r["bottom"] - oy)
        want = (left * scale, top * scale, (left + width) * scale, (top + height) * scale)
        test.assertTrue(all(abs(a - b) <= 1 for a, b in zip(have, want)), (cls, text, have, want))


class CalculatorTest(h.SessionCase):
    """Each test starts its own calculator."""

    def setUp(self):
        super().setUp()
        self.proc = self.s.start_calculator()
        self.window = self.s.wait_window(TITLE, exact=True, timeout=30)
        self.s.focus(TITLE)

    def text(self, index):
        return controls(self)[index]["text"]

    def wait_clipboard(self, expected):
        try:
            h.wait_until(lambda: self.s.probe("clipboard")["text"] == expected, 5, f"clipboard {expected!r}")
        except TimeoutError:
            self.assertEqual(self.s.probe("clipboard")["text"], expected)

    def enter(self, text, result):
        """Types an expression into the empty box, checks the live result, presses Enter."""
        self.s.type_text(text)
        wait_result(self, result, box=text)
        self.s.key("Return")
        wait_result(self, result, box="")

    def click_control(self, index):
        r = controls(self)[index]["rect"]
        self.s.click_at((r["left"] + r["right"]) // 2, (r["top"] + r["bottom"]) // 2, focus_title=TITLE)

    def test_window_is_a_topmost_main_window_in_front_that_closes(self):
        w = self.window
        self.assertEqual(w["owner"], "0x0")
        ex = int(w["exstyle"], 16)
        self.assertTrue(w["topmost"] and ex & 0x8)                 # WS_EX_TOPMOST
        self.assertTrue(ex & 0x40000, "no taskbar entry")         # WS_EX_APPWINDOW
        self.assertFalse(ex & 0x80)                                # not WS_EX_TOOLWINDOW
        self.assertTrue(int(w["style"], 16) & 0x20000)             # WS_MINIMIZEBOX
        self.assertEqual(self.s.probe("list")["foreground"]["hwnd"], w["hwnd"])
        self.s.close_window(TITLE)
        self.assertEqual(self.proc.wait_exit(15), 0)

    def test_typing_enter_history_ans_and_an_error_in_the_result_line(self):
        self.s.type_text("2*(3+4")
        wait_result(self, "7文字目: 「)」が必要です。")
        self.s.type_text(")")
        wait_result(self, "14", box="2*(3+4)")
        # Enter: the value stays shown and the box empties for the next expression.
        self.s.key("Return")
        wait_result(self, "14", box="")
        steps = [("ans+1", "15"), ("sin(30)*ans", "7.5"), ("-pi", "-3.14159265358979"),
                 ("sqrt(2)*10", "14.142135623731"), ("atan(1)+acos(0.5)", "105")]
        for text, result in steps:
            with self.subTest(text=text):
                self.enter(text, result)
        # A line with an error goes into the history and stays in the box to be corrected.
        self.s.type_text("ans/0")
        wait_result(self, "0で割ることはできません。", box="ans/0")
        self.s.key("Return")
        h.wait_until(lambda: controls(self)[HISTORY]["items"][0] == "ans/0 → 0で割ることはできません。", 5,
                     "the error line in the history")
        wait_result(self, "0で割ることはできません。", box="ans/0")
        self.s.key("BackSpace")
        self.s.type_text("5")
        wait_result(self, "21", box="ans/5")
        self.s.key("Return")
        # Only the last ten lines are kept, newest first, and all ten show without scrolling.
        for n in range(1, 4):
            self.enter(f"{n}+{n}", str(2 * n))
        history = controls(self)[HISTORY]
        self.assertEqual(history["items"], ["3+3 = 6", "2+2 = 4", "1+1 = 2", "ans/5 = 21", "ans/0 → 0で割ることはできません。"]
                         + [f"{t} = {r}" for t, r in reversed(steps)])
        self.assertFalse(int(history["style"], 16) & WS_VSCROLL, f"lines of {history['item_height']} px")
        self.s.screenshot("calculator-history.png", self.s.wait_window(TITLE, exact=True)["rect"])

    def test_copy_button_and_ctrl_c_give_coordinate_text(self):
        self.s.probe("setclipboard", SENTINEL)
        self.s.type_text("sqrt(2)*1000")
        wait_result(self, "1414.2135623731")
        self.s.click_child(TITLE, "コピー")
        self.wait_clipboard("1414.2136")
        self.assertEqual(self.text(STATUS), "コピーしました: 1414.2136")
        # Ctrl+C in the box without a selection copies the result; typing clears the status.
        self.click_control(BOX)
        self.s.key("End")
        self.s.type_text("/3")
        wait_result(self, "471.404520791032")
        self.assertEqual(self.text(STATUS), "")
        self.s.key("ctrl+c")
        self.wait_clipboard("471.4045")
        # With part of the box selected, Ctrl+C copies that part, as in any box.
        self.s.key("Home", *["shift+Right"] * 4, "ctrl+c")
        self.wait_clipboard("sqrt")
        # An error leaves the clipboard alone and says why.
        self.s.key("End", "shift+Home", "BackSpace")
        self.s.probe("setclipboard", SENTINEL)
        self.s.type_text("1/0")
        wait_result(self, "0で割ることはできません。", box="1/0")
        self.s.key("ctrl+c")
        h.wait_until(lambda: self.text(STATUS) == "コピーする結果がありません。", 5, "the status")
        self.assertEqual(self.s.probe("clipboard")["text"], SENTINEL)
        # After Enter the box is empty and Ctrl+C, from the history list too, copies the value.
        self.s.key("End", "shift+Home", "BackSpace")
        self.enter("12.5*2", "25")
        self.s.key("ctrl+c")
        self.wait_clipboard("25")
        self.s.probe("setclipboard", SENTINEL)
        self.s.key("Tab", "Tab")  # the copy button, then the history
        self.s.key("ctrl+c")
        self.wait_clipboard("25")
        self.s.screenshot("calculator-copied.png", self.s.wait_window(TITLE, exact=True)["rect"])

    def test_history_line_click_puts_the_expression_back(self):
        self.enter("6*7", "42")
        self.enter("ans-2", "40")
        history = controls(self)[HISTORY]
        r, line = history["rect"], history["item_height"]
        # The older line, second from the top: its expression comes back with its value.
        self.s.click_at((r["left"] + r["right"]) // 2, r["top"] + 2 + line + line // 2, focus_title=TITLE)
        wait_result(self, "42", box="6*7")
        # Editing it evaluates as usual, with today's `ans`.
        self.click_control(BOX)
        self.s.key("End")
        self.s.type_text("+ans")
        wait_result(self, "82", box="6*7+ans")

    def test_calculator_and_toolbar_carry_version_1_32(self):
        for exe, description in (("KeloMenu.exe", "Kelo Menu toolbar"), (h.CALCULATOR_EXE, "Kelo Menu calculator")):
            with self.subTest(exe=exe):
                info = self.s.probe("version", h.unix_to_wine_path(h.exe_path(exe)))
                self.assertEqual(info["file_version"], [1, 32, 0, 0])
                self.assertEqual(info["product_version"], [1, 32, 0, 0])
                self.assertEqual(info["strings"], {
                    "CompanyName": "Kelo Menu", "FileDescription": description, "FileVersion": "1.32",
                    "InternalName": exe, "LegalCopyright": "Copyright (C) 2026 Kelo Menu developers",
                    "OriginalFilename": exe, "ProductName": "Kelo Menu", "ProductVersion": "1.32"})


if __name__ == "__main__":
    unittest.main()
