"""The contour preview "輪郭" beside the profile dialogs, in the real toolbar under Wine: where
it stands, that it never takes the focus, what it draws (looked at in screenshots beside the
stand-in host's drawing of the same contour), and a corner click that puts the corner into
the open dialog's start boxes.

Run: python3 tests/e2e/run_all.py -k preview
"""

import subprocess
import time
import unittest

from profile_case import ARC1, CANCEL, FACE, LONG, OK, STARTUP, ProfileCase, h, line

PREVIEW = "輪郭"
WS_EX_TOOLWINDOW, WS_EX_NOACTIVATE = 0x80, 0x08000000
CORNER_COLOUR = (90, 90, 90)


def overlap(a, b):
    return a["left"] < b["right"] and b["left"] < a["right"] and a["top"] < b["bottom"] and b["top"] < a["bottom"]


class PreviewTest(ProfileCase):
    def preview(self):
        return self.s.wait_window(PREVIEW, exact=True)

    def corner_marks(self, window):
        """Centres (screen pixels) of the corner squares the preview shows, read from a
        screenshot of its client area."""
        o, size = window["client_origin"], window["client_size"]
        w, h_ = size["width"], size["height"]
        ppm = subprocess.run(["import", "-display", self.s.display, "-window", "root", "-crop",
                              f"{w}x{h_}+{o['x']}+{o['y']}", "+repage", "-depth", "8", "ppm:-"],
                             env=self.s.env, capture_output=True, check=True).stdout
        # P6 header: magic, width, height, maximum, then the pixels.
        fields, rest = ppm.split(b"\n", 3)[:3], ppm.split(b"\n", 3)[3]
        width, height = map(int, fields[1].split())
        points = [(i % width, i // width) for i in range(width * height)
                  if tuple(rest[3 * i:3 * i + 3]) == CORNER_COLOUR]
        clusters = []
        for x, y in points:
            for c in clusters:
                if abs(c[0] - x) <= 8 and abs(c[1] - y) <= 8:
                    c[2].append((x, y))
                    break
            else:
                clusters.append([x, y, [(x, y)]])
        centres = []
        for _, _, pts in clusters:
            cx = sum(p[0] for p in pts) // len(pts)
            cy = sum(p[1] for p in pts) // len(pts)
            centres.append((o["x"] + cx, o["y"] + cy))
        return centres

    def test_preview_stands_beside_the_dialog_and_never_takes_the_focus(self):
        self.start()
        toolbar = self.s.find_window(h.TOOLBAR_TITLE)
        for title in (FACE, ARC1):
            with self.subTest(dialog=title):
                dialog = self.open(title)
                preview = self.preview()
                self.assertEqual(preview["owner"], toolbar["hwnd"])
                self.assertTrue(int(preview["exstyle"], 16) & WS_EX_TOOLWINDOW)
                self.assertTrue(int(preview["exstyle"], 16) & WS_EX_NOACTIVATE)
                self.assertFalse(overlap(preview["rect"], dialog["rect"]), "covers the dialog")
                self.assertFalse(overlap(preview["rect"], toolbar["rect"]), "covers the toolbar")
                screen = self.s.probe("dpi")["screen"]
                r = preview["rect"]
                self.assertTrue(0 <= r["left"] and r["right"] <= screen["width"] and 0 <= r["top"]
                                and r["bottom"] <= screen["height"])
                self.assertEqual(self.s.list_windows()["foreground"]["hwnd"], dialog["hwnd"])
                self.assertEqual(self.focused_box(title), 3)
                # A click into the preview leaves the focus where it was.
                self.s.click_at(r["left"] + 20, r["bottom"] - 20)
                time.sleep(0.3)
                self.assertEqual(self.s.list_windows()["foreground"]["hwnd"], dialog["hwnd"])
                self.assertEqual(self.focused_box(title), 3)
                self.click(title, CANCEL)
                self.s.wait_no_window(title, exact=True)
                self.s.wait_no_window(PREVIEW, exact=True)
        self.assert_sent(STARTUP)

    def test_contour_drawn_and_a_corner_click_continues_from_it(self):
        self.start()
        sent = STARTUP
        self.open(FACE)
        self.type("20")
        self.press_ok(FACE)
        sent += line("LINE TWO_PTS 0,0 0,10")

        # The segment being entered is drawn as the boxes change.
        self.open(LONG)
        self.type("-20")
        preview = self.preview()
        self.s.screenshot("preview-long-pending.png", preview["rect"])
        self.press_ok(LONG)
        sent += line("LINE TWO_PTS 0,10 -20,10")
        self.assert_sent(sent)

        # Corners: the face's foot (Z 0, X 0) lies right and low, its top (Z 0, X 20) right
        # and high; the start point (Z -20) carries the start mark instead.
        self.open(FACE)
        self.assert_boxes(FACE, ["20", "-20", ""])
        preview = self.preview()
        marks = sorted(self.corner_marks(preview), key=lambda p: (-p[0], -p[1]))
        self.assertGreaterEqual(len(marks), 2, f"corner marks {marks}")
        foot, top = marks[0], marks[1]
        self.assertGreater(foot[1], top[1])
        self.s.mouse_move(*foot)
        time.sleep(0.3)
        self.s.screenshot("preview-hover.png", preview["rect"])
        host = self.s.find_window(h.DEFAULT_HOST_TITLE, exact=True)
        self.s.screenshot("preview-beside-host.png", {
            "left": min(host["rect"]["left"], preview["rect"]["left"]), "top": host["rect"]["top"],
            "right": max(host["rect"]["right"], preview["rect"]["right"]),
            "bottom": max(host["rect"]["bottom"], preview["rect"]["bottom"])})
        self.s.click_at(*top)
        self.assert_boxes(FACE, ["20", "0", ""])
        self.assertEqual(self.focused_box(FACE), 3)  # the focus stayed in the dialog
        self.type("40")
        self.press_ok(FACE)
        sent += line("LINE TWO_PTS 0,10 0,20")
        self.assert_sent(sent)


if __name__ == "__main__":
    unittest.main()
