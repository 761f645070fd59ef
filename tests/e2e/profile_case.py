"""What the profile dialogs' end-to-end tests share: the dialogs' places and texts, and
a test case that starts the toolbar (expanded: the profile buttons are in the lower
band) beside the stand-in host and reads and fills the real dialogs' boxes.
"""

import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "e2e"))
import harness as h  # noqa: E402

STARTUP = "^CDIM_CATCH_ANGLE 1\r"
# Toolbar buttons in the lower band (twips, client area).
FACE_BUTTON = (7800, 1200, 490, 490)
LONG_BUTTON = (7320, 1200, 490, 490)
TAPER_BUTTON = (6840, 1200, 490, 490)
FACE, LONG, TAPER = "端面", "長手", "テーパー"
ARC1_BUTTON = (5880, 1200, 490, 490)
ARC2_BUTTON = (6360, 1200, 490, 490)
ARC1, ARC2 = "円弧凹", "円弧凸"
BUTTONS = {FACE: FACE_BUTTON, LONG: LONG_BUTTON, TAPER: TAPER_BUTTON, ARC1: ARC1_BUTTON, ARC2: ARC2_BUTTON}
BOX_COUNT = {FACE: 3, LONG: 4, TAPER: 6, ARC1: 7, ARC2: 7}
CLIENT_TW = {FACE: (4935, 1800), LONG: (5055, 2190), TAPER: (4815, 3255), ARC1: (4815, 3705), ARC2: (4815, 3645)}
ARC_LABELS = ["始点 X", "始点 Z", "半径 R", "中心 X", "中心 Z", "終点 X", "終点 Z"]
LABELS = {FACE: ["始点 X", "始点 Z", "終点 X"],
          LONG: ["始点 X", "始点 Z", "相対 Z", "終点 Z"],
          TAPER: ["始点 X", "始点 Z", "角度 A", "終点 X", "相対 Z", "終点 Z"],
          ARC1: ARC_LABELS, ARC2: ARC_LABELS}
BUTTON_LEFT = {FACE: 3480, LONG: 3480, TAPER: 3360, ARC1: 3240, ARC2: 3240}
BOX_LEFT, BOX_WIDTH, BOX_HEIGHT, FIRST_TOP, ROW = 1680, 1095, 375, 240, 480
OK, CANCEL = "OK", "ｷｬﾝｾﾙ"
NO_HOST = "始めにアプリの設定または起動してください。"
QUIET_S = 0.5  # how long "nothing more happens" is watched
MARK = "7"     # typed to find out which box has the keyboard focus

def box_place(n):
    return (BOX_LEFT, FIRST_TOP + ROW * (n - 1), BOX_WIDTH, BOX_HEIGHT)


def is_dialog(window):
    return any(c["class"].lower() == "edit" for c in window.get("children", []))


def line(text):
    """What one OK types: the opening cancel, the line, Enter and the closing cancel."""
    return f"^C{text}\r^C"


class ProfileCase(h.SessionCase):
    """Each test starts the programs afresh."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.session.registry_clear()
        cls.session.registry_write({"EXTEND": "True"})  # the profile buttons are in the lower band

    def setUp(self):
        super().setUp()
        self.host = None

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

    def press_ok(self, title):
        """Clicks OK and waits until the dialog has closed."""
        self.click(title, OK)
        self.s.wait_no_window(title, exact=True)

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
