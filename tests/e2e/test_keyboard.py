"""Typing follows the host's keyboard layout: with a Japanese (JIS) keyboard the
characters that sit on other keys than on a US keyboard ("_", "'", "#", "@" ...)
still reach the host exactly.

Run: python3 -m unittest tests/e2e/test_keyboard.py
"""

import subprocess
import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "e2e"))
import harness as h  # noqa: E402

# Buttons whose lines hold the characters a JIS keyboard places differently,
# with the exact text the host must receive (twips: left, top, width, height).
ROWS = [
    ("ADD_FAI", (1440, 1200, 490, 490), "^Cadd_dim_prefix #14'1'#15 end\r"),
    ("LINE_c_dash_d", (14160 + 3000, 720, 495, 255), "^Cvetra_line_change 'c_dash_d' 1\r"),
    ("MEASURE", (2400, 1200, 490, 490),
     "^CAe_autfsetu1 Ae_sub_wari_02 LET Aec_meas_dis_men_fg 1 Aec_meas_dis ''\r"),
    ("Dim_Line_HORIZONTAL_DIA", (-120 + 1560, 720, 490, 490),
     "^CDA_DIM_LINE HORIZONTAL DIM_PREFIX #14'1'#15 END\r"),
]
VK_OEM_102 = 0xE2  # the JIS key that gives "_" with Shift; a US layout uses VK_OEM_MINUS

session = None


def setUpModule():
    global session
    session = h.Session().__enter__()
    # Wine reads the X keyboard map when each program starts.
    subprocess.run(["setxkbmap", "-display", session.display, "jp"], check=True)


def tearDownModule():
    if session is not None:
        session.__exit__(None, None, None)


class JapaneseKeyboardTest(unittest.TestCase):
    def test_lines_with_layout_dependent_characters_arrive_exactly(self):
        s = session
        s.stop_all()
        s.registry_clear()
        s.registry_write({"EXTEND": "True", "DTime1": "0.02", "DTime2": "0.02"})
        host = s.start_hostsim()
        s.start_kelomenu()
        s.wait_window(h.TOOLBAR_TITLE, timeout=30)
        host.log.wait_text("^CDIM_CATCH_ANGLE 1\r")
        expected = "^CDIM_CATCH_ANGLE 1\r"
        for name, rect, text in ROWS:
            with self.subTest(button=name):
                s.click_control(h.TOOLBAR_TITLE, *rect)
                expected += text
                self.assertEqual(host.log.wait_text(expected), expected)
        underscore_keys = {int(line.split("vk=")[1].split()[0], 16)
                           for kind, _, line in host.log.entries() if kind == "KEYDOWN"}
        self.assertIn(VK_OEM_102, underscore_keys, "the host's layout was not the JIS one")
        s.stop_all()


if __name__ == "__main__":
    unittest.main()
