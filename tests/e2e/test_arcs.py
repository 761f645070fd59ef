"""The concave and convex arc dialogs in the real toolbar under Wine: a contour that mixes
lines and both arcs, entered with real keys and clicks and checked character by character
in the stand-in host, which draws it; the note that says why an arc cannot be completed;
two empty start boxes that must not take the focus from each other without end.

Run: python3 tests/e2e/run_all.py -k arc
"""

import time
import unittest

from profile_case import (ARC1, ARC2, CANCEL, FACE, LONG, OK, QUIET_S, STARTUP, ProfileCase, box_place, h,
                          line)

CHORD_TOO_LONG = "始点と終点の距離が直径以上です。半径を大きくしてください。"


def arc(centre, first, second):
    """What one arc dialog's OK types: the centre line, the two points, each with Enter,
    between the opening and the closing cancel."""
    return f"^CARC CEN_BEG_END {centre}\r{first}\r{second}\r^C"


class ArcDialogsTest(ProfileCase):
    def enter(self, title, *texts):
        """From the focused box on: types each text (None types nothing) and presses Enter,
        so the focus walks the Enter chain and the solver runs as each box is left."""
        for text in texts:
            if text:
                self.type(text)
            self.s.key("Return")

    def test_contour_of_lines_and_both_arcs(self):
        self.start()
        sent = STARTUP

        self.open(FACE)
        self.type("20")
        self.press_ok(FACE)
        sent += line("LINE TWO_PTS 0,0 0,10")
        self.assert_sent(sent)

        # A convex corner: the centre lies toward the axis. Enter from the radius on:
        # leaving end Z (to OK) completes the centre; one more Enter presses OK.
        self.open(ARC2)
        self.assert_boxes(ARC2, ["20", "0", "", "", "", "", ""])
        self.assertEqual(self.focused_box(ARC2), 3)
        self.enter(ARC2, "5", None, None, "30", "-5")
        self.assert_boxes(ARC2, ["20", "0", "5", "20", "-5", "30", "-5"])
        self.assert_sent(sent)
        self.s.screenshot("dialog-arc2-filled.png", self.dialog(ARC2)["rect"])
        self.s.key("Return")
        self.s.wait_no_window(ARC2, exact=True)
        sent += arc("-5,10", "0,10", "-5,15")  # start Z 0 is not below end Z -5: start first
        self.assert_sent(sent)

        self.open(LONG)
        self.assert_boxes(LONG, ["30", "-5", "", ""])
        self.type("-20")
        self.press_ok(LONG)
        sent += line("LINE TWO_PTS -5,15 -25,15")
        self.assert_sent(sent)

        # A concave groove, finished by a click on OK while end Z has the focus: the
        # click takes the focus out of the box first, so the centre is there to type.
        self.open(ARC1)
        self.assert_boxes(ARC1, ["30", "-25", "", "", "", "", ""])
        self.enter(ARC1, "6", None, None, "30")
        self.type("-35")
        self.assert_boxes(ARC1, ["30", "-25", "6", "", "", "30", "-35"])
        self.press_ok(ARC1)
        sent += arc("-30,18.3166", "-35,15", "-25,15")  # concave: the smaller Z first
        self.assert_sent(sent)

        self.open(LONG)
        self.assert_boxes(LONG, ["30", "-35", "", ""])
        self.type("-10")
        self.press_ok(LONG)
        sent += line("LINE TWO_PTS -35,15 -45,15")

        self.open(FACE)
        self.assert_boxes(FACE, ["30", "-45", ""])
        self.type("0")
        self.press_ok(FACE)
        sent += line("LINE TWO_PTS -45,15 -45,0")
        self.assert_sent(sent)
        self.assertEqual(self.host.log.lines()[-10:], [
            "LINE TWO_PTS 0,0 0,10", "ARC CEN_BEG_END -5,10", "0,10", "-5,15", "LINE TWO_PTS -5,15 -25,15",
            "ARC CEN_BEG_END -30,18.3166", "-35,15", "-25,15", "LINE TWO_PTS -35,15 -45,15",
            "LINE TWO_PTS -45,15 -45,0"])

        host = self.s.find_window(h.DEFAULT_HOST_TITLE, exact=True)
        self.s.screenshot("hostsim-contour-arcs.png", host["rect"])

    def test_note_says_why_and_the_dialog_keeps_its_design_size_otherwise(self):
        self.start()
        window = self.open(ARC1)
        designed = window["client_size"]["height"]
        self.set_box(ARC1, 1, "20")
        self.set_box(ARC1, 3, "")
        self.enter(ARC1, "5", None, None, "20", "-30")  # a chord longer than the diameter
        grown = self.s.wait_window(ARC1, exact=True, predicate=lambda w: w["client_size"]["height"] > designed)
        note = self.s.child(grown, text=CHORD_TOO_LONG, cls="Static")
        self.assertIsNotNone(note, "the note")
        self.assert_boxes(ARC1, ["20", "0", "5", "", "", "20", "-30"])
        self.s.screenshot("dialog-arc1-note.png", grown["rect"])
        # Mended, the note goes and the dialog is its designed size again.
        self.set_box(ARC1, 7, "-8")
        self.s.key("Return")
        self.assert_boxes(ARC1, ["20", "0", "5", "26", "-4", "20", "-8"])
        self.s.wait_window(ARC1, exact=True, predicate=lambda w: w["client_size"]["height"] == designed)
        self.click(ARC1, CANCEL)
        self.s.wait_no_window(ARC1, exact=True)
        self.assert_sent(STARTUP)

    def test_empty_start_boxes_take_the_focus_and_keep_it(self):
        # Leaving an empty start box only brings the focus back to it, so two empty start
        # boxes are reached by another program setting the texts, without a focus move.
        self.start()
        window = self.open(ARC2)
        for n in (1, 2):
            box = self.s.control_at(window, *box_place(n), cls="Edit")
            self.s.probe("settext", box["hwnd"], "")
        self.assert_boxes(ARC2, ["", "", "", "", "", "", ""])
        self.type("5")
        self.s.key("Return")  # leaving the radius sends the focus to Text1, then to Text2
        time.sleep(QUIET_S)
        self.assertEqual(self.focused_box(ARC2), 2)
        self.assert_boxes(ARC2, ["", "", "5", "", "", "", ""])
        # Still answering: OK with the centre and end empty only closes and types nothing.
        self.press_ok(ARC2)
        self.assert_sent(STARTUP)
        # The start point is as it was.
        self.open(FACE)
        self.assert_boxes(FACE, ["0", "0", ""])


if __name__ == "__main__":
    unittest.main()
