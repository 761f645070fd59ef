"""Captures the keyboard layout tables that the unit tests plan keys against, from
Wine's own VkKeyScanExW and ToUnicodeEx, one file per layout.

    sh scripts/build.sh --no-test        # or: cmake --build build/win --target winprobe
    python3 tests/layouts/capture.py     # writes tests/layouts/<name>.txt

Wine builds its keyboard layout from the X keyboard map when a program starts, so
each layout is set on the private Xvfb display with setxkbmap before winprobe runs
(`winprobe layout <klid>` loads the layout and asks about every character).
"""

import json
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "e2e"))
import harness as h  # noqa: E402

HERE = Path(__file__).resolve().parent

# file name, X keyboard map, Windows layout id, description
LAYOUTS = [
    ("us", "us", "00000409", "United States"),
    ("jis", "jp", "00000411", "Japanese (JIS, 106/109 keys), without the IME"),
    ("de", "de", "00000407", "German"),
    ("fr", "fr", "0000040C", "French (AZERTY)"),
]


def capture(session, xkb: str, klid: str) -> dict:
    subprocess.run(["setxkbmap", "-display", session.display, xkb], check=True)
    probe = h.exe_path("winprobe.exe")
    done = session.wine(probe, "layout", klid, timeout=60, check=True)
    return json.loads(done.stdout.decode("utf-8"))


def write_table(name: str, xkb: str, klid: str, what: str, answer: dict) -> None:
    lines = [
        f"# {what}: layout {klid}, captured under Wine from the X keyboard map \"{xkb}\"",
        "# by python3 tests/layouts/capture.py (winprobe layout " + klid + ").",
        "# code vkey mods dead: the UTF-16 unit (hex), VkKeyScanExW's key (hex) and",
        "# modifiers (1 Shift, 2 Ctrl, 4 Alt), and 1 for a dead key. ff ff: no key types it.",
    ]
    for code, vkey, mods, dead in answer["keys"]:
        lines.append(f"{code:04x} {vkey:02x} {mods:02x} {dead}")
    (HERE / f"{name}.txt").write_text("\n".join(lines) + "\n", encoding="ascii")


def main() -> int:
    with h.Session() as session:
        try:
            for name, xkb, klid, what in LAYOUTS:
                answer = capture(session, xkb, klid)
                write_table(name, xkb, klid, what, answer)
                print(f"{name}: {len(answer['keys'])} characters, hkl {answer['hkl']}")
        finally:
            subprocess.run(["setxkbmap", "-display", session.display, "us"], check=False)
    return 0


if __name__ == "__main__":
    sys.exit(main())
