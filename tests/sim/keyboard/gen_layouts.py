#!/usr/bin/python3
"""Builds layouts_data.inc, the key tables of the simulated Windows layouts.

Where the data comes from:

* Characters: the xkb symbols files of Debian's xkb-data package
  (/usr/share/X11/xkb/symbols/{pc,us,ru,de,fr} and the files they include),
  with keysym names turned into Unicode through X11's keysymdef.h
  (/usr/include/X11/keysymdef.h, package x11proto-dev).
  Sections used, laid over "pc(pc105)" the way the xkb rules build a pc105
  keymap:
    US  us(basic)
    RU  ru(winkeys)  -- xkb's own "Windows layout" variant: 3 gives No, 4 ;,
                        6 :, 7 ?, the key left of right Shift . , and the
                        backslash key \\ /, all as on Windows.  ru(common) /
                        ru(legacy) is the old Unix arrangement and is not used.
    DE  de(basic)
    FR  fr(basic)    -- fr(oss) adds many AltGr letters and puts superscript 3
                        on Shift+2-superscript; Windows has neither, and every
                        AltGr character Windows has sits at the same place in
                        fr(basic).
* Which scan code carries which virtual key, which modifier columns a key has,
  which keys are dead, the Ctrl columns and the dead-key combination lists are
  facts about Windows' own layouts (KBDUS, KBDRU, KBDGR, KBDFR) as documented
  by ReactOS' dll/keyboard/kbd{us,ru,gr,fr}/*.c, cross-checked against
  Microsoft's layout charts (goglobal kbdus/kbdru/kbdgr/kbdfr pages, as
  transcribed in Mottie/Keyboard's layouts/ms-*.js) and, for French CapsLock
  and Ctrl codes, lelegard/winkbdlayouts' kbdfrnodead.c (generated from
  kbdfr.dll; its author changed only dead keys and AltGr letters).  Only facts
  are taken; the tables below are written for this project.
* Dead-key results are composed with Python's unicodedata (NFC), so only the
  list of letters each dead key accepts is a Windows fact here.

Usage:  gen_layouts.py            rewrite layouts_data.inc next to this script
        gen_layouts.py --check    exit 1 when layouts_data.inc is out of date,
                                  77 (skip) when this machine's xkb-data or
                                  keysymdef.h differ from the ones it was made from
"""

import hashlib
import os
import re
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
OUTPUT = os.path.join(HERE, "layouts_data.inc")
XKB_DIR = "/usr/share/X11/xkb/symbols"
KEYSYMDEF = "/usr/include/X11/keysymdef.h"

NONE = 0xFFFF  # no character in this column (Windows' WCH_NONE)

# Column order shared with the C++ side (sim_keyboard_layout_tables.h).
BASE, SHIFT, CTRL, SHIFT_CTRL, ALTGR, SHIFT_ALTGR = range(6)
COLUMNS = 6
# xkb level (1-based) that feeds each printable column.
XKB_LEVEL = {BASE: 1, SHIFT: 2, ALTGR: 3, SHIFT_ALTGR: 4}

VK = {
    "BACK": 0x08, "TAB": 0x09, "RETURN": 0x0D, "CAPITAL": 0x14,
    "ESCAPE": 0x1B, "SPACE": 0x20,
    "LSHIFT": 0xA0, "RSHIFT": 0xA1, "LCONTROL": 0xA2, "RCONTROL": 0xA3,
    "LMENU": 0xA4, "RMENU": 0xA5,
    "OEM_1": 0xBA, "OEM_PLUS": 0xBB, "OEM_COMMA": 0xBC, "OEM_MINUS": 0xBD,
    "OEM_PERIOD": 0xBE, "OEM_2": 0xBF, "OEM_3": 0xC0, "OEM_4": 0xDB,
    "OEM_5": 0xDC, "OEM_6": 0xDD, "OEM_7": 0xDE, "OEM_8": 0xDF,
    "OEM_102": 0xE2,
}
for _c in "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ":
    VK[_c] = ord(_c)

# The typing block, by xkb key name, with its set-1 scan code.
def _block():
    keys = [("TLDE", 0x29)]
    keys += [("AE%02d" % i, 0x01 + i) for i in range(1, 13)]
    keys += [("AD%02d" % i, 0x0F + i) for i in range(1, 13)]
    keys += [("AC%02d" % i, 0x1D + i) for i in range(1, 12)]
    keys += [("BKSL", 0x2B)]
    keys += [("AB%02d" % i, 0x2B + i) for i in range(1, 11)]
    keys += [("LSGT", 0x56)]
    return keys

BLOCK = _block()

# Scan code -> VK of the typing block, from ReactOS' scancode_to_vk tables.
_US_ROWS = {
    "TLDE": "OEM_3",
    "AE01": "1", "AE02": "2", "AE03": "3", "AE04": "4", "AE05": "5",
    "AE06": "6", "AE07": "7", "AE08": "8", "AE09": "9", "AE10": "0",
    "AE11": "OEM_MINUS", "AE12": "OEM_PLUS",
    "AD01": "Q", "AD02": "W", "AD03": "E", "AD04": "R", "AD05": "T",
    "AD06": "Y", "AD07": "U", "AD08": "I", "AD09": "O", "AD10": "P",
    "AD11": "OEM_4", "AD12": "OEM_6",
    "AC01": "A", "AC02": "S", "AC03": "D", "AC04": "F", "AC05": "G",
    "AC06": "H", "AC07": "J", "AC08": "K", "AC09": "L",
    "AC10": "OEM_1", "AC11": "OEM_7", "BKSL": "OEM_5",
    "AB01": "Z", "AB02": "X", "AB03": "C", "AB04": "V", "AB05": "B",
    "AB06": "N", "AB07": "M", "AB08": "OEM_COMMA", "AB09": "OEM_PERIOD",
    "AB10": "OEM_2", "LSGT": "OEM_102",
}
VK_TABLES = {
    # kbdus.c and kbdru.c use the same table.
    "us": dict(_US_ROWS),
    "ru": dict(_US_ROWS),
    # kbdgr.c: QWERTZ letters, and OEM codes follow the German key caps.
    "de": dict(_US_ROWS, TLDE="OEM_5", AE11="OEM_4", AE12="OEM_6",
               AD06="Z", AD11="OEM_1", AD12="OEM_PLUS",
               AC10="OEM_3", AC11="OEM_7", BKSL="OEM_2",
               AB01="Y", AB10="OEM_MINUS"),
    # kbdfr.c: AZERTY letters (M moves to the home row), digits keep '0'-'9'.
    "fr": dict(_US_ROWS, TLDE="OEM_7", AE11="OEM_4", AE12="OEM_PLUS",
               AD01="A", AD02="Z", AD11="OEM_6", AD12="OEM_1",
               AC01="Q", AC10="M", AC11="OEM_3", BKSL="OEM_5",
               AB01="W", AB07="OEM_COMMA", AB08="OEM_PERIOD",
               AB09="OEM_2", AB10="OEM_8"),
}

XKB_SECTIONS = {"us": "us(basic)", "ru": "ru(winkeys)",
                "de": "de(basic)", "fr": "fr(basic)"}

HKL = {"us": 0x04090409, "ru": 0x04190419, "de": 0x04070407, "fr": 0x040C040C}
ORDER = ["us", "ru", "de", "fr"]

# Keys that have an AltGr character on Windows.  xkb gives most keys of these
# layouts a third and fourth level; Windows keeps only these, and never a
# Shift+AltGr one, so xkb's levels 3/4 elsewhere are dropped.
#   US: no AltGr at all (KBDUS has no Ctrl+Alt column).
#   RU: only AltGr+8 = ruble sign, added to KBDRU by Microsoft's 2014 update;
#       ru(winkeys) carries the same U+20BD on AE08 level 3.
#   DE: 2 3 7 8 9 0 sz-key, Q (@), E (euro), + (~), < (|), M (micro).
#   FR: the whole digit row except 1, ) and =, E (euro), $ (currency sign).
ALTGR_KEYS = {
    "us": set(),
    "ru": {"AE08"},
    "de": {"AE02", "AE03", "AE07", "AE08", "AE09", "AE10", "AE11",
           "AD01", "AD03", "AD12", "LSGT", "AB07"},
    "fr": {"AE02", "AE03", "AE04", "AE05", "AE06", "AE07", "AE08", "AE09",
           "AE10", "AE11", "AE12", "AD03", "AD12"},
}

# Levels xkb has but the Windows layout leaves empty.
#   FR: the superscript-2 key gives nothing with Shift on Windows
#       (xkb puts ~ there).
DROPPED = {("fr", "TLDE", SHIFT)}

# Windows makes these dead where xkb has the spacing character:
#   FR AltGr+2 is a dead tilde and AltGr+7 a dead grave on Windows.
DEAD_OVERRIDES = {("fr", "AE02", ALTGR): "dead_tilde",
                  ("fr", "AE07", ALTGR): "dead_grave"}

# The complete set of dead keys of each Windows layout; the generator fails if
# xkb's data leads anywhere else.
WINDOWS_DEAD = {
    "us": set(),
    "ru": set(),
    "de": {("TLDE", BASE), ("AE12", BASE), ("AE12", SHIFT)},
    "fr": {("AD11", BASE), ("AD11", SHIFT), ("AE02", ALTGR), ("AE07", ALTGR)},
}

# Windows' US and Russian layouts give the 102nd key the characters of the
# backslash key; xkb's us(basic) and ru(winkeys) leave it to pc(pc105)
# (< >) and ru(common) (/ |).  Take them from xkb's <BKSL> of the same layout.
LSGT_FROM_BKSL = {"us", "ru"}

# Dead key -> (spacing character Windows reports, combining mark).
DEAD_KEYSYMS = {
    "dead_circumflex": (0x5E, "\u0302"),
    "dead_diaeresis": (0xA8, "\u0308"),
    "dead_acute": (0xB4, "\u0301"),
    "dead_grave": (0x60, "\u0300"),
    "dead_tilde": (0x7E, "\u0303"),
}

# Letters each Windows dead key combines with (KBDGR/KBDFR DEADTRANS lists);
# every dead key also turns a following space into its spacing form.
DEAD_BASES = {
    "de": {"dead_circumflex": "aeiouAEIOU",
           "dead_acute": "aeiouyAEIOUY",
           "dead_grave": "aeiouAEIOU"},
    "fr": {"dead_circumflex": "aeiouAEIOU",
           "dead_diaeresis": "aeiouyAEIOU",
           "dead_tilde": "anoANO",
           "dead_grave": "aeiouAEIOU"},
}

# Ctrl columns of the typing block (legacy ASCII control codes), per layout,
# as (VK name, column) -> code.  Ctrl+letter is not listed: Windows derives it
# from the VK of any A-Z key, and so does the simulation.
CTRL_CODES = {
    "us": {("OEM_4", CTRL): 0x1B, ("OEM_6", CTRL): 0x1D,
           ("OEM_5", CTRL): 0x1C, ("OEM_102", CTRL): 0x1C,
           ("2", SHIFT_CTRL): 0x00, ("6", SHIFT_CTRL): 0x1E,
           ("OEM_MINUS", SHIFT_CTRL): 0x1F},
    "ru": {("OEM_5", CTRL): 0x1C, ("OEM_102", CTRL): 0x1C,
           ("2", SHIFT_CTRL): 0x00, ("6", SHIFT_CTRL): 0x1E,
           ("OEM_MINUS", SHIFT_CTRL): 0x1F},
    "de": {("OEM_1", CTRL): 0x1B, ("OEM_PLUS", CTRL): 0x1D,
           ("OEM_2", CTRL): 0x1C,
           ("2", SHIFT_CTRL): 0x00, ("6", SHIFT_CTRL): 0x1E,
           ("OEM_MINUS", SHIFT_CTRL): 0x1F},
    # ReactOS' kbdfr.c lacks the dead key's Ctrl code; the kbdfr.dll dump has
    # it, as well as Ctrl+0 = NUL and Ctrl+Shift+9 = RS.
    "fr": {("OEM_6", CTRL): 0x1B, ("OEM_1", CTRL): 0x1D,
           ("OEM_5", CTRL): 0x1C, ("OEM_102", CTRL): 0x1C,
           ("0", CTRL): 0x00,
           ("5", SHIFT_CTRL): 0x1B, ("6", SHIFT_CTRL): 0x1F,
           ("8", SHIFT_CTRL): 0x1C, ("9", SHIFT_CTRL): 0x1E},
}

# Keys outside xkb's part, identical in the four layouts:
# (scan, VK name, base, shift, ctrl); None = no character.
CONTROL_KEYS = [
    (0x01, "ESCAPE", 0x1B, 0x1B, 0x1B),
    (0x0E, "BACK", 0x08, 0x08, 0x7F),
    (0x0F, "TAB", 0x09, 0x09, None),     # Ctrl+Tab gives nothing
    (0x1C, "RETURN", 0x0D, 0x0D, 0x0A),  # Ctrl+Enter is a line feed
    (0x39, "SPACE", 0x20, 0x20, 0x20),
]
MODIFIER_KEYS = [
    (0x1D, "LCONTROL"), (0x2A, "LSHIFT"), (0x36, "RSHIFT"), (0x38, "LMENU"),
    (0x3A, "CAPITAL"), (0xE01D, "RCONTROL"), (0xE038, "RMENU"),
]

# CapsLock: Windows' tables mark the letter keys (those whose Shift level is
# the upper case of the base level).  KBDFR instead marks every key of the
# typing block except the superscript-2 key and the 102nd key, so CapsLock
# there also turns the digit row into digits and e.g. u-grave into %.
CAPS_ALL_BUT = {"fr": {"TLDE", "LSGT"}}


def fail(msg):
    sys.exit("gen_layouts.py: " + msg)


# ---------------------------------------------------------------- keysyms

_inputs = {}


def read_input(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    _inputs[path] = text
    return text


def inputs_fingerprint():
    h = hashlib.sha256()
    for path in sorted(_inputs):
        h.update(path.encode() + b"\0" + _inputs[path].encode() + b"\0")
    return h.hexdigest()[:16]


def load_keysyms():
    table = {}
    pat = re.compile(r"^#define XK_(\w+)\s+0x([0-9a-fA-F]+)(.*)$")
    for line in read_input(KEYSYMDEF).splitlines():
        m = pat.match(line)
        if not m:
            continue
        u = re.search(r"U\+([0-9A-Fa-f]{4,6})", m.group(3))
        table.setdefault(m.group(1), int(u.group(1), 16) if u else None)
    return table


def keysym_to_cp(name, keysyms):
    if re.fullmatch(r"U[0-9A-Fa-f]{4,6}", name):
        return int(name[1:], 16)
    if re.fullmatch(r"0x0?1[0-9A-Fa-f]{6}", name):
        return int(name, 16) - 0x1000000
    cp = keysyms.get(name)
    if cp is None:
        fail("keysym %r has no Unicode value" % name)
    return cp


# ---------------------------------------------------------------- xkb files

_sections_cache = {}


def strip_comments(text):
    return re.sub(r"//[^\n]*", "", text)


def sections_of(filename):
    if filename in _sections_cache:
        return _sections_cache[filename]
    text = strip_comments(read_input(os.path.join(XKB_DIR, filename)))
    result, first, default = {}, None, None
    for m in re.finditer(r'((?:\w+\s+)*)xkb_symbols\s+"([^"]+)"\s*\{', text):
        start = m.end()
        depth, i = 1, start
        while depth:
            depth += {"{": 1, "}": -1}.get(text[i], 0)
            i += 1
        result[m.group(2)] = text[start:i - 1]
        first = first or m.group(2)
        if default is None and "default" in m.group(1).split():
            default = m.group(2)
    _sections_cache[filename] = (result, default or first)
    return result, default


def parse_key_symbols(body):
    body = re.sub(r'type\s*(\[\w+\])?\s*=\s*"[^"]*"\s*,?', "", body)
    body = re.sub(r"actions\s*\[\w+\]\s*=\s*\[[^\]]*\]\s*,?", "", body)
    m = re.search(r"symbols\s*\[\s*Group1\s*\]\s*=\s*\[([^\]]*)\]", body)
    if not m:
        m = re.search(r"\[([^\]]*)\]", body)
    if not m:
        return []
    syms = [s.strip() for s in m.group(1).split(",")]
    return [None if s in ("NoSymbol", "VoidSymbol", "") else s for s in syms]


def merge(into, key, syms, clobber=True):
    old = into.get(key, [])
    out = list(old) + [None] * max(0, len(syms) - len(old))
    for i, s in enumerate(syms):
        if s is not None and (clobber or out[i] is None):
            out[i] = s
    into[key] = out


def resolve(include_name):
    """Key name -> list of keysyms per level for "file" or "file(section)"."""
    m = re.fullmatch(r"([\w-]+)(?:\(([\w-]+)\))?", include_name)
    if not m:
        fail("cannot read include %r" % include_name)
    sections, default = sections_of(m.group(1))
    body = sections[m.group(2) or default]
    keys = {}
    stmt = re.compile(r'\b(include|augment|override|replace)\s+"([^"]+)"'
                      r'|\bkey\s+<(\w+)>\s*\{')
    pos = 0
    while True:
        s = stmt.search(body, pos)
        if not s:
            break
        if s.group(1):
            for part in re.split(r"[+|]", s.group(2)):
                for k, syms in resolve(part).items():
                    merge(keys, k, syms, clobber=s.group(1) != "augment")
            pos = s.end()
        else:
            end = body.index("}", s.end())
            merge(keys, s.group(3), parse_key_symbols(body[s.end():end]))
            pos = end + 1
    return keys


def layout_symbols(name):
    keys = {}
    for part in ("pc(pc105)", XKB_SECTIONS[name]):
        for k, syms in resolve(part).items():
            merge(keys, k, syms)
    return keys


# ---------------------------------------------------------------- building

def build_layout(name, keysyms):
    xkb = layout_symbols(name)
    vks = VK_TABLES[name]
    rows = []
    dead_seen = set()
    for key, scan in BLOCK:
        src = "BKSL" if key == "LSGT" and name in LSGT_FROM_BKSL else key
        syms = xkb.get(src)
        if not syms:
            fail("%s: xkb has no <%s>" % (name, src))
        chars, dead = [NONE] * COLUMNS, 0
        cols = [BASE, SHIFT] + ([ALTGR] if key in ALTGR_KEYS[name] else [])
        for col in cols:
            if (name, key, col) in DROPPED:
                continue
            lvl = XKB_LEVEL[col]
            sym = DEAD_OVERRIDES.get((name, key, col))
            if sym is None:
                sym = syms[lvl - 1] if len(syms) >= lvl else None
            if sym is None:
                fail("%s <%s> has no level %d" % (name, key, lvl))
            if sym.startswith("dead_"):
                if sym not in DEAD_KEYSYMS:
                    fail("%s <%s>: unexpected %s" % (name, key, sym))
                chars[col] = DEAD_KEYSYMS[sym][0]
                dead |= 1 << col
                dead_seen.add((key, col))
            else:
                chars[col] = keysym_to_cp(sym, keysyms)
        vk_name = vks[key]
        for (cvk, col), code in CTRL_CODES[name].items():
            if cvk == vk_name:
                chars[col] = code
        base, shift = chars[BASE], chars[SHIFT]
        if name in CAPS_ALL_BUT:
            caps = key not in CAPS_ALL_BUT[name]
        else:
            caps = (base != NONE and shift != NONE and chr(base).isalpha()
                    and chr(base).upper() == chr(shift) and base != shift)
        check_vk(name, key, vk_name, chars)
        rows.append((scan, VK[vk_name], caps, dead, chars, key))
    if dead_seen != WINDOWS_DEAD[name]:
        fail("%s: dead keys %s, Windows has %s"
             % (name, sorted(dead_seen), sorted(WINDOWS_DEAD[name])))
    for scan, vk_name, base, shift, ctrl in CONTROL_KEYS:
        chars = [NONE] * COLUMNS
        chars[BASE], chars[SHIFT] = base, shift
        if ctrl is not None:
            chars[CTRL] = ctrl
        rows.append((scan, VK[vk_name], False, 0, chars, vk_name))
    for scan, vk_name in MODIFIER_KEYS:
        rows.append((scan, VK[vk_name], False, 0, [NONE] * COLUMNS, vk_name))
    rows.sort(key=lambda r: r[0])
    return rows


def check_vk(name, key, vk_name, chars):
    """Cross-checks the VK table against the characters xkb put on the key."""
    if len(vk_name) != 1:
        return
    if vk_name.isdigit():
        if vk_name not in (chr(chars[BASE]), chr(chars[SHIFT])):
            fail("%s <%s>: VK '%s' on a key without that digit" % (name, key, vk_name))
    elif name != "ru" and chr(chars[BASE]) != vk_name.lower():
        fail("%s <%s>: VK '%s' on key %r" % (name, key, vk_name, chr(chars[BASE])))


def build_dead_table(name, rows):
    spacing_to_sym = {v[0]: k for k, v in DEAD_KEYSYMS.items()}
    out = []
    for sym, letters in sorted(DEAD_BASES.get(name, {}).items()):
        spacing, mark = DEAD_KEYSYMS[sym]
        if not any(r[3] and spacing in [r[4][c] for c in range(COLUMNS) if r[3] >> c & 1]
                   for r in rows):
            fail("%s: combinations for %s, which no key produces" % (name, sym))
        out.append((spacing, 0x20, spacing))
        for letter in letters:
            composed = unicodedata.normalize("NFC", letter + mark)
            if len(composed) != 1:
                fail("%s: %s + %s does not compose" % (name, sym, letter))
            out.append((spacing, ord(letter), ord(composed)))
    for r in rows:
        for c in range(COLUMNS):
            if r[3] >> c & 1 and spacing_to_sym[r[4][c]] not in DEAD_BASES[name]:
                fail("%s: dead key without combinations" % name)
    return out


# ---------------------------------------------------------------- output

def show(cp):
    if cp == NONE:
        return "-"
    if cp < 0x20 or cp == 0x7F:
        return "^" + chr(cp + 0x40 if cp < 0x20 else 0x3F)
    if cp == 0x20:
        return "SP"
    return chr(cp)


def render(layouts):
    out = []
    w = out.append
    w("// Generated by gen_layouts.py from xkb-data and Windows layout facts;")
    w("// edit the script, not this file.")
    w("// Inputs fingerprint: %s" % inputs_fingerprint())
    w("// Columns: base, Shift, Ctrl, Shift+Ctrl, AltGr, Shift+AltGr.")
    w("// clang-format off")
    w("")
    for name in ORDER:
        rows, dead = layouts[name]
        ident = name.capitalize()
        w("constexpr KeyDef k%sKeys[] = {" % ident)
        for scan, vk, caps, deadmask, chars, key in rows:
            cells = ", ".join("0x%04X" % c for c in chars)
            w("    {0x%04X, 0x%02X, %s, 0x%02X, {%s}},  // %-8s %s" % (
                scan, vk, "true " if caps else "false", deadmask, cells, key,
                " ".join(show(c) for c in chars)))
        w("};")
        if dead:
            w("constexpr DeadTrans k%sDead[] = {" % ident)
            for spacing, base, composed in dead:
                w("    {0x%04X, 0x%04X, 0x%04X},  // %s %s -> %s" % (
                    spacing, base, composed, show(spacing), show(base), show(composed)))
            w("};")
        w("")
    w("constexpr LayoutDef kLayoutDefs[] = {")
    for name in ORDER:
        rows, dead = layouts[name]
        ident = name.capitalize()
        dead_ref = ("k%sDead, std::size(k%sDead)" % (ident, ident)) if dead else "nullptr, 0"
        w("    {0x%08X, %s, k%sKeys, std::size(k%sKeys), %s}," % (
            HKL[name], "true " if ALTGR_KEYS[name] else "false", ident, ident, dead_ref))
    w("};")
    w("// clang-format on")
    return "\n".join(out) + "\n"


def main():
    keysyms = load_keysyms()
    layouts = {}
    for name in ORDER:
        rows = build_layout(name, keysyms)
        layouts[name] = (rows, build_dead_table(name, rows) if DEAD_BASES.get(name) else [])
    text = render(layouts)
    if "--check" in sys.argv[1:]:
        with open(OUTPUT, encoding="utf-8") as f:
            current = f.read()
        stamp = re.search(r"Inputs fingerprint: (\w+)", current)
        if not stamp or stamp.group(1) != inputs_fingerprint():
            print("xkb-data or keysymdef.h differ from the ones layouts_data.inc was made from")
            sys.exit(77)
        if current != text:
            sys.exit("layouts_data.inc is out of date; run gen_layouts.py")
        return
    with open(OUTPUT, "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
