"""ilLangs: flags in LangFlagIndex order, rendered from the flag-icons SVG set."""

import subprocess

from imagefiles import opaque_pixels
from parts import GREY, INK, LIGHT, WHITE, arc, disc
from pen import Pen, rect

# Image index -> (flag-icons country code, language). Index 0 is drawn here.
FLAGS = [
    (None, "no known language"),
    ("us", "English (United States)"), ("gb", "English (other)"), ("al", "Albanian"), ("sa", "Arabic"),
    ("by", "Belarusian"), ("bg", "Bulgarian"), ("es-ct", "Catalan"), ("cn", "Chinese"), ("cz", "Czech"),
    ("dk", "Danish"), ("nl", "Dutch"), ("ee", "Estonian"), ("fi", "Finnish"), ("fr", "French"),
    ("de", "German"), ("gr", "Greek"), ("hu", "Hungarian"), ("it", "Italian"), ("jp", "Japanese"),
    ("kr", "Korean"), ("kg", "Kyrgyz"), ("lv", "Latvian"), ("lt", "Lithuanian"), ("no", "Norwegian"),
    ("pl", "Polish"), ("br", "Portuguese (Brazil)"), ("pt", "Portuguese (other)"), ("ro", "Romanian"),
    ("ru", "Russian"), ("sk", "Slovak"), ("si", "Slovenian"), ("es", "Spanish"), ("se", "Swedish"),
    ("tr", "Turkish"), ("ua", "Ukrainian"), ("uz", "Uzbek"), ("vn", "Vietnamese"), ("il", "Hebrew"),
    ("sy", "Syriac"), ("hr", "Serbian, Croatian, Bosnian"),
]

FLAG_TOP, FLAG_ROWS = 2, 11  # the flag fills rows 2..12 of a 16-pixel image


def render_svg(svg_path, width, height):
    """Pixel rows of the SVG scaled to width x height by area averaging."""
    # The set's 4:3 artwork is rendered large at its own ratio, then averaged down to 16:11.
    png = subprocess.run(["rsvg-convert", "-w", str(width * 16), "-h", str(width * 12), svg_path],
                         check=True, capture_output=True).stdout
    raw = subprocess.run(["convert", "png:-", "-background", "white", "-flatten", "-filter", "Box",
                          "-resize", f"{width}x{height}!", "-depth", "8", "rgb:-"],
                         input=png, check=True, capture_output=True).stdout
    assert len(raw) == width * height * 3, svg_path
    return [[tuple(raw[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)] for y in range(height)]


def unknown_flag(scale):
    """A blank grey flag with a question mark, drawn in the flag rows."""
    p = Pen(16, scale)
    p.fill(LIGHT, rect(0, FLAG_TOP, 16, FLAG_TOP + FLAG_ROWS))
    p.stroke(GREY, rect(0.5, FLAG_TOP + 0.5, 15.5, FLAG_TOP + FLAG_ROWS - 0.5), 1.0, closed=True, cap="square")
    p.stroke(INK, arc(8, 5.8, 1.9, 180, 395, 14) + [(8, 8.6)], 1.4)
    disc(p, INK, 8, 10.7, 0.85)
    return p.canvas


def flag_image(svg_folder, code, scale):
    """One 16-unit image: white, with the flag in the flag rows."""
    size = 16 * scale
    rows = [[WHITE] * size for _ in range(size)]
    if code is None:
        return opaque_pixels(unknown_flag(scale), background=WHITE)
    flag = render_svg(f"{svg_folder}/{code}.svg", size, FLAG_ROWS * scale)
    for y, row in enumerate(flag):
        rows[FLAG_TOP * scale + y] = _framed(row, y, len(flag))
    return rows


def _framed(row, y, height):
    """Darkens the outermost pixels a little, so white parts of a flag (Poland, Finland,
    Japan...) keep their edge on the white background without hiding the colours."""
    def shade(px):
        return tuple(int(c * 0.72 + 40 * 0.28) for c in px)
    if y in (0, height - 1):
        return [shade(px) for px in row]
    return [shade(row[0])] + row[1:-1] + [shade(row[-1])]
