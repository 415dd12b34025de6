#!/usr/bin/env python3
"""Generates the icon packs in this folder, drawn for this project (licence: the project's).

    python3 make_packs.py      # writes Notepad.pni and WinVista.pni here

A pack ("PNI1") names the application it serves, lists (modifier code, key code, hint) entries
grouped by key, and ends with a 24-bit bitmap file holding one 16 x 16 picture per entry, side by
side, pure green transparent. Modifier codes: Shift 0x10, Ctrl 0x20, Alt 0x40, Win 0x80. The
pictures are simple shapes drawn below from rectangles, lines and dots, so the output is the same
on every run.
"""
import struct
from pathlib import Path

GREEN = (0, 255, 0)
INK = (40, 40, 48)
PAPER = (250, 250, 250)
BLUE = (40, 100, 200)
YELLOW = (240, 200, 60)
RED = (200, 50, 40)
GREY = (150, 150, 160)


class Picture:
    def __init__(self):
        self.px = [[GREEN] * 16 for _ in range(16)]

    def dot(self, x, y, c):
        if 0 <= x < 16 and 0 <= y < 16:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, fill, border=INK):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                self.dot(x, y, border if edge and border else fill)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.dot(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)


def page(p, x=3, y=1):
    p.rect(x, y, x + 9, y + 13, PAPER)
    for row in range(y + 3, y + 12, 2):
        p.line(x + 2, row, x + 7, row, GREY)


def new_page():
    p = Picture(); page(p); p.line(11, 1, 15, 5, YELLOW); p.line(15, 1, 11, 5, YELLOW); return p


def folder():
    p = Picture(); p.rect(1, 4, 14, 13, YELLOW); p.rect(1, 2, 6, 4, YELLOW); return p


def disk():
    p = Picture(); p.rect(1, 1, 14, 14, BLUE); p.rect(4, 2, 11, 6, PAPER); p.rect(4, 9, 11, 14, GREY); return p


def printer():
    p = Picture(); p.rect(4, 1, 11, 6, PAPER); p.rect(1, 6, 14, 11, GREY); p.rect(4, 10, 11, 14, PAPER); p.dot(12, 8, RED); return p


def magnifier():
    p = Picture()
    for x in range(1, 10):
        for y in range(1, 10):
            d = (x - 5) ** 2 + (y - 5) ** 2
            if 9 <= d <= 16:
                p.dot(x, y, INK)
            elif d < 9:
                p.dot(x, y, PAPER)
    p.line(8, 8, 14, 14, INK); p.line(9, 8, 14, 13, INK); return p


def select_all():
    p = Picture(); page(p)
    for x in range(2, 14, 2):
        p.dot(x, 0, BLUE); p.dot(x, 15, BLUE)
    for y in range(0, 16, 2):
        p.dot(1, y, BLUE); p.dot(14, y, BLUE)
    return p


def undo():
    p = Picture()
    p.line(3, 6, 11, 6, BLUE); p.line(11, 6, 13, 8, BLUE); p.line(13, 8, 13, 11, BLUE); p.line(13, 11, 10, 13, BLUE)
    p.line(3, 6, 6, 3, BLUE); p.line(3, 6, 6, 9, BLUE); return p


def scissors():
    p = Picture(); p.line(3, 1, 10, 10, INK); p.line(12, 1, 5, 10, INK)
    p.rect(2, 10, 5, 13, PAPER, RED); p.rect(10, 10, 13, 13, PAPER, RED); return p


def copy_pages():
    p = Picture(); page(p, 1, 1); page(p, 5, 2); return p


def clipboard():
    p = Picture(); p.rect(2, 2, 13, 15, YELLOW); p.rect(5, 1, 10, 3, GREY); page(p, 5, 5); return p


def explorer():
    p = folder(); p.rect(6, 7, 12, 11, BLUE); return p


def run_box():
    p = Picture(); p.rect(1, 3, 14, 12, PAPER); p.rect(1, 3, 14, 5, BLUE); p.line(3, 9, 9, 9, INK); return p


def desktop():
    p = Picture(); p.rect(1, 2, 14, 11, BLUE); p.rect(6, 12, 9, 13, GREY, None); p.line(4, 14, 11, 14, INK); return p


def bitmap_file(pictures):
    width = 16 * len(pictures)
    row_bytes = (width * 3 + 3) // 4 * 4
    pixels = b""
    for y in reversed(range(16)):  # bottom-up rows
        row = b"".join(bytes((b, g, r)) for pic in pictures for (r, g, b) in pic.px[y])
        pixels += row + b"\0" * (row_bytes - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, 16, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def short_string(text):
    data = text.encode("cp1252")
    assert len(data) < 256
    return bytes((len(data),)) + data


def pack(exe, window_class, comment, entries):
    # Entries of one key stand together, as the format asks.
    entries = sorted(entries, key=lambda e: e[1])
    data = b"PNI1" + short_string(exe) + short_string(window_class) + short_string(comment)
    data += struct.pack("<H", 0)  # no pack icon
    data += struct.pack("<H", len(entries))
    for modifiers, key, hint, _ in entries:
        data += struct.pack("<HB", modifiers, key) + short_string(hint)
    return data + bitmap_file([draw() for _, _, _, draw in entries])


CTRL, WIN = 0x20, 0x80
NOTEPAD = [
    (CTRL, ord("N"), "New document", new_page),
    (CTRL, ord("O"), "Open a file", folder),
    (CTRL, ord("S"), "Save", disk),
    (CTRL, ord("P"), "Print", printer),
    (CTRL, ord("F"), "Find", magnifier),
    (CTRL, ord("A"), "Select all", select_all),
    (CTRL, ord("Z"), "Undo", undo),
    (CTRL, ord("X"), "Cut", scissors),
    (CTRL, ord("C"), "Copy", copy_pages),
    (CTRL, ord("V"), "Paste", clipboard),
]
WINDOWS = [
    (WIN, ord("E"), "Open Explorer", explorer),
    (WIN, ord("R"), "Run a program", run_box),
    (WIN, ord("D"), "Show the desktop", desktop),
]

if __name__ == "__main__":
    here = Path(__file__).resolve().parent
    (here / "Notepad.pni").write_bytes(pack("NOTEPAD.EXE", "", "Notepad, drawn for Tolvex", NOTEPAD))
    (here / "WinVista.pni").write_bytes(pack("", "", "Windows shortcuts, drawn for Tolvex", WINDOWS))
