"""A small anti-aliased rasteriser: polygons filled on a supersampled grid, composited in colour."""

import math

SUBSAMPLES = 4


class Canvas:
    """Premultiplied RGBA pixels, floats 0..1, row-major from the top."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def get(self, x, y):
        return self.px[y * self.width + x]

    def set(self, x, y, rgba):
        self.px[y * self.width + x] = list(rgba)

    def composite(self, coverage, colour, opacity=1.0):
        r, g, b = (c / 255.0 for c in colour)
        for i, c in enumerate(coverage):
            if c <= 0.0:
                continue
            c *= opacity
            p = self.px[i]
            k = 1.0 - c
            p[0] = r * c + p[0] * k
            p[1] = g * c + p[1] * k
            p[2] = b * c + p[2] * k
            p[3] = c + p[3] * k

    def blit(self, other, dx, dy):
        for y in range(other.height):
            for x in range(other.width):
                tx, ty = x + dx, y + dy
                if 0 <= tx < self.width and 0 <= ty < self.height:
                    self.set(tx, ty, other.get(x, y))


def coverage_of(width, height, shapes):
    """Fraction of each pixel covered by the union of shapes; a shape is (contours, evenodd)
    with contours as lists of (x, y) in pixels. The union is taken per sample, so shapes of
    one colour that overlap do not darken their shared anti-aliased edges."""
    ss = SUBSAMPLES
    samples = bytearray(width * ss * height * ss)
    for contours, evenodd in shapes:
        _fill_samples(samples, width * ss, height * ss, contours, evenodd)
    return _pixel_coverage(samples, width, height)


def _fill_samples(samples, sw, sh, contours, evenodd):
    ss = SUBSAMPLES
    ones = b"\x01" * sw
    edges = []
    for contour in contours:
        n = len(contour)
        for k in range(n):
            (x0, y0), (x1, y1) = contour[k], contour[(k + 1) % n]
            if y0 != y1:
                edges.append((x0, y0, x1, y1))
    if not edges:
        return
    top = max(0, int(min(min(e[1], e[3]) for e in edges) * ss) - 1)
    bottom = min(sh, int(max(max(e[1], e[3]) for e in edges) * ss) + 2)
    for j in range(top, bottom):
        y = (j + 0.5) / ss
        crossings = []
        for x0, y0, x1, y1 in edges:
            if (y0 <= y < y1) or (y1 <= y < y0):
                x = x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                crossings.append((x, 1 if y1 > y0 else -1))
        if not crossings:
            continue
        crossings.sort()
        winding = 0
        row = j * sw
        for k in range(len(crossings) - 1):
            x, d = crossings[k]
            winding = winding + 1 if evenodd else winding + d
            inside = (winding % 2 == 1) if evenodd else winding != 0
            if inside:
                i0 = max(0, math.ceil(x * ss - 0.5))
                i1 = min(sw, math.ceil(crossings[k + 1][0] * ss - 0.5))
                if i1 > i0:
                    samples[row + i0:row + i1] = ones[:i1 - i0]


def _pixel_coverage(samples, width, height):
    ss = SUBSAMPLES
    sw = width * ss
    scale = 1.0 / (ss * ss)
    out = [0.0] * (width * height)
    for y in range(height):
        base = y * width
        for sub in range(ss):
            row = (y * ss + sub) * sw
            for x in range(width):
                a = row + x * ss
                out[base + x] += sum(samples[a:a + ss])
    return [v * scale for v in out]
