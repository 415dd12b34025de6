"""The program icon and the two tray icons: a key with two arrows, for switching layouts."""

from parts import INK, WHITE, arrow
from pen import Pen, rrect

ON = {"face": (36, 112, 204), "edge": (20, 62, 128), "top": (92, 160, 236)}
OFF = {"face": (142, 148, 156), "edge": (88, 92, 100), "top": (186, 190, 196)}


def key_icon(size, colours):
    """Drawn in 16 units whatever the size, so every size has the same proportions."""
    p = Pen(16, size / 16)
    p.fill(colours["edge"], rrect(0.5, 0.5, 15.5, 15.5, 3))
    p.fill(colours["face"], rrect(1.5, 1.2, 14.5, 13.4, 2.4))
    p.fill(colours["top"], rrect(2.2, 1.8, 13.8, 6.5, 2), opacity=0.55)
    if size >= 32:  # at 16 px the edge colour alone separates the key from any background
        p.stroke(INK, rrect(0.5, 0.5, 15.5, 15.5, 3), 0.45, closed=True)
    arrow(p, WHITE, 3.4, 5.0, 12.9, 5.0, width=1.8, head=2.7)
    arrow(p, WHITE, 12.6, 9.6, 3.1, 9.6, width=1.8, head=2.7)
    return p.canvas
