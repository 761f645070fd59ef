"""The file buttons (読み込み, 部品図, 保存) through the real common dialogs under Wine: a
path typed into the dialog reaches the host in its LOAD or STORE line character for
character, a Cancel types nothing, and the remembered folders land in the registry as
each branch leaves them.

Run: python3 tests/e2e/run_all.py -k file_
"""

import shutil
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
QUOTE_REFUSED = ("ファイル名またはフォルダー名に ' (シングルクォート) が含まれているため、アプリに渡せません。"
                 "' を含まない名前のファイルを選んでください。")
START_OPEN = r"C:\windows"
START_PART = r"C:\windows\system32"


class FileCommandsTest(tb.ToolbarCase):
    dpi = 96

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.root = Path(tempfile.mkdtemp(prefix="kelofiles"))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.root, ignore_errors=True)
        super().tearDownClass()

    # -- helpers ------------------------------------------------------------------------

    def folder(self, *parts):
        path = self.root.joinpath(*parts)
        path.mkdir(parents=True, exist_ok=True)
        return path

    def drawing(self, folder, name):
        path = self.folder(folder) / name
        path.write_bytes(b"")
        return h.unix_to_wine_path(path)

    def file_dialog(self, toolbar):
        """The common dialog the toolbar opened: a dialog-class window it owns."""
        def find():
            for w in self.s.list_windows()["windows"]:
                if w["class"] == "#32770" and w["visible"] and w["owner"] == toolbar["hwnd"]:
                    return w
            return None
        return h.wait_until(find, 15, "the file dialog", interval=0.05)

    def choose(self, toolbar, button, path, shot=None, browse=None):
        """Clicks the button, types path into its dialog and presses Enter (None: Escape);
        browse: a folder typed and entered first, as a user moves to another folder."""
        self.click(toolbar, button)
        dialog = self.file_dialog(toolbar)
        if shot:
            time.sleep(0.3)
            self.s.screenshot(shot, dialog["rect"])
        self.s.focus(dialog["title"])
        if browse is not None:
            self.s.type_text(browse)
            self.s.key("Return")
            time.sleep(0.5)
        if path is None:
            self.s.key("Escape")
        else:
            self.s.type_text(path)
            self.s.key("Return")
        h.wait_until(lambda: not [w for w in self.s.list_windows()["windows"]
                                  if w["hwnd"] == dialog["hwnd"] and w["visible"]],
                     10, "the dialog to close")
        return dialog

    def expect(self, keys, start, expected):
        self.assertEqual(keys.wait_typed(start, expected), expected)
        self.assertTrue(keys.quiet())
        self.assertEqual(keys.typed(start), expected)

    def close_and_read(self):
        self.s.close_window(h.TOOLBAR_TITLE)
        self.assertEqual(self.proc.wait_exit(15), 0)
        return self.s.registry_read()

    def assert_no_message(self):
        self.assertEqual(self.s.windows(h.MESSAGE_TITLE, exact=True), [])

    # -- tests ---------------------------------------------------------------------------

    def test_file_lines_reach_the_host_exactly(self):
        toolbar, keys = self.start_toolbar(FAST)
        cases = [
            # (button, typed into the dialog, what the host receives)
            ("File_Load", self.drawing("drawings", "part1.mi"), "^CLOAD '{}'\r"),
            ("Part_box", self.drawing("parts", "Shaft-A.MI"), "^CLOAD '{}'\r"),
            # Key-notation characters in a folder name arrive as they stand.
            ("File_Load", self.drawing("a+b (1) ^~%{x}[y]", "part3.mi"), "^CLOAD '{}'\r"),
            ("File_Store", h.unix_to_wine_path(self.folder("out") / "part2.dxf"),
             "^CSTORE DXF ALL DEL_OLD '{upper}'\r"),
            ("File_Store", h.unix_to_wine_path(self.folder("out") / "part2.mi"),
             "^CSTORE MI ALL DEL_OLD '{upper}'\r"),
            # No extension: the MI head, and the name stays without one.
            ("File_Store", h.unix_to_wine_path(self.folder("out") / "Part5"),
             "^CSTORE MI ALL DEL_OLD '{upper}'\r"),
            # A "." in a folder name: the file name's own extension picks the head.
            ("File_Store", h.unix_to_wine_path(self.folder("rev.2") / "part4.dxf"),
             "^CSTORE DXF ALL DEL_OLD '{upper}'\r"),
            ("File_Store", h.unix_to_wine_path(self.folder("rev.2") / "part6.igs"),
             "^CSTORE MI ALL DEL_OLD '{upper}'\r"),
        ]
        for i, (button, path, line) in enumerate(cases):
            expected = line.format(path, upper=path.upper())
            with self.subTest(button=button, path=path):
                start = len(keys.poll().text)
                self.choose(toolbar, button, path, shot=f"file-dialog-{button}.png" if i < 4 else None)
                self.expect(keys, start, expected)
                self.assert_no_message()
                time.sleep(0.1)  # the command's last wait

    def test_japanese_folder_and_the_overwrite_question(self):
        folder = self.folder("図面 ①")
        self.drawing("図面 ①", "part1.mi")
        wine_folder = h.unix_to_wine_path(folder)
        toolbar, keys = self.start_toolbar({**FAST, "OpenPathName": wine_folder})
        start = len(keys.poll().text)
        # The dialog opens in the folder, so the name alone is typed; the path comes back whole.
        self.choose(toolbar, "File_Load", "part1.mi")
        loaded = f"^CLOAD '{wine_folder}\\part1.mi'\r"
        self.expect(keys, start, loaded)
        # Storing over a file that exists asks first; Yes lets the line through.
        start = len(keys.poll().text)
        self.click(toolbar, "File_Store")
        dialog = self.file_dialog(toolbar)
        self.s.focus(dialog["title"])
        self.s.type_text("part1.mi")
        self.s.key("Return")

        def question():
            for w in self.s.list_windows()["windows"]:
                if w["class"] == "#32770" and w["visible"] and w["owner"] == dialog["hwnd"]:
                    return w
            return None
        asked = h.wait_until(question, 10, "the overwrite question")
        time.sleep(0.3)
        self.s.screenshot("file-store-overwrite-question.png", asked["rect"])
        self.assertEqual(keys.poll().typed(start), "")
        self.s.click_child(asked["title"], "&Yes", exact=True)
        stored = f"^CSTORE MI ALL DEL_OLD '{wine_folder.upper()}\\PART1.MI'\r"
        self.expect(keys, start, stored)
        self.assertEqual(self.close_and_read()["OpenPathName"], wine_folder)

    def test_a_path_with_a_single_quote_is_refused_with_a_message(self):
        toolbar, keys = self.start_toolbar(FAST)
        for button, path in (("File_Load", self.drawing("quote", "o'neil.mi")),
                             ("File_Store", h.unix_to_wine_path(self.folder("it's") / "part.mi"))):
            with self.subTest(button=button):
                start = len(keys.poll().text)
                self.choose(toolbar, button, path)
                box = self.s.wait_window(h.MESSAGE_TITLE, exact=True)
                self.s.screenshot(f"file-quote-refused-{button}.png", box["rect"])
                texts = [c["text"] for c in box["children"] if c["class"].lower() == "static"]
                self.assertIn(QUOTE_REFUSED, texts)
                self.s.click_child(h.MESSAGE_TITLE, "OK")
                self.s.wait_no_window(h.MESSAGE_TITLE, exact=True)
                self.assertTrue(keys.quiet())
                self.assertEqual(keys.typed(start), "")

    def test_store_cancel_before_any_load_takes_the_folder_the_dialog_left(self):
        toolbar, keys = self.start_toolbar({**FAST, "OpenPathName": START_OPEN, "PartPathName": START_PART})
        browsed = h.unix_to_wine_path(self.folder("browsed"))
        start = len(keys.poll().text)
        self.choose(toolbar, "File_Store", None, browse=browsed)
        self.assertTrue(keys.quiet())
        self.assertEqual(keys.typed(start), "")
        self.assert_no_message()
        stored = self.close_and_read()
        # The dialog leaves the current directory at the folder it showed last.
        self.assertEqual(stored["OpenPathName"], browsed)
        self.assertEqual(stored["PartPathName"], START_PART)

    def test_cancels_after_a_load_keep_both_folders(self):
        toolbar, keys = self.start_toolbar({**FAST, "OpenPathName": START_OPEN, "PartPathName": START_PART})
        browsed = h.unix_to_wine_path(self.folder("browsed"))
        start = len(keys.poll().text)
        for button, browse in (("File_Load", None), ("File_Store", browsed), ("Part_box", browsed),
                               ("File_Store", None)):
            with self.subTest(button=button, browse=browse):
                self.choose(toolbar, button, None, browse=browse)
        self.assertTrue(keys.quiet())
        self.assertEqual(keys.typed(start), "")
        self.assert_no_message()
        stored = self.close_and_read()
        self.assertEqual((stored["OpenPathName"], stored["PartPathName"]), (START_OPEN, START_PART))

    def test_chosen_files_set_the_folders_each_command_owns(self):
        toolbar, keys = self.start_toolbar({**FAST, "OpenPathName": START_OPEN, "PartPathName": START_PART})
        start = len(keys.poll().text)
        part = self.drawing("parts", "flange.mi")
        self.choose(toolbar, "Part_box", part)
        keys.wait_typed(start, f"^CLOAD '{part}'\r")
        drawing = self.drawing("drawings", "part1.mi")
        self.choose(toolbar, "File_Load", drawing)
        expected = f"^CLOAD '{part}'\r^CLOAD '{drawing}'\r"
        self.expect(keys, start, expected)
        stored = self.close_and_read()
        self.assertEqual(stored["OpenPathName"], h.unix_to_wine_path(self.root / "drawings"))
        self.assertEqual(stored["PartPathName"], h.unix_to_wine_path(self.root / "parts"))

    def test_a_second_run_opens_where_the_first_left_off(self):
        store = h.unix_to_wine_path(self.folder("kept") / "done.mi")
        toolbar, keys = self.start_toolbar(FAST)
        start = len(keys.poll().text)
        self.choose(toolbar, "File_Store", store)
        self.expect(keys, start, f"^CSTORE MI ALL DEL_OLD '{store.upper()}'\r")
        # Still before any load: a Cancel takes the current directory, which the chosen
        # file moved to its folder.
        self.choose(toolbar, "File_Store", None)
        self.assertEqual(keys.typed(start), f"^CSTORE MI ALL DEL_OLD '{store.upper()}'\r")
        stored = self.close_and_read()
        self.assertEqual(stored["OpenPathName"], h.unix_to_wine_path(self.root / "kept"))
        # Without a host the dialog still opens, where the folder says, and nothing follows it.
        self.s.stop_all()
        toolbar, _ = self.start_toolbar(host=False)
        self.click(toolbar, "File_Load")
        dialog = self.file_dialog(toolbar)
        time.sleep(0.3)
        self.s.screenshot("file-dialog-remembered-folder.png", dialog["rect"])
        self.assertEqual(self.combo_texts(dialog), sorted(["kept", "MI File (*.mi)"]))
        # The pair picked in one dialog is the one the next opens on, save or open.
        self.s.focus(dialog["title"])
        self.s.key("alt+t", "Down", "alt+n")
        self.s.type_text(self.drawing("kept", "other.dxf"))
        self.s.key("Return")
        h.wait_until(lambda: not self.s.windows(dialog["title"], exact=True), 10, "the dialog to close")
        self.click(toolbar, "File_Store")
        dialog = self.file_dialog(toolbar)
        self.assertEqual(self.combo_texts(dialog), sorted(["kept", "DXF File (*.DXF)"]))
        time.sleep(0.3)
        self.s.screenshot("file-dialog-store-carries-pair.png", dialog["rect"])
        self.s.focus(dialog["title"])
        self.s.key("Escape")
        time.sleep(1.0)
        self.assert_no_message()

    def combo_texts(self, dialog):
        """The texts of the folder and type boxes ("Look in", "Files of type")."""
        full = next(w for w in self.s.windows(dialog["title"], exact=True) if w["hwnd"] == dialog["hwnd"])
        return sorted(c["text"] for c in full["children"] if c["class"] == "ComboBox" and c["visible"] and c["text"])


if __name__ == "__main__":
    unittest.main()
