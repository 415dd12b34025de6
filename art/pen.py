"""Shapes in design units (a 16-unit or 12-unit square) drawn onto a canvas at any scale."""

import math

from raster import Canvas, coverage_of


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def ellipse(cx, cy, rx, ry=None, steps=40):
    ry = rx if ry is None else ry
    return [(cx + rx * math.cos(2 * math.pi * k / steps), cy + ry * math.sin(2 * math.pi * k / steps))
            for k in range(steps)]


def arc(cx, cy, r, start_deg, end_deg, steps=24):
    a0, a1 = math.radians(start_deg), math.radians(end_deg)
    return [(cx + r * math.cos(a0 + (a1 - a0) * k / steps), cy + r * math.sin(a0 + (a1 - a0) * k / steps))
            for k in range(steps + 1)]


def rrect(x0, y0, x1, y1, r):
    pts = []
    for cx, cy, start in ((x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0), (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180)):
        pts += arc(cx, cy, r, start, start + 90, 6)
    return pts


def star(cx, cy, outer, inner, points=5, turn=-90):
    pts = []
    for k in range(points * 2):
        r = outer if k % 2 == 0 else inner
        a = math.radians(turn + 180 * k / points)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def stroke_shapes(points, width, closed=False, cap="round"):
    """A polyline of the given width as a union of quads with round joins and caps."""
    shapes = []
    h = width / 2.0
    n = len(points)
    segments = n if closed else n - 1
    for k in range(segments):
        (x0, y0), (x1, y1) = points[k], points[(k + 1) % n]
        length = math.hypot(x1 - x0, y1 - y0)
        if length == 0:
            continue
        ux, uy = (x1 - x0) / length, (y1 - y0) / length
        nx, ny = -uy * h, ux * h
        if cap == "square" and not closed:
            if k == 0:
                x0, y0 = x0 - ux * h, y0 - uy * h
            if k == segments - 1:
                x1, y1 = x1 + ux * h, y1 + uy * h
        shapes.append(([[(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]], False))
    joints = points if cap == "round" or closed else points[1:-1]
    for x, y in joints:
        shapes.append(([ellipse(x, y, h, steps=16)], False))
    return shapes


class Pen:
    """Draws in design units; `scale` pixels per unit."""

    def __init__(self, size_units, scale):
        self.scale = scale
        self.size = int(round(size_units * scale))
        self.canvas = Canvas(self.size, self.size)

    def _px(self, contour):
        s = self.scale
        return [(x * s, y * s) for x, y in contour]

    def fill(self, colour, *contours, evenodd=False, opacity=1.0):
        self.paint(colour, [([self._px(c) for c in contours], evenodd)], opacity)

    def stroke(self, colour, points, width, closed=False, cap="round", opacity=1.0):
        shapes = stroke_shapes(self._px(points), width * self.scale, closed, cap)
        self.paint(colour, shapes, opacity)

    def paint(self, colour, shapes, opacity=1.0):
        self.canvas.composite(coverage_of(self.size, self.size, shapes), colour, opacity)

    def outlined(self, fill, outline, contour, width=1.0):
        """A filled shape with an outline centred on its edge."""
        self.fill(fill, contour)
        self.stroke(outline, contour, width, closed=True)
