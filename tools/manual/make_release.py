#!/usr/bin/env python3
"""Zips the release: one folder KeloMenu-<version> holding KeloMenu.exe, the calculator and
the manual side by side, under the names the toolbar starts and opens them by, and the
undercut norm table the toolbar has built in, as the UTF-8 file a user copies to the
KeloMenu folder under %APPDATA% and edits there.

Member names are stored with the zip's UTF-8 flag (Python's zipfile sets it for every
non-ASCII name), so Windows' own unzip shows the manual's Japanese name as it is.

    tools/manual/make_release.py      (after scripts/build.sh and build_manual.py)
"""

from __future__ import annotations

import sys
import zipfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import tables  # noqa: E402

REPO = tables.REPO
BUILD_WIN = REPO / "build" / "win"
MANUAL_DIR = REPO / "build" / "manual"
RELEASE = REPO / "build" / "release"
UTF8_FLAG = 0x800


def main() -> int:
    data = tables.load(24)
    texts = data["texts"]
    folder = f"KeloMenu-{data['version']}"
    files = [(BUILD_WIN / "KeloMenu.exe", "KeloMenu.exe"),
             (BUILD_WIN / texts["calculatorFileName"], texts["calculatorFileName"]),
             (MANUAL_DIR / texts["manualFileName"], texts["manualFileName"])]
    missing = [str(src) for src, _ in files if not src.is_file()]
    if missing:
        print("make_release: missing " + ", ".join(missing), file=sys.stderr)
        return 1
    RELEASE.mkdir(parents=True, exist_ok=True)
    out = RELEASE / f"{folder}.zip"
    partial = out.with_suffix(".zip.part")
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        for src, name in files:
            z.write(src, f"{folder}/{name}")
        # The program's own text, so the file cannot differ from the values it uses.
        z.writestr(f"{folder}/{texts['normUserFile']}", data["undercutNorms"].encode("utf-8"))
    with zipfile.ZipFile(partial) as z:
        for info in z.infolist():
            if not info.filename.isascii() and not info.flag_bits & UTF8_FLAG:
                print(f"make_release: {info.filename} lacks the UTF-8 flag", file=sys.stderr)
                return 1
    partial.replace(out)
    print(f"make_release: {out}", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
