#!/usr/bin/env python3
"""Regenerates the program's artwork into src/win32/res and the previews into art/preview.

Usage: art/generate.py FLAG_SVG_FOLDER
FLAG_SVG_FOLDER is the flags/4x3 folder of the flag-icons package (see README.md).
Needs Python 3, rsvg-convert and ImageMagick's convert (for the flags only)."""

import os
import sys

from flags import FLAGS, flag_image
from glyphs_actions import ACTION_LISTS
from glyphs_keys import FORM_BUTTONS, KEYS
from glyphs_main import MAIN, MAIN_COUNT
from icons import OFF, ON, key_icon
from imagefiles import MASK, opaque_pixels, rgba_rows, strip, write_bmp, write_ico, write_png
from pen import Pen
from preview import stack, wrap

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(HERE, "..", "src", "win32", "res")
PREVIEW = os.path.join(HERE, "preview")

TRAY_ON, TRAY_OFF, TRAY_COUNT = 6, 7, 8


def glyph(draw, units, scale, halo=False):
    p = Pen(units, scale)
    if draw is not None:
        draw(p)
    rows = opaque_pixels(p.canvas)
    return with_halo(rows, scale) if halo and draw is not None else rows


def with_halo(rows, radius):
    """A white rim round the ink, so dark glyphs stay readable on dark key faces."""
    size_y, size_x = len(rows), len(rows[0])
    out = [list(r) for r in rows]
    for y in range(size_y):
        for x in range(size_x):
            if rows[y][x] != MASK:
                continue
            near = any(rows[ny][nx] != MASK
                       for ny in range(max(0, y - radius), min(size_y, y + radius + 1))
                       for nx in range(max(0, x - radius), min(size_x, x + radius + 1)))
            if near:
                out[y][x] = (255, 255, 255)
    return out


def icon_rows(size, colours):
    return opaque_pixels(key_icon(size, colours))


def image_lists(svg_folder, scale):
    """Name -> list of images (pixel rows) for one scale (1 = 16 px, 2 = 32 px)."""
    lists = {}
    lists["ilLangs"] = [flag_image(svg_folder, code, scale) for code, _ in FLAGS]
    tray = [glyph(None, 16, scale) for _ in range(TRAY_COUNT)]
    tray[TRAY_ON] = icon_rows(16 * scale, ON)
    tray[TRAY_OFF] = icon_rows(16 * scale, OFF)
    lists["ilTrayIcons"] = tray
    lists["ilMain"] = [glyph(MAIN[i][1] if i in MAIN else None, 16, scale) for i in range(MAIN_COUNT)]
    lists["ilKeys"] = [glyph(draw, 16, scale, halo=True) for _, draw in KEYS]
    lists["ilFormBtns"] = [glyph(draw, 12, scale, halo=True) for _, draw in FORM_BUTTONS]
    for name, items in ACTION_LISTS:
        lists[name] = [glyph(draw, 16, scale) for _, draw in items]
    return lists


# Image list -> file stem in src/win32/res.
FILES = {
    "ilTrayIcons": "tray_icons", "ilMain": "main", "ilLangs": "flags", "ilKeys": "keys",
    "ilFormBtns": "form_buttons", "ilActPondrel": "act_pondrel", "ilActAudio": "act_audio",
    "ilActMonitor": "act_monitor", "ilActWindow": "act_window", "ilActSystem": "act_system",
    "ilActLang": "act_lang", "ilActShutdown": "act_shutdown",
}


def large_suffix(name):
    return "_24" if name == "ilFormBtns" else "_32"


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    svg_folder = sys.argv[1]
    os.makedirs(PREVIEW, exist_ok=True)
    small = image_lists(svg_folder, 1)
    large = image_lists(svg_folder, 2)
    for name, stem in FILES.items():
        write_bmp(os.path.join(RES, stem + ".bmp"), strip(small[name]))
        write_bmp(os.path.join(RES, stem + large_suffix(name) + ".bmp"), strip(large[name]))

    write_ico(os.path.join(RES, "Karmux.ico"), [rgba_rows(key_icon(s, ON)) for s in (16, 32, 48, 256)])
    write_ico(os.path.join(RES, "tray_on.ico"), [rgba_rows(key_icon(s, ON)) for s in (16, 32)])
    write_ico(os.path.join(RES, "tray_off.ico"), [rgba_rows(key_icon(s, OFF)) for s in (16, 32)])

    write_png(os.path.join(PREVIEW, "flags_x8.png"), wrap(small["ilLangs"], 10, 8, 16, show_mask=False))
    blocks = []
    for name in FILES:
        if name == "ilLangs":
            continue
        blocks.append(wrap(small[name], 18, 4, 12))
        blocks.append(wrap(large[name], 18, 2, 12))
    write_png(os.path.join(PREVIEW, "images_x4.png"), stack(blocks, gap=16))
    write_png(os.path.join(PREVIEW, "program_icon_256.png"), rgba_rows(key_icon(256, ON)), alpha=True)


if __name__ == "__main__":
    main()
