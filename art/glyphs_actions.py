"""The ilAct* lists: one image per sub-item of an action kind, in sub-item order."""

import math

from glyphs_main import GLYPHS, exit_door
from parts import (BLUE, GREEN, GREY, INK, LIGHT, ORANGE, PAPER, PURPLE, RED, SKY, WHITE, YELLOW, arrow,
                   curved_arrow, disc, document, flag_panel, keycap, letter_lower_a, letter_upper_a,
                   magnifier, monitor, person, power, speaker, star_shape, waves, window)
from pen import arc, ellipse, rect, rrect


def clipboard(p):
    p.fill(ORANGE, rrect(2, 2.5, 14, 15, 1.5))
    p.stroke(INK, rrect(2, 2.5, 14, 15, 1.5), 1.0, closed=True)
    p.fill(PAPER, rect(4, 5, 12, 13.5))
    p.fill(GREY, rrect(5, 1, 11, 4.5, 1))
    for y in (7.5, 9.5, 11.5):
        p.stroke(GREY, [(5.5, y), (10.5, y)], 1.0, cap="butt")


def template(p):
    document(p, 2.5, 1.5, 11.5, 14.5, lines=0)
    p.fill(SKY, rect(4.5, 4, 9.5, 7))
    for y in (9, 11):
        p.stroke(GREY, [(4.5, y), (9.5, y)], 1.0, cap="butt")
    p.fill(YELLOW, star_shape(12, 11.5, 3.6))
    p.stroke(INK, star_shape(12, 11.5, 3.6), 0.7, closed=True)


def on_screen_keyboard(p):
    p.fill(LIGHT, rrect(0.5, 3.5, 15.5, 12.5, 1.5))
    p.stroke(INK, rrect(0.5, 3.5, 15.5, 12.5, 1.5), 1.0, closed=True)
    for row, y in enumerate((5.5, 7.8)):
        for k in range(6):
            x = 2.3 + k * 2 + row * 0.6
            p.fill(INK, rect(x, y, x + 1.3, y + 1.3))
    p.fill(INK, rect(4.5, 10.1, 11.5, 11.2))


def language_panel(p):
    p.fill(LIGHT, rrect(0.5, 2.5, 15.5, 13.5, 1.5))
    p.stroke(INK, rrect(0.5, 2.5, 15.5, 13.5, 1.5), 1.0, closed=True)
    flag_panel(p, 3, 5, 13, 11)


def turn_on_off(p):
    power(p, GREEN)


PONDREL = [("clipboard manager", clipboard), ("template manager", template), ("settings", GLYPHS["settings"]),
           ("hotkey setup", GLYPHS["hotkey"]), ("on-screen keyboard", on_screen_keyboard),
           ("turn on/off", turn_on_off), ("exit", exit_door), ("language panel", language_panel)]


def vol_up(p):
    speaker(p, 1)
    waves(p, BLUE, 2)


def vol_down(p):
    speaker(p, 1)
    waves(p, BLUE, 1)


def mute(p):
    speaker(p, 1)
    p.stroke(RED, [(10, 5.5), (14.5, 10.5)], 1.8)
    p.stroke(RED, [(14.5, 5.5), (10, 10.5)], 1.8)


def volume_control(p):
    for x, knob in ((3.5, 10), (8, 5), (12.5, 8)):
        p.stroke(GREY, [(x, 2), (x, 14)], 1.2, cap="butt")
        p.fill(BLUE, rect(x - 2, knob - 1.2, x + 2, knob + 1.2))
        p.stroke(INK, rect(x - 2, knob - 1.2, x + 2, knob + 1.2), 0.8, closed=True)


AUDIO = [("volume up", vol_up), ("volume down", vol_down), ("mute", mute), ("volume control", volume_control)]


def monitor_off(p):
    monitor(p, (60, 66, 80))
    p.stroke(RED, arc(8, 7.2, 2.3, -55, 235, 16), 1.2)
    p.stroke(RED, [(8, 4.2), (8, 7)], 1.2)


def screen_saver(p):
    monitor(p, (40, 60, 120))
    p.fill(YELLOW, star_shape(6, 6, 2.2))
    p.fill(WHITE, star_shape(10.5, 8.5, 1.4))


def sun(p, rays_colour, core):
    for k in range(8):
        a = math.pi * k / 4
        p.stroke(rays_colour, [(8 + 4.8 * math.cos(a), 8 + 4.8 * math.sin(a)),
                               (8 + 7 * math.cos(a), 8 + 7 * math.sin(a))], 1.4)
    disc(p, core, 8, 8, 3.6, outline=INK)


def brighter(p):
    sun(p, ORANGE, YELLOW)


def darker(p):
    sun(p, GREY, (120, 110, 80))


MONITOR = [("monitor off", monitor_off), ("screen saver", screen_saver), ("brighter", brighter),
           ("darker", darker)]


def minimize(p):
    window(p)
    p.fill(INK, rect(4, 10, 9, 12))


def maximize(p):
    window(p)
    p.stroke(INK, rect(4.5, 7.5, 11.5, 11.5), 1.0, closed=True, cap="square")


def restore(p):
    window(p, 5.5, 1.5, 14.5, 9.5)
    window(p, 1.5, 6.5, 10.5, 14.5)


def close_window(p):
    window(p)
    p.stroke(RED, [(5.5, 7.5), (10.5, 12)], 1.8)
    p.stroke(RED, [(10.5, 7.5), (5.5, 12)], 1.8)


def on_top(p):
    window(p, 1.5, 5.5, 12.5, 14.5)
    p.fill(RED, ellipse(12, 4, 3))
    p.stroke(INK, ellipse(12, 4, 3), 0.8, closed=True)
    p.stroke(INK, [(10, 6.5), (7.5, 9.5)], 1.2)


WINDOW = [("minimize", minimize), ("maximize", maximize), ("restore", restore), ("close", close_window),
          ("always on top", on_top)]


def show_desktop(p):
    monitor(p, SKY)
    p.fill(GREEN, [(2.5, 10.5), (6, 7), (9, 9), (11, 7.5), (13.5, 10.5)])
    disc(p, YELLOW, 11, 5.5, 1.2)


def computer(p):
    p.fill(LIGHT, rect(1, 1.5, 6, 14.5))
    p.stroke(INK, rect(1, 1.5, 6, 14.5), 1.0, closed=True, cap="square")
    p.stroke(INK, [(2.5, 4), (4.5, 4)], 0.9)
    p.fill(INK, rrect(6.5, 3, 15.5, 11, 0.8))
    p.fill(SKY, rect(7.7, 4.2, 14.3, 9.8))
    p.fill(INK, rect(9, 11.5, 13, 13))


def control_panel(p):
    p.fill(PAPER, rrect(1.5, 1.5, 14.5, 14.5, 1.5))
    p.stroke(INK, rrect(1.5, 1.5, 14.5, 14.5, 1.5), 1.0, closed=True)
    for y, knob, colour in ((5, 10, BLUE), (8, 6, GREEN), (11, 9, ORANGE)):
        p.stroke(GREY, [(3.5, y), (12.5, y)], 1.0, cap="butt")
        disc(p, colour, knob, y, 1.5, outline=INK)


def task_manager(p):
    window(p)
    p.stroke(GREEN, [(3, 11.5), (5.5, 9), (7.5, 10.5), (10, 7), (13, 8.5)], 1.3)


def run_dialog(p):
    window(p)
    arrow(p, GREEN, 4, 9.5, 12, 9.5, width=2.0, head=3.0)


def search_files(p):
    document(p, 1.5, 1.5, 10.5, 13.5, lines=3)
    magnifier(p, 10, 10, 3.3)


def recycle_bin(p):
    p.fill(LIGHT, [(3, 4.5), (13, 4.5), (12, 15), (4, 15)])
    p.stroke(INK, [(3, 4.5), (13, 4.5), (12, 15), (4, 15)], 1.0, closed=True)
    p.fill(GREY, rect(2, 2.5, 14, 4.5))
    p.stroke(INK, rect(2, 2.5, 14, 4.5), 1.0, closed=True)
    p.stroke(INK, rect(6.5, 1, 9.5, 2.5), 0.9, closed=True)
    for x in (6, 8, 10):
        p.stroke(GREY, [(x, 6.5), (x, 13)], 1.0, cap="butt")


SYSTEM = [("show desktop", show_desktop), ("my computer", computer), ("control panel", control_panel),
          ("task manager", task_manager), ("run dialog", run_dialog), ("search files", search_files),
          ("empty recycle bin", recycle_bin)]


def convert_arrows(p):
    curved_arrow(p, BLUE, 8, 11, 3.4, -40, 250, width=1.6, head=2.3)


def convert_typed(p):
    p.stroke(GREY, [(1.5, 4.5), (10, 4.5)], 1.6, cap="butt")
    p.stroke(INK, [(12.5, 1), (12.5, 7.5)], 1.2, cap="butt")
    convert_arrows(p)


def convert_selected(p):
    p.fill(SKY, rect(1, 1.5, 15, 7.5))
    p.stroke(INK, [(2.5, 4.5), (13.5, 4.5)], 1.6, cap="butt")
    convert_arrows(p)


def next_layout(p):
    keycap(p, 0.5, 0.5, 10.5, 10.5)
    arrow(p, GREEN, 6, 13, 15, 13, width=2.2, head=3.2)
    letter_upper_a(p, INK, 3, 2.6, 4.5, width=1.3)


def switch_layout(p):
    flag_panel(p, 3.5, 1.5, 15, 10)
    p.stroke(INK, [(2.5, 1), (2.5, 15.5)], 1.4, cap="butt")


def upper_case(p):
    letter_upper_a(p, INK, 1, 2, 11, width=2)
    arrow(p, BLUE, 13, 14.5, 13, 2.5, width=1.8, head=2.6)


def lower_case(p):
    letter_lower_a(p, INK, 1.5, 5.5, 8.5, width=1.8)
    arrow(p, BLUE, 13, 2, 13, 14, width=1.8, head=2.6)


def invert_case(p):
    letter_upper_a(p, INK, 0.5, 2, 8, width=1.6)
    letter_lower_a(p, RED, 9, 8.5, 6.5, width=1.5)
    curved_arrow(p, BLUE, 11, 5, 3, 180, 330, width=1.3, head=1.8)


def sentence_case(p):
    letter_upper_a(p, INK, 0.5, 3.5, 9, width=1.7)
    letter_lower_a(p, INK, 8.5, 7.5, 5, width=1.4)
    disc(p, INK, 14.8, 12, 0.9)


def capitalise_words(p):
    for y in (1, 8.5):
        letter_upper_a(p, RED, 1, y, 6, width=1.4)
        letter_lower_a(p, INK, 7, y + 2, 4, width=1.2)
        p.stroke(INK, [(12, y + 5.5), (15, y + 5.5)], 1.2, cap="butt")


LANG = [("convert last typed text", convert_typed), ("convert selected text", convert_selected),
        ("next layout", next_layout), ("switch to layout", switch_layout), ("upper case", upper_case),
        ("lower case", lower_case), ("invert case", invert_case), ("sentence case", sentence_case),
        ("capitalize words", capitalise_words)]


def shut_down(p):
    power(p, RED)


def restart(p):
    disc(p, GREEN, 8, 8, 7)
    curved_arrow(p, WHITE, 8, 8, 4, -80, 210, width=1.8, head=2.4)


def log_off(p):
    person(p, 5.5, BLUE, 0.9, top=2)
    arrow(p, RED, 8.5, 10, 15.3, 10, width=2.0, head=3.0)


def lock(p):
    p.stroke(GREY, arc(8, 6.5, 3.6, 180, 360, 16) + [(11.6, 8), (4.4, 8), (4.4, 6.5)], 1.6)
    p.fill(YELLOW, rrect(2.5, 7, 13.5, 15, 1.2))
    p.stroke(INK, rrect(2.5, 7, 13.5, 15, 1.2), 1.0, closed=True)
    disc(p, INK, 8, 10.3, 1.2)
    p.fill(INK, rect(7.4, 10.5, 8.6, 13))


def switch_user(p):
    person(p, 10.5, GREY, 0.8, top=1.5)
    person(p, 5.5, BLUE, 0.9, top=3)


def stand_by(p):
    crescent = ellipse(8, 8, 6.5)
    p.fill(YELLOW, crescent, ellipse(11, 6, 5.2), evenodd=True)
    p.fill(PURPLE, star_shape(12.5, 11.5, 2.3))


def hibernate(p):
    for k in range(3):
        a = math.pi * k / 3
        dx, dy = 6.5 * math.cos(a), 6.5 * math.sin(a)
        p.stroke(BLUE, [(8 - dx, 8 - dy), (8 + dx, 8 + dy)], 1.5)
    disc(p, SKY, 8, 8, 2, outline=BLUE)


SHUTDOWN = [("shut down", shut_down), ("restart", restart), ("log off", log_off), ("lock", lock),
            ("switch user", switch_user), ("stand by", stand_by), ("hibernate", hibernate)]

ACTION_LISTS = [("ilActPondrel", PONDREL), ("ilActAudio", AUDIO), ("ilActMonitor", MONITOR),
                ("ilActWindow", WINDOW), ("ilActSystem", SYSTEM), ("ilActLang", LANG),
                ("ilActShutdown", SHUTDOWN)]

