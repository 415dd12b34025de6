#!/usr/bin/env python3
"""Draws the first-run wizard's step pictures and banner and the about box's logo, all for this
project (standard library only), into src/win32/res:

  process.bmp / process_32.bmp  `ilProcess`, 3 images of 16 (32) px: 0 a step not yet visited
                                (hollow grey ring), 1 the selected step (blue disc with a white
                                arrow), 2 a step left behind (green disc with a white tick)
  wizard_banner.bmp             447 x 56, across the top of the wizard's first step
  logo.bmp                      160 x 300, the about box's "LOGO" bitmap

Usage: python3 art/wizard_about.py"""

import os

from imagefiles import MASK, opaque_pixels, strip, write_bmp
from parts import BLUE, GREEN, GREY, INK, LIGHT, PAPER, WHITE, arrow
from pen import Pen, ellipse, rrect

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(HERE, "..", "src", "win32", "res")

NAVY = (20, 52, 104)
DEEP = (36, 96, 178)
PALE = (214, 230, 248)


def step_image(kind, scale):
    p = Pen(16, scale)
    if kind == 0:
        p.stroke(GREY, ellipse(8, 8, 5.2), 1.6, closed=True)
    elif kind == 1:
        p.fill(BLUE, ellipse(8, 8, 6.8))
        arrow(p, WHITE, 4.6, 8, 11.8, 8, width=1.9, head=3.0)
    else:
        p.fill(GREEN, ellipse(8, 8, 6.8))
        p.stroke(WHITE, [(4.8, 8.4), (7.1, 10.7), (11.4, 5.6)], 1.9)
    return opaque_pixels(p.canvas)


def gradient_rows(width, height, top, bottom):
    rows = []
    for y in range(height):
        t = y / max(1, height - 1)
        colour = tuple(int(round(a + (b - a) * t)) for a, b in zip(top, bottom))
        rows.append([colour] * width)
    return rows


def key_with_letters(p, x, y, size, left, right):
    """A keycap seen from above, with a Latin and a Cyrillic-looking stroke pair on it."""
    p.fill(NAVY, rrect(x, y, x + size, y + size, size * 0.16))
    p.fill(PAPER, rrect(x + size * 0.07, y + size * 0.05, x + size * 0.93, y + size * 0.8, size * 0.12))
    p.fill(LIGHT, rrect(x + size * 0.07, y + size * 0.8, x + size * 0.93, y + size * 0.92, size * 0.08))
    w = size * 0.07
    # Left glyph: an upright "h"-like mark; right glyph: a mirrored "r"-like mark, in two colours.
    p.stroke(left, [(x + size * 0.25, y + size * 0.18), (x + size * 0.25, y + size * 0.62)], w)
    p.stroke(left, [(x + size * 0.25, y + size * 0.4), (x + size * 0.42, y + size * 0.4),
                    (x + size * 0.42, y + size * 0.62)], w)
    p.stroke(right, [(x + size * 0.6, y + size * 0.62), (x + size * 0.6, y + size * 0.3),
                     (x + size * 0.78, y + size * 0.3)], w)


def overlay(base, canvas, dx, dy):
    """Copies the covered pixels of `canvas` onto `base` rows at (dx, dy)."""
    for y, row in enumerate(opaque_pixels(canvas)):
        for x, px in enumerate(row):
            if px != MASK and 0 <= dy + y < len(base) and 0 <= dx + x < len(base[0]):
                base[dy + y][dx + x] = px


def logo():
    width, height = 160, 300
    rows = gradient_rows(width, height, DEEP, NAVY)
    p = Pen(200, 1)  # square canvas; what passes the right edge is cut off
    # Three keys climbing up, joined by the conversion arrows of the program icon.
    key_with_letters(p, 22, 26, 56, BLUE, (214, 48, 48))
    key_with_letters(p, 82, 76, 56, (214, 48, 48), BLUE)
    key_with_letters(p, 22, 126, 56, BLUE, GREEN)
    arrow(p, WHITE, 80, 52, 104, 52, width=4, head=6)
    arrow(p, WHITE, 108, 140, 84, 154, width=4, head=6)
    overlay(rows, p.canvas, 0, 0)
    # A row of small keys along the foot, as on a keyboard.
    q = Pen(160, 1)
    for i in range(6):
        q.fill(PALE, rrect(8 + i * 24.5, 8, 28 + i * 24.5, 26, 3))
    for i in range(5):
        q.fill(PALE, rrect(20 + i * 24.5, 32, 40 + i * 24.5, 50, 3))
    q.fill(WHITE, rrect(40, 56, 120, 72, 3))
    overlay(rows, q.canvas, 0, 210)
    return rows


def banner():
    width, height = 447, 56
    rows = gradient_rows(width, height, PALE, WHITE)
    p = Pen(56, 1)
    key_with_letters(p, 6, 6, 44, BLUE, (214, 48, 48))
    overlay(rows, p.canvas, 8, 0)
    q = Pen(56, 1)
    arrow(q, DEEP, 6, 28, 44, 28, width=4, head=7)
    overlay(rows, q.canvas, 60, 0)
    r = Pen(56, 1)
    key_with_letters(r, 6, 6, 44, (214, 48, 48), BLUE)
    overlay(rows, r.canvas, 112, 0)
    for y in range(height - 2, height):
        rows[y] = [DEEP] * width
    return rows


def main():
    write_bmp(os.path.join(RES, "process.bmp"), strip([step_image(k, 1) for k in range(3)]))
    write_bmp(os.path.join(RES, "process_32.bmp"), strip([step_image(k, 2) for k in range(3)]))
    write_bmp(os.path.join(RES, "wizard_banner.bmp"), banner())
    write_bmp(os.path.join(RES, "logo.bmp"), logo())


if __name__ == "__main__":
    main()
