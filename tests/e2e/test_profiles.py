"""The five profile dialogs and the contour preview in the real toolbar under Wine, with
real keys and clicks: one connected contour through all five (Enter chains, live boxes,
OK clicked while a box still has the focus), what the host receives character by
character; their messages, Cancel, Escape and the close box; the note under
the arc dialogs; the preview beside a dialog, never taking the focus, and a corner click.
"""

import time
import unittest

import case
from case import ARC1, ARC2, CANCEL, FACE, LONG_DIALOG as LONG, PREVIEW, TAPER, h

CORNER_COLOUR = (90, 90, 90)
WS_EX_TOOLWINDOW, WS_EX_NOACTIVATE = 0x80, 0x08000000


def line(text):
    """What one line dialog's OK types: the opening cancel, the line, Enter, the closing cancel."""
    return f"^C{text}\r^C"


def arc(centre, first, second):
    """What one arc dialog's OK types: the centre and the two points, each with Enter."""
    return f"^CARC CEN_BEG_END {centre}\r{first}\r{second}\r^C"


class ProfileDialogsTest(case.ToolbarCase):
    def test_one_contour_through_all_five_dialogs(self):
        self.start_toolbar(case.FAST)
        sent = ""

        self.open(FACE)
        self.assert_boxes(FACE, ["0", "0", ""])  # the start point after start
        self.assertEqual(self.focused_box(FACE), 3)
        self.type("60")
        self.close_dialog(FACE)
        sent += line("LINE TWO_PTS 0,0 0,30")

        # The focus is in relative Z; end Z follows as it is typed. Enter walks to end Z,
        # then to OK without pressing it; one more Enter presses it.
        self.open(LONG)
        self.assert_boxes(LONG, ["60", "0", "", ""])
        self.type("-25")
        self.assert_boxes(LONG, ["60", "0", "-25", "-25"])
        self.enter(None, None)
        self.assertEqual(self.focused_box(LONG), 0)  # on OK, the dialog still open
        self.assertEqual(self.keys.poll().typed(case.units(case.STARTUP)), sent)
        self.s.key("Return")
        self.s.wait_no_window(LONG, exact=True)
        sent += line("LINE TWO_PTS 0,30 -25,30")

        # The angle has the focus; leaving end X fills end Z.
        self.open(TAPER)
        self.enter("30", "80")
        self.assert_boxes(TAPER, ["60", "-25", "30", "80", "", "-7.6794"])
        self.close_dialog(TAPER)
        sent += line("LINE TWO_PTS -25,30 -7.6794,40")

        # A convex corner: the centre lies toward the axis. Enter from the radius on:
        # leaving end Z (to OK) completes the centre; one more Enter presses OK.
        self.open(ARC2)
        self.assertEqual(self.focused_box(ARC2), 3)
        self.enter("5", None, None, "90", "-12.6794")
        self.assert_boxes(ARC2, ["80", "-7.6794", "5", "80", "-12.6794", "90", "-12.6794"])
        self.s.key("Return")
        self.s.wait_no_window(ARC2, exact=True)
        sent += arc("-12.6794,40", "-7.6794,40", "-12.6794,45")  # start Z not below end Z: start first

        self.open(LONG)
        self.type("-20")
        self.close_dialog(LONG)
        sent += line("LINE TWO_PTS -12.6794,45 -32.6794,45")

        # A concave groove, finished by a click on OK while end Z has the focus: the click
        # takes the focus out of the box first, so the centre is there to type.
        self.open(ARC1)
        self.enter("6", None, None, "90")
        self.type("-42.6794")
        self.close_dialog(ARC1)
        sent += arc("-37.6794,48.3166", "-42.6794,45", "-32.6794,45")  # concave: the smaller Z first

        self.open(FACE)
        self.assert_boxes(FACE, ["90", "-42.6794", ""])
        self.type("0")
        self.close_dialog(FACE)
        sent += line("LINE TWO_PTS -42.6794,45 -42.6794,0")
        self.assert_typed_since(case.units(case.STARTUP), sent)
        self.s.screenshot("hostsim-contour.png", self.s.find_window(h.DEFAULT_HOST_TITLE, exact=True)["rect"])

    def test_an_empty_box_and_no_host_show_their_messages_and_keep_the_dialog(self):
        self.start_toolbar(case.FAST, reuse=True)
        start = len(self.keys.poll().text)
        self.open(FACE)
        z = self.boxes(FACE)[1]
        self.set_box(FACE, 1, "")
        self.set_box(FACE, 3, "60")
        self.press(FACE, case.OK)
        message = self.wait_message("始点Xが未設定です。", title=FACE)
        self.s.screenshot("message-face-start-x.png", message["rect"])
        self.dismiss(message)
        self.assert_open(FACE)
        self.assert_boxes(FACE, ["", z, "60"])

        self.s.stop(self.host)
        self.set_box(FACE, 1, "100")
        self.press(FACE, case.OK)
        self.dismiss(self.wait_message(case.NO_HOST))
        self.assert_open(FACE)
        self.assert_boxes(FACE, ["100", z, "60"])
        self.close_dialog(FACE, CANCEL)
        self.assertEqual(self.keys.poll().typed(start), "")
        self.restart_host()

    def test_cancel_escape_and_close_box_keep_start_point(self):
        self.start_toolbar(case.FAST, reuse=True)
        start = len(self.keys.poll().text)
        self.open(FACE)
        x, z = self.boxes(FACE)[:2]
        for n, text in ((1, "100"), (2, "7"), (3, "60")):
            self.set_box(FACE, n, text)
        self.close_dialog(FACE, CANCEL)

        self.open(LONG)
        self.assert_boxes(LONG, [x, z, "", ""])
        self.set_box(LONG, 4, "-25")
        self.s.key("Escape")
        time.sleep(case.QUIET_S)  # nothing to wait for: the dialog must simply stay
        self.assert_open(LONG)
        self.assert_boxes(LONG, [x, z, "", "-25"])
        w = self.dialog(LONG)
        r, o = w["rect"], w["client_origin"]
        border = o["x"] - r["left"]
        caption = o["y"] - r["top"] - border
        self.s.click_at(r["right"] - border - caption // 2 - 1, r["top"] + border + caption // 2, focus_title=LONG)
        self.s.wait_no_window(LONG, exact=True)

        self.open(TAPER)
        self.assert_boxes(TAPER, [x, z, "", "", "", ""])
        self.close_dialog(TAPER, CANCEL)
        self.assert_typed_since(start, "")

    def test_arc_note_says_why_and_the_dialog_keeps_its_design_size_otherwise(self):
        self.start_toolbar(case.FAST, reuse=True)
        designed = self.open(ARC1)["client_size"]["height"]
        for n, text in ((1, "20"), (2, "0"), (3, "")):
            self.set_box(ARC1, n, text)
        self.enter("5", None, None, "20", "-30")  # a chord longer than the diameter
        grown = self.s.wait_window(ARC1, exact=True, predicate=lambda w: w["client_size"]["height"] > designed)
        self.assertIsNotNone(self.s.child(grown, text="始点と終点の距離が直径以上です。半径を大きくしてください。",
                                          cls="Static"), "the note")
        self.assert_boxes(ARC1, ["20", "0", "5", "", "", "20", "-30"])
        self.s.screenshot("dialog-arc1-note.png", grown["rect"])
        # Mended, the note goes and the dialog is its designed size again.
        self.set_box(ARC1, 7, "-8")
        self.s.key("Return")
        self.assert_boxes(ARC1, ["20", "0", "5", "26", "-4", "20", "-8"])
        self.s.wait_window(ARC1, exact=True, predicate=lambda w: w["client_size"]["height"] == designed)
        self.close_dialog(ARC1, CANCEL)

    def test_empty_arc_start_boxes_take_the_focus_and_keep_it(self):
        # Leaving an empty start box only brings the focus back to it, so two empty start
        # boxes are reached by another program setting the texts, without a focus move.
        self.start_toolbar(case.FAST, reuse=True)
        start = len(self.keys.poll().text)
        self.open(ARC2)
        x, z = self.boxes(ARC2)[:2]
        for box in self.edits(ARC2)[:2]:
            self.s.probe("settext", box["hwnd"], "")
        self.assert_boxes(ARC2, [""] * 7)
        self.enter("5")  # leaving the radius sends the focus to start X, then to start Z
        time.sleep(case.QUIET_S)  # a focus going round without end would show by now
        self.assertEqual(self.focused_box(ARC2), 2)
        self.assert_boxes(ARC2, ["", "", "5", "", "", "", ""])
        # Still answering: OK with the centre and end empty only closes and types nothing.
        self.close_dialog(ARC2)
        self.open(FACE)
        self.assert_boxes(FACE, [x, z, ""])  # the start point is as it was
        self.close_dialog(FACE, CANCEL)
        self.assert_typed_since(start, "")

    # -- the contour preview ------------------------------------------------------------

    def test_preview_stands_beside_the_dialog_and_never_takes_the_focus(self):
        self.start_toolbar(case.FAST, reuse=True)
        for title in (FACE, ARC1):
            with self.subTest(dialog=title):
                dialog = self.open(title)
                preview = self.s.wait_window(PREVIEW, exact=True)
                self.assertEqual(preview["owner"], self.window["hwnd"])
                self.assertTrue(int(preview["exstyle"], 16) & WS_EX_TOOLWINDOW)
                self.assertTrue(int(preview["exstyle"], 16) & WS_EX_NOACTIVATE)
                self.assert_beside(preview, dialog)
                self.assertEqual(self.focused_box(title), 3)
                # A click into the preview leaves the focus where it was.
                r = preview["rect"]
                self.s.click_at(r["left"] + 20, r["bottom"] - 20)
                self.assertEqual(self.focused_box(title), 3)
                self.assertEqual(self.s.list_windows()["foreground"]["hwnd"], dialog["hwnd"])
                self.close_dialog(title, CANCEL)
                self.s.wait_no_window(PREVIEW, exact=True)

    def assert_beside(self, preview, dialog):
        """Beside the dialog, clear of it and of the toolbar, on the screen; the dialog active."""
        where = f"preview {preview['rect']}, dialog {dialog['rect']}, toolbar {self.window['rect']}"
        self.assertFalse(case.overlap(preview["rect"], dialog["rect"]), f"covers the dialog: {where}")
        self.assertFalse(case.overlap(preview["rect"], self.window["rect"]), f"covers the toolbar: {where}")
        screen, r = self.s.probe("dpi")["screen"], preview["rect"]
        self.assertTrue(0 <= r["left"] and r["right"] <= screen["width"] and 0 <= r["top"]
                        and r["bottom"] <= screen["height"], r)
        self.assertEqual(self.s.list_windows()["foreground"]["hwnd"], dialog["hwnd"])

    def test_contour_drawn_and_a_corner_click_continues_from_it(self):
        self.start_toolbar(case.FAST)
        self.open(FACE)
        self.type("20")
        self.close_dialog(FACE)
        # The segment being entered is drawn as the boxes change.
        self.open(LONG)
        self.type("-20")
        self.s.screenshot("preview-long-pending.png", self.s.wait_window(PREVIEW, exact=True)["rect"])
        self.close_dialog(LONG)
        sent = line("LINE TWO_PTS 0,0 0,10") + line("LINE TWO_PTS 0,10 -20,10")
        self.assertEqual(self.keys.wait_typed(case.units(case.STARTUP), sent), sent)

        # Corners: the face's foot (Z 0, X 0) lies right and low, its top (Z 0, X 20) right
        # and high; the start point (Z -20) carries the start mark instead.
        self.open(FACE)
        self.assert_boxes(FACE, ["20", "-20", ""])
        preview = self.s.wait_window(PREVIEW, exact=True)
        marks = sorted(self.corner_marks(preview), key=lambda p: (-p[0], -p[1]))
        self.assertGreaterEqual(len(marks), 2, f"corner marks {marks}")
        foot, top = marks[0], marks[1]
        self.assertGreater(foot[1], top[1])
        self.s.mouse_move(*foot)
        host = self.s.find_window(h.DEFAULT_HOST_TITLE, exact=True)
        self.s.screenshot("preview-beside-host.png", case.union(host["rect"], preview["rect"]))
        self.s.click_at(*top)
        self.assert_boxes(FACE, ["20", "0", ""])
        self.assertEqual(self.focused_box(FACE), 3)  # the focus stayed in the dialog
        self.type("40")
        self.close_dialog(FACE)
        self.assert_typed_since(case.units(case.STARTUP), sent + line("LINE TWO_PTS 0,10 0,20"))

    def corner_marks(self, window):
        """Centres (screen pixels) of the corner squares the preview shows, read from a
        screenshot of its client area."""
        o, size = window["client_origin"], window["client_size"]
        clusters = []
        for (x, y), colour in self.s.pixels(dict(left=o["x"], top=o["y"], right=o["x"] + size["width"],
                                                 bottom=o["y"] + size["height"])).items():  # row by row
            if colour != CORNER_COLOUR:
                continue
            near = next((c for c in clusters if abs(c[0] - x) <= 8 and abs(c[1] - y) <= 8), None)
            if near:
                near[2].append((x, y))
            else:
                clusters.append([x, y, [(x, y)]])
        return [(o["x"] + sum(p[0] for p in pts) // len(pts), o["y"] + sum(p[1] for p in pts) // len(pts))
                for _, _, pts in clusters]


if __name__ == "__main__":
    unittest.main()
