#!/usr/bin/env python3
"""Builds the Japanese manual "Keloメニュー マニュアル.pdf" from docs/manual/.

The chapters (docs/manual/chapters/*.html, in name order) are HTML with placeholders that
are filled from the toolbar's own tables (dump_tables, built by scripts/build.sh):

    {{version}}                     the program's version
    {{text:NAME}}                   one of the program's texts (see dump_tables.cpp)
    {{buttons:GROUP}}               the button reference of a group: a frame caption
                                    ("寸法" ...), "右列" (the right-hand column) or "下段"
                                    (the lower band)
    {{toolbar_map}}                 the toolbar redrawn from its layout table
    {{picture:NAME}}                a button picture, inline
    {{norms:NORM}}                  the built-in undercut norm rows of DIN509 or DIN76 as a table

Then WeasyPrint renders the PDF, which must have at least 10 pages.

    tools/manual/build_manual.py [--out PDF]   (default: build/manual/, under the name the
                                               toolbar opens, "Keloメニュー マニュアル.pdf")
"""

from __future__ import annotations

import argparse
import html
import json
import re
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import tables  # noqa: E402

REPO = tables.REPO
SOURCE = REPO / "docs" / "manual"
BUILD = REPO / "build" / "manual"
MIN_PAGES = 10
# What the toolbar's lower band and right-hand column hold (client area, twips).
LOWER_BAND_TOP = 1200
RIGHT_COLUMN_LEFT = 18600
TWIPS_PER_MM = 1440 / 25.4
# The toolbar map fills the width of a landscape page; a 24-pixel picture is 360 twips.
MAP_WIDTH_MM = 262
PICTURE_TWIPS = 24 * 15


def picture_file(name: str) -> str:
    return re.sub(r"[^A-Za-z0-9_]", "_", name) + ".png"


def write_pictures(data: dict, folder: Path) -> set[str]:
    folder.mkdir(parents=True, exist_ok=True)
    names = set()
    for picture in data["pictures"]:
        tables.write_png(folder / picture_file(picture["name"]), picture["rows"])
        names.add(picture["name"])
    return names


class Manual:
    def __init__(self, data: dict, pictures: Path, special: dict):
        self.data = data
        self.pictures = pictures
        self.special = special
        self.commands = {row["button"]: row for row in data["commands"]}
        self.layout = data["layout"]["controls"]
        self.picture_names = {p["name"] for p in data["pictures"]}

    # -- pieces -------------------------------------------------------------------------

    def picture(self, name: str, css: str = "pic") -> str:
        if name not in self.picture_names:
            raise SystemExit(f"build_manual: no picture {name!r}")
        return f'<img class="{css}" src="{(self.pictures / picture_file(name)).as_uri()}" alt="">'

    def button_face(self, row: dict) -> str:
        """The button as it shows: its picture, or its caption for the one text button."""
        if row["kind"] != "PictureButton":
            return f'<span class="textbutton">{html.escape(self.data["texts"]["expandCaption"])}' \
                   f'/{html.escape(self.data["texts"]["collapseCaption"])}</span>'
        name = row["name"] if row["pictures"] & 1 else row["name"] + "#2"
        small = row["height"] < 400
        return self.picture(name, "pic small" if small else "pic")

    @staticmethod
    def steps(steps: list[dict]) -> str:
        out = []
        for step in steps:
            if step["kind"] == "text":
                out.append(f'<code>{html.escape(step["text"])}</code>')
            elif step["kind"] == "enter":
                out.append('<span class="key">Enter</span>')
            else:
                out.append('<span class="key">Ctrl+C</span>')
        return " ".join(out)

    def typed(self, command: dict) -> tuple[str, str]:
        """What the row says under "Shift なし" and "Shift あり"."""
        behaviour = command["behaviour"]
        if behaviour in ("Plain", "Sequence"):
            plain = self.steps(command["plain"])
            if command["opening"] == "short":
                plain += '<div class="note">実行中のコマンドを取り消さずに入力します。</div>'
            shift = self.steps(command["shift"]) if command["readsShift"] else '<span class="same">（同じ）</span>'
            return plain, shift
        if behaviour not in self.special:
            raise SystemExit(f"build_manual: docs/manual/special.json has no entry for {behaviour}")
        return self.fill(self.special[behaviour]), None

    def button_rows(self, rows: list[dict]) -> str:
        out = ['<table class="buttons"><thead><tr><th class="c-pic">ボタン</th><th class="c-tip">説明（ツールチップ）</th>'
               '<th class="c-cmd">クリック（Shift なし）</th><th class="c-cmd">Shift＋クリック</th></tr></thead><tbody>']
        for row in rows:
            command = self.commands.get(row["name"])
            if command is None:
                raise SystemExit(f"build_manual: {row['name']} has no command row")
            tip = html.escape(command["tip"]) if command["tip"] else '<span class="same">（なし）</span>'
            plain, shift = self.typed(command)
            cells = f'<td>{plain}</td><td>{shift}</td>' if shift is not None else f'<td colspan="2">{plain}</td>'
            out.append(f'<tr><td class="c-pic">{self.button_face(row)}</td><td class="c-tip">{tip}'
                       f'<div class="name">{html.escape(row["name"])}</div></td>{cells}</tr>')
        out.append("</tbody></table>")
        return "\n".join(out)

    def group(self, name: str) -> list[dict]:
        buttons = [r for r in self.layout if r["kind"] != "Frame"]
        if name == "右列":
            chosen = [r for r in buttons if not r["frame"] and r["left"] >= RIGHT_COLUMN_LEFT]
        elif name == "下段":
            chosen = [r for r in buttons if not r["frame"] and r["top"] >= LOWER_BAND_TOP
                      and r["left"] < RIGHT_COLUMN_LEFT]
        else:
            frames = [r["name"] for r in self.layout if r["kind"] == "Frame" and r["caption"] == name]
            if not frames:
                raise SystemExit(f"build_manual: no frame {name!r}")
            chosen = [r for r in buttons if r["frame"] == frames[0]]
        # Row by row, left to right, as the eye reads the toolbar.
        return sorted(chosen, key=lambda r: (r["top"], r["left"]))

    def toolbar_map(self) -> str:
        """The toolbar redrawn from its layout table, in millimetres on the page."""
        layout = self.data["layout"]
        scale = MAP_WIDTH_MM / (layout["clientWidth"] / TWIPS_PER_MM)
        width_mm = MAP_WIDTH_MM
        height_mm = layout["expandedHeight"] / TWIPS_PER_MM * scale
        out = [f'<div class="map" style="width:{width_mm:.1f}mm;height:{height_mm:.1f}mm">']
        for row in self.layout:
            left, top = row["left"] / TWIPS_PER_MM * scale, row["top"] / TWIPS_PER_MM * scale
            w, hgt = row["width"] / TWIPS_PER_MM * scale, row["height"] / TWIPS_PER_MM * scale
            style = f"left:{left:.2f}mm;top:{top:.2f}mm;width:{w:.2f}mm;height:{hgt:.2f}mm"
            if row["kind"] == "Frame":
                out.append(f'<div class="map-frame" style="{style}"><span>{html.escape(row["caption"])}</span></div>')
            elif row["kind"] == "PictureButton":
                name = row["name"] if row["pictures"] & 1 else row["name"] + "#2"
                # The picture keeps its own size; a small button shows its middle, as on screen.
                side = PICTURE_TWIPS / TWIPS_PER_MM * scale
                out.append(f'<div class="map-button" style="{style}">'
                           f'<img src="{(self.pictures / picture_file(name)).as_uri()}" '
                           f'style="width:{side:.2f}mm;height:{side:.2f}mm" alt=""></div>')
            else:
                out.append(f'<div class="map-button map-text" style="{style}">'
                           f'{html.escape(self.data["texts"]["expandCaption"])}</div>')
        out.append("</div>")
        return "\n".join(out)

    def norms(self, norm: str) -> str:
        """The rows of one norm in the program's built-in undercut table, as the program reads them."""
        lines = self.data["undercutNorms"].splitlines()
        rows = [line.split(",") for line in lines[1:] if line.split(",")[0] == norm]
        if not rows:
            raise SystemExit(f"build_manual: no undercut norm {norm!r}")
        if norm == "DIN509":
            head = ["呼び r×t1", "r", "t1", "f", "t2", "E・F だけのときの直径 d1", "source"]

            def diameters(over: str, upto: str) -> str:
                if not over:
                    return "—"
                return f"{over} を超え {upto} 以下" if upto else f"{over} を超える"
            cells = [[c[1], c[2], c[3], c[4], c[5], diameters(c[6], c[7]), c[11]] for c in rows]
        else:
            head = ["ピッチ", "r", "d − dg", "g2（形 A）", "g2（形 B）", "source"]
            cells = [[c[1], c[2], c[8], c[9], c[10], c[11]] for c in rows]
        out = ['<table class="norms"><thead><tr>' + "".join(f"<th>{html.escape(h)}</th>" for h in head)
               + "</tr></thead><tbody>"]
        out += ["<tr>" + "".join(f"<td>{html.escape(c)}</td>" for c in row) + "</tr>" for row in cells]
        return "\n".join(out + ["</tbody></table>"])

    # -- placeholders ---------------------------------------------------------------------

    def fill(self, text: str) -> str:
        def one(m: re.Match) -> str:
            key, _, arg = m.group(1).partition(":")
            if key == "version":
                return html.escape(self.data["version"])
            if key == "text":
                if arg not in self.data["texts"]:
                    raise SystemExit(f"build_manual: no text {arg!r}")
                return html.escape(self.data["texts"][arg])
            if key == "buttons":
                return self.button_rows(self.group(arg))
            if key == "toolbar_map":
                return self.toolbar_map()
            if key == "picture":
                return self.picture(arg, "pic inline")
            if key == "count":
                return str(len(self.group(arg)))
            if key == "norms":
                return self.norms(arg)
            raise SystemExit(f"build_manual: unknown placeholder {m.group(0)}")
        return re.sub(r"\{\{([^{}]+)\}\}", one, text)


def check_shots(text: str):
    """Every screenshot a chapter shows must be there: they come from screenshots.py."""
    missing = [src for src in re.findall(r'src="(shots/[^"]+)"', text) if not (SOURCE / src).is_file()]
    if missing:
        raise SystemExit("build_manual: missing " + ", ".join(missing) + " (run tools/manual/screenshots.py)")


def page_count(pdf: Path) -> int:
    info = subprocess.run(["pdfinfo", str(pdf)], capture_output=True, text=True, check=True).stdout
    return int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))


def build(out: Path | None) -> int:
    data = tables.load(48)
    out = out or BUILD / data["texts"]["manualFileName"]
    BUILD.mkdir(parents=True, exist_ok=True)
    pictures = BUILD / "pictures"
    write_pictures(data, pictures)
    special = json.loads((SOURCE / "special.json").read_text(encoding="utf-8"))
    manual = Manual(data, pictures, special)
    chapters = sorted((SOURCE / "chapters").glob("*.html"))
    body = "\n".join(manual.fill(p.read_text(encoding="utf-8")) for p in chapters)
    check_shots(body)
    page = (SOURCE / "manual.html").read_text(encoding="utf-8")
    page = manual.fill(page.replace("{{chapters}}", body))
    source = BUILD / "manual.html"
    source.write_text(page, encoding="utf-8")
    out.parent.mkdir(parents=True, exist_ok=True)
    subprocess.run(["weasyprint", "--base-url", str(SOURCE) + "/", str(source), str(out)], check=True)
    pages = page_count(out)
    print(f"build_manual: {out} ({pages} pages)", flush=True)
    if pages < MIN_PAGES:
        print(f"build_manual: fewer than {MIN_PAGES} pages", file=sys.stderr)
        return 1
    return 0


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--out", type=Path, help="the PDF to write")
    args = parser.parse_args()
    return build(args.out.resolve() if args.out else None)


if __name__ == "__main__":
    sys.exit(main())
