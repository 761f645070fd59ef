"""The contour table "輪郭表" in the real toolbar under Wine: a Shift-JIS file as Excel saves it,
read through the common open dialog and typed into the stand-in host in one go; the preview
beside the table; a file with open points, their worked-out values in the table's column as
rows come and go, and what they type; the table opened from a profile dialog's preview; a row
that cannot be built, which types nothing; a file saved through the save dialog and a bad file
refused; the rows kept through ｷｬﾝｾﾙ and a restart, a file read undone and redone, a G-code
program refused; cells pasted from Excel and drawn, and the table copied for Excel.

Run: python3 tests/e2e/run_all.py -k test_table
"""

import contextlib
import unittest

import case
from case import CANCEL, FACE, PREVIEW, TABLE, h

FILTER = "輪郭表 (*.csv)"
HEADER = "X,Z,角,次の要素"
# Excel on a Japanese Windows: Shift-JIS, CRLF, the empty cells kept; a full-width "Ｃ１" as an
# input method leaves it.
EXCEL_ROWS = [("0", "0", "", ""), ("60", "0", "Ｃ１", ""), ("60", "@-25", "R2", ""), ("80", "@0", "", "凹R15"),
              ("80", "-45", "", "")]
DRAWN = ("^CLINE TWO_PTS 0,0 0,29\r^CLINE TWO_PTS 0,29 -1,30\r^CLINE TWO_PTS -1,30 -23,30\r"
         "^CARC CEN_BEG_END -23,32\r-25,32\r-23,30\r^CLINE TWO_PTS -25,32 -25,40\r"
         "^CARC CEN_BEG_END -35,51.1803\r-45,40\r-25,40\r^C")
# Points left open, given by a step, an angle or a tangent arc, and what the table works out.
OPEN_ROWS = [("0", "0", "", ""), ("20", "0", "", "凸R10接"), ("40", "", "", ""), ("40", "W-20", "", "A165"),
             ("60", "", "", "A180"), ("", "", "C2", "A120"), ("100", "-100", "", ""), ("100", "W-20", "", "A270"),
             ("0", "", "", "")]
OPEN_WORKED = ["", "", "X 40  Z -10", "X 40  Z -30", "X 60  Z -67.3205", "X 60  Z -88.453", "", "X 100  Z -120",
               "X 0  Z -120"]
OPEN_DRAWN = ("^CLINE TWO_PTS 0,0 0,10\r^CARC CEN_BEG_END -10,10\r0,10\r-10,20\r^CLINE TWO_PTS -10,20 -30,20\r"
              "^CLINE TWO_PTS -30,20 -67.3205,30\r^CLINE TWO_PTS -67.3205,30 -86.453,30\r"
              "^CLINE TWO_PTS -86.453,30 -89.453,31.7321\r^CLINE TWO_PTS -89.453,31.7321 -100,50\r"
              "^CLINE TWO_PTS -100,50 -120,50\r^CLINE TWO_PTS -120,50 -120,0\r^C")
TOO_MANY_CELLS = "3行目: 列が多すぎます。X, Z, 角, 次の要素 の4列までです。"
# Its first line reads as a header (its X is no value), the second is no table line.
PROGRAM_REFUSED = "2行目: X が数値ではありません。"
PASTED_ROWS = [("0", "0", "", ""), ("40", "0", "C2", ""), ("40", "-30", "", ""), ("0", "@0", "", "")]
PASTED_DRAWN = ("^CLINE TWO_PTS 0,0 0,18\r^CLINE TWO_PTS 0,18 -2,20\r^CLINE TWO_PTS -2,20 -30,20\r"
                "^CLINE TWO_PTS -30,20 -30,0\r^C")


def sheet(rows, header=HEADER, separator=","):
    """A header line and the rows, CRLF line ends: as the toolbar writes files and copies."""
    return "".join(separator.join(row) + "\r\n" for row in [header.split(",")] + rows)


class ContourTableTest(case.ToolbarCase):
    """The host and the toolbar run through the whole class; each test leaves no window open."""

    def setUp(self):
        super().setUp()
        self.folder = self.s._tmp  # removed with the session
        self.start_toolbar(case.FAST, reuse=True)

    # -- helpers ------------------------------------------------------------------------

    def open_from_menu(self):
        """The window menu of the toolbar's caption, then its item 輪郭表(&T)."""
        r = self.s.find_window(h.TOOLBAR_TITLE)["rect"]
        menu_shown = lambda: any(w["class"] == "#32768" and w["visible"] for w in self.s.list_windows()["windows"])
        for attempt in range(2):  # a second right-click only when the X server lost the first
            self.s.focus(h.TOOLBAR_TITLE)
            self.s.mouse_move(r["left"] + 200, r["top"] + 8)
            self.s.xdotool("click", 3)
            with contextlib.suppress(TimeoutError):
                if h.wait_until(menu_shown, 3, "the window menu"):
                    break
        self.s.key("t")
        return self.dialog(TABLE)

    def cells(self, rows):
        edits = sorted((c for c in self.dialog(TABLE)["children"] if c["class"] == "Edit"), key=lambda c: c["id"])
        return [tuple(c["text"] for c in edits[4 * n:4 * n + 4]) for n in range(rows)]

    def assert_soon(self, read, expected):
        with contextlib.suppress(TimeoutError):
            h.wait_until(lambda: read() == expected, 5, repr(expected))
        self.assertEqual(read(), expected)

    def assert_rows(self, rows):
        """The visible rows show rows, and nothing after them."""
        self.assert_soon(lambda: self.cells(10), rows + [("",) * 4] * (10 - len(rows)))

    def worked(self):
        """The 計算値 column from the top down, read at its place in the form (twips)."""
        table = self.dialog(TABLE)
        return [self.s.control_at(table, 5220, 420 + 405 * n, 2100, 375, cls="Static")["text"] for n in range(10)]

    def wait_worked(self, expected):
        h.wait_until(lambda: self.worked() == expected, 5, f"worked-out column {expected} (have {self.worked()})")

    def problem(self, text):
        """Waits for the line under the table to say text."""
        line = lambda: self.s.control_at(self.dialog(TABLE), 120, 5340, 8940, 300, cls="Static")["text"]
        h.wait_until(lambda: line() == text, 5, f"problem {text!r} (have {line()!r})")

    def choose_file(self, button, path):
        """Clicks 開く... or 保存..., checks the dialog's filter and enters the path."""
        table = self.dialog(TABLE)
        self.press(TABLE, button)
        files = lambda: [w for w in self.s.list_windows()["windows"]
                         if w["class"] == "#32770" and w["visible"] and w["owner"] == table["hwnd"]]
        dialog = h.wait_until(files, 15, "the file dialog")[0]
        shown = self.s.wait_window(dialog["title"], exact=True, predicate=lambda w: w["hwnd"] == dialog["hwnd"])
        self.assertIsNotNone(self.s.child(shown, text=FILTER, cls="ComboBox"), "the filter")
        self.s.focus(dialog["title"])
        self.s.type_text(h.unix_to_wine_path(path))
        self.s.key("Return")
        h.wait_until(lambda: dialog not in files(), 10, "the file dialog to close")

    # -- tests ---------------------------------------------------------------------------

    def test_excel_file_drawn_in_one_go_beside_its_preview(self):
        start = len(self.keys.poll().text)
        path = self.folder / "excel.csv"
        path.write_bytes(sheet(EXCEL_ROWS).encode("cp932"))
        toolbar = self.s.find_window(h.TOOLBAR_TITLE)
        table = self.open_from_menu()
        self.assertEqual(table["owner"], toolbar["hwnd"])
        self.choose_file("開く...", path)
        self.assert_rows(EXCEL_ROWS)

        # The preview stands beside the table and leaves it the active window.
        table, preview = self.dialog(TABLE), self.s.wait_window(PREVIEW, exact=True)
        self.assertEqual(preview["owner"], toolbar["hwnd"])
        self.assertFalse(case.overlap(preview["rect"], table["rect"]), "covers the table")
        self.assertFalse(case.overlap(preview["rect"], toolbar["rect"]), "covers the toolbar")
        screen, r = self.s.probe("dpi")["screen"], preview["rect"]
        self.assertTrue(0 <= r["left"] and r["right"] <= screen["width"] and 0 <= r["top"]
                        and r["bottom"] <= screen["height"])
        self.assertEqual(self.s.list_windows()["foreground"]["hwnd"], table["hwnd"])
        self.s.screenshot("table-file-preview.png", case.union(table["rect"], r))

        self.press(TABLE, "作図")
        self.assert_typed_since(start, DRAWN)
        self.s.wait_no_window(TABLE, exact=True)
        self.s.wait_no_window(PREVIEW, exact=True)
        # The next profile dialog goes on from the table's last point.
        self.open(FACE)
        self.assert_boxes(FACE, ["80", "-45", ""])
        self.close_dialog(FACE, CANCEL)

    def test_open_points_worked_out_shown_and_drawn(self):
        start = len(self.keys.poll().text)
        path = self.folder / "open.csv"
        path.write_text("".join(",".join(row) + "\n" for row in [HEADER.split(",")] + OPEN_ROWS), encoding="utf-8")
        self.open_from_menu()
        self.choose_file("開く...", path)
        self.assert_rows(OPEN_ROWS)
        self.wait_worked(OPEN_WORKED + [""])
        table, preview = self.dialog(TABLE), self.s.wait_window(PREVIEW, exact=True)
        self.s.screenshot("table-open-points.png", case.union(table["rect"], preview["rect"]))

        # Two rows more scroll the table by one row, and the column with it; deleted, back again.
        self.press(TABLE, "行追加")
        self.press(TABLE, "行追加")
        h.wait_until(lambda: self.worked()[:8] == OPEN_WORKED[1:], 5, f"the column scrolled (have {self.worked()})")
        self.press(TABLE, "行削除")
        self.press(TABLE, "行削除")
        self.wait_worked(OPEN_WORKED + [""])

        self.press(TABLE, "作図")
        self.assert_typed_since(start, OPEN_DRAWN)
        self.s.wait_no_window(TABLE, exact=True)

    def test_refused_rows_and_files_type_nothing_and_keep_the_rows(self):
        start = len(self.keys.poll().text)
        # From the preview of an open profile dialog: the dialog goes, the table comes.
        self.open(FACE)
        x, z = self.boxes(FACE)[:2]
        preview = self.s.wait_window(PREVIEW, exact=True)
        o, scale = preview["client_origin"], self.s.dpi() / 96
        self.s.x_window(PREVIEW)  # mapped on the X side too, or the click falls through it
        self.s.click_at(o["x"] + round(48 * scale), o["y"] + round(18 * scale))  # the "輪郭表..." button
        self.s.wait_no_window(FACE, exact=True)
        self.press(TABLE, "新規")  # the rows kept from before go: one row where the dialog started
        self.assert_rows([(x, z, "", "")])

        # A row that cannot be built is named, and 作図 types nothing but takes the focus
        # to that row's X, its text selected for typing over.
        self.press(TABLE, "行追加")
        self.type("abc")
        self.s.key("Return")
        self.type("@-20")
        self.problem("2行目: X が数値ではありません。")
        self.assertEqual(self.worked()[1], "X ?  Z ?")  # a cell that is no number is open, not 0
        self.s.screenshot("table-refused.png", self.dialog(TABLE)["rect"])
        self.press(TABLE, "作図")
        self.assert_typed_since(start, "")
        self.assert_open(TABLE)
        self.type("40")
        self.problem("")
        rows = [(x, z, "", ""), ("40", "@-20", "", "")]
        self.assertEqual(self.cells(2), rows)

        # Saved with no extension typed: the dialog adds .csv; UTF-8 with a BOM and CRLF.
        self.choose_file("保存...", self.folder / "saved")
        self.assertEqual((self.folder / "saved.csv").read_bytes(), sheet(rows).encode("utf-8-sig"))

        # A file with a line of five cells: the message names its line, the rows stay.
        bad = self.folder / "bad.csv"
        bad.write_text(f"{HEADER}\r\n0,0,,\r\n60,0,C1,凹R5,1\r\n", encoding="utf-8")
        self.choose_file("開く...", bad)
        self.dismiss(self.wait_message(TOO_MANY_CELLS, title=TABLE))
        self.assert_rows(rows)
        self.close_dialog(TABLE, CANCEL)
        self.assert_typed_since(start, "")

    def test_rows_kept_through_cancel_and_a_restart_a_file_read_undone_and_a_program_refused(self):
        excel, shaft, program = (self.folder / name for name in ("kept-excel.csv", "kept-shaft.csv", "lathe.nc"))
        excel.write_text(sheet(EXCEL_ROWS), encoding="utf-8")
        shaft.write_text(sheet(OPEN_ROWS), encoding="utf-8")
        program.write_bytes(b"G0 X10 Z5\r\nG1 X20 Z-30\r\n")
        self.open_from_menu()
        for path, rows in ((excel, EXCEL_ROWS), (shaft, OPEN_ROWS)):
            self.choose_file("開く...", path)
            self.assert_rows(rows)
        # A file read is one step, undone and redone by either key.
        self.s.focus(TABLE)
        for key, rows in (("ctrl+z", EXCEL_ROWS), ("ctrl+y", OPEN_ROWS), ("ctrl+z", EXCEL_ROWS),
                          ("ctrl+shift+z", OPEN_ROWS)):
            self.s.key(key)
            self.assert_rows(rows)
        self.choose_file("開く...", program)
        self.dismiss(self.wait_message(PROGRAM_REFUSED, title=TABLE))
        self.assert_rows(OPEN_ROWS)

        # ｷｬﾝｾﾙ keeps the rows, in the user's application data, for the next opening and the next run.
        self.close_dialog(TABLE, CANCEL)
        self.assertEqual([f.read_bytes() for f in self.s.kept_tables()], [sheet(OPEN_ROWS).encode("utf-8-sig")])
        self.open_from_menu()
        self.assert_rows(OPEN_ROWS)
        self.close_dialog(TABLE, CANCEL)
        start = len(self.keys.poll().text)
        self.close_toolbar()
        type(self).proc = self.s.start_kelomenu()
        type(self).window, type(self)._xid = self.s.wait_window(h.TOOLBAR_TITLE, timeout=30), None
        self.assert_typed_since(start, case.STARTUP)
        self.open_from_menu()
        self.assert_rows(OPEN_ROWS)
        self.close_dialog(TABLE, CANCEL)

    def test_cells_pasted_from_excel_drawn_and_the_table_copied_for_it(self):
        start = len(self.keys.poll().text)
        block = self.folder / "cells.txt"
        block.write_text(sheet(PASTED_ROWS, "直径X,Z,角,次の要素", "\t"), encoding="utf-8")
        self.open_from_menu()
        self.press(TABLE, "新規")  # one row, its X with the focus
        self.s.probe("setclipboardfile", h.unix_to_wine_path(block))
        self.s.key("ctrl+v")
        self.assert_rows(PASTED_ROWS)
        self.press(TABLE, "コピー")
        self.assert_soon(lambda: self.s.probe("clipboard")["text"], sheet(PASTED_ROWS, separator="\t"))
        self.press(TABLE, "作図")
        self.assert_typed_since(start, PASTED_DRAWN)
        self.s.wait_no_window(TABLE, exact=True)


if __name__ == "__main__":
    unittest.main()
