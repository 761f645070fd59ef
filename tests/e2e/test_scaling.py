"""What only the real windows show at 100, 150 and 200 % scaling, one session each: the
toolbar laid out as designed, the toggles' colours read from screenshots and their
tooltips, the profile dialogs and the calculator laid out as designed.
"""

import unittest

import case
import test_calculator as tc
from case import h

LIGHT_CYAN = (192, 255, 255)


def button_look(test, name, shot):
    """The colours of the button's face inside its edge: (the four inner corners,
    {colour: count} over the inner area)."""
    r = test.s.child_at(test.window, *test.s.control_centre(test.window, *case.place(name)))["rect"]
    test.s.screenshot(shot, r)
    px = test.s.pixels(r)
    inset = 2 * test.s.dpi() // 96 + 1
    w, h_ = r["right"] - r["left"], r["bottom"] - r["top"]
    corners = {px[(x, y)] for x in (inset, w - 1 - inset) for y in (inset, h_ - 1 - inset)}
    counts = {}
    for (x, y), c in px.items():
        if inset <= x < w - inset and inset <= y < h_ - inset:
            counts[c] = counts.get(c, 0) + 1
    return corners, counts


class Scale100Test(case.ToolbarCase):
    """The checks at 100 %; the subclasses repeat them at 150 and 200 %."""

    def setUp(self):
        super().setUp()
        self.start_toolbar(case.FAST, reuse=True)
        self.pct = self.s.dpi() * 100 // 96

    def test_toolbar_layout_as_designed(self):
        self.assertEqual(self.s.dpi(), self.dpi)
        window = self.window
        self.s.screenshot(f"toolbar-{self.pct}.png", window["rect"])
        layout = case.tables()["layout"]
        self.assertLessEqual(abs(window["client_size"]["width"] - self.s.dpi() * layout["clientWidth"] / 1440), 1)
        self.assertLessEqual(abs(self.height() - self.s.dpi() * layout["expandedHeight"] / 1440), 1)
        origin = (window["client_origin"]["x"], window["client_origin"]["y"])
        children = [c for c in window["children"] if c["visible"]]
        for c in layout["controls"]:
            with self.subTest(control=c["name"]):
                want = [v * self.s.dpi() / 1440 for v in (c["left"], c["top"], c["left"] + c["width"],
                                                           c["top"] + c["height"])]
                found = [k for k in children if all(abs(a - b) <= 1 for a, b in zip(
                    (k["rect"]["left"] - origin[0], k["rect"]["top"] - origin[1],
                     k["rect"]["right"] - origin[0], k["rect"]["bottom"] - origin[1]), want))]
                self.assertEqual(len(found), 1, f"{c['name']} at {want}")

    def test_toggle_colours_and_tips_follow_the_clicks(self):
        face_corners, face = button_look(self, "DOT_GRID", f"toggle-{self.pct}-dot-grid-before.png")
        self.assertEqual(len(face_corners), 1, face_corners)
        face_colour = next(iter(face_corners))
        self.assertNotIn(LIGHT_CYAN, face)
        steps = [  # button, what the host receives, back colour and tooltip after it
            ("DOT_GRID", "^CDOT_GRID ON\r", LIGHT_CYAN, "ドット グリッド OFF"),
            ("SPOTLIGHT", "^CSPOTLIGHT ON\r", LIGHT_CYAN, "スポットライト OFF"),
            ("DOT_GRID", "^CDOT_GRID OFF\r", face_colour, "ドット グリッド ON"),
            ("SPOTLIGHT", "^CSPOTLIGHT OFF\r", face_colour, "スポットライト ON"),
        ]
        for i, (name, line, colour, tip) in enumerate(steps):
            with self.subTest(step=i, button=name):
                self.run_command(name, line)
                # The colour shows around the picture and through its transparent pixels.
                corners, counts = h.wait_until(lambda: (lambda look: look[0] == {colour} and look)(
                    button_look(self, name, f"toggle-{self.pct}-{i}-{name.lower()}.png")), 3, f"{name} {colour}")
                self.assertGreater(counts.get(colour, 0), sum(counts.values()) // 3, counts)
                if colour != LIGHT_CYAN:
                    self.assertNotIn(LIGHT_CYAN, counts)
                shown = self.tip_over(self.window, name)
                self.assertEqual(shown["title"], tip)
                if i == 0:
                    self.s.screenshot(f"toggle-{self.pct}-tip.png", case.union(self.window["rect"], shown["rect"]))
        self.assertTrue(self.keys.quiet())
        self.assert_no_message()

    def test_profile_dialogs_layout_as_designed(self):
        for title in DIALOG_DESIGN:
            with self.subTest(title=title):
                try:
                    check_dialog_layout(self, title, self.open(title))
                finally:
                    self.close_dialog(title, case.CANCEL)

    def test_calculator_layout_as_designed_with_ten_history_lines_and_an_error_in_one_line(self):
        self.s.start_calculator()
        self.s.focus(tc.TITLE)
        tc.check_layout(self, self.s.wait_window(tc.TITLE, exact=True))
        for n in range(10):
            self.s.type_text(f"{n}*1.5")
            tc.wait_result(self, str(n * 1.5).removesuffix(".0"))
            self.s.key("Return")
        self.s.type_text("(8-2)^(1/3)*")
        tc.wait_result(self, "13文字目: 数値または「(」が必要です。")
        window = self.s.wait_window(tc.TITLE, exact=True)
        history = window["children"][tc.HISTORY]
        self.assertEqual(len(history["items"]), 10)
        self.assertFalse(int(history["style"], 16) & tc.WS_VSCROLL, f"lines of {history['item_height']} px")
        self.s.screenshot(f"calculator-{self.pct}.png", window["rect"])
        self.s.close_window(tc.TITLE)
        self.s.wait_no_window(tc.TITLE, exact=True)


class Scale150Test(Scale100Test):
    dpi = 144
    screen = (2880, 1620)  # the toolbar is 1916 px wide at 144 DPI


class Scale200Test(Scale100Test):
    dpi = 192
    screen = (3840, 2160)  # 2554 px of toolbar, 427 px of margin


# The profile dialogs as designed, in twips: client size, the labels beside the boxes (one
# column from the top) and the left edge of OK and Cancel.
DIALOG_DESIGN = {
    case.FACE: ((4935, 1800), ["始点 X", "始点 Z", "終点 X"], 3480),
    case.LONG_DIALOG: ((5055, 2190), ["始点 X", "始点 Z", "相対 Z", "終点 Z"], 3480),
    case.TAPER: ((4815, 3255), ["始点 X", "始点 Z", "角度 A", "終点 X", "相対 Z", "終点 Z"], 3360),
    case.ARC1: ((4815, 3705), ["始点 X", "始点 Z", "半径 R", "中心 X", "中心 Z", "終点 X", "終点 Z"], 3240),
    case.ARC2: ((4815, 3645), ["始点 X", "始点 Z", "半径 R", "中心 X", "中心 Z", "終点 X", "終点 Z"], 3240),
}


def check_dialog_layout(test, title, window):
    """The dialog's size and every box, label and button as designed at the session's DPI."""
    px = test.s.px
    (width, height), labels, button_left = DIALOG_DESIGN[title]
    test.assertEqual(window["owner"], test.window["hwnd"])
    test.assertEqual((window["client_size"]["width"], window["client_size"]["height"]), (px(width), px(height)))
    ox, oy = window["client_origin"]["x"], window["client_origin"]["y"]
    edits = test.edits(title)
    test.assertEqual(len(edits), len(labels))
    for n, (box, text) in enumerate(zip(edits, labels)):
        r = box["rect"]
        test.assertEqual((r["left"] - ox, r["top"] - oy, r["right"] - r["left"], r["bottom"] - r["top"]),
                         (px(1680), px(240 + 480 * n), px(1095), px(375)), f"box {n + 1}")
        label = test.s.child(window, text=text, cls="Static")
        test.assertIsNotNone(label, f"label {text!r}")
        test.assertEqual(label["rect"]["left"] - ox, px(480))
        test.assertTrue(label["rect"]["top"] < r["bottom"] and label["rect"]["bottom"] > r["top"], "beside its box")
    for caption in (case.OK, case.CANCEL):
        b = test.s.child(window, text=caption, cls="Button")["rect"]
        test.assertEqual((b["left"] - ox, b["right"] - b["left"], b["bottom"] - b["top"]),
                         (px(button_left), px(1215), px(375)), caption)
    test.s.screenshot(f"dialog-{case.DIALOG_BUTTON[title].lower()}-{test.pct}.png", window["rect"])


if __name__ == "__main__":
    unittest.main()
