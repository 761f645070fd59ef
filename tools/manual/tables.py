"""The toolbar's own tables, read through the dump_tables program that the native build
makes (tools/manual/dump_tables.cpp): layout, commands, texts and pictures."""

from __future__ import annotations

import json
import os
import subprocess
import zlib
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
DUMP = Path(os.environ.get("KELO_DUMP_TABLES", REPO / "build" / "native" / "dump_tables"))


def load(picture_size: int = 48) -> dict:
    if not DUMP.is_file():
        raise SystemExit(f"{DUMP} is missing: run scripts/build.sh first")
    out = subprocess.run([str(DUMP), "--picture-size", str(picture_size)], capture_output=True,
                         check=True).stdout
    return json.loads(out.decode("utf-8"))


def controls(tables: dict) -> dict:
    """Layout rows by control name; left/top are in the client area, in twips."""
    return {row["name"]: row for row in tables["layout"]["controls"]}


def place(tables: dict, name: str) -> tuple[int, int, int, int]:
    row = controls(tables)[name]
    return row["left"], row["top"], row["width"], row["height"]


def write_png(path: Path, rows: list[str]):
    """Writes rows of 0xAARRGGBB hex pixels as an RGBA PNG."""
    height, width = len(rows), len(rows[0]) // 8
    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter: none
        for x in range(width):
            argb = int(row[8 * x:8 * x + 8], 16)
            raw += bytes(((argb >> 16) & 255, (argb >> 8) & 255, argb & 255, argb >> 24))

    def chunk(kind: bytes, data: bytes) -> bytes:
        body = kind + data
        return len(data).to_bytes(4, "big") + body + zlib.crc32(body).to_bytes(4, "big")

    header = width.to_bytes(4, "big") + height.to_bytes(4, "big") + bytes((8, 6, 0, 0, 0))
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                     chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
