"""The toggles (ドット グリッド, スポットライト), 新規, the manual and the calculator, clicked for real
under Wine: the lines the host receives, the toggles' colours read from screenshots at 100,
150 and 200 % and their tooltips from the real tooltip, the reset question, and the two
programs started beside a copy of the toolbar.

Run: python3 tests/e2e/run_all.py -k toggle -k new_file -k calculator -k manual
"""

import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "e2e"))
import harness as h  # noqa: E402
import test_buttons as tb  # noqa: E402

FAST = {"EXTEND": "True", "DTime1": "0.02", "DTime2": "0.02"}
LIGHT_CYAN = (192, 255, 255)
MANUAL = "Keloメニュー マニュアル.pdf"
CALCULATOR = "KeloCalculator.EXE"
CALC_TITLE = "KeloCalc stand-in"
CALC_NOT_STARTED = "電卓を起動できませんでした。次のファイルがあるか確認してください。"
NEW_FILE_QUESTION = "データが全部削除されます。新規にしますか?"
PDF_CLASS = "KeloE2E.Manual"
SS_TYPEMASK, SS_ICON = 0x1F, 0x03


def pixels(path):
    """{(x, y): (r, g, b)} of a PNG, through ImageMagick's text format."""
    out = subprocess.run(["convert", str(path), "txt:-"], capture_output=True, text=True,
                         check=True).stdout
    found = {}
    for m in re.finditer(r"^(\d+),(\d+): \(\s*(\d+),\s*(\d+),\s*(\d+)", out, re.M):
        found[(int(m.group(1)), int(m.group(2)))] = tuple(int(m.group(i)) for i in (3, 4, 5))
    return found


def shown_tip(s):
    for w in s.list_windows()["windows"]:
        if w["class"].lower() == "tooltips_class32" and w["visible"]:
            return w
    return None


class ToggleLookTest(tb.ToolbarCase):
    """Both toggles at 100 %; the subclasses repeat it at 150 and 200 %."""
    dpi = 96

    def button_look(self, window, name, shot):
        """The colours of the button's face inside its edge: (the four inner corners,
        {colour: count} over the inner area)."""
        child = self.s.child_at(window, *self.centre(window, name))
        r = child["rect"]
        path = self.s.screenshot(shot, r)
        px = pixels(path)
        inset = 2 * self.dpi // 96 + 1
        w, h_ = r["right"] - r["left"], r["bottom"] - r["top"]
        corners = {px[(x, y)] for x in (inset, w - 1 - inset) for y in (inset, h_ - 1 - inset)}
        counts = {}
        for (x, y), c in px.items():
            if inset <= x < w - inset and inset <= y < h_ - inset:
                counts[c] = counts.get(c, 0) + 1
        return corners, counts

    def tip_over(self, window, name):
        """The tooltip text shown when the pointer rests on the button."""
        x, y = self.centre(window, name)
        for attempt in range(4):
            self.s.mouse_move(x - 25 - attempt, y)
            time.sleep(0.15)
            self.s.mouse_move(x, y)
            try:
                tip = h.wait_until(lambda: shown_tip(self.s), 3, "a tooltip", interval=0.1)
            except TimeoutError:
                continue
            if tip["title"]:
                return tip
        self.fail(f"no tooltip over {name}")

    def test_toggle_colours_and_tips_follow_the_clicks(self):
        window, keys = self.start_toolbar(FAST)
        window = self.s.wait_window(
            h.TOOLBAR_TITLE,
            predicate=lambda w: w["rect"]["bottom"] - w["rect"]["top"] == self.s.px(tb.EXPANDED_TW))
        pct = self.dpi * 100 // 96
        face_corners, face = self.button_look(window, "DOT_GRID", f"toggle-{pct}-dot-grid-before.png")
        self.assertEqual(len(face_corners), 1, face_corners)
        face_colour = next(iter(face_corners))
        self.assertNotIn(LIGHT_CYAN, face)

        steps = [
            # (button, host receives, back colour after it, tooltip after it)
            ("DOT_GRID", "^CDOT_GRID ON\r", LIGHT_CYAN, "ドット グリッド OFF"),
            ("SPOTLIGHT", "^CSPOTLIGHT ON\r", LIGHT_CYAN, "スポットライト OFF"),
            ("DOT_GRID", "^CDOT_GRID OFF\r", face_colour, "ドット グリッド ON"),
            ("SPOTLIGHT", "^CSPOTLIGHT OFF\r", face_colour, "スポットライト ON"),
            ("DOT_GRID", "^CDOT_GRID ON\r", LIGHT_CYAN, "ドット グリッド OFF"),
        ]
        for i, (name, line, colour, tip) in enumerate(steps):
            with self.subTest(step=i, button=name):
                start = len(keys.poll().text)
                self.click(window, name)
                self.assertEqual(keys.wait_typed(start, line), line)
                time.sleep(0.15)
                corners, counts = self.button_look(window, name, f"toggle-{pct}-{i}-{name.lower()}.png")
                # The colour shows around the picture and through its transparent pixels.
                self.assertEqual(corners, {colour})
                inner = sum(counts.values())
                self.assertGreater(counts.get(colour, 0), inner // 3, counts)
                if colour != LIGHT_CYAN:
                    self.assertNotIn(LIGHT_CYAN, counts)
                shown = self.tip_over(window, name)
                self.assertEqual(shown["title"], tip)
                if i == 0:
                    r = shown["rect"]
                    wr = window["rect"]
                    self.s.screenshot(f"toggle-{pct}-tip.png", dict(
                        left=min(wr["left"], r["left"]), top=wr["top"], right=max(wr["right"], r["right"]),
                        bottom=max(wr["bottom"], r["bottom"]) + 4))
        self.assertTrue(keys.quiet())
        self.assertEqual(self.s.windows(h.MESSAGE_TITLE, exact=True), [])


class ToggleLook150Test(ToggleLookTest):
    dpi = 144
    screen = (2880, 1620)


class ToggleLook200Test(ToggleLookTest):
    dpi = 192
    screen = (3840, 2160)


class NewFileAndLaunchersTest(tb.ToolbarCase):
    dpi = 96

    def setUp(self):
        super().setUp()
        self.copy = None

    def tearDown(self):
        super().tearDown()
        # The toolbar started the stand-in calculator; the harness knows nothing of it.
        if self.s.windows(CALC_TITLE, exact=True):
            self.s.close_window(CALC_TITLE, exact=True)
            self.s.wait_no_window(CALC_TITLE, exact=True)
        if self.copy is not None:
            shutil.rmtree(self.copy, ignore_errors=True)

    # -- helpers ------------------------------------------------------------------------

    def toolbar_copy(self, calculator=False, manual=False):
        """A copy of KeloMenu.exe in a fresh folder, with the files beside it asked for;
        started like the real one, with the stand-in host running."""
        self.copy = Path(tempfile.mkdtemp(prefix="kelocopy"))
        shutil.copy2(h.exe_path("KeloMenu.exe"), self.copy / "KeloMenu.exe")
        if calculator:
            shutil.copy2(h.exe_path("hostsim.exe"), self.copy / CALCULATOR)
        if manual:
            (self.copy / MANUAL).write_bytes(b"%PDF-1.4\n% stand-in manual\n")
        self.s.registry_write(FAST)
        host = self.s.start_hostsim()
        self.proc = self.s.start(self.copy / "KeloMenu.exe", title=h.TOOLBAR_TITLE,
                                 env={"HOSTSIM_TITLE": CALC_TITLE})
        window = self.s.wait_window(h.TOOLBAR_TITLE, timeout=30)
        keys = tb.Keys(host.log)
        self.assertEqual(keys.wait_typed(0, tb.STARTUP, timeout=15), tb.STARTUP)
        return window, keys

    def assert_toolbar_still_works(self, window, keys):
        start = len(keys.poll().text)
        self.click(window, "Line_Poinr2")
        expected = "^CLINE ASSIST TWO_PTS\r"
        self.assertEqual(keys.wait_typed(start, expected), expected)
        self.assertTrue(keys.quiet())
        self.assertEqual(keys.typed(start), expected)

    def foreground_title(self):
        return self.s.probe("list")["foreground"]["title"]

    def message_box(self, title):
        box = self.s.wait_window(title, exact=True)
        time.sleep(0.2)
        return self.s.wait_window(title, exact=True)

    # -- 新規 ----------------------------------------------------------------------------

    def test_new_file_asks_and_resets_only_on_yes(self):
        window, keys = self.start_toolbar(FAST)
        for answer, expected in (("&No", ""), ("&Yes", "^CRESET_SYSTEM\rCONFIRM\r")):
            with self.subTest(answer=answer):
                start = len(keys.poll().text)
                self.click(window, "NEW_FILE")
                box = self.message_box("新規")
                if answer == "&No":
                    self.s.screenshot("new-file-question.png", box["rect"])
                self.assertEqual(box["owner"], window["hwnd"])
                statics = [c for c in box["children"] if c["class"].lower() == "static"]
                self.assertIn(NEW_FILE_QUESTION, [c["text"] for c in statics])
                # No icon: Wine keeps an empty icon control under the text's first
                # characters, so look at what shows there. Every icon has colour; text is grey.
                for icon in statics:
                    if int(icon["style"], 16) & SS_TYPEMASK == SS_ICON and icon["visible"]:
                        shot = self.s.screenshot("new-file-question-icon.png", icon["rect"])
                        colours = {c for c in pixels(shot).values() if max(c) - min(c) > 16}
                        self.assertEqual(colours, set(), "an icon shows")
                buttons = [c["text"] for c in box["children"]
                           if c["class"].lower() == "button" and c["visible"]]
                self.assertEqual(buttons, ["&Yes", "&No"])
                # Nothing is typed while the question is open.
                self.assertEqual(keys.poll().typed(start), "")
                self.s.click_child("新規", answer, exact=True)
                self.s.wait_no_window("新規", exact=True)
                if expected:
                    self.assertEqual(keys.wait_typed(start, expected), expected)
                self.assertTrue(keys.quiet())
                self.assertEqual(keys.typed(start), expected)
        self.assertEqual(self.s.windows(h.MESSAGE_TITLE, exact=True), [])

    def test_toggle_without_host_keeps_its_look_and_state(self):
        window, _ = self.start_toolbar(FAST, host=False)
        self.click(window, "DOT_GRID")
        box = self.message_box(h.MESSAGE_TITLE)
        self.assertIn("始めにアプリの設定または起動してください。", [c["text"] for c in box["children"]])
        self.s.click_child(h.MESSAGE_TITLE, "OK", exact=True)
        self.s.wait_no_window(h.MESSAGE_TITLE, exact=True)
        time.sleep(0.2)
        corners, counts = ToggleLookTest.button_look(self, window, "DOT_GRID", "toggle-no-host.png")
        self.assertNotIn(LIGHT_CYAN, counts)
        # The failed click changed nothing: the next one, with the host running, switches on.
        keys = tb.Keys(self.s.start_hostsim().log)
        self.click(window, "DOT_GRID")
        self.assertEqual(keys.wait_typed(0, "^CDOT_GRID ON\r"), "^CDOT_GRID ON\r")
        time.sleep(0.15)
        corners, _ = ToggleLookTest.button_look(self, window, "DOT_GRID", "toggle-no-host-then-on.png")
        self.assertEqual(corners, {LIGHT_CYAN})

    # -- 電卓 -----------------------------------------------------------------------------

    def test_calculator_starts_beside_the_program_and_comes_to_the_front(self):
        window, keys = self.toolbar_copy(calculator=True)
        self.click(window, "Calculator")
        calc = self.s.wait_window(CALC_TITLE, exact=True, timeout=20)
        h.wait_until(lambda: self.foreground_title() == CALC_TITLE, 10, "the calculator in front")
        time.sleep(0.3)
        self.s.screenshot("calculator-started.png")
        self.assertEqual(calc["owner"], "0x0")
        self.assertEqual(self.s.windows(h.MESSAGE_TITLE, exact=True), [])
        self.assertEqual(keys.poll().typed(len(tb.STARTUP)), "")
        self.assert_toolbar_still_works(window, keys)

    def test_missing_calculator_shows_the_message_naming_the_file(self):
        window, keys = self.toolbar_copy()
        self.click(window, "Calculator")
        box = self.message_box(h.MESSAGE_TITLE)
        self.s.screenshot("calculator-missing.png", box["rect"])
        texts = [c["text"] for c in box["children"] if c["class"].lower() == "static"]
        path = h.unix_to_wine_path(self.copy) + "\\" + CALCULATOR
        self.assertIn(CALC_NOT_STARTED + "\n" + path, texts)
        self.s.click_child(h.MESSAGE_TITLE, "OK", exact=True)
        self.s.wait_no_window(h.MESSAGE_TITLE, exact=True)
        self.assertEqual(self.s.windows(CALC_TITLE), [])
        self.assert_toolbar_still_works(window, keys)

    # -- マニュアル -------------------------------------------------------------------------

    def test_missing_manual_shows_no_message_of_ours(self):
        window, keys = self.toolbar_copy()
        self.click(window, "HELP_PDF")
        time.sleep(1.5)
        self.s.screenshot("manual-missing.png")
        self.assertEqual(self.s.windows(h.MESSAGE_TITLE, exact=True), [])
        # Whatever the shell shows of its own is closed as a user would.
        for w in self.s.list_windows()["windows"]:
            if w["visible"] and w["class"] == "#32770":
                self.s.close_window(w["title"], exact=True)
        self.assert_toolbar_still_works(window, keys)

    def test_manual_opens_in_the_program_registered_for_pdf(self):
        viewer = Path(tempfile.mkdtemp(prefix="keloviewer"))
        try:
            shutil.copy2(h.exe_path("hostsim.exe"), viewer / "viewer.exe")
            # The stand-in viewer shows the path it was given as its title.
            command = f'"{h.unix_to_wine_path(viewer / "viewer.exe")}" --x 200 --y 200 --title "%1"'
            self.register_pdf(command)
            window, keys = self.toolbar_copy(manual=True)
            self.click(window, "HELP_PDF")
            path = h.unix_to_wine_path(self.copy / MANUAL)
            shown = self.s.wait_window(path, exact=True, timeout=20)
            time.sleep(0.3)
            self.s.screenshot("manual-opened.png", shown["rect"])
            self.assertEqual(self.s.windows(h.MESSAGE_TITLE, exact=True), [])
            self.assert_toolbar_still_works(window, keys)
            # The shell started the viewer; the harness knows nothing of it.
            self.s.close_window(path, exact=True)
            self.s.wait_no_window(path, exact=True)
        finally:
            self.s.stop_all()
            self.unregister_pdf()
            shutil.rmtree(viewer, ignore_errors=True)

    def register_pdf(self, command):
        """Makes the stand-in the program for .pdf. Wine's classes root does not take a
        per-user class before its own, so the machine-wide entry is changed and put back
        by unregister_pdf."""
        def reg(text):
            return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'
        query = self.s.wine("reg", "query", r"HKCR\.pdf", "/ve").stdout.decode("utf-8", "replace")
        m = re.search(r"REG_SZ\s+(\S+)", query)
        self.pdf_class = m.group(1) if m else None
        self.s._regedit_import("\r\n".join([
            "Windows Registry Editor Version 5.00", "",
            r"[HKEY_CLASSES_ROOT\.pdf]", f"@={reg(PDF_CLASS)}", "",
            f"[HKEY_CLASSES_ROOT\\{PDF_CLASS}\\shell\\open\\command]", f"@={reg(command)}", ""]))

    def unregister_pdf(self):
        self.s.wine("reg", "delete", "HKCR\\" + PDF_CLASS, "/f")
        if self.pdf_class:
            self.s.wine("reg", "add", r"HKCR\.pdf", "/ve", "/d", self.pdf_class, "/f")
        else:
            self.s.wine("reg", "delete", r"HKCR\.pdf", "/f")


if __name__ == "__main__":
    unittest.main()
