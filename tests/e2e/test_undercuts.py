"""Undercuts in the contour table of the real toolbar under Wine: a shaft with a thread
undercut, an E sized from its cylinder's diameter and an F, read from a UTF-8 file through
開く..., the designation the E took shown in 計算値, and what 作図 types into the stand-in host.

Run: python3 tests/e2e/run_all.py test_undercuts
"""

import unittest

import case
import test_table
from case import PREVIEW, TABLE, h

# M30x1.5 with a thread undercut at its shoulder, a ground seat of φ50 with its relief, and
# a collar whose far side has an F relief met from the face.
ROWS = [("0", "0", "", ""), ("30", "0", "C1", ""), ("30", "-25", "DIN76 P1.5", ""), ("50", "-25", "", ""),
        ("50", "-60", "E", ""), ("70", "-60", "", ""), ("70", "-75", "", ""), ("50", "-75", "F1×0.2", ""),
        ("50", "-110", "", ""), ("0", "-110", "", "")]
# Worked out apart from the program, from the forms' geometry and the norm rows (P1.5: r 0.8,
# d-dg 2.3, g2 5.2; 0.6x0.3: f 2.5; 1x0.2: f 2.5, t2 0.1).
DRAWN = ("^CLINE TWO_PTS 0,0 0,14\r^CLINE TWO_PTS 0,14 -1,15\r^CLINE TWO_PTS -1,15 -19.8,15\r"
         # DIN 76: a 30° flank down to 1.15, the arc ending 0.35 below the thread's surface.
         "^CLINE TWO_PTS -19.8,15 -21.7919,13.85\r^CLINE TWO_PTS -21.7919,13.85 -24.2,13.85\r"
         "^CARC CEN_BEG_END -24.2,14.65\r-25,14.65\r-24.2,13.85\r^CLINE TWO_PTS -25,14.65 -25,25\r"
         # E0.6x0.3: a 15° flank, the arc meeting the face 0.3 above the cylinder.
         "^CLINE TWO_PTS -25,25 -57.5,25\r^CLINE TWO_PTS -57.5,25 -58.6196,24.7\r"
         "^CLINE TWO_PTS -58.6196,24.7 -59.4,24.7\r^CARC CEN_BEG_END -59.4,25.3\r-60,25.3\r-59.4,24.7\r"
         "^CLINE TWO_PTS -60,25.3 -60,35\r^CLINE TWO_PTS -60,35 -75,35\r"
         # F1x0.2 from the face: the 8° line, the arc 0.1 into the collar, the bottom, the flank.
         "^CLINE TWO_PTS -75,35 -75,26.5815\r^CLINE TWO_PTS -75,26.5815 -74.9097,25.9392\r"
         "^CARC CEN_BEG_END -75.9,25.8\r-75.9,24.8\r-74.9097,25.9392\r^CLINE TWO_PTS -75.9,24.8 -76.7536,24.8\r"
         "^CLINE TWO_PTS -76.7536,24.8 -77.5,25\r^CLINE TWO_PTS -77.5,25 -110,25\r^CLINE TWO_PTS -110,25 -110,0\r^C")


class UndercutTest(case.ToolbarCase):
    open_from_menu = test_table.ContourTableTest.open_from_menu
    choose_file = test_table.ContourTableTest.choose_file
    cells = test_table.ContourTableTest.cells
    worked = test_table.ContourTableTest.worked
    wait_worked = test_table.ContourTableTest.wait_worked

    def test_shaft_with_three_undercuts_drawn(self):
        self.start_toolbar(case.FAST)
        start = len(self.keys.poll().text)
        path = self.s._tmp / "undercuts.csv"
        path.write_text("".join(",".join(row) + "\r\n" for row in [("X", "Z", "角", "次の要素")] + ROWS),
                        encoding="utf-8-sig")
        self.open_from_menu()
        self.press(TABLE, "新規")  # the table keeps its rows between openings
        self.choose_file("開く...", path)
        h.wait_until(lambda: self.cells(10) == ROWS, 5, "the file's rows")
        self.wait_worked([""] * 4 + ["E0.6x0.3"] + [""] * 5)  # the E took the relief for φ50
        table, preview = self.dialog(TABLE), self.s.wait_window(PREVIEW, exact=True)
        self.s.screenshot("table-undercuts.png", case.union(table["rect"], preview["rect"]))

        self.press(TABLE, "作図")
        self.assert_typed_since(start, DRAWN)
        self.s.wait_no_window(TABLE, exact=True)


if __name__ == "__main__":
    unittest.main()
