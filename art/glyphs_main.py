"""ilMain: tray-menu and action images, by the image numbers the menus use."""

from parts import (BLUE, BROWN, GREEN, INK, LIGHT, ORANGE, RED, SKY, WHITE, YELLOW, arrow, bolt,
                   disc, envelope, gear, keycap, power, speaker, waves)
from pen import arc, ellipse, rect, rrect


def update(p):
    disc(p, GREEN, 8, 8, 7)
    arrow(p, WHITE, 8, 3, 8, 12.5, width=2.2, head=3.4)


def help_mark(p):
    disc(p, BLUE, 8, 8, 7)
    p.stroke(WHITE, arc(8, 6, 2.6, 180, 395, 16) + [(8, 9.5)], 1.9)
    disc(p, WHITE, 8, 12, 1.2)


def globe(p):
    disc(p, SKY, 8, 8, 6.5)
    p.stroke(BLUE, ellipse(8, 8, 2.8, 6.5), 1.0, closed=True)
    p.stroke(BLUE, [(1.5, 8), (14.5, 8)], 1.0)
    p.stroke(BLUE, arc(8, 15, 9.2, 227, 313, 12), 0.9)
    p.stroke(BLUE, arc(8, 1, 9.2, 47, 133, 12), 0.9)
    p.stroke(INK, ellipse(8, 8, 6.5), 1.0, closed=True)


def mail(p):
    envelope(p)


def settings(p):
    gear(p, 8, 8, 7, 5, teeth=8)


def power_off(p):
    power(p, RED)


def power_on(p):
    power(p, GREEN)


def exit_door(p):
    p.fill(BROWN, rect(2.5, 1.5, 9.5, 14.5))
    p.stroke(INK, rect(2.5, 1.5, 9.5, 14.5), 1.0, closed=True, cap="square")
    disc(p, YELLOW, 7.5, 8.5, 0.9)
    arrow(p, RED, 8, 8, 15.2, 8, width=2.2, head=3.2)


def open_folder(p):
    p.fill(ORANGE, [(1.5, 3.5), (6, 3.5), (7.5, 5), (13.5, 5), (13.5, 13.5), (1.5, 13.5)])
    p.fill(YELLOW, [(3.5, 7.5), (15.5, 7.5), (13.5, 13.5), (1.5, 13.5)])
    p.stroke(INK, [(1.5, 13.5), (1.5, 3.5), (6, 3.5), (7.5, 5), (13.5, 5), (13.5, 7.5)], 1.0)
    p.stroke(INK, [(3.5, 7.5), (15.5, 7.5), (13.5, 13.5), (1.5, 13.5)], 1.0, closed=True)


def hotkey_setup(p):
    keycap(p, 0.5, 2.5, 12.5, 13.5)
    bolt(p, ORANGE, dx=4.0)


def bug(p):
    for y in (6.5, 9, 11.5):
        p.stroke(INK, [(2.5, y), (13.5, y)], 1.0)
    p.stroke(INK, [(5.5, 1.5), (7, 3.5)], 1.0)
    p.stroke(INK, [(10.5, 1.5), (9, 3.5)], 1.0)
    p.fill(INK, ellipse(8, 4.5, 2.4, 2))
    p.fill(RED, ellipse(8, 9.5, 4, 5))
    p.stroke(INK, ellipse(8, 9.5, 4, 5), 1.0, closed=True)
    p.stroke(INK, [(8, 5), (8, 14.5)], 1.0)
    disc(p, INK, 6, 8.5, 0.8)
    disc(p, INK, 10, 11.5, 0.8)


def about(p):
    disc(p, BLUE, 8, 8, 7)
    disc(p, WHITE, 8, 4.6, 1.2)
    p.fill(WHITE, rect(7, 6.8, 9, 12.5))
    p.fill(WHITE, rect(6, 11.5, 10, 12.5))
    p.fill(WHITE, rect(6, 6.8, 7, 7.8))


def sound(p):
    speaker(p, 1)
    waves(p, BLUE, 2, x=9.5)


def record(p):
    disc(p, RED, 8, 8, 6, outline=INK)
    disc(p, (255, 140, 140), 6.5, 6.5, 1.5)


def bubbles(p):
    p.fill(LIGHT, rrect(5.5, 5.5, 15, 13, 2))
    p.fill(LIGHT, [(11, 12.5), (13.5, 12.5), (14, 15.5)])
    p.stroke(INK, rrect(5.5, 5.5, 15, 13, 2), 1.0, closed=True)
    p.fill(SKY, rrect(1, 1.5, 11, 9.5, 2))
    p.fill(SKY, [(2.5, 9), (5.5, 9), (2, 12.5)])
    p.stroke(INK, rrect(1, 1.5, 11, 9.5, 2), 1.0, closed=True)
    for x in (3.8, 6, 8.2):
        disc(p, INK, x, 5.5, 0.8)


# Image number -> drawing. Numbers the menus never use stay empty (mask colour).
MAIN = {
    1: ("check for a new version", update),
    2: ("help", help_mark),
    3: ("web page", globe),
    4: ("e-mail", mail),
    5: ("settings", settings),
    7: ("system off", power_off),
    8: ("system on", power_on),
    16: ("exit", exit_door),
    21: ("open action file", open_folder),
    37: ("hotkey setup", hotkey_setup),
    41: ("report a bug", bug),
    45: ("about", about),
    50: ("sound set", sound),
    51: ("record macro", record),
    52: ("forum / feature request", bubbles),
}
MAIN_COUNT = 53

# Shared with the action lists.
GLYPHS = {"update": update, "help": help_mark, "globe": globe, "settings": settings, "power_on": power_on,
          "power_off": power_off, "exit": exit_door, "hotkey": hotkey_setup, "sound": sound}
