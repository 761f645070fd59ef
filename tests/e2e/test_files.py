"""The file buttons (読み込み, 部品図, 保存) through the real common dialogs under Wine: the path
the dialog returns reaches the host in its LOAD or STORE line character for character, a
"'" is refused, Cancel types nothing, and the remembered folders land in the registry.
"""

import shutil
import tempfile
import unittest
from pathlib import Path

import case
from case import h

QUOTE_REFUSED = ("ファイル名またはフォルダー名に ' (シングルクォート) が含まれているため、アプリに渡せません。"
                 "' を含まない名前のファイルを選んでください。")


class FileCommandsTest(case.ToolbarCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.root = Path(tempfile.mkdtemp(prefix="kelofiles"))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.root, ignore_errors=True)
        super().tearDownClass()

    def folder(self, name):
        path = self.root / name
        path.mkdir(parents=True, exist_ok=True)
        return path

    def drawing(self, folder, name):
        """A file that exists, as its Windows path."""
        (self.folder(folder) / name).write_bytes(b"")
        return h.unix_to_wine_path(self.root / folder / name)

    def file_dialog(self, owner=None):
        """The common dialog the toolbar (or owner) opened: a dialog-class window it owns."""
        owner = owner or self.window["hwnd"]
        return h.wait_until(lambda: next((w for w in self.s.list_windows()["windows"] if w["class"] == "#32770"
                                          and w["visible"] and w["owner"] == owner), None), 15, "the file dialog")

    def choose(self, button, path, browse=None):
        """Clicks the button, types path into its dialog and presses Enter (None: Escape);
        browse: a folder entered first, as a user moves to another folder."""
        self.click(button)
        dialog = self.file_dialog()
        self.s.focus(dialog["title"])
        if browse is not None:
            self.s.type_text(browse)
            self.s.key("Return")
            h.wait_until(lambda: Path(browse.replace("Z:", "").replace("\\", "/")).name in self.combo_texts(dialog),
                         10, "the dialog in the folder")
        if path is None:
            self.s.key("Escape")
        else:
            self.s.type_text(path)
            self.s.key("Return")
        h.wait_until(lambda: all(w["hwnd"] != dialog["hwnd"] or not w["visible"]
                                 for w in self.s.list_windows()["windows"]), 10, "the dialog to close")
        return dialog

    def combo_texts(self, dialog):
        """The texts of the folder and type boxes ("Look in", "Files of type")."""
        full = next(w for w in self.s.windows(dialog["title"], exact=True) if w["hwnd"] == dialog["hwnd"])
        return sorted(c["text"] for c in full["children"] if c["class"] == "ComboBox" and c["visible"] and c["text"])

    def test_chosen_paths_reach_the_host_exactly_and_set_the_folders_but_a_quote_is_refused(self):
        self.start_toolbar(case.FAST)
        # A "'" cannot be quoted for the host: the message, and nothing typed.
        self.choose("File_Load", self.drawing("quote", "o'neil.mi"))
        box = self.wait_message(QUOTE_REFUSED)
        self.s.screenshot("file-quote-refused.png", box["rect"])
        self.dismiss(box)
        self.assert_typed_since(case.units(case.STARTUP), "")
        out = self.folder("out")
        cases = [
            ("File_Load", self.drawing("drawings", "part1.mi"), "^CLOAD '{}'\r"),
            ("Part_box", self.drawing("parts", "Shaft-A.MI"), "^CLOAD '{}'\r"),
            # Key-notation characters in a folder name arrive as they stand.
            ("File_Load", self.drawing("a+b (1) ^~%{x}[y]", "part3.mi"), "^CLOAD '{}'\r"),
            ("File_Store", h.unix_to_wine_path(out / "part2.dxf"), "^CSTORE DXF ALL DEL_OLD '{upper}'\r"),
            # No extension typed: the MI head, and the dialog adds none.
            ("File_Store", h.unix_to_wine_path(out / "Part5"), "^CSTORE MI ALL DEL_OLD '{upper}'\r"),
        ]
        for button, path, line in cases:
            with self.subTest(button=button, path=path):
                start = len(self.keys.poll().text)
                dialog = self.choose(button, path)
                self.s.screenshot(f"file-dialog-{button}.png", dialog["rect"])
                self.assert_typed_since(start, line.format(path, upper=path.upper()))
                self.assert_no_message()
        stored = self.close_toolbar()
        self.assertEqual((stored["OpenPathName"], stored["PartPathName"]),
                         (h.unix_to_wine_path(out), h.unix_to_wine_path(self.root / "parts")))

    def test_japanese_folder_and_the_overwrite_question(self):
        wine_folder = h.unix_to_wine_path(self.folder("図面 ①"))
        self.drawing("図面 ①", "part1.mi")
        self.start_toolbar({**case.FAST, "OpenPathName": wine_folder})
        # The dialog opens in the folder, so the name alone is typed; the path comes back whole.
        start = len(self.keys.poll().text)
        self.choose("File_Load", "part1.mi")
        self.assert_typed_since(start, f"^CLOAD '{wine_folder}\\part1.mi'\r")
        # Storing over a file that exists asks first; Yes lets the line through.
        start = len(self.keys.poll().text)
        self.click("File_Store")
        dialog = self.file_dialog()
        self.s.focus(dialog["title"])
        self.s.type_text("part1.mi")
        self.s.key("Return")
        asked = self.file_dialog(dialog["hwnd"])
        self.s.screenshot("file-store-overwrite-question.png", asked["rect"])
        self.assertEqual(self.keys.poll().typed(start), "")
        self.s.click_child(asked["title"], "&Yes", exact=True)
        self.assert_typed_since(start, f"^CSTORE MI ALL DEL_OLD '{wine_folder.upper()}\\PART1.MI'\r")
        self.assertEqual(self.close_toolbar()["OpenPathName"], wine_folder)

    def test_store_cancel_before_any_load_takes_the_folder_the_dialog_left(self):
        self.start_toolbar({**case.FAST, "OpenPathName": r"C:\windows", "PartPathName": r"C:\windows\system32"})
        browsed = h.unix_to_wine_path(self.folder("browsed"))
        self.choose("File_Store", None, browse=browsed)
        self.assert_typed_since(case.units(case.STARTUP), "")
        self.assert_no_message()
        stored = self.close_toolbar()
        self.assertEqual((stored["OpenPathName"], stored["PartPathName"]), (browsed, r"C:\windows\system32"))

    def test_the_next_run_opens_where_the_last_left_off_and_the_filter_pair_carries(self):
        kept = h.unix_to_wine_path(self.folder("kept"))
        self.start_toolbar({**case.FAST, "OpenPathName": kept}, host=False)
        # Without a host the dialog still opens, where the folder says, and nothing follows.
        self.click("File_Load")
        dialog = self.file_dialog()
        self.assertEqual(self.combo_texts(dialog), sorted(["kept", "MI File (*.mi)"]))
        # The pair picked in one dialog is the one the next opens on, save or open.
        self.s.focus(dialog["title"])
        self.s.key("alt+t", "Down", "alt+n")
        self.s.type_text(self.drawing("kept", "other.dxf"))
        self.s.key("Return")
        self.s.wait_no_window(dialog["title"], exact=True)
        self.click("File_Store")
        dialog = self.file_dialog()
        self.assertEqual(self.combo_texts(dialog), sorted(["kept", "DXF File (*.DXF)"]))
        self.s.screenshot("file-dialog-store-carries-pair.png", dialog["rect"])
        self.s.focus(dialog["title"])
        self.s.key("Escape")
        self.s.wait_no_window(dialog["title"], exact=True)
        self.assert_no_message()


if __name__ == "__main__":
    unittest.main()
