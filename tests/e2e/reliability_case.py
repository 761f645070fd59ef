"""What the reliability tests share: short or long runs, the toolbar's memory, message
boxes, the face and convex-arc dialogs driven as a person does, and the host's view of
the keys (tags, modifiers left down, the input method's state as each key arrived).

Long runs: `python3 tests/e2e/run_all.py --long -k reliability` (KELO_E2E_LONG=1).
"""

import os
import re
import time
from pathlib import Path

import test_buttons as tb
from test_buttons import h

LONG = os.environ.get("KELO_E2E_LONG") == "1"
NO_HOST = "始めにアプリの設定または起動してください。"
IME_OPEN = ("アプリの日本語入力がオンのため、コマンドを送れませんでした。"
            "日本語入力をオフにしてから、もう一度操作してください。")
FACE, ARC2 = "端面", "円弧凸"
MODIFIERS = {0x10: "shift", 0x11: "ctrl", 0x12: "alt", 0xA0: "lshift", 0xA1: "rshift", 0xA2: "lctrl",
             0xA3: "rctrl", 0xA4: "lalt", 0xA5: "ralt", 0x5B: "lwin", 0x5C: "rwin"}


def runs(short: int, long: int) -> int:
    return long if LONG else short


def is_windows_process(pid: int, exe: str) -> bool:
    """The Popen's pid runs the .exe itself (Wine's loader becomes the program)."""
    cmdline = Path(f"/proc/{pid}/cmdline").read_bytes().replace(b"\0", b" ").decode(errors="replace")
    return exe.lower() in cmdline.lower()


def key_lines(entries):
    """(kind, vk, extra) of every KEYDOWN / KEYUP in hostsim log entries."""
    out = []
    for kind, _, rest in entries:
        if kind in ("KEYDOWN", "KEYUP"):
            vk = int(re.search(r"vk=0x([0-9a-f]+)", rest).group(1), 16)
            extra = int(re.search(r"extra=0x([0-9a-f]+)", rest).group(1), 16)
            out.append((kind, vk, extra))
    return out


def modifiers_left_down(entries):
    """Modifier keys whose last message in the host was a key-down: the host's view."""
    down = {}
    for kind, vk, _ in key_lines(entries):
        if vk in MODIFIERS:
            down[vk] = kind == "KEYDOWN"
    return sorted(MODIFIERS[vk] for vk, d in down.items() if d)


class ReliabilityCase(tb.ToolbarCase):
    # -- message boxes --------------------------------------------------------------------

    def messages(self, text=None):
        boxes = self.s.windows(h.MESSAGE_TITLE, exact=True)
        return [b for b in boxes if text is None or self.s.child(b, text=text, cls="Static")]

    def wait_message(self, text, timeout=10.0):
        return h.wait_until(lambda: (self.messages(text) or [None])[0], timeout, f"message {text!r}")

    def dismiss(self, box):
        """Presses the message box's OK (the X focus goes to it first, as a click gives it)."""
        c = self.s.child(box, text="OK", cls="Button")
        r = c["rect"]
        self.s.click_at((r["left"] + r["right"]) // 2, (r["top"] + r["bottom"]) // 2, focus_title=h.MESSAGE_TITLE)
        h.wait_until(lambda: not [b for b in self.s.windows(h.MESSAGE_TITLE, exact=True) if b["hwnd"] == box["hwnd"]],
                     5, "message to go")

    # -- memory ---------------------------------------------------------------------------

    def memory(self):
        """(Linux private KiB of the toolbar's process, PrivateUsage bytes as winprobe reads it)."""
        self.assertTrue(is_windows_process(self.proc.pid, "KeloMenu.exe"))
        return h.linux_private_kib(self.proc.pid), self.s.probe("state", h.TOOLBAR_TITLE)["private"]

    # -- profile dialogs ------------------------------------------------------------------

    def dialog(self, title):
        return self.s.wait_window(title, exact=True,
                                  predicate=lambda w: any(c["class"].lower() == "edit" for c in w["children"]))

    def open_dialog(self, window, button, title):
        self.click(window, button)
        dialog = self.dialog(title)
        self.s.focus(title)
        return dialog

    def dialog_ok_by_keys(self, title, *texts):
        """From the focused box: types each text (None: nothing) and Enter; a last Enter on OK."""
        for text in texts:
            if text:
                if text.startswith("-"):
                    self.s.key("minus")
                    text = text[1:]
                self.s.type_text(text)
            self.s.key("Return")
        self.s.key("Return")
        self.s.wait_no_window(title, exact=True)


class Contour:
    """The start point the profile dialogs share, followed by the test: a face line to
    X 20 or 30, and from X 20 a convex quarter arc of radius 5 to X 30, 5 further in -Z."""

    def __init__(self):
        self.x, self.z = 0, 0

    def face(self, case: ReliabilityCase, window) -> str:
        to = 30 if self.x == 20 else 20
        case.open_dialog(window, "IN_FACE", FACE)
        case.dialog_ok_by_keys(FACE, str(to))
        sent = f"^CLINE TWO_PTS {self.z},{num(self.x / 2)} {self.z},{num(to / 2)}\r^C"
        self.x = to
        return sent

    def arc(self, case: ReliabilityCase, window) -> str:
        assert self.x == 20
        z, end = self.z, self.z - 5
        case.open_dialog(window, "ARC_2", ARC2)
        # Radius, past the centre boxes, end X, end Z; leaving end Z completes the centre.
        case.dialog_ok_by_keys(ARC2, "5", None, None, "30", str(end))
        sent = f"^CARC CEN_BEG_END {end},10\r{z},10\r{end},15\r^C"
        self.x, self.z = 30, end
        return sent


def num(value: float) -> str:
    return str(int(value)) if value == int(value) else str(value)


def settle(keys, seconds=0.05):
    """Lets the key-ups after a command's last character reach the log."""
    time.sleep(seconds)
    return keys.poll()
