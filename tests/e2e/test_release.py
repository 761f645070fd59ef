"""The release zip as a draftsman gets it: made by scripts/release.sh, unzipped into a
fresh folder (a Japanese name with a blank, as on a Japanese desktop) and run in a fresh
Wine prefix, where no setting and no earlier run helps. The toolbar from the zip starts the
calculator from the zip, whose copied result is the coordinate text, and opens the zip's
manual in the program registered for PDF files; the zip stores its names as UTF-8, the
manual has its pages and the undercut norm file beside it is the table the program has built in.

The release is made with --reuse-shots: the manual's pictures are the ones in
docs/manual/shots (taken by tools/manual/screenshots.py, which the full release runs), so
this test does not spend a minute of Wine on taking them again. KELO_RELEASE_ZIP names a
zip that was just built, to test that one instead.

Run: python3 tests/e2e/run_all.py -k release
"""

import math
import os
import re
import shutil
import subprocess
import tempfile
import unittest
import zipfile
from pathlib import Path

import case
import test_launchers as tl
from case import h

VERSION = "1.32"
FOLDER = f"KeloMenu-{VERSION}"
MANUAL = "Keloメニュー マニュアル.pdf"
CALCULATOR = "KeloCalculator.EXE"
NORMS = "逃げ溝.csv"
MEMBERS = [f"{FOLDER}/KeloMenu.exe", f"{FOLDER}/{CALCULATOR}", f"{FOLDER}/{MANUAL}", f"{FOLDER}/{NORMS}"]
UTF8_FLAG = 0x800
# Texts of the program that the manual must quote as they stand.
QUOTED = ["始めにアプリの設定または起動してください。", "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings",
          "データが全部削除されます。新規にしますか?", "LINE TWO_PTS -35,15 -45,20", "ARC CEN_BEG_END -30,18.3166"]


def wine_processes(prefix: Path) -> list[str]:
    """The command lines of the running Windows programs of one Wine prefix."""
    found = []
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            environ = (entry / "environ").read_bytes().split(b"\0")
            cmdline = (entry / "cmdline").read_bytes().replace(b"\0", b" ").decode("utf-8", "replace").strip()
        except OSError:
            continue
        if f"WINEPREFIX={prefix}".encode() in environ:
            found.append(cmdline)
    return found


class ReleaseTest(case.ToolbarCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = Path(tempfile.mkdtemp(prefix="kelo-release-"))
        cls.zip = Path(os.environ.get("KELO_RELEASE_ZIP") or h.REPO / "build" / "release" / f"{FOLDER}.zip")
        # The manual renders (most of a minute) while Wine makes the fresh prefix.
        release = None if os.environ.get("KELO_RELEASE_ZIP") else subprocess.Popen(
            ["sh", str(h.REPO / "scripts" / "release.sh"), "--reuse-shots"], stdout=subprocess.DEVNULL)
        try:
            cls.session = h.Session(prefix=cls.tmp / "prefix").__enter__()
            if release is not None and release.wait() != 0:
                raise RuntimeError("scripts/release.sh failed")
        except BaseException:
            if release is not None and release.poll() is None:
                release.kill()
            if cls.session is not None:
                cls.session.__exit__(None, None, None)
            shutil.rmtree(cls.tmp, ignore_errors=True)
            raise
        cls.folder = cls.tmp / "展開 テスト" / FOLDER
        with zipfile.ZipFile(cls.zip) as z:
            z.extractall(cls.folder.parent)

    @classmethod
    def tearDownClass(cls):
        cls.session.__exit__(None, None, None)
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def tearDown(self):
        super().tearDown()
        # What the toolbar started (calculator, viewer) belongs to no harness process.
        for title in (h.CALCULATOR_TITLE, h.unix_to_wine_path(self.folder / MANUAL)):
            if self.s.windows(title, exact=True):
                self.s.close_window(title, exact=True)
                self.s.wait_no_window(title, exact=True)

    # -- the zip ------------------------------------------------------------------------

    def test_zip_holds_one_folder_with_the_four_files_under_utf8_names(self):
        with zipfile.ZipFile(self.zip) as z:
            infos = z.infolist()
            self.assertEqual([i.filename for i in infos], MEMBERS)
            for info in infos:
                with self.subTest(member=info.filename):
                    if not info.filename.isascii():
                        self.assertTrue(info.flag_bits & UTF8_FLAG, "no UTF-8 flag")
        # The raw central directory holds the name in UTF-8, as Windows reads it with the flag.
        self.assertIn(f"{FOLDER}/{MANUAL}".encode("utf-8"), self.zip.read_bytes())
        for name in ("KeloMenu.exe", CALCULATOR):
            with self.subTest(program=name):
                self.assertEqual((self.folder / name).read_bytes(), h.exe_path(name).read_bytes())
        self.assertEqual((self.folder / NORMS).read_bytes(), case.tables()["undercutNorms"].encode())

    def test_manual_has_its_pages_and_quotes_the_program(self):
        pdf = self.folder / MANUAL
        info = subprocess.run(["pdfinfo", str(pdf)], capture_output=True, text=True, check=True).stdout
        pages = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
        self.assertGreaterEqual(pages, 10)
        self.assertRegex(info, r"Page size:.*\(A4\)")
        fonts = subprocess.run(["pdffonts", str(pdf)], capture_output=True, text=True, check=True).stdout
        # Japanese in Noto CJK, and every font embedded: a PC without them shows the same pages.
        rows = [line for line in fonts.splitlines()[2:] if line.strip()]
        self.assertTrue(any("NotoSansCJKJP" in row.split()[0].replace("-", "") for row in rows), fonts)
        for row in rows:
            self.assertRegex(row, r"\syes\s+(yes|no)\s+(yes|no)\s+\d+\s+\d+$", "not embedded")
        text = subprocess.run(["pdftotext", "-layout", str(pdf), "-"], capture_output=True, text=True,
                              check=True).stdout
        flat = re.sub(r"\s", "", text)
        for quoted in QUOTED:
            with self.subTest(text=quoted):
                self.assertIn(re.sub(r"\s", "", quoted), flat)
        # Every button of the toolbar has its row in the reference, under its own name.
        names = subprocess.run([str(h.REPO / "build" / "native" / "dump_tables"), "--picture-size", "24"],
                               capture_output=True, check=True).stdout.decode("utf-8")
        buttons = re.findall(r'\{"button":"([^"]+)"', names)
        self.assertGreater(len(buttons), 100)
        missing = [b for b in buttons if b not in flat]
        self.assertEqual(missing, [])

    # -- the programs from the zip ------------------------------------------------------

    def test_calculator_from_the_zip_starts_in_front_and_copies_coordinate_text(self):
        # The settings a first start has.
        self.start_toolbar(exe=self.folder / "KeloMenu.exe", reuse=True)
        self.click("Calculator")
        calc = self.s.wait_window(h.CALCULATOR_TITLE, exact=True, timeout=20)
        h.wait_until(lambda: self.s.list_windows()["foreground"]["title"] == h.CALCULATOR_TITLE, 10,
                     "the calculator in front")
        # It is the calculator beside the unzipped toolbar: the only one there is to start.
        started = [c for c in wine_processes(self.session.prefix) if CALCULATOR in c]
        self.assertEqual(len(started), 1, started)
        self.assertIn(h.unix_to_wine_path(self.folder / CALCULATOR).lower(), started[0].lower())

        self.s.focus(h.CALCULATOR_TITLE)
        self.s.type_text("(60-40)/2/tan(15)")
        expected = f"{10 / math.tan(math.radians(15)):.4f}"
        self.s.probe("setclipboard", "before")
        self.s.click_child(h.CALCULATOR_TITLE, "コピー", exact=True)
        try:
            h.wait_until(lambda: self.s.probe("clipboard")["text"] == expected, 5, f"{expected} copied")
        except TimeoutError:
            self.assertEqual(self.s.probe("clipboard")["text"], expected)
        self.s.screenshot("release-calculator.png", self.s.wait_window(h.CALCULATOR_TITLE, exact=True)["rect"])
        self.assertEqual(calc["owner"], "0x0")
        self.assertEqual(self.keys.poll().typed(), case.STARTUP)  # the calculator typed nothing into the host

    def test_manual_button_opens_the_zips_manual_in_the_pdf_program(self):
        with tl.registered_pdf_viewer(self.s, self.tmp):
            self.start_toolbar(exe=self.folder / "KeloMenu.exe", reuse=True)
            self.click("C_EXTEND")
            self.s.wait_window(h.TOOLBAR_TITLE, predicate=lambda w: w["rect"]["bottom"] - w["rect"]["top"]
                               == self.s.px(case.tables()["layout"]["expandedHeight"]))
            self.click("HELP_PDF")
            shown = self.s.wait_window(h.unix_to_wine_path(self.folder / MANUAL), exact=True, timeout=20)
            self.s.screenshot("release-manual-opened.png", shown["rect"])
            self.assert_no_message()


if __name__ == "__main__":
    unittest.main()
