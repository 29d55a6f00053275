#!/usr/bin/env python3
"""Draws icon 302 (a header page over a source page, with a green "new" badge) as XPM files
at 16 and 32 pixels, and as the PNG files the desktop's icon theme takes (16, 32, 48 and 256
pixels, under icons/). Run it from this folder after changing the drawing."""

import struct
import zlib


def draw(n):
    px = [[None] * n for _ in range(n)]

    def mask(inside):
        return [[inside((x + 0.5) / n, (y + 0.5) / n) for x in range(n)] for y in range(n)]

    def paint(m, fill, edge=None):
        for y in range(n):
            for x in range(n):
                if not m[y][x]:
                    continue
                border = edge is not None and any(
                    not (0 <= y + dy < n and 0 <= x + dx < n and m[y + dy][x + dx])
                    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                px[y][x] = edge if border else fill

    def page(x0, y0, x1, y1, fold):
        return lambda u, v: x0 <= u <= x1 and y0 <= v <= y1 and (u - x1) + fold <= (v - y0)

    paint(mask(page(0.34, 0.04, 0.94, 0.74, 0.0)), "b", "e")
    paint(mask(page(0.06, 0.20, 0.68, 0.96, 0.18)), "w", "e")
    step = 2 if n < 24 else 1
    for row, v in enumerate((0.44, 0.56, 0.68, 0.80)):
        y = int(v * n)
        if row % step:
            continue
        for x in range(int(0.16 * n), int(0.56 * n)):
            if px[y][x] == "w":
                px[y][x] = "g"
    paint(mask(lambda u, v: (u - 0.74) ** 2 + (v - 0.74) ** 2 <= 0.22 ** 2), "n", "d")
    arm, half = 0.08, 0.13
    paint(mask(lambda u, v: (abs(u - 0.74) <= arm / 2 and abs(v - 0.74) <= half)
               or (abs(v - 0.74) <= arm / 2 and abs(u - 0.74) <= half)), "w")
    return px


COLOURS = {".": "None", "b": "#CFE3F7", "e": "#2B5C8A", "w": "#FFFFFF", "g": "#7A8794",
           "n": "#2E9E44", "d": "#1C6B2C"}


def write(n):
    px = draw(n)
    rows = ["".join(c or "." for c in row) for row in px]
    lines = ["/* XPM */", f"static const char* const tavrin_icon_{n}_xpm[] = {{",
             f'    "{n} {n} {len(COLOURS)} 1",']
    lines += [f'    "{k} c {v}",' for k, v in COLOURS.items()]
    lines += [f'    "{r}",' for r in rows[:-1]] + [f'    "{rows[-1]}"', "};", ""]
    with open(f"TavrinIcon{n}.xpm", "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines))


def write_png(n):
    px = draw(n)
    raw = bytearray()
    for row in px:
        raw.append(0)  # no filter
        for c in row:
            colour = COLOURS[c or "."]
            if colour == "None":
                raw += bytes(4)
            else:
                raw += bytes.fromhex(colour[1:]) + b"\xff"

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", n, n, 8, 6, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
    with open(f"icons/tavrin-{n}.png", "wb") as f:
        f.write(png)


for size in (16, 32):
    write(size)
for size in (16, 32, 48, 256):
    write_png(size)
