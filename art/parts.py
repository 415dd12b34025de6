"""Pieces shared by the glyphs: a palette and small drawings in 16-unit design space."""

import math

from pen import arc, ellipse, rect, rrect, star

INK = (38, 50, 72)
WHITE = (255, 255, 255)
PAPER = (250, 250, 246)
GREY = (128, 134, 142)
LIGHT = (206, 212, 220)
BLUE = (36, 112, 204)
SKY = (132, 186, 240)
GREEN = (40, 158, 72)
RED = (214, 48, 48)
ORANGE = (238, 142, 28)
YELLOW = (250, 204, 48)
BROWN = (150, 96, 52)
PURPLE = (128, 80, 180)


def disc(p, colour, cx, cy, r, outline=None):
    p.fill(colour, ellipse(cx, cy, r))
    if outline:
        p.stroke(outline, ellipse(cx, cy, r), 1.0, closed=True)


def arrow(p, colour, x0, y0, x1, y1, width=2.0, head=3.0):
    """A straight arrow from (x0, y0) with a filled head at (x1, y1)."""
    length = math.hypot(x1 - x0, y1 - y0)
    ux, uy = (x1 - x0) / length, (y1 - y0) / length
    bx, by = x1 - ux * head, y1 - uy * head
    p.stroke(colour, [(x0, y0), (bx, by)], width, cap="square")
    p.fill(colour, [(x1 + ux * 0.5, y1 + uy * 0.5), (bx - uy * head, by + ux * head), (bx + uy * head, by - ux * head)])


def curved_arrow(p, colour, cx, cy, r, start, end, width=2.0, head=3.0):
    """An arc from angle `start` to `end` (degrees, clockwise on screen) with a head at the end."""
    pts = arc(cx, cy, r, start, end)
    p.stroke(colour, pts[:-2], width)
    a = math.radians(end)
    tx, ty = -math.sin(a), math.cos(a)  # direction of travel for increasing angles
    if end < start:
        tx, ty = -tx, -ty
    ex, ey = cx + r * math.cos(a), cy + r * math.sin(a)
    nx, ny = math.cos(a), math.sin(a)
    p.fill(colour, [(ex + tx * head, ey + ty * head), (ex + nx * head - tx * 0.5, ey + ny * head - ty * 0.5),
                    (ex - nx * head - tx * 0.5, ey - ny * head - ty * 0.5)])


def speaker(p, x=1.5):
    """Speaker body on the left half of a 16-unit square."""
    p.fill(INK, [(x, 6), (x + 3, 6), (x + 7, 2.5), (x + 7, 13.5), (x + 3, 10), (x, 10)])


def waves(p, colour, count, x=9.5):
    for k in range(count):
        p.stroke(colour, arc(x - 1.5, 8, 2.5 + 2.5 * k, -50, 50, 12), 1.4)


def window(p, x0=1.5, y0=2.5, x1=14.5, y1=13.5, title=BLUE):
    p.fill(PAPER, rect(x0, y0, x1, y1))
    p.fill(title, rect(x0, y0, x1, y0 + 3))
    p.stroke(INK, rect(x0, y0, x1, y1), 1.0, closed=True, cap="square")


def monitor(p, screen=SKY):
    p.fill(INK, rrect(1, 2, 15, 12, 1))
    p.fill(screen, rect(2.5, 3.5, 13.5, 10.5))
    p.fill(INK, rect(6.5, 12, 9.5, 13.5))
    p.fill(INK, rect(4, 13.5, 12, 15))


def gear(p, cx, cy, r_out, r_in, teeth=8, colour=GREY, hole=None):
    pts = []
    for k in range(teeth * 4):
        a = 2 * math.pi * k / (teeth * 4) + math.pi / (teeth * 4)
        r = r_out if (k % 4) in (0, 1) else r_in
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    hole_r = hole if hole is not None else r_in * 0.42
    p.fill(colour, pts, ellipse(cx, cy, hole_r), evenodd=True)
    p.stroke(INK, pts, 0.8, closed=True)
    p.stroke(INK, ellipse(cx, cy, hole_r), 0.8, closed=True)


def keycap(p, x0=1.5, y0=2.5, x1=14.5, y1=13.5):
    p.fill(LIGHT, rrect(x0, y0, x1, y1, 2))
    p.fill(PAPER, rrect(x0 + 1.5, y0 + 1, x1 - 1.5, y1 - 3, 1.5))
    p.stroke(INK, rrect(x0, y0, x1, y1, 2), 1.0, closed=True)


def bolt(p, colour=ORANGE, dx=0.0, dy=0.0):
    p.fill(colour, [(9 + dx, 1 + dy), (4 + dx, 9 + dy), (7.5 + dx, 9 + dy), (6 + dx, 15 + dy), (12 + dx, 6.5 + dy),
                    (8.5 + dx, 6.5 + dy), (10.5 + dx, 1 + dy)])


def power(p, colour, ring=True):
    """A power symbol on a coloured disc."""
    if ring:
        disc(p, colour, 8, 8, 7)
    p.stroke(WHITE, arc(8, 8.5, 3.8, -60, 240, 20), 1.8)
    p.stroke(WHITE, [(8, 3.2), (8, 8)], 1.8)


def envelope(p, x0=1.5, y0=3.5, x1=14.5, y1=12.5):
    p.fill(PAPER, rect(x0, y0, x1, y1))
    p.stroke(INK, [(x0, y0), ((x0 + x1) / 2, (y0 + y1) / 2 + 0.5), (x1, y0)], 1.0)
    p.stroke(INK, rect(x0, y0, x1, y1), 1.0, closed=True, cap="square")


def document(p, x0=3.5, y0=1.5, x1=12.5, y1=14.5, lines=4):
    fold = 3
    p.fill(PAPER, [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    p.stroke(INK, [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], 1.0, closed=True)
    p.stroke(INK, [(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], 0.8)
    for k in range(lines):
        y = y0 + 4.5 + 2 * k
        p.stroke(GREY, [(x0 + 2, y), (x1 - 2, y)], 1.0, cap="butt")


def person(p, cx, colour, scale=1.0, top=2.0):
    disc(p, colour, cx, top + 2.5 * scale, 2.5 * scale)
    p.fill(colour, rrect(cx - 4 * scale, top + 6 * scale, cx + 4 * scale, top + 12.5 * scale, 2.5 * scale))


def magnifier(p, cx=6.5, cy=6.5, r=4.2, lens=SKY):
    p.fill(lens, ellipse(cx, cy, r))
    p.stroke(INK, ellipse(cx, cy, r), 1.6, closed=True)
    d = r * 0.72
    p.stroke(INK, [(cx + d + 0.6, cy + d + 0.6), (14, 14)], 2.6)


def flag_panel(p, x0=1.5, y0=3.5, x1=14.5, y1=12.5):
    """A flag bearing a letter: 'a language' without naming any country."""
    p.fill(BLUE, rect(x0, y0, x1, y1))
    p.stroke(INK, rect(x0, y0, x1, y1), 1.0, closed=True, cap="square")
    h = (y1 - y0) * 0.62
    letter_upper_a(p, WHITE, (x0 + x1) / 2 - h * 0.42, (y0 + y1) / 2 - h / 2, h, width=1.3)


def letter_upper_a(p, colour, x, y, h, w=None, width=1.6):
    w = h * 0.8 if w is None else w
    p.stroke(colour, [(x, y + h), (x + w / 2, y), (x + w, y + h)], width)
    p.stroke(colour, [(x + w * 0.25, y + h * 0.62), (x + w * 0.75, y + h * 0.62)], width * 0.9)


def letter_lower_a(p, colour, x, y, h, width=1.5):
    r = h * 0.32
    p.stroke(colour, ellipse(x + r, y + h - r, r, steps=20), width, closed=True)
    p.stroke(colour, [(x + 2 * r, y + h - 2 * r - 0.3), (x + 2 * r, y + h)], width)


def star_shape(cx, cy, outer, inner=None):
    return star(cx, cy, outer, outer * 0.45 if inner is None else inner)
