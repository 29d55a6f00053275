#!/usr/bin/env python3
"""Draws bitmap 8001, the About box's picture panel (330 x 100 pixels, at most 256 colours), as
AboutPanel.xpm: a pale sky gradient, a soft wave along the bottom, and on the right the header
and source pages of the program's icon, faded so that the texts over the picture stay
readable. Run it from this folder after changing the drawing."""

import math

WIDTH, HEIGHT = 330, 100


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def hexrgb(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


SKY_TOP = hexrgb("#DCEAF8")
SKY_BOTTOM = hexrgb("#FBFDFF")
WAVE = hexrgb("#C4DDF2")
WAVE_EDGE = hexrgb("#A9CBE8")
PAGE_BACK = hexrgb("#E4EFFA")
PAGE_FRONT = hexrgb("#FFFFFF")
PAGE_EDGE = hexrgb("#9DB8D2")
PAGE_LINE = hexrgb("#C9D3DD")
BADGE = hexrgb("#9FD3AB")
BADGE_EDGE = hexrgb("#6FB181")

# The gradient comes in this many steps, which keeps the picture within 256 colours.
STEPS = 40


def sky(x, y):
    t = (y / (HEIGHT - 1)) * 0.75 + (x / (WIDTH - 1)) * 0.25
    return mix(SKY_TOP, SKY_BOTTOM, round(t * STEPS) / STEPS)


def wave_top(x):
    return 91 + 3 * math.sin(x / 34.0) + 1.5 * math.sin(x / 11.0 + 1.3)


def page(x0, y0, x1, y1, fold):
    """A page with its top right corner folded down by `fold` pixels."""
    def inside(x, y):
        return x0 <= x <= x1 and y0 <= y <= y1 and (x - x1) + fold <= (y - y0)
    return inside


def draw():
    px = [[sky(x, y) for x in range(WIDTH)] for y in range(HEIGHT)]

    for x in range(WIDTH):
        top = wave_top(x)
        for y in range(HEIGHT):
            if y >= top:
                px[y][x] = WAVE_EDGE if y < top + 1.5 else WAVE

    def paint(inside, fill, edge=None):
        for y in range(HEIGHT):
            for x in range(WIDTH):
                if not inside(x, y):
                    continue
                border = edge is not None and not all(
                    inside(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                px[y][x] = edge if border else fill

    back = page(296, 6, 322, 48, 0)
    front = page(280, 18, 310, 68, 8)
    paint(back, PAGE_BACK, PAGE_EDGE)
    paint(front, PAGE_FRONT, PAGE_EDGE)
    for row, y in enumerate(range(34, 64, 5)):
        length = (18, 12, 20, 10, 16, 14)[row]
        for x in range(285, 285 + length):
            if front(x, y) and px[y][x] == PAGE_FRONT:
                px[y][x] = PAGE_LINE
    paint(lambda x, y: (x - 308) ** 2 + (y - 66) ** 2 <= 9 ** 2, BADGE, BADGE_EDGE)
    paint(lambda x, y: (abs(x - 308) <= 1 and abs(y - 66) <= 5)
          or (abs(y - 66) <= 1 and abs(x - 308) <= 5), PAGE_FRONT)
    return px


def write():
    px = draw()
    colours = sorted({c for row in px for c in row})
    assert len(colours) <= 256, len(colours)
    symbols = [chr(c) for c in range(35, 127) if chr(c) not in '"\\']
    codes = {c: symbols[i // len(symbols)] + symbols[i % len(symbols)]
             for i, c in enumerate(colours)}
    lines = ["/* XPM */", "static const char* const tavrin_about_panel_xpm[] = {",
             f'    "{WIDTH} {HEIGHT} {len(colours)} 2",']
    lines += [f'    "{codes[c]} c #{c[0]:02X}{c[1]:02X}{c[2]:02X}",' for c in colours]
    rows = ["".join(codes[c] for c in row) for row in px]
    lines += [f'    "{r}",' for r in rows[:-1]] + [f'    "{rows[-1]}"', "};", ""]
    with open("AboutPanel.xpm", "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines))


write()
