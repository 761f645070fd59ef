#!/usr/bin/env python3
"""Writes a PNG contact sheet of the toolbar pictures for review.

Reads the character maps from src/resources/Pictures*.cpp, draws each one at 2x on the
button face colour with its name under it, and joins them with ImageMagick's montage.

    tools/picture_sheet.py [out.png] [--scale N]
"""
import os
import re
import subprocess
import sys
import tempfile

KEY = {'k': (0, 0, 0), 'm': (128, 0, 0), 'g': (0, 128, 0), 'o': (128, 128, 0),
       'n': (0, 0, 128), 'p': (128, 0, 128), 't': (0, 128, 128), 's': (192, 192, 192),
       'd': (128, 128, 128), 'r': (255, 0, 0), 'l': (0, 255, 0), 'y': (255, 255, 0),
       'b': (0, 0, 255), 'f': (255, 0, 255), 'c': (0, 255, 255), 'w': (255, 255, 255)}
FACE = (212, 208, 200)  # a classic button face, so silver pixels stay visible
HEAD = re.compile(r'^\s*\{"([^"]+)",\s*(\d+),\s*$')
ROW = re.compile(r'^\s*"([^"]*)"\s*$')


def read_pictures(resources):
    pictures = []
    for fn in sorted(os.listdir(resources)):
        if not (fn.startswith('Pictures') and fn.endswith('.cpp')):
            continue
        lines = open(os.path.join(resources, fn), encoding='utf-8').read().splitlines()
        i = 0
        while i < len(lines):
            m = HEAD.match(lines[i])
            i += 1
            if not m:
                continue
            name, size = m.group(1), int(m.group(2))
            rows = []
            while i < len(lines) and len(rows) < size and ROW.match(lines[i]):
                rows.append(ROW.match(lines[i]).group(1))
                i += 1
            pictures.append((fn, name, rows))
    return pictures


def write_ppm(path, rows, scale, width, height):
    """The picture centred on a white cell, over a button-face square of its own size."""
    size = len(rows)
    ox, oy = (width - size * scale) // 2, (height - size * scale) // 2
    data = bytearray()
    for y in range(height):
        for x in range(width):
            rgb = (255, 255, 255)
            if 0 <= x - ox < size * scale and 0 <= y - oy < size * scale:
                ch = rows[(y - oy) // scale][(x - ox) // scale]
                rgb = KEY.get(ch, FACE)
            data += bytes(rgb)
    with open(path, 'wb') as f:
        f.write(b'P6\n%d %d\n255\n' % (width, height) + bytes(data))


def main():
    args = sys.argv[1:]
    scale = 2
    if '--scale' in args:
        k = args.index('--scale')
        scale = int(args[k + 1])
        del args[k:k + 2]
    out = args[0] if args else 'picture_sheet.png'
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    pictures = read_pictures(os.path.join(root, 'src', 'resources'))
    with tempfile.TemporaryDirectory() as tmp:
        sheets = []
        for part, wanted in (('buttons', lambda n: n <= 24), ('icons', lambda n: n > 24)):
            files = []
            chosen = [(name, rows) for _, name, rows in pictures if wanted(len(rows))]
            if not chosen:
                continue
            height = max(len(rows) for _, rows in chosen) * scale + 4
            for n, (name, rows) in enumerate(chosen):
                path = os.path.join(tmp, '%s%03d.ppm' % (part, n))
                write_ppm(path, rows, scale, max(height, 150), height)
                files += ['-label', name, path]
            sheet = os.path.join(tmp, part + '.png')
            subprocess.run(['montage', '-pointsize', '10', '-background', 'white',
                            '-tile', '10x', '-geometry', '+2+2'] + files + [sheet], check=True)
            sheets.append(sheet)
        subprocess.run(['convert'] + sheets + ['-background', 'white', '-append', out], check=True)
    print('%d pictures -> %s' % (len(pictures), out))


if __name__ == '__main__':
    main()
