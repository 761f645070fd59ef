#!/usr/bin/env python3
"""Shows the toolbar beside the stand-in host under Wine.

With $DISPLAY set: starts hostsim and KeloMenu.exe on that display and waits until the
toolbar is closed. Without: starts a private Xvfb display, expands the toolbar, clicks
the two-point line button, draws a short contour through the face and longitudinal
dialogs, saves a screenshot to build/demo.png and stops everything.

    python3 tools/e2e/demo.py [--update-docs]

--update-docs also copies the screenshot to docs/toolbar.png. Uses the same Wine
prefix as the end-to-end tests (KELO_WINEPREFIX, default build/wineprefix).
"""

from __future__ import annotations

import argparse
import os
import shutil
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness as h  # noqa: E402

SHOT = h.REPO / "build" / "demo.png"
DOCS_SHOT = h.REPO / "docs" / "toolbar.png"
STARTUP = "^CDIM_CATCH_ANGLE 1\r"
EXTEND_BUTTON = (18600, 840, 570, 375)
EXPANDED_TW = 2160
LINE_TWO_POINTS_BUTTON = (3360 + 120, 0 + 240, 490, 490)  # in the drawing frame
FACE_BUTTON = (7800, 1200, 490, 490)
LONG_BUTTON = (7320, 1200, 490, 490)
FACE, LONG = "端面", "長手"
BOX = (1680, 1095, 375)  # left, width, height of every box; rows 480 apart from 240
MARGIN = 16


def box(n):
    left, width, height = BOX
    return (left, 240 + 480 * (n - 1), width, height)


def log(text):
    print(f"demo: {text}", flush=True)


def interactive(display: str) -> int:
    with h.Session(display=display) as s:
        host = s.start_hostsim()
        toolbar = s.start_kelomenu()
        s.wait_window(h.TOOLBAR_TITLE, timeout=60)
        log(f"toolbar and hostsim running on {display}; close the toolbar to end")
        try:
            toolbar.popen.wait()
        except KeyboardInterrupt:
            pass
        s.stop(host)
    return 0


def replace_text(s: h.Session, title: str, n: int, text: str):
    s.click_control(title, *box(n), exact=True)
    s.key("Home", "shift+End", "Delete")
    if text.startswith("-"):  # xdotool would take it for an option
        s.key("minus")
        text = text[1:]
    if text:
        s.type_text(text)


def union(rects):
    return {"left": max(0, min(r["left"] for r in rects) - MARGIN),
            "top": max(0, min(r["top"] for r in rects) - MARGIN),
            "right": max(r["right"] for r in rects) + MARGIN,
            "bottom": max(r["bottom"] for r in rects) + MARGIN}


def scripted(update_docs: bool) -> int:
    with h.Session() as s:
        log(f"Xvfb display {s.display}")
        s.registry_clear()  # starts collapsed, with the default host title
        host = s.start_hostsim()
        s.start_kelomenu()
        s.wait_window(h.TOOLBAR_TITLE, timeout=60)
        host.log.wait_text(STARTUP)

        s.click_control(h.TOOLBAR_TITLE, *EXTEND_BUTTON)
        expanded = s.px(EXPANDED_TW)
        s.wait_window(h.TOOLBAR_TITLE,
                      predicate=lambda w: w["rect"]["bottom"] - w["rect"]["top"] == expanded)
        log("toolbar expanded")

        s.click_control(h.TOOLBAR_TITLE, *LINE_TWO_POINTS_BUTTON)
        host.log.wait_text(STARTUP + "^CLINE ASSIST TWO_PTS\r")
        log("two-point line typed")

        s.click_control(h.TOOLBAR_TITLE, *FACE_BUTTON)
        s.wait_window(FACE, exact=True)
        replace_text(s, FACE, 1, "100")
        replace_text(s, FACE, 3, "60")
        s.key("Return", "Return")  # end X -> OK, then press it
        s.wait_no_window(FACE, exact=True)
        host.log.wait_kind("LINE", 3)

        s.click_control(h.TOOLBAR_TITLE, *LONG_BUTTON)
        s.wait_window(LONG, exact=True)
        s.key("minus")
        s.type_text("25")  # relative Z; the end Z follows
        s.key("Return", "Return", "Return")
        s.wait_no_window(LONG, exact=True)
        host.log.wait_kind("LINE", 4)
        log("contour: " + " | ".join(host.log.lines()[-2:]))

        # The face dialog again, opened at the contour's end, in front of the drawing.
        s.click_control(h.TOOLBAR_TITLE, *FACE_BUTTON)
        dialog = s.wait_window(FACE, exact=True)
        toolbar = s.wait_window(h.TOOLBAR_TITLE)
        host_window = s.wait_window(h.DEFAULT_HOST_TITLE, exact=True)
        s.screenshot("demo.png", union([toolbar["rect"], host_window["rect"], dialog["rect"]]))
        SHOT.parent.mkdir(parents=True, exist_ok=True)
        shutil.move(str(h.SHOTS / "demo.png"), SHOT)
        log(f"screenshot {SHOT}")
        if update_docs:
            DOCS_SHOT.parent.mkdir(parents=True, exist_ok=True)
            shutil.copy2(SHOT, DOCS_SHOT)
            log(f"copied to {DOCS_SHOT}")
        s.close_window(FACE)
        s.wait_no_window(FACE, exact=True)
    return 0


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--update-docs", action="store_true",
                        help="also copy the screenshot to docs/toolbar.png")
    args = parser.parse_args()
    display = os.environ.get("DISPLAY")
    try:
        if display:
            return interactive(display)
        return scripted(args.update_docs)
    except (h.E2EError, TimeoutError, subprocess.SubprocessError) as e:
        print(f"demo: {e}", file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
