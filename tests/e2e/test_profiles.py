"""The profile dialogs (face, longitudinal, taper; the arcs' layout), driven through the real toolbar under Wine with
real keys and clicks; what the stand-in host receives is checked character by character
(see tools/e2e/harness.py).

Run: python3 -m unittest tests/e2e/test_profiles.py
"""

import time
import unittest

from profile_case import (ARC1, ARC2, BOX_COUNT, BUTTON_LEFT, CANCEL, CLIENT_TW, FACE, LABELS, LONG, NO_HOST, OK,
                          QUIET_S, STARTUP, TAPER, ProfileCase, box_place, h, line)


class ProfileDialogsTest(ProfileCase):
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
        self.press_ok(FACE)
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
        self.press_ok(TAPER)
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
                self.press_ok(FACE)
                sent += line(expected)
                self.assert_sent(sent)
        # The end point, Z as a number, is the next start point.
        self.open(LONG)
        self.assert_boxes(LONG, ["0.3", "-3.5", "", ""])
        # The longitudinal line types its start Z unread, whatever it holds.
        self.set_box(LONG, 2, "abc")
        self.set_box(LONG, 4, "10")
        self.press_ok(LONG)
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
        self.press_ok(TAPER)
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
        for title in (FACE, LONG, TAPER, ARC1, ARC2):
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
                name = {FACE: "face", LONG: "long", TAPER: "taper", ARC1: "arc1", ARC2: "arc2"}[title]
                self.s.screenshot(f"dialog-{name}.png", window["rect"])
                self.click(title, CANCEL)
                self.s.wait_no_window(title, exact=True)


if __name__ == "__main__":
    unittest.main()
