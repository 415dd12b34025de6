"""Writers for the file formats the resources need: 24-bit BMP strips, icons and PNG previews."""

import struct
import zlib

MASK = (255, 0, 255)  # transparent colour of every masked strip


def opaque_pixels(canvas, background=None):
    """Rows of (r, g, b): pixels at least half covered keep their own colour, the rest become
    `background` (the mask colour by default). Image lists with a mask colour know no partial
    transparency, and blending edges toward magenta would leave pink fringes."""
    background = MASK if background is None else background
    rows = []
    for y in range(canvas.height):
        row = []
        for x in range(canvas.width):
            r, g, b, a = canvas.get(x, y)
            if a >= 0.5:
                row.append(tuple(min(255, int(round(c / a * 255))) for c in (r, g, b)))
            else:
                row.append(background)
        rows.append(row)
    return rows


def strip(images):
    """Images (rows of pixels, all of one height) side by side."""
    height = len(images[0])
    return [[px for image in images for px in image[y]] for y in range(height)]


def write_bmp(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def rgba_rows(canvas):
    rows = []
    for y in range(canvas.height):
        row = []
        for x in range(canvas.width):
            r, g, b, a = canvas.get(x, y)
            if a <= 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(min(255, int(round(c / a * 255))) for c in (r, g, b)) + (int(round(a * 255)),))
        rows.append(row)
    return rows


def png_bytes(rows, alpha):
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for px in row:
            raw += bytes(px[:4] if alpha else px[:3])

    def chunk(kind, payload):
        return struct.pack(">I", len(payload)) + kind + payload + struct.pack(">I", zlib.crc32(kind + payload))

    colour_type = 6 if alpha else 2
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def write_png(path, rows, alpha=False):
    with open(path, "wb") as f:
        f.write(png_bytes(rows, alpha))


def _dib_icon_image(rows):
    """A 32-bit icon image with its AND mask, as icon files store sizes below 256."""
    size = len(rows)
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def write_ico(path, images):
    """`images`: RGBA rows per size; 256 px is stored as PNG, the rest as bitmaps."""
    blobs = []
    for rows in images:
        size = len(rows)
        blobs.append((size, png_bytes(rows, True) if size >= 256 else _dib_icon_image(rows)))
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for size, blob in blobs:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blob for _, blob in blobs))
