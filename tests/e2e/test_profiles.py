"""Face, longitudinal and taper dialogs, driven through the real toolbar under Wine with
real keys and clicks; what the stand-in host receives is checked character by character
(see tools/e2e/harness.py).

Run: python3 -m unittest tests/e2e/test_profiles.py
"""

import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "e2e"))
import harness as h  # noqa: E402

STARTUP = "^CDIM_CATCH_ANGLE 1\r"
# Toolbar buttons in the lower band (twips, client area).
FACE_BUTTON = (7800, 1200, 490, 490)
LONG_BUTTON = (7320, 1200, 490, 490)
TAPER_BUTTON = (6840, 1200, 490, 490)
FACE, LONG, TAPER = "端面", "長手", "テーパー"
BUTTONS = {FACE: FACE_BUTTON, LONG: LONG_BUTTON, TAPER: TAPER_BUTTON}
BOX_COUNT = {FACE: 3, LONG: 4, TAPER: 6}
CLIENT_TW = {FACE: (4935, 1800), LONG: (5055, 2190), TAPER: (4815, 3255)}
LABELS = {FACE: ["始点 X", "始点 Z", "終点 X"],
          LONG: ["始点 X", "始点 Z", "相対 Z", "終点 Z"],
          TAPER: ["始点 X", "始点 Z", "角度 A", "終点 X", "相対 Z", "終点 Z"]}
BUTTON_LEFT = {FACE: 3480, LONG: 3480, TAPER: 3360}
BOX_LEFT, BOX_WIDTH, BOX_HEIGHT, FIRST_TOP, ROW = 1680, 1095, 375, 240, 480
OK, CANCEL = "OK", "ｷｬﾝｾﾙ"
NO_HOST = "始めにアプリの設定または起動してください。"
QUIET_S = 0.5  # how long "nothing more happens" is watched
MARK = "7"     # typed to find out which box has the keyboard focus

session = None


def setUpModule():
    global session
    session = h.Session().__enter__()
    session.registry_clear()
    session.registry_write({"EXTEND": "True"})  # the profile buttons are in the lower band


def tearDownModule():
    if session is not None:
        session.__exit__(None, None, None)


def box_place(n):
    return (BOX_LEFT, FIRST_TOP + ROW * (n - 1), BOX_WIDTH, BOX_HEIGHT)


def is_dialog(window):
    return any(c["class"].lower() == "edit" for c in window.get("children", []))


def line(text):
    """What one OK types: the opening cancel, the line, Enter and the closing cancel."""
    return f"^C{text}\r^C"


class ProfileDialogsTest(unittest.TestCase):
    def setUp(self):
        self.s = session
        self.s.stop_all()
        self.host = None

    def tearDown(self):
        self.s.stop_all()

    # -- helpers ------------------------------------------------------------------------

    def start(self, with_host=True):
        if with_host:
            self.host = self.s.start_hostsim()
        self.s.start_kelomenu()
        self.s.wait_window(h.TOOLBAR_TITLE, timeout=30)
        if with_host:
            self.assert_sent(STARTUP)

    def open(self, title):
        self.s.click_control(h.TOOLBAR_TITLE, *BUTTONS[title])
        return self.dialog(title)

    def dialog(self, title):
        return self.s.wait_window(title, exact=True, predicate=is_dialog)

    def boxes(self, title):
        window = self.dialog(title)
        texts = []
        for n in range(1, BOX_COUNT[title] + 1):
            box = self.s.control_at(window, *box_place(n), cls="Edit")
            self.assertIsNotNone(box, f"{title}: no text box {n} at {box_place(n)}")
            texts.append(box["text"])
        return texts

    def assert_boxes(self, title, expected, timeout=3.0):
        """Waits for the boxes (Text1, Text2 ...) to show expected; None: any text."""
        def match():
            got = self.boxes(title)
            return all(e is None or e == g for e, g in zip(expected, got)) and got
        try:
            h.wait_until(match, timeout, f"{title} boxes {expected}", interval=0.03)
        except TimeoutError:
            pass
        got = self.boxes(title)
        self.assertEqual([g if e is not None else None for e, g in zip(expected, got)], expected,
                         f"{title} boxes")

    def set_box(self, title, n, text):
        # Ctrl+A does not select all in Wine's edit boxes.
        self.s.click_control(title, *box_place(n), exact=True)
        self.s.key("Home", "shift+End", "Delete")
        if text:
            self.type(text)

    def type(self, text):
        # xdotool takes a text that begins with "-" for an option.
        if text.startswith("-"):
            self.s.key("minus")
            text = text[1:]
        if text:
            self.s.type_text(text)

    def click(self, title, caption):
        window = self.dialog(title)
        c = self.s.child(window, text=caption, cls="Button")
        self.assertIsNotNone(c, f"no {caption!r} in {title}")
        r = c["rect"]
        self.s.click_at((r["left"] + r["right"]) // 2, (r["top"] + r["bottom"]) // 2,
                        focus_title=title)

    def sent(self):
        return self.host.log.received_text() if self.host else ""

    def assert_sent(self, expected):
        """The host has received exactly expected, and nothing follows."""
        if self.host is not None:
            try:
                self.host.log.wait_text(expected)
            except TimeoutError:
                pass  # the comparison below tells what came
        deadline = time.monotonic() + QUIET_S
        while True:
            self.assertEqual(self.sent(), expected)
            if time.monotonic() >= deadline:
                return
            time.sleep(0.05)

    def assert_open(self, title):
        self.assertTrue(self.s.windows(title, exact=True) and is_dialog(self.dialog(title)),
                        f"{title} closed")

    def focused_box(self, title):
        """Types MARK and sees which box takes it (then takes it away): the focused box's
        number, or 0 when no box has the focus."""
        before = self.boxes(title)
        self.s.key("End")  # Tab selects the whole text: the mark must not replace it
        self.type(MARK)
        try:
            got = h.wait_until(lambda: (lambda b: b != before and b)(self.boxes(title)), 1.0,
                               "a box to take the mark")
        except TimeoutError:
            return 0
        changed = [i + 1 for i, (a, b) in enumerate(zip(before, got)) if b == a + MARK]
        self.s.key("BackSpace")
        self.assert_boxes(title, before)
        self.assertEqual(len(changed), 1, f"{before} -> {got}")
        return changed[0]

    def wait_message(self, title, text, timeout=10.0):
        """The message box titled title whose text is text."""
        def find():
            for w in self.s.windows(title, exact=True):
                if self.s.child(w, text=text, cls="Static") is not None:
                    return w
            return None
        return h.wait_until(find, timeout, f"message {text!r} titled {title!r}")

    def dismiss(self, message):
        """Clicks the message box's OK once it is the active window."""
        c = self.s.child(message, text=OK, cls="Button")
        self.assertIsNotNone(c)
        r = c["rect"]
        h.wait_until(lambda: self.s.list_windows().get("foreground", {}).get("hwnd") == message["hwnd"],
                     5, "message box to be active")
        gone = lambda: not [w for w in self.s.windows(message["title"], exact=True)
                            if w["hwnd"] == message["hwnd"]]
        self.s.click_at((r["left"] + r["right"]) // 2, (r["top"] + r["bottom"]) // 2)
        h.wait_until(gone, 5, "message to go")

    def click_close_box(self, title):
        """Clicks the close box of the window's caption (drawn by Wine)."""
        w = self.dialog(title)
        r, o = w["rect"], w["client_origin"]
        border = o["x"] - r["left"]
        caption = o["y"] - r["top"] - border
        self.s.click_at(r["right"] - border - caption // 2 - 1, r["top"] + border + caption // 2,
                        focus_title=title)

    # -- a contour through all three dialogs ---------------------------------------------

    def test_contour_face_long_taper_chains_start_points(self):
        self.start()
        sent = STARTUP

        self.open(FACE)
        self.assert_boxes(FACE, ["0", "0", ""])
        self.assertEqual(self.focused_box(FACE), 3)  # end X has the focus on opening
        self.set_box(FACE, 1, "100")
        self.set_box(FACE, 3, "60")
        self.assert_boxes(FACE, ["100", "0", "60"])
        self.click(FACE, OK)
        self.s.wait_no_window(FACE, exact=True)
        sent += line("LINE TWO_PTS 0,50 0,30")
        self.assert_sent(sent)

        self.open(LONG)
        self.assert_boxes(LONG, ["60", "0", "", ""])
        # The focus is in relative Z; end Z follows every keystroke.
        for typed, end_z in (("-", "0"), ("2", "-2"), ("5", "-25")):
            self.type(typed)
            self.assert_boxes(LONG, ["60", "0", None, end_z])
        self.assert_boxes(LONG, ["60", "0", "-25", "-25"])
        self.s.key("Return")  # to end Z
        self.s.key("Return")  # to OK, not pressed
        self.assert_sent(sent)
        self.assert_open(LONG)
        self.s.key("Return")  # presses OK
        self.s.wait_no_window(LONG, exact=True)
        sent += line("LINE TWO_PTS 0,30 -25,30")
        self.assert_sent(sent)
        self.assertEqual(self.host.log.lines()[-2:], ["LINE TWO_PTS 0,50 0,30", "LINE TWO_PTS 0,30 -25,30"])

        self.open(TAPER)
        self.assert_boxes(TAPER, ["60", "-25", "", "", "", ""])
        self.type("30")  # the angle has the focus
        self.s.key("Return")
        self.type("80")
        self.assert_boxes(TAPER, ["60", "-25", "30", "80", "", ""])
        self.s.key("Return")  # leaving end X fills end Z
        self.assert_boxes(TAPER, ["60", "-25", "30", "80", "", "-7.6794"])
        self.s.screenshot("dialog-taper-filled.png", self.dialog(TAPER)["rect"])
        self.click(TAPER, OK)
        self.s.wait_no_window(TAPER, exact=True)
        sent += line("LINE TWO_PTS -25,30 -7.6794,40")
        self.assert_sent(sent)

        self.open(FACE)
        self.assert_boxes(FACE, ["80", "-7.6794", ""])
        self.s.screenshot("dialog-face-chained.png", self.dialog(FACE)["rect"])
        self.click(FACE, CANCEL)
        self.s.wait_no_window(FACE, exact=True)

        host = self.s.find_window(h.DEFAULT_HOST_TITLE, exact=True)
        self.s.screenshot("hostsim-contour.png", host["rect"])
        self.assert_sent(sent)

    # -- start Z as typed, radii, taper computations --------------------------------------

    def test_face_lines_keep_start_z_as_typed_and_halve_diameters(self):
        self.start()
        sent = STARTUP
        cases = [  # start X, start Z, end X -> line
            ("100", "5.0", "60", "LINE TWO_PTS 5.0,50 5,30"),
            ("25.5", "-3.50", "0.3", "LINE TWO_PTS -3.50,12.75 -3.5,0.15"),
        ]
        for start_x, start_z, end_x, expected in cases:
            with self.subTest(start_x=start_x, start_z=start_z, end_x=end_x):
                self.open(FACE)
                self.set_box(FACE, 1, start_x)
                self.set_box(FACE, 2, start_z)
                self.set_box(FACE, 3, end_x)
                self.click(FACE, OK)
                self.s.wait_no_window(FACE, exact=True)
                sent += line(expected)
                self.assert_sent(sent)
        # The end point, Z as a number, is the next start point.
        self.open(LONG)
        self.assert_boxes(LONG, ["0.3", "-3.5", "", ""])
        # The longitudinal line types its start Z unread, whatever it holds.
        self.set_box(LONG, 2, "abc")
        self.set_box(LONG, 4, "10")
        self.click(LONG, OK)
        self.s.wait_no_window(LONG, exact=True)
        self.assert_sent(sent + line("LINE TWO_PTS abc,0.15 10,0.15"))
        self.open(FACE)
        self.assert_boxes(FACE, ["0.3", "10", ""])

    def test_taper_angle_from_end_z_and_ok_click_runs_end_x_computation_first(self):
        self.start()
        self.open(TAPER)
        self.set_box(TAPER, 1, "100")
        self.set_box(TAPER, 2, "0")
        self.set_box(TAPER, 5, "-25")
        self.assert_boxes(TAPER, ["100", "0", "", "", "-25", "-25"])
        for end_x, angle in (("150", "135.0001"), ("50", "-134.9999"), ("100", "0.0001")):
            with self.subTest(end_x=end_x):
                self.set_box(TAPER, 3, "")
                self.set_box(TAPER, 4, end_x)
                self.s.click_control(TAPER, *box_place(6), exact=True)
                self.s.key("Return")  # leaving end Z computes the angle
                self.assert_boxes(TAPER, ["100", "0", angle, end_x, "-25", "-25"])

        # A click on OK while end X has the focus fills end Z first and sends that.
        self.set_box(TAPER, 1, "60")
        self.set_box(TAPER, 3, "45")
        self.set_box(TAPER, 4, "80")
        self.click(TAPER, OK)
        self.s.wait_no_window(TAPER, exact=True)
        self.assert_sent(STARTUP + line("LINE TWO_PTS 0,30 10.0001,40"))

    # -- keyboard ----------------------------------------------------------------------------

    def test_face_enter_walks_to_ok_then_presses_it_and_tab_follows_table(self):
        self.start()
        self.open(FACE)
        # Tab: OK, Cancel, end X, start Z, start X, then round again.
        self.assertEqual(self.focused_box(FACE), 3)
        self.s.key("Tab")
        self.assertEqual(self.focused_box(FACE), 2)
        self.s.key("Tab")
        self.assertEqual(self.focused_box(FACE), 1)
        self.s.key("Tab", "Tab", "Tab")  # OK, Cancel, end X
        self.assertEqual(self.focused_box(FACE), 3)

        self.set_box(FACE, 1, "100")
        self.set_box(FACE, 3, "60")
        self.s.click_control(FACE, *box_place(1), exact=True)
        self.s.key("End")
        self.s.key("Return")
        self.assertEqual(self.focused_box(FACE), 2)
        self.s.key("Return")
        self.assertEqual(self.focused_box(FACE), 3)
        self.s.key("Return")
        self.assertEqual(self.focused_box(FACE), 0)  # on OK
        self.assert_boxes(FACE, ["100", "0", "60"])
        self.assert_sent(STARTUP)
        self.assert_open(FACE)
        self.s.key("Return")
        self.s.wait_no_window(FACE, exact=True)
        self.assert_sent(STARTUP + line("LINE TWO_PTS 0,50 0,30"))

    # -- empty boxes, cancel, closing -----------------------------------------------------------

    def test_empty_required_box_shows_message_and_keeps_dialog(self):
        self.start()
        self.open(FACE)
        self.set_box(FACE, 1, "")
        self.set_box(FACE, 3, "60")
        self.click(FACE, OK)
        message = self.wait_message(FACE, "始点Xが未設定です。")
        self.s.screenshot("message-face-start-x.png", message["rect"])
        self.assert_sent(STARTUP)
        self.dismiss(message)
        self.assert_open(FACE)
        self.assert_boxes(FACE, ["", "0", "60"])
        # A start Z that is no number fails before the end X is tested.
        self.set_box(FACE, 1, "100")
        self.set_box(FACE, 2, "abc")
        self.set_box(FACE, 3, "")
        self.click(FACE, OK)
        message = self.wait_message(h.MESSAGE_TITLE, NO_HOST)
        self.assert_sent(STARTUP)
        self.dismiss(message)
        self.assert_open(FACE)
        self.click(FACE, CANCEL)
        self.s.wait_no_window(FACE, exact=True)

        # What the failed OK stored before its error stays stored, cancel or not; the
        # longitudinal dialog never reads its start Z as a number.
        self.open(LONG)
        self.assert_boxes(LONG, ["100", "abc", "", ""])
        self.click(LONG, OK)
        message = self.wait_message(LONG, "終点Zが未設定です。")
        self.assert_sent(STARTUP)
        self.dismiss(message)
        self.assert_open(LONG)
        self.assert_boxes(LONG, ["100", "abc", "", ""])
        self.click(LONG, CANCEL)
        self.s.wait_no_window(LONG, exact=True)
        self.assert_sent(STARTUP)

    def test_cancel_escape_and_close_box_keep_start_point(self):
        self.start()
        self.open(FACE)
        self.set_box(FACE, 1, "100")
        self.set_box(FACE, 2, "7")
        self.set_box(FACE, 3, "60")
        self.click(FACE, CANCEL)
        self.s.wait_no_window(FACE, exact=True)

        self.open(LONG)
        self.assert_boxes(LONG, ["0", "0", "", ""])
        self.type("-25")
        self.s.key("Escape")
        time.sleep(QUIET_S)
        self.assert_open(LONG)
        self.assert_boxes(LONG, ["0", "0", "-25", "-25"])
        self.click_close_box(LONG)
        self.s.wait_no_window(LONG, exact=True)

        self.open(TAPER)
        self.assert_boxes(TAPER, ["0", "0", "", "", "", ""])
        self.click(TAPER, CANCEL)
        self.s.wait_no_window(TAPER, exact=True)
        self.assert_sent(STARTUP)

    def test_ok_without_host_shows_message_and_keeps_dialog(self):
        self.start(with_host=False)
        self.open(FACE)
        self.type("60")
        self.click(FACE, OK)
        message = self.wait_message(h.MESSAGE_TITLE, NO_HOST)
        self.dismiss(message)
        self.assert_open(FACE)
        self.assert_boxes(FACE, ["0", "0", "60"])

    # -- looks -------------------------------------------------------------------------------

    def test_dialogs_place_labels_boxes_and_buttons_as_designed(self):
        self.start()
        for title in (FACE, LONG, TAPER):
            with self.subTest(title=title):
                window = self.open(title)
                self.assertEqual(window["owner"], self.s.find_window(h.TOOLBAR_TITLE)["hwnd"])
                cw, ch = CLIENT_TW[title]
                self.assertEqual((window["client_size"]["width"], window["client_size"]["height"]),
                                 (self.s.px(cw), self.s.px(ch)))
                ox, oy = window["client_origin"]["x"], window["client_origin"]["y"]
                for n in range(1, BOX_COUNT[title] + 1):
                    box = self.s.control_at(window, *box_place(n), cls="Edit")
                    r = box["rect"]
                    self.assertEqual((r["left"] - ox, r["top"] - oy, r["right"] - r["left"],
                                      r["bottom"] - r["top"]),
                                     tuple(self.s.px(v) for v in box_place(n)), f"box {n}")
                    label = self.s.child(window, text=LABELS[title][n - 1], cls="Static")
                    self.assertIsNotNone(label, f"label {LABELS[title][n - 1]!r}")
                    lr = label["rect"]
                    self.assertEqual(lr["left"] - ox, self.s.px(480))
                    self.assertLess(lr["top"], r["bottom"])  # beside its box
                    self.assertGreater(lr["bottom"], r["top"])
                for caption in (OK, CANCEL):
                    b = self.s.child(window, text=caption, cls="Button")["rect"]
                    self.assertEqual((b["left"] - ox, b["right"] - b["left"], b["bottom"] - b["top"]),
                                     (self.s.px(BUTTON_LEFT[title]), self.s.px(1215), self.s.px(375)))
                name = {FACE: "face", LONG: "long", TAPER: "taper"}[title]
                self.s.screenshot(f"dialog-{name}.png", window["rect"])
                self.click(title, CANCEL)
                self.s.wait_no_window(title, exact=True)


if __name__ == "__main__":
    unittest.main()
