"""新規, a toggle clicked without a host, and the calculator and the manual started beside a
copy of the toolbar under Wine (a stand-in for each: hostsim as the calculator, hostsim
registered as the program for PDF files).
"""

import shutil
import tempfile
import unittest
from pathlib import Path

import case
import test_scaling as ts
from case import h

MANUAL = "Keloメニュー マニュアル.pdf"
CALC_TITLE = "KeloCalc stand-in"
PDF_CLASS = "KeloE2E.Manual"


class LaunchersTest(case.ToolbarCase):
    """One copy of the toolbar in a folder of its own, running through the class; the
    tests put beside it the files they want."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.copy = Path(tempfile.mkdtemp(prefix="kelocopy"))
        shutil.copy2(h.exe_path("KeloMenu.exe"), cls.copy / "KeloMenu.exe")

    @classmethod
    def tearDownClass(cls):
        super().tearDownClass()
        shutil.rmtree(cls.copy, ignore_errors=True)

    def setUp(self):
        super().setUp()
        self.start_toolbar(case.FAST, exe=self.copy / "KeloMenu.exe", env={"HOSTSIM_TITLE": CALC_TITLE}, reuse=True)
        for name in (h.CALCULATOR_EXE, MANUAL):
            (self.copy / name).unlink(missing_ok=True)

    def tearDown(self):
        super().tearDown()
        # What the toolbar started belongs to no process of the harness.
        for title in (CALC_TITLE, h.unix_to_wine_path(self.copy / MANUAL)):
            if self.s.windows(title, exact=True):
                self.s.close_window(title, exact=True)
                self.s.wait_no_window(title, exact=True)

    def assert_toolbar_still_works(self):
        self.assert_typed_since(self.run_command("Line_Poinr2"), "^CLINE ASSIST TWO_PTS\r")

    def test_new_file_asks_and_resets_only_on_yes(self):
        for answer, expected in (("&No", ""), ("&Yes", "^CRESET_SYSTEM\rCONFIRM\r")):
            with self.subTest(answer=answer):
                start = len(self.keys.poll().text)
                self.click("NEW_FILE")
                box = self.wait_message("データが全部削除されます。新規にしますか?", title="新規")
                self.s.screenshot("new-file-question.png", box["rect"])
                self.assertEqual(box["owner"], self.window["hwnd"])
                self.assertEqual([c["text"] for c in box["children"] if c["class"].lower() == "button" and c["visible"]],
                                 ["&Yes", "&No"])
                # No icon: Wine keeps an empty icon control under the text's first
                # characters, so look at what shows there. Every icon has colour; text is grey.
                for icon in box["children"]:
                    if icon["class"].lower() == "static" and icon["visible"] and int(icon["style"], 16) & 0x1F == 0x03:
                        colours = {c for c in self.s.pixels(icon["rect"]).values() if max(c) - min(c) > 16}
                        self.assertEqual(colours, set(), "an icon shows")
                self.assertEqual(self.keys.poll().typed(start), "")  # nothing while the question is open
                self.dismiss(box, answer)
                self.assert_typed_since(start, expected)
        self.assert_no_message()

    def test_toggle_clicked_without_host_keeps_its_look_and_state(self):
        corners, _ = ts.button_look(self, "DOT_GRID", "toggle-no-host-before.png")
        self.s.stop(self.host)
        self.click("DOT_GRID")
        self.dismiss(self.wait_message(case.NO_HOST))
        after, counts = ts.button_look(self, "DOT_GRID", "toggle-no-host.png")
        self.assertEqual(after, corners)
        self.assertNotIn(ts.LIGHT_CYAN, counts)
        # The failed click changed nothing: the next one, with the host running, switches on.
        self.restart_host()
        self.run_command("DOT_GRID", "^CDOT_GRID ON\r")
        h.wait_until(lambda: ts.button_look(self, "DOT_GRID", "toggle-no-host-then-on.png")[0] == {ts.LIGHT_CYAN},
                     3, "the light cyan face")
        self.run_command("DOT_GRID", "^CDOT_GRID OFF\r")

    def test_calculator_starts_beside_the_program_and_comes_to_the_front(self):
        shutil.copy2(h.exe_path("hostsim.exe"), self.copy / h.CALCULATOR_EXE)
        start = len(self.keys.poll().text)
        self.click("Calculator")
        calc = self.s.wait_window(CALC_TITLE, exact=True, timeout=20)
        h.wait_until(lambda: self.s.list_windows()["foreground"]["title"] == CALC_TITLE, 10, "the calculator in front")
        self.s.screenshot("calculator-started.png", case.union(calc["rect"], self.window["rect"]))
        self.assertEqual(calc["owner"], "0x0")
        self.assert_no_message()
        self.assertEqual(self.keys.poll().typed(start), "")
        self.assert_toolbar_still_works()

    def test_missing_calculator_shows_the_message_naming_the_file(self):
        self.click("Calculator")
        path = h.unix_to_wine_path(self.copy / h.CALCULATOR_EXE)
        box = self.wait_message("電卓を起動できませんでした。次のファイルがあるか確認してください。\n" + path)
        self.s.screenshot("calculator-missing.png", box["rect"])
        self.dismiss(box)
        self.assertEqual(self.s.windows(CALC_TITLE), [])
        self.assert_toolbar_still_works()

    def test_missing_manual_shows_no_message_of_ours(self):
        self.click("HELP_PDF")
        # The toolbar handles its clicks in turn: once the next command has typed, the
        # manual's click has ended, with whatever message it would show.
        self.assert_toolbar_still_works()
        self.assert_no_message()
        # Whatever the shell shows of its own is closed as a user would.
        for w in self.s.list_windows()["windows"]:
            if w["visible"] and w["class"] == "#32770":
                self.s.close_window(w["title"], exact=True)

    def test_manual_opens_in_the_program_registered_for_pdf(self):
        (self.copy / MANUAL).write_bytes(b"%PDF-1.4\n% stand-in manual\n")
        with registered_pdf_viewer(self.s, self.copy):
            self.click("HELP_PDF")
            path = h.unix_to_wine_path(self.copy / MANUAL)
            shown = self.s.wait_window(path, exact=True, timeout=20)
            self.s.screenshot("manual-opened.png", shown["rect"])
            self.assert_no_message()
            self.assert_toolbar_still_works()


class registered_pdf_viewer:
    """Makes a copy of hostsim the program for .pdf (it shows the path it was given as its
    title) and puts the class back afterwards. Wine's classes root does not take a
    per-user class before its own, so the machine-wide entry is changed."""

    def __init__(self, session, folder):
        self.s, self.viewer = session, folder / "viewer.exe"
        shutil.copy2(h.exe_path("hostsim.exe"), self.viewer)

    def __enter__(self):
        self.before = self.s.registry_read(r"HKCR\.pdf").get("")
        self.s.probe("regset", r"HKCR\.pdf", "", PDF_CLASS)
        self.s.probe("regset", rf"HKCR\{PDF_CLASS}\shell\open\command", "",
                     f'"{h.unix_to_wine_path(self.viewer)}" --x 200 --y 300 --title "%1"')

    def __exit__(self, *exc):
        self.s.probe("regdel", rf"HKCR\{PDF_CLASS}")
        if self.before is None:
            self.s.probe("regdel", r"HKCR\.pdf")
        else:
            self.s.probe("regset", r"HKCR\.pdf", "", self.before)


if __name__ == "__main__":
    unittest.main()
