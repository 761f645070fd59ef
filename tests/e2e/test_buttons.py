"""The toolbar's typing buttons clicked for real under Wine: every one with and without
Shift, checked key by key against the lines the toolbar's own command table gives
(dump_tables) at the place its layout table gives; the waits, Shift read after them, a
click nested in another command's wait, no host, a tooltip, a Japanese keyboard.
"""

import subprocess
import unittest

import case
from case import h

WAITS = {"EXTEND": "True", "DTime1": "1", "DTime2": "0.1"}
NO_WAITS = {"EXTEND": "True", "DTime1": "0", "DTime2": "0"}  # no window of the toolbar comes between


class ButtonsTest(case.ToolbarCase):
    def test_every_typing_button_types_its_lines_with_and_without_shift(self):
        window = self.start_toolbar(NO_WAITS)
        origin = (window["client_origin"]["x"], window["client_origin"]["y"])
        sweep = case.typing_buttons()
        self.assertGreater(len(sweep), 100)
        for name in sweep:  # the point clicked is on the control the design places there
            hit = self.s.child_at(window, *self.s.control_centre(window, *case.place(name)))
            r = hit["rect"]
            have = (r["left"] - origin[0], r["top"] - origin[1], r["right"] - r["left"], r["bottom"] - r["top"])
            self.assertEqual(have, tuple(self.s.px(v) for v in case.place(name)), name)
        for shift in (False, True):
            for name in sweep:
                with self.subTest(button=name, shift=shift):
                    start_event = len(self.keys.poll().events)
                    start = self.run_command(name, shift=shift)
                    if not case.stream(name, shift) or name == "TEXT_INPUT":
                        # Nothing may follow; TEXT_INPUT leaves the host in its text input.
                        self.assert_typed_since(start, case.stream(name, shift))
                    self.assertEqual(self.keys.settled_faults(start_event, shift), [])
        total = len(self.keys.poll().text)
        self.assertTrue(self.keys.quiet())
        self.assertEqual(len(self.keys.text), total)
        self.assertEqual(self.keys.typed(), case.STARTUP + "".join(
            case.stream(name, shift) for shift in (False, True) for name in sweep))
        self.assert_no_message()

    def test_waits_follow_the_act_and_enter_times(self):
        self.start_toolbar(WAITS, reuse=True)
        for name in ("ZERO", "CLIP_COPY"):  # a full opening and several lines; a short opening
            with self.subTest(button=name):
                start = len(self.keys.poll().text)
                clicked = self.click(name)
                self.assertEqual(self.keys.wait_typed(start, case.stream(name)), case.stream(name))
                sent = self.keys.text[start:]
                # Act. Time before the first key (the stamp was taken after the click).
                self.assertGreaterEqual(sent[0][0] - clicked, 1_000_000 - 5_000)
                # Enter Time after every "^C" and every Enter that has keys after it.
                for (t, c), (t_next, _) in zip(sent, sent[1:]):
                    if c in ("^C", "\r"):
                        self.assertGreaterEqual(t_next - t, 100_000, f"after {c!r}")
                self.assertTrue(self.keys.quiet(0.15))  # the command's last wait

    def test_shift_is_read_as_it_is_after_the_waits(self):
        # The 1 s Act. Time leaves room to let go of Shift after the click, while the host
        # is in front. On Windows the keys then reach the host's thread: the X focus is
        # handed to the host as the toolbar brings it forward, so that Wine routes the
        # key-up the same way.
        self.start_toolbar(WAITS, reuse=True)
        host = self.s.x_window(h.DEFAULT_HOST_TITLE)
        for let_go, expected in ((True, "^CLINE ASSIST TWO_PTS\r"), (False, "^CLINE TWO_PTS\r")):
            with self.subTest(shift_released_during_the_waits=let_go):
                for attempt in range(2):
                    start = len(self.keys.poll().text)
                    self.s.x.shift_key(True)
                    try:
                        clicked = self.click("Line_Poinr2")
                        self.s.xdotool("windowfocus", host)
                        if let_go:
                            self.s.x.shift_key(False)
                            self.assertLess(h.now_us() - clicked, 800_000, "Shift let go too late to test")
                        got = self.keys.wait_typed(start, expected)
                    finally:
                        self.s.x.shift_key(False)
                    if got or self.activated_since(clicked):
                        break
                    # Neither the host's activation nor a key: the X server lost the click.
                    self.s.screenshot(f"buttons-shift-lost-click-{int(let_go)}.png")
                self.assertEqual(got, expected)
                self.assertTrue(self.keys.quiet(0.15))

    def activated_since(self, t_us):
        return any(k == "ACTIVE" and r.strip() == "1" and t >= t_us for k, t, r in self.keys.poll().events)

    def test_click_during_a_wait_runs_to_its_end_inside_it(self):
        self.start_toolbar(WAITS, reuse=True)
        start = len(self.keys.poll().text)
        first = self.click("Line_Poinr2")
        h.wait_until(lambda: self.activated_since(first), 5, "the host brought forward")
        second = self.click("Line_HORIZONTAL")
        self.assertLess(second - first, 800_000, "second click came too late")
        self.assert_typed_since(start, "^CLINE ASSIST HORIZONTAL\r^CLINE ASSIST TWO_PTS\r")
        # The second command waited its own Act. Time; the first went on only after it ended.
        self.assertGreaterEqual(self.keys.text[start][0] - second, 950_000)
        self.assert_no_message()

    def test_click_without_host_shows_one_message_then_works_once_host_runs(self):
        window = self.start_toolbar(WAITS, reuse=True)
        self.s.stop(self.host)
        self.click("Line_Poinr2")
        box = self.wait_message(case.NO_HOST)
        self.s.screenshot("buttons-no-host-message.png", box["rect"])
        self.assertEqual(len(self.messages()), 1)
        self.assertEqual(box["owner"], window["hwnd"])
        icons = [c for c in box["children"] if c["class"].lower() == "static" and c["visible"]
                 and int(c["style"], 16) & 0x1F == 0x03]  # SS_ICON
        self.assertEqual(len(icons), 1, box["children"])
        self.assertTrue(self.icon_is_yellow(icons[0]["rect"]), "not the exclamation icon")
        self.assertEqual([c["text"] for c in box["children"] if c["class"].lower() == "button" and c["visible"]],
                         ["OK"])
        self.dismiss(box)
        type(self).host = self.s.start_hostsim()
        type(self).keys = case.Keys(self.host.log)
        self.assertEqual(self.messages(), [], "a second message")
        self.run_command("Line_Poinr2")
        self.assert_typed_since(0, "^CLINE ASSIST TWO_PTS\r")
        self.assert_no_message()

    def icon_is_yellow(self, rect):
        """The exclamation icon is the yellow one among the message box icons."""
        return sum(r > 200 and g > 160 and b < 100 for r, g, b in self.s.pixels(rect).values()) >= 20

    def test_a_click_on_the_title_bar_then_a_rest_on_a_button_shows_its_tip(self):
        window = self.start_toolbar(WAITS, reuse=True)
        tip = self.tip_over(window, "Dim_ANGLE", title_click=True)
        self.s.screenshot("buttons-tooltip.png", case.union(window["rect"], tip["rect"]))
        self.assertEqual(tip["title"], case.command("Dim_ANGLE")["tip"])


class JapaneseKeyboardTest(case.ToolbarCase):
    """With a Japanese (JIS) keyboard the characters that sit on other keys than on a US
    keyboard ("_", "'", "#", "@") still reach the host exactly."""

    def test_lines_with_layout_dependent_characters_arrive_exactly(self):
        # Wine reads the X keyboard map as each program starts.
        subprocess.run(["setxkbmap", "-display", self.s.display, "jp"], check=True)
        self.start_toolbar(case.FAST)
        for name in ("ADD_FAI", "LINE_c_dash_d", "MEASURE", "Dim_Line_HORIZONTAL_DIA"):
            with self.subTest(button=name):
                self.run_command(name)
        self.assertIn(0xE2, {vk for kind, vk, _ in case.key_lines(self.keys.events) if kind == "KEYDOWN"},
                      "the host's layout was not the JIS one (VK_OEM_102 gives its \"_\")")


if __name__ == "__main__":
    unittest.main()
