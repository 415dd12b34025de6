"""Enlarged previews of the strips for review, with index numbers under each image."""

DIGITS = {  # 3 x 5 pixel digits
    "0": ["111", "101", "101", "101", "111"], "1": ["010", "110", "010", "010", "111"],
    "2": ["111", "001", "111", "100", "111"], "3": ["111", "001", "111", "001", "111"],
    "4": ["101", "101", "111", "001", "001"], "5": ["111", "100", "111", "001", "111"],
    "6": ["111", "100", "111", "101", "111"], "7": ["111", "001", "010", "010", "010"],
    "8": ["111", "101", "111", "101", "111"], "9": ["111", "101", "111", "001", "111"],
}
PAGE = (236, 236, 236)
TEXT = (40, 40, 40)
CHECKER = ((255, 255, 255), (214, 214, 214))


def _scaled(rows, factor, show_mask):
    out = []
    for y, row in enumerate(rows):
        line = []
        for x, px in enumerate(row):
            if show_mask and px == (255, 0, 255):
                px = CHECKER[((x * factor // 4) + (y * factor // 4)) % 2]  # transparent shows as a checkerboard
            line += [px] * factor
        out += [list(line) for _ in range(factor)]
    return out


def _label(text, width, dot):
    """A band `width` wide with `text` centred in digits `dot` pixels per font pixel."""
    height = 7 * dot
    band = [[PAGE] * width for _ in range(height)]
    text_w = (len(text) * 4 - 1) * dot
    x0 = max(0, (width - text_w) // 2)
    for i, ch in enumerate(text):
        for fy, bits in enumerate(DIGITS[ch]):
            for fx, bit in enumerate(bits):
                if bit == "1":
                    for dy in range(dot):
                        for dx in range(dot):
                            x = x0 + (i * 4 + fx) * dot + dx
                            if x < width:
                                band[dot + fy * dot + dy][x] = TEXT
    return band


def labelled_row(images, factor, gap, show_mask=True, first=0):
    """Images scaled by `factor` side by side, each with its index (from `first`) below."""
    cells = []
    for offset, image in enumerate(images):
        big = _scaled(image, factor, show_mask)
        w = len(big[0])
        pad_l, pad_r = [PAGE] * (gap // 2), [PAGE] * (gap - gap // 2)
        cell = [[PAGE] * (w + gap) for _ in range(gap // 2)]
        cell += [pad_l + row + pad_r for row in big]
        cell += [pad_l + row + pad_r for row in _label(str(first + offset), w, 2)]
        cells.append(cell)
    height = max(len(c) for c in cells)
    return [[px for c in cells for px in (c[y] if y < len(c) else [PAGE] * len(c[0]))] for y in range(height)]


def stack(blocks, gap=8):
    width = max(len(b[0]) for b in blocks)
    out = []
    for b in blocks:
        out += [row + [PAGE] * (width - len(row)) for row in b]
        out += [[PAGE] * width for _ in range(gap)]
    return out


def wrap(images, per_line, factor, gap, show_mask=True):
    """Lines of at most `per_line` images; indices continue across lines."""
    return stack([labelled_row(images[first:first + per_line], factor, gap, show_mask, first)
                  for first in range(0, len(images), per_line)])
