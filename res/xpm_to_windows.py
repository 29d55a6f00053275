#!/usr/bin/env python3
"""Writes the Windows forms of the drawings kept as XPM in this folder, so that the Windows
program shows the same pictures as the Linux one without a second copy of them:

    xpm_to_windows.py ico OUT.ico IN.xpm...   one icon, an image per XPM (32-bit with alpha)
    xpm_to_windows.py bmp OUT.bmp IN.xpm      a 256-colour bitmap

The build runs it; it needs nothing beyond Python."""

import re
import struct
import sys

STRING = re.compile(r'"((?:[^"\\]|\\.)*)"')


def read_xpm(path):
    with open(path, encoding="ascii") as f:
        strings = [bytes(s, "ascii").decode("unicode_escape") for s in STRING.findall(f.read())]
    width, height, ncolors, cpp = (int(v) for v in strings[0].split()[:4])
    colors = {}
    for line in strings[1:1 + ncolors]:
        key, rest = line[:cpp], line[cpp:].split()
        value = rest[rest.index("c") + 1]
        colors[key] = None if value.lower() == "none" else (
            int(value[1:3], 16), int(value[3:5], 16), int(value[5:7], 16))
    rows = strings[1 + ncolors:1 + ncolors + height]
    if len(rows) != height or any(len(r) != width * cpp for r in rows):
        sys.exit(f"{path}: pixel rows do not match {width}x{height}")
    return width, height, [[colors[r[x * cpp:(x + 1) * cpp]] for x in range(width)] for r in rows]


def dib_32(width, height, pixels):
    """An icon image: header (height doubled for the mask), BGRA rows bottom-up, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(
        bytes((p[2], p[1], p[0], 255)) if p else b"\0\0\0\0"
        for row in reversed(pixels) for p in row)
    stride = ((width + 31) // 32) * 4
    mask = b""
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colour + mask


def write_ico(out, inputs):
    images = [read_xpm(p) for p in inputs]
    data = [dib_32(*image) for image in images]
    offset = 6 + 16 * len(images)
    directory = b""
    for (width, height, _), blob in zip(images, data):
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(blob),
                                 offset)
        offset += len(blob)
    with open(out, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + directory + b"".join(data))


def write_bmp(out, path):
    width, height, pixels = read_xpm(path)
    palette = sorted({p for row in pixels for p in row if p} | {(255, 255, 255)})
    if len(palette) > 256:
        sys.exit(f"{path}: more than 256 colours")
    index = {p: i for i, p in enumerate(palette)}
    stride = (width + 3) // 4 * 4
    rows = b"".join(
        bytes(index[p or (255, 255, 255)] for p in row) + bytes(stride - width)
        for row in reversed(pixels))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + bytes(4 * (256 - len(palette)))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(rows), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(table)
    with open(out, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset) + info + table +
                rows)


if __name__ == "__main__":
    if len(sys.argv) >= 4 and sys.argv[1] == "ico":
        write_ico(sys.argv[2], sys.argv[3:])
    elif len(sys.argv) == 4 and sys.argv[1] == "bmp":
        write_bmp(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
