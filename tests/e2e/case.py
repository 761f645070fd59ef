"""What the end-to-end modules share: the toolbar's own tables as dump_tables prints them
(where each button is, what it types), the host's key log read as it grows, and a test
case that starts the toolbar beside the stand-in host and drives its buttons, dialogs and
message boxes as a person does.
"""

import functools
import os
import re
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "e2e"))
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "manual"))
import harness as h  # noqa: E402
import tables as toolbar_tables  # noqa: E402

LONG = os.environ.get("KELO_E2E_LONG") == "1"
STARTUP = "^CDIM_CATCH_ANGLE 1\r"
NO_HOST = "始めにアプリの設定または起動してください。"
FOREGROUND_TAKEN = ("ほかのウィンドウが前面に出たため、コマンドを中止しました。"
                    "そのウィンドウを閉じるか最小化してから、もう一度実行してください。")
# For tests that are not about the waits. Under Wine the toolbar takes the foreground back
# a moment after a modal window of its own has closed, which can cut a line typed at once.
FAST = {"EXTEND": "True", "DTime1": "0.1", "DTime2": "0"}
INJECTED = 0x4B454C4F  # extra info the toolbar puts on every key it types
MODIFIERS = {0x10: "shift", 0x11: "ctrl", 0x12: "alt", 0xA0: "lshift", 0xA1: "rshift", 0xA2: "lctrl",
             0xA3: "rctrl", 0xA4: "lalt", 0xA5: "ralt", 0x5B: "lwin", 0x5C: "rwin"}
QUIET_S = 0.3  # how long "nothing more arrives" is watched
FACE, LONG_DIALOG, TAPER, ARC1, ARC2 = "端面", "長手", "テーパー", "円弧凹", "円弧凸"
DIALOG_BUTTON = {FACE: "IN_FACE", LONG_DIALOG: "IN_LONG", TAPER: "IN_TAPER", ARC1: "ARC_1", ARC2: "ARC_2"}
OK, CANCEL = "OK", "ｷｬﾝｾﾙ"
TABLE, PREVIEW = "輪郭表", "輪郭"
MARK = "7"  # typed to find out which box has the keyboard focus


def runs(short: int, long: int) -> int:
    return long if LONG else short


# -- the toolbar's tables -----------------------------------------------------------------

@functools.cache
def tables() -> dict:
    return toolbar_tables.load(24)


def place(name: str) -> tuple:
    """(left, top, width, height) of a control in the toolbar's client area, in twips."""
    return toolbar_tables.place(tables(), name)


def command(name: str) -> dict:
    return next(c for c in tables()["commands"] if c["button"] == name)


def stream(name: str, shift: bool = False) -> str:
    """What a click on a typing button gives the host: "^C" for Ctrl+C, "\\r" for Enter."""
    row = command(name)
    steps = row["shift" if shift else "plain"]
    if not steps:
        return ""
    text = "^C" if row["opening"] == "full" else ""
    for step in steps:
        text += {"text": step.get("text"), "enter": "\r", "cancel": "^C"}[step["kind"]]
    return text


def typing_buttons() -> list[str]:
    """Every button whose click types a fixed stream (or nothing), in layout order."""
    kinds = {c["button"]: c["behaviour"] for c in tables()["commands"]}
    return [c["name"] for c in tables()["layout"]["controls"]
            if kinds.get(c["name"]) in ("Plain", "Sequence", "Inert")]


def units(text: str) -> int:
    return len(re.findall(r"\^C|.", text, re.S))


# -- the host's keys ----------------------------------------------------------------------

def key_lines(entries):
    """(kind, vk, extra) of every KEYDOWN / KEYUP in hostsim log entries."""
    out = []
    for kind, _, rest in entries:
        if kind in ("KEYDOWN", "KEYUP"):
            vk = int(re.search(r"vk=0x([0-9a-f]+)", rest).group(1), 16)
            extra = int(re.search(r"extra=0x([0-9a-f]+)", rest).group(1), 16)
            out.append((kind, vk, extra))
    return out


def modifiers_left_down(entries, allowed=()):
    """Modifier keys whose last message in the host was a key-down: the host's view."""
    down = {}
    for kind, vk, _ in key_lines(entries):
        if vk in MODIFIERS:
            down[vk] = kind == "KEYDOWN"
    return sorted(MODIFIERS[vk] for vk, d in down.items() if d and vk not in allowed)


class Keys:
    """hostsim's log read as it grows: a sweep's log reaches tens of thousands of lines."""

    def __init__(self, log):
        self.path = log.path
        self.tail = h.LogTail(log.path)
        self.events = []  # (kind, t_us, rest)
        self.text = []    # (t_us, "^C" or one character)

    def poll(self):
        for kind, t, rest in self.tail.read_new():
            self.events.append((kind, t, rest))
            if kind == "CHAR":
                u = int(re.match(r"u=0x([0-9a-f]+)", rest).group(1), 16)
                self.text.append((t, "^C" if u == 3 else chr(u)))
        return self

    def typed(self, start=0):
        return "".join(c for _, c in self.text[start:])

    def wait_typed(self, start, expected, timeout=5.0):
        """Waits until as many keys as expected holds arrived after index start."""
        try:
            h.wait_until(lambda: len(self.poll().text) - start >= units(expected), timeout, "keys", interval=0.01)
        except TimeoutError:
            pass
        return self.typed(start)

    def quiet(self, seconds=QUIET_S):
        n = len(self.poll().text)
        time.sleep(seconds)
        return len(self.poll().text) == n

    def faults(self, start_event, shift_held=False):
        """Keys without the toolbar's tag, and modifiers the host still sees down. While the
        user holds Shift the toolbar gives it back after typing (pressed again, tagged); its
        release then goes to the window with the X focus, the toolbar, so the host's view
        may end with Shift down in that case only."""
        events = self.events[start_event:]
        # The user's own Shift, held through the click, may reach the host as Wine moves the
        # X focus (as a real keyboard's would on Windows): it is not the toolbar's.
        # So may the release of a key pressed on a dialog (Enter on OK) once the host is in
        # front: a release the host never saw pressed.
        users = {0x10, 0xA0, 0xA1} if shift_held else set()
        untagged, pressed = [], set()
        for kind, vk, extra in key_lines(events):
            if extra == INJECTED or vk in users:
                continue
            if kind == "KEYDOWN":
                pressed.add(vk)
            if kind == "KEYDOWN" or vk in pressed:
                untagged.append(f"{kind} vk={vk:#x} extra={extra:#x}")
        return untagged + modifiers_left_down(events, users)

    def settled_faults(self, start_event, shift_held=False):
        """faults() once the key-ups after the last character have arrived (a line ending in
        "^C" has its C and Ctrl key-ups logged just after the character)."""
        deadline = time.monotonic() + 1.0
        while (found := self.poll().faults(start_event, shift_held)) and time.monotonic() < deadline:
            time.sleep(0.02)
        return found


def overlap(a, b):
    return a["left"] < b["right"] and b["left"] < a["right"] and a["top"] < b["bottom"] and b["top"] < a["bottom"]


def union(*rects):
    return {k: pick(r[k] for r in rects) for k, pick in (("left", min), ("top", min), ("right", max), ("bottom", max))}


def is_dialog(window):
    return any(c["class"].lower() == "edit" for c in window.get("children", []))


# -- the test case ------------------------------------------------------------------------

class ToolbarCase(h.SessionCase):
    """One session for the class; start_toolbar() starts the host and the toolbar, which
    tests may share (reuse)."""
    proc = host = keys = window = started = None

    def setUp(self):
        self.s = self.session

    def tearDown(self):
        # The programs may serve the next test (start_toolbar(reuse=True)): a failed test
        # must not leave a modal window in its way.
        for title in (*DIALOG_BUTTON, TABLE, h.MESSAGE_TITLE):
            if self.s.windows(title, exact=True):
                self.s.close_window(title)
                self.s.wait_no_window(title, exact=True)

    @classmethod
    def start_toolbar(cls, settings=None, host=True, exe=None, env=None, reuse=False):
        """Clears the settings store and the kept contour table, writes settings, starts
        the stand-in host (unless told not to) and the toolbar, and waits for the start-up
        command. reuse: keeps the programs that run if they were started with the same
        arguments."""
        s = cls.session
        how = (settings, host, exe, env)
        if reuse and cls.started == how and cls.proc.running() and (not host or cls.host.running()):
            return cls.window
        cls.started = how
        s.stop_all()
        s.registry_clear()
        s.forget_table()
        if settings:
            s.registry_write(settings)
        cls.host = s.start_hostsim() if host else None
        cls.keys = Keys(cls.host.log) if host else None
        cls.proc = s.start(exe or h.exe_path("KeloMenu.exe"), title=h.TOOLBAR_TITLE, env=env)
        cls.window = s.wait_window(h.TOOLBAR_TITLE, timeout=30)
        cls._xid = None
        if host:
            got = cls.keys.wait_typed(0, STARTUP, timeout=15)
            if got != STARTUP:
                raise AssertionError(f"start-up command: {got!r}")
        return cls.window

    def click(self, name, window=None):
        """Clicks the toolbar's button as a user would (X focus on the toolbar first);
        returns the CLOCK_MONOTONIC_RAW time in µs just after the button was released."""
        window = window or self.window
        self.focus_toolbar()
        self.s.click_at(*self.s.control_centre(window, *place(name)))
        return h.now_us()

    def focus_toolbar(self):
        if self._xid is None:
            type(self)._xid = self.s.x_window(h.TOOLBAR_TITLE)
        self.s.focus(self._xid)

    def run_command(self, name, expected=None, shift=False):
        """Clicks the button (with Shift held until the keys came) and checks the stream."""
        expected = stream(name, shift) if expected is None else expected
        start = len(self.keys.poll().text)
        if shift:
            got = self.shift_click(name, lambda: self.keys.wait_typed(start, expected))
        else:
            self.click(name)
            got = self.keys.wait_typed(start, expected)
        self.assertEqual(got, expected, name)
        return start

    def shift_click(self, name, until):
        """Clicks with Shift held until until() returns; returns what it returned."""
        with self.s.hold_shift():
            self.click(name)
            return until()

    def assert_typed_since(self, start, expected):
        """Since key index start the host has received exactly expected, and nothing follows."""
        self.assertEqual(self.keys.wait_typed(start, expected), expected)
        self.assertTrue(self.keys.quiet(), f"more keys after {expected!r}: {self.keys.typed(start)!r}")
        self.assertEqual(self.keys.typed(start), expected)

    def close_toolbar(self):
        self.s.close_window(h.TOOLBAR_TITLE)
        self.assertEqual(self.proc.wait_exit(15), 0)
        return self.s.registry_read()

    def tip_over(self, window, name, title_click=False):
        """The tooltip shown when the pointer rests on the button (after a click on the
        title bar, if asked)."""
        x, y = self.s.control_centre(window, *place(name))
        if title_click:
            r = window["rect"]
            self.s.click_at(r["left"] + 300, r["top"] + 8, focus_title=h.TOOLBAR_TITLE)
            # Under Wine a click on a caption it draws itself may start moving the window
            # when the button-up arrives early; Escape ends such a move where it began.
            self.s.key("Escape")
            self.s.wait_window(h.TOOLBAR_TITLE, predicate=lambda w: w["rect"] == window["rect"])

        def shown():
            return next((w for w in self.s.list_windows()["windows"]
                         if w["class"].lower() == "tooltips_class32" and w["visible"] and w["title"]), None)
        # A pointer that arrives while the window is still settling may go unnoticed, as it
        # would for a person: move off and back, then wait.
        for attempt in range(4):
            self.s.mouse_move(x - 25 - attempt, y)
            time.sleep(0.15)  # Wine merges pointer moves that follow each other at once
            self.s.mouse_move(x, y)
            try:
                return h.wait_until(shown, 3, "a tooltip", interval=0.1)
            except TimeoutError:
                continue
        self.fail(f"no tooltip over {name}")

    def height(self, window=None):
        r = (window or self.window)["rect"]
        return r["bottom"] - r["top"]

    # -- message boxes ------------------------------------------------------------------

    def messages(self, title=h.MESSAGE_TITLE, text=None):
        return [w for w in self.s.windows(title, exact=True) if w["class"] == "#32770"
                and (text is None or self.s.child(w, text=text, cls="Static"))]

    def wait_message(self, text, title=h.MESSAGE_TITLE, timeout=10.0):
        return h.wait_until(lambda: (self.messages(title, text) or [None])[0], timeout,
                            f"message {text!r} titled {title!r}")

    def dismiss(self, box, button="OK", wait_active=True):
        """Clicks the message box's button once the box is the active window."""
        if wait_active:
            h.wait_until(lambda: self.s.list_windows().get("foreground", {}).get("hwnd") == box["hwnd"],
                         5, "message box to be active")
        c = self.s.child(box, text=button, cls="Button")
        self.assertIsNotNone(c, f"no {button!r} in {box['title']!r}")
        r = c["rect"]
        self.s.click_at((r["left"] + r["right"]) // 2, (r["top"] + r["bottom"]) // 2, focus_title=box["title"])
        h.wait_until(lambda: all(w["hwnd"] != box["hwnd"] for w in self.s.windows(box["title"], exact=True)),
                     5, "message to go")

    def assert_no_message(self):
        self.assertEqual(self.messages(), [])

    # -- profile dialogs ----------------------------------------------------------------

    def dialog(self, title):
        return self.s.wait_window(title, exact=True, predicate=is_dialog)

    def open(self, title):
        self.click(DIALOG_BUTTON[title])
        window = self.dialog(title)
        self.s.focus(title)
        return window

    def edits(self, title):
        """The dialog's text boxes from the top down."""
        boxes = [c for c in self.dialog(title)["children"] if c["class"].lower() == "edit" and c["visible"]]
        return sorted(boxes, key=lambda c: (c["rect"]["top"], c["rect"]["left"]))

    def boxes(self, title):
        return [c["text"] for c in self.edits(title)]

    def assert_boxes(self, title, expected, timeout=3.0):
        """Waits for the boxes to show expected; None: any text."""
        def shown():
            got = self.boxes(title)
            return [g if e is not None else None for e, g in zip(expected, got)]
        try:
            h.wait_until(lambda: shown() == expected, timeout, f"{title} boxes {expected}", interval=0.03)
        except TimeoutError:
            pass
        self.assertEqual(shown(), expected, f"{title} boxes")

    def click_rect(self, r, title=None):
        self.s.click_at((r["left"] + r["right"]) // 2, (r["top"] + r["bottom"]) // 2, focus_title=title)

    def set_box(self, title, n, text):
        """Replaces the text of box n (from 1) as a user does (Ctrl+A selects nothing in Wine)."""
        self.click_rect(self.edits(title)[n - 1]["rect"], title)
        self.s.key("Home", "shift+End", "Delete")
        self.type(text)

    def type(self, text):
        self.s.type_value(text)

    def enter(self, *texts):
        self.s.enter_values(*texts)

    def press(self, title, caption):
        c = self.s.child(self.dialog(title), text=caption, cls="Button")
        self.assertIsNotNone(c, f"no {caption!r} in {title}")
        self.click_rect(c["rect"], title)

    def close_dialog(self, title, caption=OK):
        self.press(title, caption)
        self.s.wait_no_window(title, exact=True)

    def assert_open(self, title):
        self.assertTrue(any(is_dialog(w) for w in self.s.windows(title, exact=True)), f"{title} closed")

    def focused_box(self, title):
        """Types MARK and sees which box takes it (then takes it away): the focused box's
        number, or 0 when no box has the focus."""
        before = self.boxes(title)
        self.s.key("End")  # Tab selects the whole text: the mark must not replace it
        self.type(MARK)
        try:
            got = h.wait_until(lambda: (lambda b: b != before and b)(self.boxes(title)), 1.0, "a box to take the mark")
        except TimeoutError:
            return 0
        changed = [i + 1 for i, (a, b) in enumerate(zip(before, got)) if b == a + MARK]
        self.s.key("BackSpace")
        self.assert_boxes(title, before)
        self.assertEqual(len(changed), 1, f"{before} -> {got}")
        return changed[0]

    def restart_host(self):
        """Starts the stand-in host again (after a test stopped it), with a fresh log."""
        type(self).host = self.s.start_hostsim()
        type(self).keys = Keys(self.host.log)

