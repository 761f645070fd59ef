#!/usr/bin/env python3
"""Takes the pictures the manual and the README use, from the real programs under Wine.

Starts the stand-in host and the built KeloMenu.exe on a private Xvfb display (the
end-to-end harness, tools/e2e/harness.py), and, as a draftsman would, clicks a command
without a host, opens the settings, enters a turned contour of lines and both arcs through
the five profile dialogs, reads a whole contour into the contour table from a file and draws
it, reads a table that leaves points open and draws the points worked out, uses the
calculator and asks for a new drawing. Every step checks what the host received,
so a picture never shows a run that went wrong.

    tools/manual/screenshots.py [--out DIR]     (default docs/manual/shots)

Also writes docs/toolbar.png (the toolbar beside the drawn contour) for the README.
"""

from __future__ import annotations

import argparse
import math
import shutil
import subprocess
import sys
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parents[1] / "tools" / "e2e"))
import harness as h  # noqa: E402
import tables  # noqa: E402

OUT = h.REPO / "docs" / "manual" / "shots"
README_SHOT = h.REPO / "docs" / "toolbar.png"
STARTUP = "^CDIM_CATCH_ANGLE 1\r"
# The stand-in host's top and height, below the expanded toolbar and as wide as it.
HOST_TOP, HOST_HEIGHT = 165, 560
MARGIN = 12
# Every profile box: left, width, height; rows 480 twips apart from 240.
BOX_LEFT, BOX_WIDTH, BOX_HEIGHT = 1680, 1095, 375
# The contour table's example, a shaft from the axis at Z 0 to the left, with every kind of
# corner and element, and what its 作図 types.
TABLE_TITLE = "輪郭表"
TABLE_ROWS = [("0", "0", "", ""), ("40", "0", "C1", ""), ("40", "@-20", "", "凹R10"), ("40", "@-15", "", ""),
              ("40", "@-10", "R2", ""), ("60", "@0", "", "凸R10"), ("80", "@-10", "", ""), ("80", "-80", "", ""),
              ("0", "@0", "", "")]
TABLE_TYPED = ("^CLINE TWO_PTS 0,0 0,19\r^CLINE TWO_PTS 0,19 -1,20\r^CLINE TWO_PTS -1,20 -20,20\r"
               "^CARC CEN_BEG_END -27.5,26.6144\r-35,20\r-20,20\r^CLINE TWO_PTS -35,20 -43,20\r"
               "^CARC CEN_BEG_END -43,22\r-45,22\r-43,20\r^CLINE TWO_PTS -45,22 -45,30\r"
               "^CARC CEN_BEG_END -55,30\r-45,30\r-55,40\r^CLINE TWO_PTS -55,40 -80,40\r"
               "^CLINE TWO_PTS -80,40 -80,0\r^C")
# A table that leaves points open, as a drawing does: a tangent dome from the axis, a taper
# by angle, a corner where two angled lines cross, with a chamfer, and a face down by angle.
OPEN_ROWS = [("0", "0", "", ""), ("20", "0", "", "凸R10接"), ("40", "", "", ""), ("40", "W-20", "", "A165"),
             ("60", "", "", "A180"), ("", "", "C2", "A120"), ("100", "-100", "", ""), ("100", "W-20", "", "A270"),
             ("0", "", "", "")]
OPEN_TYPED = ("^CLINE TWO_PTS 0,0 0,10\r^CARC CEN_BEG_END -10,10\r0,10\r-10,20\r^CLINE TWO_PTS -10,20 -30,20\r"
              "^CLINE TWO_PTS -30,20 -67.3205,30\r^CLINE TWO_PTS -67.3205,30 -86.453,30\r"
              "^CLINE TWO_PTS -86.453,30 -89.453,31.7321\r^CLINE TWO_PTS -89.453,31.7321 -100,50\r"
              "^CLINE TWO_PTS -100,50 -120,50\r^CLINE TWO_PTS -120,50 -120,0\r^C")
ES_READONLY = 0x0800


def log(text):
    print(f"screenshots: {text}", flush=True)


def box_place(n):
    return BOX_LEFT, 240 + 480 * (n - 1), BOX_WIDTH, BOX_HEIGHT


def union(*rects, margin=MARGIN):
    return {"left": max(0, min(r["left"] for r in rects) - margin),
            "top": max(0, min(r["top"] for r in rects) - margin),
            "right": max(r["right"] for r in rects) + margin,
            "bottom": max(r["bottom"] for r in rects) + margin}


class Shooter:
    def __init__(self, session: h.Session, out: Path, layout: dict):
        self.s = session
        self.out = out
        self.layout = layout
        self.host = None
        self.sent = ""

    # -- pictures and checks --------------------------------------------------------------

    def shot(self, name: str, rect: dict) -> Path:
        path = self.out / name
        w, hgt = rect["right"] - rect["left"], rect["bottom"] - rect["top"]
        subprocess.run(["import", "-display", self.s.display, "-window", "root", "-crop",
                        f"{w}x{hgt}+{rect['left']}+{rect['top']}", "+repage", str(path)],
                       env=self.s.env, check=True, timeout=30)
        log(f"{path.name} ({w}x{hgt})")
        return path

    def expect(self, more: str):
        """The host has received exactly what was sent so far plus `more`."""
        self.sent += more
        self.host.log.wait_text(self.sent)
        time.sleep(0.3)
        got = self.host.log.received_text()
        if got != self.sent:
            raise h.E2EError(f"the host received {got!r}, not {self.sent!r}")

    # -- the toolbar ----------------------------------------------------------------------

    def start_host(self):
        log_path = self.s._tmp / "hostsim.log"
        toolbar = self.toolbar()["rect"]
        x, y, w, hgt = toolbar["left"], HOST_TOP, toolbar["right"] - toolbar["left"], HOST_HEIGHT
        self.host = self.s.start(h.exe_path("hostsim.exe"), "--title", h.DEFAULT_HOST_TITLE, "--log",
                                 h.unix_to_wine_path(log_path), "--x", x, "--y", y, "--w", w, "--h", hgt,
                                 log=h.HostLog(log_path))
        self.host.log.wait_kind("READY", timeout=20)
        self.s.wait_window(h.DEFAULT_HOST_TITLE, exact=True)

    def toolbar(self) -> dict:
        return self.s.wait_window(h.TOOLBAR_TITLE)

    def click_button(self, name: str):
        self.s.click_control(h.TOOLBAR_TITLE, *tables.place(self.layout, name))

    def dialog(self, title: str) -> dict:
        return self.s.wait_window(title, exact=True,
                                  predicate=lambda w: any(c["class"].lower() == "edit" for c in w["children"]))

    def box_texts(self, title: str, count: int) -> list[str]:
        window = self.dialog(title)
        return [self.s.control_at(window, *box_place(n), cls="Edit")["text"] for n in range(1, count + 1)]

    def wait_boxes(self, title: str, expected: list[str]):
        try:
            h.wait_until(lambda: self.box_texts(title, len(expected)) == expected, 5, f"{title} boxes {expected}")
        except TimeoutError:
            raise h.E2EError(f"{title}: boxes {self.box_texts(title, len(expected))}, not {expected}") from None

    def type(self, text: str):
        self.s.type_value(text)

    def enter(self, *texts):
        self.s.enter_values(*texts)

    def segment(self, title: str, button: str, keys: tuple, boxes: list[str], typed: str,
                picture: str | None = None, with_preview: bool = False):
        """Opens a profile dialog, walks its Enter chain with `keys`, checks the boxes, takes
        its picture, presses OK with one more Enter and checks what the host received."""
        self.click_button(button)
        self.dialog(title)
        self.enter(*keys)
        self.wait_boxes(title, boxes)
        time.sleep(0.3)
        dialog = self.dialog(title)
        if picture:
            self.shot(picture, dialog["rect"])
        if with_preview:
            preview = self.s.wait_window("輪郭", exact=True)
            self.shot("preview.png", union(dialog["rect"], preview["rect"]))
        self.s.key("Return")
        self.s.wait_no_window(title, exact=True)
        self.expect(typed)

    # -- the scenes -----------------------------------------------------------------------

    def no_host_message(self):
        self.click_button("Line_Poinr2")
        self.s.wait_window(h.MESSAGE_TITLE, exact=True)
        time.sleep(0.3)  # let the box finish painting
        self.shot("message-no-host.png", self.s.wait_window(h.MESSAGE_TITLE, exact=True)["rect"])
        self.s.click_child(h.MESSAGE_TITLE, "OK", exact=True)
        self.s.wait_no_window(h.MESSAGE_TITLE, exact=True)

    def settings(self):
        self.click_button("AppSet")
        window = self.s.wait_window("AppSet", exact=True)
        time.sleep(0.3)
        self.shot("settings.png", window["rect"])
        self.s.click_child("AppSet", "Cancel", exact=True)
        self.s.wait_no_window("AppSet", exact=True)

    def tooltip(self):
        """The tooltip of the two-point line button, shown over the toolbar."""
        window = self.toolbar()
        left, top, width, height = tables.place(self.layout, "Line_Poinr2")
        x, y = self.s.control_centre(window, left, top, width, height)
        for attempt in range(5):
            self.s.mouse_move(x - 30 - attempt, y + 3)
            time.sleep(0.2)
            self.s.mouse_move(x, y)
            try:
                tip = h.wait_until(lambda: next((w for w in self.s.list_windows()["windows"]
                                                 if w["class"].lower() == "tooltips_class32" and w["visible"]
                                                 and w["title"]), None), 3, "a tooltip", interval=0.1)
            except TimeoutError:
                continue
            time.sleep(0.2)
            # The left part of the toolbar, around the button and its tip.
            r = union(window["rect"], tip["rect"], margin=4)
            r["right"] = min(r["right"], tip["rect"]["right"] + 260)
            self.shot("tooltip.png", r)
            return
        raise h.E2EError("no tooltip over Line_Poinr2")

    def contour(self):
        """A turned contour of lines and both arcs, from the axis at Z 0 to the left."""
        self.segment("端面", "IN_FACE", ("20",), ["0", "0", "20"],
                     "^CLINE TWO_PTS 0,0 0,10\r^C", "dialog-face.png")
        self.segment("円弧凸", "ARC_2", ("5", None, None, "30", "-5"), ["20", "0", "5", "20", "-5", "30", "-5"],
                     "^CARC CEN_BEG_END -5,10\r0,10\r-5,15\r^C", "dialog-arc2.png")
        self.segment("長手", "IN_LONG", ("-20", None), ["30", "-5", "-20", "-25"],
                     "^CLINE TWO_PTS -5,15 -25,15\r^C", "dialog-long.png")
        self.segment("円弧凹", "ARC_1", ("6", None, None, "30", "-35"),
                     ["30", "-25", "6", "36.6332", "-30", "30", "-35"],
                     "^CARC CEN_BEG_END -30,18.3166\r-35,15\r-25,15\r^C", "dialog-arc1.png")
        self.segment("テーパー", "IN_TAPER", (None, "40", "-10", None),
                     ["30", "-35", "153.435", "40", "-10", "-45"],
                     "^CLINE TWO_PTS -35,15 -45,20\r^C", "dialog-taper.png", with_preview=True)
        self.segment("長手", "IN_LONG", ("-15", None), ["40", "-45", "-15", "-60"],
                     "^CLINE TWO_PTS -45,20 -60,20\r^C")
        self.segment("端面", "IN_FACE", ("0",), ["40", "-60", "0"],
                     "^CLINE TWO_PTS -60,20 -60,0\r^C")
        time.sleep(0.5)
        host = self.s.wait_window(h.DEFAULT_HOST_TITLE, exact=True)
        self.shot("host-contour.png", host["rect"])
        overview = self.shot("toolbar-host.png", union(self.toolbar()["rect"], host["rect"]))
        shutil.copy2(overview, README_SHOT)
        log(f"copied to {README_SHOT}")
        self.shot("toolbar.png", union(self.toolbar()["rect"], margin=0))

    def restart_toolbar(self):
        """The toolbar started afresh: its preview shows the next table's contour alone."""
        self.s.close_window(h.TOOLBAR_TITLE)
        self.s.wait_no_window(h.TOOLBAR_TITLE)
        self.s.start_kelomenu()
        self.toolbar()
        self.expect(STARTUP)

    def open_table(self, picture: str | None = None):
        """The contour table from the toolbar's window menu (right-click the title bar, T)."""
        r = self.toolbar()["rect"]
        self.s.focus(h.TOOLBAR_TITLE)
        self.s.mouse_move(r["left"] + 200, r["top"] + 8)
        self.s.xdotool("click", 3)
        menu = h.wait_until(lambda: next((w for w in self.s.list_windows()["windows"]
                                          if w["class"] == "#32768" and w["visible"]), None), 5, "the window menu")
        time.sleep(0.3)
        if picture:
            self.shot(picture, {"left": r["left"], "top": r["top"], "right": menu["rect"]["right"] + MARGIN,
                                "bottom": menu["rect"]["bottom"] + MARGIN})
        self.s.key("t")

    def table_rows(self, count: int) -> list[tuple]:
        """The first `count` rows' cells as they show; a read-only column is not a cell."""
        edits = sorted((c for c in self.dialog(TABLE_TITLE)["children"]
                        if c["class"] == "Edit" and not int(c["style"], 16) & ES_READONLY), key=lambda c: c["id"])
        return [tuple(c["text"] for c in edits[4 * n:4 * n + 4]) for n in range(count)]

    def load_table(self, path: Path, expected: list[tuple]):
        """開く... with `path` typed into the open dialog; the table then shows `expected`."""
        table = self.dialog(TABLE_TITLE)
        self.s.click_child(TABLE_TITLE, "開く...", exact=True)
        owned = lambda: [w for w in self.s.list_windows()["windows"]
                         if w["class"] == "#32770" and w["visible"] and w["owner"] == table["hwnd"]]
        chooser = h.wait_until(owned, 15, "the open dialog")[0]
        self.s.focus(chooser["title"])
        self.s.type_text(h.unix_to_wine_path(path))
        self.s.key("Return")
        h.wait_until(lambda: not owned(), 10, "the open dialog to close")
        try:
            h.wait_until(lambda: self.table_rows(len(expected)) == expected, 5, "the file's rows")
        except TimeoutError:
            raise h.E2EError(f"the table shows {self.table_rows(len(expected))}, not {expected}") from None

    def draw_table(self, picture: str, typed: str):
        """The table beside its preview, then 作図: the host receives exactly `typed`."""
        time.sleep(0.3)
        preview = self.s.wait_window("輪郭", exact=True)
        self.shot(picture, union(self.dialog(TABLE_TITLE)["rect"], preview["rect"]))
        self.s.click_child(TABLE_TITLE, "作図", exact=True)
        self.s.wait_no_window(TABLE_TITLE, exact=True)
        self.expect(typed)

    def table(self):
        """The contour table from the toolbar's window menu, with a file read into it as Excel
        saves it (Shift-JIS), beside its preview; 作図 types the whole contour."""
        path = self.s._tmp / "shaft.csv"
        lines = ["X,Z,角,次の要素"] + [",".join(row) for row in TABLE_ROWS]
        path.write_bytes("".join(line + "\r\n" for line in lines).encode("cp932"))
        self.restart_toolbar()
        self.open_table("table-menu.png")
        self.load_table(path, TABLE_ROWS)
        self.draw_table("table.png", TABLE_TYPED)

    def table_open_points(self):
        """A table whose open points are worked out, read from a file as the table saves it
        (UTF-8 with BOM), beside its preview; 作図 types the contour with the points found."""
        path = self.s._tmp / "open-points.csv"
        lines = ["X,Z,角,次の要素"] + [",".join(row) for row in OPEN_ROWS]
        path.write_bytes("".join(line + "\r\n" for line in lines).encode("utf-8-sig"))
        self.restart_toolbar()
        self.open_table()
        self.load_table(path, OPEN_ROWS)
        self.draw_table("table-open-points.png", OPEN_TYPED)

    def calculator(self):
        self.click_button("Calculator")
        title = h.CALCULATOR_TITLE
        self.s.wait_window(title, exact=True, timeout=20)
        h.wait_until(lambda: self.s.list_windows()["foreground"]["title"] == title, 10, "the calculator in front")
        self.s.focus(title)
        for text in ("(60-40)/2", "30/tan(25)", "sqrt(2)*ans"):
            self.s.type_text(text)
            self.s.key("Return")
        self.s.type_text("ans/2")
        self.s.click_child(title, "コピー", exact=True)
        value = math.sqrt(2) * (30 / math.tan(math.radians(25))) / 2
        copied = f"{value:.4f}".rstrip("0").rstrip(".")
        h.wait_until(lambda: self.s.probe("clipboard")["text"] == copied, 5, f"{copied} on the clipboard")
        time.sleep(0.3)
        self.shot("calculator.png", self.s.wait_window(title, exact=True)["rect"])
        self.s.close_window(title, exact=True)
        self.s.wait_no_window(title, exact=True)

    def new_file_question(self):
        self.click_button("NEW_FILE")
        self.s.wait_window("新規", exact=True)
        time.sleep(0.3)
        self.shot("new-file.png", self.s.wait_window("新規", exact=True)["rect"])
        self.s.click_child("新規", "&No", exact=True)
        self.s.wait_no_window("新規", exact=True)


def run(out: Path) -> int:
    out.mkdir(parents=True, exist_ok=True)
    layout = tables.load(24)
    with h.Session() as s:
        log(f"Xvfb display {s.display}")
        s.registry_clear()
        s.registry_write({"EXTEND": "True"})  # the profile buttons are in the lower band
        s.forget_table()  # no rows kept by an earlier run
        shooter = Shooter(s, out, layout)
        s.start_kelomenu()
        shooter.toolbar()
        time.sleep(0.5)
        shooter.no_host_message()
        shooter.start_host()
        shooter.settings()
        shooter.tooltip()
        shooter.contour()
        shooter.table()
        shooter.table_open_points()
        shooter.calculator()
        shooter.new_file_question()
        shooter.expect("")
    return 0


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--out", type=Path, default=OUT, help="folder for the pictures")
    args = parser.parse_args()
    try:
        return run(args.out)
    except (h.E2EError, TimeoutError, subprocess.SubprocessError) as e:
        print(f"screenshots: {e}", file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
