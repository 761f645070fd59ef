#!/usr/bin/env python3
"""Shows the toolbar beside the stand-in host under Wine.

With $DISPLAY set: starts hostsim and KeloMenu.exe on that display and waits until the
toolbar is closed. Without: starts a private Xvfb display, expands the toolbar, clicks
the two-point line button, opens the contour table from the toolbar's window menu, reads
a shaft whose open points the table works out from a file, saves a screenshot of the
table beside its preview to build/demo-table.png, draws it with 作図, saves a screenshot
of the toolbar and the host's drawing to build/demo.png and stops everything.

    python3 tools/e2e/demo.py [--update-docs]

--update-docs also copies the last screenshot to docs/toolbar.png. Uses the same Wine
prefix as the end-to-end tests (KELO_WINEPREFIX, default build/wineprefix).
"""

from __future__ import annotations

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness as h  # noqa: E402

SHOT = h.REPO / "build" / "demo.png"
TABLE_SHOT = h.REPO / "build" / "demo-table.png"
DOCS_SHOT = h.REPO / "docs" / "toolbar.png"
STARTUP = "^CDIM_CATCH_ANGLE 1\r"
EXTEND_BUTTON = (18600, 840, 570, 375)
EXPANDED_TW = 2160
LINE_TWO_POINTS_BUTTON = (3360 + 120, 0 + 240, 490, 490)  # in the drawing frame
TABLE, PREVIEW = "輪郭表", "輪郭"
# A shaft as a drawing gives it, its open points left empty: a tangent dome from the axis,
# a taper by angle, a corner where two angled lines cross, with a chamfer, a face down by
# angle; and what 作図 types for it.
SHAFT = "X,Z,角,次の要素\r\n0,0,,\r\n20,0,,凸R10接\r\n40,,,\r\n40,W-20,,A165\r\n60,,,A180\r\n,,C2,A120\r\n" \
        "100,-100,,\r\n100,W-20,,A270\r\n0,,,\r\n"
SHAFT_TYPED = ("^CLINE TWO_PTS 0,0 0,10\r^CARC CEN_BEG_END -10,10\r0,10\r-10,20\r^CLINE TWO_PTS -10,20 -30,20\r"
               "^CLINE TWO_PTS -30,20 -67.3205,30\r^CLINE TWO_PTS -67.3205,30 -86.453,30\r"
               "^CLINE TWO_PTS -86.453,30 -89.453,31.7321\r^CLINE TWO_PTS -89.453,31.7321 -100,50\r"
               "^CLINE TWO_PTS -100,50 -120,50\r^CLINE TWO_PTS -120,50 -120,0\r^C")
MARGIN = 16


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


def union(rects):
    return {"left": max(0, min(r["left"] for r in rects) - MARGIN),
            "top": max(0, min(r["top"] for r in rects) - MARGIN),
            "right": max(r["right"] for r in rects) + MARGIN,
            "bottom": max(r["bottom"] for r in rects) + MARGIN}


def save(s: h.Session, name: str, to: Path, rect: dict):
    s.screenshot(name, rect)
    to.parent.mkdir(parents=True, exist_ok=True)
    shutil.move(str(h.SHOTS / name), to)
    log(f"screenshot {to}")


def scripted(update_docs: bool) -> int:
    with h.Session() as s:
        log(f"Xvfb display {s.display}")
        s.registry_clear()  # starts collapsed, with the default host title
        s.forget_table()  # the table opens new, not with the rows an earlier run kept
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

        # The contour table from the window menu (right-click the title bar, T).
        toolbar = s.wait_window(h.TOOLBAR_TITLE)
        s.focus(h.TOOLBAR_TITLE)
        s.mouse_move(toolbar["rect"]["left"] + 200, toolbar["rect"]["top"] + 8)
        s.xdotool("click", 3)
        h.wait_until(lambda: any(w["class"] == "#32768" and w["visible"] for w in s.list_windows()["windows"]),
                     5, "the window menu")
        s.key("t")
        table = s.wait_window(TABLE, exact=True)

        # 開く... with the shaft's file, from a folder of its own.
        with tempfile.TemporaryDirectory() as folder:
            path = Path(folder) / "shaft.csv"
            path.write_bytes(SHAFT.encode("utf-8-sig"))
            s.click_child(TABLE, "開く...", exact=True)
            owned = lambda: [w for w in s.list_windows()["windows"]
                             if w["class"] == "#32770" and w["visible"] and w["owner"] == table["hwnd"]]
            chooser = h.wait_until(owned, 15, "the open dialog")[0]
            s.focus(chooser["title"])
            s.type_text(h.unix_to_wine_path(path))
            s.key("Return")
            h.wait_until(lambda: not owned(), 10, "the open dialog to close")
            h.wait_until(lambda: any(c["class"] == "Edit" and c["text"] == "凸R10接"
                                     for c in s.wait_window(TABLE, exact=True)["children"]), 5, "the file's rows")
        log("shaft read into the table")
        time.sleep(0.5)  # the preview follows the rows

        # The table beside its preview, over the toolbar and the host.
        table = s.wait_window(TABLE, exact=True)
        preview = s.wait_window(PREVIEW, exact=True)
        host_window = s.wait_window(h.DEFAULT_HOST_TITLE, exact=True)
        save(s, "demo-table.png", TABLE_SHOT,
             union([s.wait_window(h.TOOLBAR_TITLE)["rect"], host_window["rect"], table["rect"], preview["rect"]]))

        s.click_child(TABLE, "作図", exact=True)
        s.wait_no_window(TABLE, exact=True)
        typed = STARTUP + "^CLINE ASSIST TWO_PTS\r" + SHAFT_TYPED
        host.log.wait_text(typed)
        time.sleep(0.3)
        if host.log.received_text() != typed:
            raise h.E2EError(f"the host received {host.log.received_text()!r}, not {typed!r}")
        log("shaft drawn: " + " | ".join(host.log.lines()[-3:]))

        # The toolbar and the host's drawing.
        time.sleep(0.5)
        host_window = s.wait_window(h.DEFAULT_HOST_TITLE, exact=True)
        save(s, "demo.png", SHOT, union([s.wait_window(h.TOOLBAR_TITLE)["rect"], host_window["rect"]]))
        if update_docs:
            DOCS_SHOT.parent.mkdir(parents=True, exist_ok=True)
            shutil.copy2(SHOT, DOCS_SHOT)
            log(f"copied to {DOCS_SHOT}")
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
