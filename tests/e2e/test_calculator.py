"""KeloCalculator.EXE under Wine: typing with real keys, Enter, history and `ans`, error
lines, the copy button and Ctrl+C on the clipboard, its window as laid out at 100, 150 and
200 %, and the version resources of both programs (see tools/e2e/harness.py).

Run: python3 tests/e2e/run_all.py -k calculator
"""

import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "e2e"))
import harness as h  # noqa: E402

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
WS_MINIMIZEBOX, WS_VSCROLL = 0x00020000, 0x00200000
WS_EX_TOPMOST, WS_EX_TOOLWINDOW, WS_EX_APPWINDOW = 0x8, 0x80, 0x40000
SENTINEL = "clipboard before"
NOTHING = "コピーする結果がありません。"


class CalculatorCase(h.SessionCase):
    """Each test starts its own calculator."""

    def setUp(self):
        super().setUp()
        self.proc = self.s.start_calculator()
        self.window = self.s.wait_window(TITLE, exact=True, timeout=30)
        self.s.focus(TITLE)

    # -- reading the window -------------------------------------------------------------

    def controls(self):
        return self.s.wait_window(TITLE, exact=True)["children"]

    def text(self, index):
        return self.controls()[index]["text"]

    def history(self):
        return self.controls()[HISTORY]["items"]

    def wait_result(self, expected, box=None):
        """Waits until the result line (and the box, if given) read as expected."""
        def done():
            c = self.controls()
            return c[RESULT]["text"] == expected and (box is None or c[BOX]["text"] == box)
        try:
            h.wait_until(done, 5, f"result {expected!r}")
        except TimeoutError:
            c = self.controls()
            self.fail(f"box {c[BOX]['text']!r} shows {c[RESULT]['text']!r}, not {expected!r}")

    def clipboard(self):
        return self.s.probe("clipboard")["text"]

    def wait_clipboard(self, expected):
        try:
            h.wait_until(lambda: self.clipboard() == expected, 5, f"clipboard {expected!r}")
        except TimeoutError:
            self.assertEqual(self.clipboard(), expected)

    # -- typing -------------------------------------------------------------------------

    def clear_box(self):
        self.s.key("Home", "shift+End", "BackSpace")
        self.wait_result("", box="")

    def enter(self, text, result):
        """Types an expression into the empty box, checks the live result, presses Enter."""
        self.s.type_text(text)
        self.wait_result(result, box=text)
        self.s.key("Return")


class CalculatorTest(CalculatorCase):
    def test_calculator_window_is_a_topmost_main_window_with_japanese_labels(self):
        w = self.window
        self.assertEqual(w["owner"], "0x0")
        ex = int(w["exstyle"], 16)
        self.assertTrue(w["topmost"] and ex & WS_EX_TOPMOST)
        self.assertTrue(ex & WS_EX_APPWINDOW, "no taskbar entry")
        self.assertFalse(ex & WS_EX_TOOLWINDOW)
        self.assertTrue(int(w["style"], 16) & WS_MINIMIZEBOX)
        self.assertEqual([(c["class"].lower(), c["text"]) for c in w["children"]],
                         [(cls.lower(), text) for cls, text, *_ in DESIGN])
        self.assertEqual(self.s.probe("list")["foreground"]["hwnd"], w["hwnd"])

        self.s.close_window(TITLE)
        self.assertEqual(self.proc.wait_exit(15), 0)

    def test_calculator_typing_enter_history_and_ans(self):
        self.s.type_text("2*(3+4")
        self.wait_result("7文字目: 「)」が必要です。")
        self.s.type_text(")")
        self.wait_result("14", box="2*(3+4)")
        # Enter: the value stays shown and the box empties for the next expression.
        self.s.key("Return")
        self.wait_result("14", box="")
        self.assertEqual(self.history(), ["2*(3+4) = 14"])

        steps = [("ans+1", "15"), ("ans/2^2", "3.75"), ("sin(30)*ans", "1.875"),
                 ("sqrt(2)*10", "14.142135623731"), ("-pi", "-3.14159265358979"),
                 ("atan(1)+acos(0.5)", "105")]
        for text, result in steps:
            with self.subTest(text=text):
                self.enter(text, result)
                self.wait_result(result, box="")
        self.assertEqual(self.history(), [f"{t} = {r}" for t, r in reversed(steps)] + ["2*(3+4) = 14"])

        # A line with an error goes into the history and stays in the box to be corrected.
        self.s.type_text("ans/0")
        self.wait_result("0で割ることはできません。", box="ans/0")
        self.s.key("Return")
        time.sleep(0.3)
        self.wait_result("0で割ることはできません。", box="ans/0")
        self.assertEqual(self.history()[0], "ans/0 → 0で割ることはできません。")
        self.s.key("BackSpace")
        self.s.type_text("3")
        self.wait_result("35", box="ans/3")

        # Only the last ten lines are kept, newest first, and all ten show without scrolling.
        self.s.key("Return")
        self.wait_result("35", box="")
        for n in range(1, 4):
            self.enter(f"{n}+{n}", str(2 * n))
        history = self.history()
        self.assertEqual(len(history), 10)
        self.assertEqual(history[:4], ["3+3 = 6", "2+2 = 4", "1+1 = 2", "ans/3 = 35"])
        self.assertEqual(history[-1], "ans/2^2 = 3.75")
        list_box = self.controls()[HISTORY]
        self.assertFalse(int(list_box["style"], 16) & WS_VSCROLL, f"lines of {list_box['item_height']} px")
        self.s.screenshot("calculator-history.png", self.s.wait_window(TITLE, exact=True)["rect"])

    def test_calculator_bad_expressions_show_one_line_reason(self):
        cases = [
            ("2+", "3文字目: 数値または「(」が必要です。"),
            ("sin30", "4文字目: 「(」が必要です。"),
            ("2 3", "3文字目: 演算子が必要です。"),
            ("1+2)", "4文字目: 対応する「(」のない「)」です。"),
            ("foo+1", "1文字目: 知らない名前「foo」です。"),
            ("2#3", "2文字目: 使えない文字「#」です。"),
            ("1..2", "3文字目: 小数点が2つあります。"),
            ("1/0", "0で割ることはできません。"),
            ("sqrt(-1)", "sqrt: 負の数の平方根は計算できません。"),
            ("tan(90)", "tan: 90°+180°×nでは値がありません。"),
            ("asin(2)", "asin: -1から1までの値が必要です。"),
            ("10^400", "結果が大きすぎます。"),
        ]
        for text, reason in cases:
            with self.subTest(text=text):
                self.s.type_text(text)
                self.wait_result(reason, box=text)
                self.clear_box()
        self.assertTrue(self.proc.running())
        self.s.type_text("1/0")
        self.wait_result("0で割ることはできません。")
        self.s.screenshot("calculator-error.png", self.s.wait_window(TITLE, exact=True)["rect"])

    def test_calculator_copy_button_and_ctrl_c_give_coordinate_text(self):
        self.s.probe("setclipboard", SENTINEL)
        self.s.type_text("sqrt(2)*1000")
        self.wait_result("1414.2135623731")
        self.s.click_child(TITLE, "コピー")
        self.wait_clipboard("1414.2136")
        self.assertEqual(self.text(STATUS), "コピーしました: 1414.2136")

        # Ctrl+C in the box without a selection copies the result; typing clears the status.
        self.s.click_at(*self.centre(self.controls()[BOX]), focus_title=TITLE)
        self.s.key("End")
        self.s.type_text("/3")
        self.wait_result("471.404520791032")
        self.assertEqual(self.text(STATUS), "")
        self.s.key("ctrl+c")
        self.wait_clipboard("471.4045")

        # With part of the box selected, Ctrl+C copies that part, as in any box.
        self.s.key("Home", "shift+Right", "shift+Right", "shift+Right", "shift+Right", "ctrl+c")
        self.wait_clipboard("sqrt")

        # Small, negative and exact values; an error or a huge value leaves the clipboard alone.
        cases = [("-1/8", "-0.125"), ("0.00004", "0"), ("2/3", "0.6667"), ("100", "100"),
                 ("1/0", None), ("1e15", None), ("2+", None)]
        for text, copied in cases:
            with self.subTest(text=text):
                self.s.key("End")
                self.clear_box()
                self.s.probe("setclipboard", SENTINEL)
                self.s.type_text(text)
                h.wait_until(lambda: self.text(BOX) == text, 5, "the box")
                self.s.key("ctrl+c")
                reasons = {"1e15": "絶対値が1E15以上の値はコピーできません。"}
                status = f"コピーしました: {copied}" if copied else reasons.get(text, NOTHING)
                h.wait_until(lambda: self.text(STATUS) == status, 5, f"status {status!r}")
                self.assertEqual(self.clipboard(), copied or SENTINEL)

        # After Enter the box is empty and Ctrl+C, from the history list too, copies the value.
        self.s.key("End")
        self.clear_box()
        self.enter("12.5*2", "25")
        self.wait_result("25", box="")
        self.s.key("ctrl+c")
        self.wait_clipboard("25")
        self.s.probe("setclipboard", SENTINEL)
        self.s.key("Tab", "Tab")  # the copy button, then the history
        self.s.key("ctrl+c")
        self.wait_clipboard("25")
        self.s.screenshot("calculator-copied.png", self.s.wait_window(TITLE, exact=True)["rect"])

    def test_calculator_history_line_click_puts_expression_back(self):
        self.enter("6*7", "42")
        self.enter("ans-2", "40")
        self.wait_result("40", box="")
        list_box = self.controls()[HISTORY]
        r = list_box["rect"]
        line = list_box["item_height"]
        # The older line, second from the top: its expression comes back with its value.
        self.s.click_at((r["left"] + r["right"]) // 2, r["top"] + 2 + line + line // 2, focus_title=TITLE)
        self.wait_result("42", box="6*7")
        # Editing it evaluates as usual, with today's `ans`.
        self.s.click_at(*self.centre(self.controls()[BOX]))
        self.s.key("End")
        self.s.type_text("+ans")
        self.wait_result("82", box="6*7+ans")

    @staticmethod
    def centre(control):
        r = control["rect"]
        return (r["left"] + r["right"]) // 2, (r["top"] + r["bottom"]) // 2


class CalculatorVersionTest(unittest.TestCase):
    def test_calculator_and_toolbar_carry_version_1_32(self):
        with h.Session() as s:
            for exe, description in (("KeloMenu.exe", "Kelo Menu toolbar"),
                                     (h.CALCULATOR_EXE, "Kelo Menu calculator")):
                with self.subTest(exe=exe):
                    info = s.probe("version", h.unix_to_wine_path(h.exe_path(exe)))
                    self.assertEqual(info["file_version"], [1, 32, 0, 0])
                    self.assertEqual(info["product_version"], [1, 32, 0, 0])
                    self.assertEqual(info["strings"], {
                        "CompanyName": "Kelo Menu", "FileDescription": description, "FileVersion": "1.32",
                        "InternalName": exe, "LegalCopyright": "Copyright (C) 2026 Kelo Menu developers",
                        "OriginalFilename": exe, "ProductName": "Kelo Menu", "ProductVersion": "1.32"})


def layout_matches(test, window, dpi):
    """Client size and every control where the twips design puts it at dpi, within 1 px."""
    scale = dpi / 1440
    size = window["client_size"]
    test.assertLessEqual(abs(size["width"] - CLIENT_TW[0] * scale), 1)
    test.assertLessEqual(abs(size["height"] - CLIENT_TW[1] * scale), 1)
    ox, oy = window["client_origin"]["x"], window["client_origin"]["y"]
    for child, (cls, text, left, top, width, height) in zip(window["children"], DESIGN):
        with test.subTest(control=(cls, text, left, top)):
            r = child["rect"]
            have = (r["left"] - ox, r["top"] - oy, r["right"] - ox, r["bottom"] - oy)
            want = (left * scale, top * scale, (left + width) * scale, (top + height) * scale)
            test.assertTrue(all(abs(a - b) <= 1 for a, b in zip(have, want)), (have, want))


class CalculatorLayoutTest(CalculatorCase):
    def test_calculator_layout_at_100_percent(self):
        self.assertEqual(self.s.dpi(), 96)
        layout_matches(self, self.window, 96)


class CalculatorHighDpiTest(CalculatorCase):
    """The window at 150 %; the subclass below repeats it at 200 %."""
    dpi = 144
    screen = (2880, 1620)

    def test_calculator_layout_scales_with_the_display(self):
        self.assertEqual(self.s.dpi(), self.dpi)
        layout_matches(self, self.window, self.dpi)
        # Ten history lines still fit without a scroll bar, and the error line in one line.
        for n in range(10):
            self.enter(f"{n}*1.5", str(n * 1.5).removesuffix(".0"))
        self.s.type_text("(8-2)^(1/3)*")
        self.wait_result("13文字目: 数値または「(」が必要です。")
        window = self.s.wait_window(TITLE, exact=True)
        list_box = window["children"][HISTORY]
        self.assertEqual(len(list_box["items"]), 10)
        self.assertFalse(int(list_box["style"], 16) & WS_VSCROLL, f"lines of {list_box['item_height']} px")
        self.s.screenshot(f"calculator-{self.dpi * 100 // 96}.png", window["rect"])


class CalculatorDoubleDpiTest(CalculatorHighDpiTest):
    dpi = 192
    screen = (3840, 2160)


if __name__ == "__main__":
    unittest.main()
