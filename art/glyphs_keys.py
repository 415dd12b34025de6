"""ilKeys (glyphs on special keys, by KeyGlyphIndex) and ilFormBtns (12-unit caption buttons).

Both are drawn on key faces whose colour follows the keyboard theme, from white to black, so
they are one dark ink; the generator adds a white halo that keeps them readable on dark faces."""

from parts import INK, arrow, curved_arrow, envelope, speaker
from pen import ellipse, rect, rrect, star


def win_logo(p):
    for x0, y0 in ((1, 2), (8, 2), (1, 9), (8, 9)):  # whole units, so the gaps survive at 16 px
        p.fill(INK, rect(x0, y0, x0 + 6, y0 + 6))


def apps_menu(p):
    p.stroke(INK, rect(3.5, 1.5, 12.5, 14.5), 1.0, closed=True, cap="square")
    for y in (4.5, 7.5, 10.5):
        p.stroke(INK, [(5.5, y), (10.5, y)], 1.2, cap="butt")


def backspace(p):
    p.stroke(INK, [(5.5, 3.5), (14.5, 3.5), (14.5, 12.5), (5.5, 12.5), (1.5, 8)], 1.2, closed=True)
    p.stroke(INK, [(7.5, 5.5), (12, 10.5)], 1.4)
    p.stroke(INK, [(12, 5.5), (7.5, 10.5)], 1.4)


def solid_arrow(dx, dy):
    def draw(p):
        arrow(p, INK, 8 - dx * 6, 8 - dy * 6, 8 + dx * 6.5, 8 + dy * 6.5, width=2.4, head=4.2)
    return draw


def circled(inner):
    def draw(p):
        p.stroke(INK, ellipse(8, 8, 6.6), 1.2, closed=True)
        inner(p)
    return draw


def back_arrow(p):
    arrow(p, INK, 11.5, 8, 3.8, 8, width=1.8, head=3)


def forward_arrow(p):
    arrow(p, INK, 4.5, 8, 12.2, 8, width=1.8, head=3)


def refresh(p):
    curved_arrow(p, INK, 8, 8, 5, -60, 230, width=1.8, head=2.6)


def stop_sign(p):
    p.stroke(INK, star(8, 8, 6.8, 6.8 * 0.924, points=4, turn=-67.5), 1.2, closed=True)
    p.stroke(INK, [(5.5, 5.5), (10.5, 10.5)], 1.6)
    p.stroke(INK, [(10.5, 5.5), (5.5, 10.5)], 1.6)


def search(p):
    p.stroke(INK, ellipse(6.5, 6.5, 4.2), 1.6, closed=True)
    p.stroke(INK, [(9.8, 9.8), (14, 14)], 2.6)


def favourite(p):
    p.fill(INK, star(8, 8.6, 7.2, 3))


def home(p):
    p.fill(INK, [(8, 1.5), (15, 8), (13, 8), (13, 14.5), (9.5, 14.5), (9.5, 10), (6.5, 10), (6.5, 14.5), (3, 14.5),
                 (3, 8), (1, 8)])


def volume(mark):
    def draw(p):
        speaker(p, 1)
        mark(p)
    return draw


def mute_mark(p):
    p.stroke(INK, [(10.5, 5.5), (14.5, 10.5)], 1.5)
    p.stroke(INK, [(14.5, 5.5), (10.5, 10.5)], 1.5)


def minus_mark(p):
    p.stroke(INK, [(10.5, 8), (15, 8)], 1.8, cap="butt")


def plus_mark(p):
    p.stroke(INK, [(10.3, 8), (15.3, 8)], 1.8, cap="butt")
    p.stroke(INK, [(12.8, 5.5), (12.8, 10.5)], 1.8, cap="butt")


def triangle(p, x0, x1, top=3.5, bottom=12.5):
    p.fill(INK, [(x0, top), (x1, (top + bottom) / 2), (x0, bottom)])


def next_track(p):
    triangle(p, 1.5, 7)
    triangle(p, 7, 12.5)
    p.fill(INK, rect(12.5, 3.5, 14.5, 12.5))


def prev_track(p):
    p.fill(INK, rect(1.5, 3.5, 3.5, 12.5))
    triangle(p, 9, 3.5)
    triangle(p, 14.5, 9)


def media_stop(p):
    p.fill(INK, rect(3.5, 3.5, 12.5, 12.5))


def play_pause(p):
    triangle(p, 1.5, 8.5)
    p.fill(INK, rect(10, 3.5, 11.8, 12.5))
    p.fill(INK, rect(13, 3.5, 14.8, 12.5))


def launch_mail(p):
    envelope(p)


def note(p):
    p.fill(INK, ellipse(5, 12, 2.6, 2))
    p.fill(INK, ellipse(12, 10.5, 2.6, 2))
    p.stroke(INK, [(7.2, 12), (7.2, 3), (14.2, 1.5), (14.2, 10.5)], 1.4)
    p.stroke(INK, [(7.2, 5.5), (14.2, 4)], 2.0)


def app_window(p):
    p.stroke(INK, rect(1.5, 2.5, 14.5, 13.5), 1.0, closed=True, cap="square")
    p.fill(INK, rect(1.5, 2.5, 14.5, 5.5))


def calculator(p):
    p.stroke(INK, rrect(3, 1.5, 13, 14.5, 1), 1.0, closed=True)
    p.fill(INK, rect(4.5, 3, 11.5, 6))
    for row in range(3):
        for col in range(3):
            x, y = 4.5 + col * 2.6, 7.5 + row * 2.3
            p.fill(INK, rect(x, y, x + 1.6, y + 1.4))


# Index -> drawing, in KeyGlyphIndex order: Win, Apps, Backspace, arrows, then vk 166..183.
KEYS = [
    ("Win", win_logo), ("Apps", apps_menu), ("Backspace", backspace),
    ("Left", solid_arrow(-1, 0)), ("Up", solid_arrow(0, -1)), ("Right", solid_arrow(1, 0)),
    ("Down", solid_arrow(0, 1)),
    ("Browser back", circled(back_arrow)), ("Browser forward", circled(forward_arrow)),
    ("Browser refresh", refresh), ("Browser stop", stop_sign), ("Browser search", search),
    ("Browser favourites", favourite), ("Browser home", home),
    ("Volume mute", volume(mute_mark)), ("Volume down", volume(minus_mark)), ("Volume up", volume(plus_mark)),
    ("Next track", next_track), ("Previous track", prev_track), ("Media stop", media_stop),
    ("Play/pause", play_pause), ("Launch mail", launch_mail), ("Media select", note),
    ("Launch application 1", app_window), ("Launch application 2", calculator),
]


def close_cross(p):
    p.stroke(INK, [(2.5, 2.5), (9.5, 9.5)], 1.8)
    p.stroke(INK, [(9.5, 2.5), (2.5, 9.5)], 1.8)


def pin_in(p):
    """Pinned: the pin stands in the board (auto-hide off)."""
    p.fill(INK, rect(3.5, 1, 8.5, 2.2))
    p.fill(INK, rect(4.5, 2, 7.5, 6.5))
    p.fill(INK, rect(2.5, 6.5, 9.5, 7.8))
    p.stroke(INK, [(6, 7.5), (6, 11.5)], 1.1, cap="butt")


def pin_out(p):
    """Unpinned: the pin lies on its side (auto-hide on)."""
    p.fill(INK, rect(10, 3.5, 11.2, 8.5))
    p.fill(INK, rect(5.5, 4.5, 10, 7.5))
    p.fill(INK, rect(4.2, 2.5, 5.5, 9.5))
    p.stroke(INK, [(4.5, 6), (0.5, 6)], 1.1, cap="butt")


# Image 0: close; 1: pin in (auto-hide off); 2: pin out (auto-hide on).
FORM_BUTTONS = [("close", close_cross), ("pinned", pin_in), ("auto-hide", pin_out)]

