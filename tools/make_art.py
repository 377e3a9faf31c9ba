#!/usr/bin/env python3
"""Draws the application icon (resources/tamaroo.ico), the menu pictures
(resources/menu-images-<size>.bmp) and the sample face (samples/glyph.bmp),
each size drawn for itself. Run it again after changing the drawing; the
outputs are committed, so building needs no Python."""
import math
import struct
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# The 16 colours every Windows display has.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, NAVY, GREY, RED, YELLOW, WHITE, OLIVE = 0, 1, 4, 8, 9, 11, 15, 3
SILVER, BLUE, TEAL, CYAN, GREEN = 7, 12, 6, 14, 2


def tama(size, x, y):
    """Palette index of the icon at pixel (x, y), or None where transparent:
    a round yellow ball ('tama') wearing a red bookmark ribbon."""
    s = size / 32.0
    cx, cy, r = 15.5 * s, 16.5 * s, 14.5 * s
    d = math.hypot(x + 0.5 - cx - 0.5, y + 0.5 - cy - 0.5)
    # The ribbon: a strip hanging from the top with a notch at its end.
    rx0, rx1, ry1 = 18 * s, 25 * s, 27 * s
    if rx0 <= x < rx1 and y < ry1:
        notch = (ry1 - y) < (abs(x + 0.5 - (rx0 + rx1) / 2) * 0.9)
        if not notch:
            edge = x < rx0 + 1 or x >= rx1 - 1
            return MAROON if edge else RED
    if d > r:
        return None
    if d > r - max(1.0, s):
        return OLIVE
    eye_y = 13 * s
    for ex in (9 * s, 15 * s):
        if math.hypot(x + 0.5 - ex, y + 0.5 - eye_y) < 1.9 * s:
            return BLACK
    mouth = math.hypot(x + 0.5 - 12 * s, y + 0.5 - 16 * s)
    if 5.2 * s < mouth < 5.2 * s + max(1.0, s) and y + 0.5 > 18 * s:
        return BLACK
    if math.hypot(x + 0.5 - 8 * s, y + 0.5 - 7 * s) < 2.2 * s:
        return WHITE
    return YELLOW


def icon_image(size):
    rows_xor, rows_and = [], []
    xor_stride = ((size * 4 + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        px = [tama(size, x, y) for x in range(size)]
        row = bytearray(xor_stride)
        for x, p in enumerate(px):
            row[x // 2] |= (p or 0) << (4 if x % 2 == 0 else 0)
        rows_xor.append(bytes(row))
        bits = bytearray(mask_stride)
        for x, p in enumerate(px):
            if p is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        rows_and.append(bytes(bits))
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    return header + pal + b''.join(rows_xor) + b''.join(rows_and)


# The small-icon sizes at 100, 125, 150 and 200 %, and the large ones the
# About box shows at 125, 150 and 200 %.
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64)
MENU_SIZES = (16, 20, 24, 32)


def write_icon(path):
    images = [icon_image(size) for size in ICON_SIZES]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in zip(ICON_SIZES, images):
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    path.write_bytes(bytes(out))


# The menu pictures are shapes on a 16-unit square, painted at each size: a
# shape's pixels are those whose centres it holds, and its outline is the
# band of `line` pixels along its edge, so lines stay crisp at every size.
def rect(x0, y0, x1, y1):
    return lambda u, v: x0 <= u < x1 and y0 <= v < y1


def disc(cx, cy, r):
    return lambda u, v: math.hypot(u - cx, v - cy) < r


def paint(layers, size):
    """Rows of palette indices (None: transparent). `layers` run from the top:
    (shape, fill, outline), where fill is an index or a function of (u, v)."""
    s = size / 16
    line = max(1, round(s))

    def at(x, y):
        return (x + 0.5) / s, (y + 0.5) / s

    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            u, v = at(x, y)
            colour = None
            for shape, fill, outline in layers:
                if not shape(u, v):
                    continue
                near = [at(x + dx * k, y + dy * k) for k in range(1, line + 1)
                        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))]
                if outline is not None and not all(shape(*p) for p in near):
                    colour = outline
                else:
                    colour = fill(u, v) if callable(fill) else fill
                break
            row.append(colour)
        rows.append(row)
    return rows


def bookmark(size):
    """A page with a folded corner, marked with a blue globe: a web shortcut."""
    s = size / 16
    line = max(1, round(s)) / s  # one line, in units

    def globe(u, v):
        if abs(u - 7.5) < line / 2 or abs(v - 9.5) < line / 2:
            return NAVY  # the meridian and the equator
        return GREEN if (math.floor(u) + math.floor(v)) % 3 else CYAN

    page = lambda u, v: 2 <= u < 13 and 0 <= v < 16 and u - v <= 9.5
    fold = lambda u, v: page(u, v) and u >= 9 and v < 4
    return paint([(disc(7.5, 9.5, 4.2), globe, NAVY), (fold, WHITE, GREY), (page, WHITE, GREY)], size)


def folder(size):
    """An open yellow folder."""
    flap = lambda u, v: 8 <= v < 14 and 2 + (14 - v) / 2 <= u < 15 - (14 - v) / 3
    back = rect(1, 5, 13, 14)
    return paint([(flap, YELLOW, OLIVE), (back, lambda u, v: YELLOW if v < 8 else OLIVE, OLIVE),
                  (rect(1, 3, 7, 6), YELLOW, OLIVE)], size)


def door(size):
    """A door swinging open from its frame, with light behind it."""
    leaf = lambda u, v: 4 <= u < 8 and 2 + (u - 4) <= v < 14 - (u - 4) / 2
    frame = rect(3, 1, 13, 15)
    return paint([(disc(6.5, 8.5, 0.7), YELLOW, None), (leaf, RED, MAROON),
                  (frame, lambda u, v: YELLOW if u >= 8 else BLACK, MAROON)], size)


def about(size):
    """A white "i" on a blue diamond."""
    diamond = lambda u, v: abs(u - 8) + abs(v - 8) < 8.5
    i = lambda u, v: rect(7, 3, 9, 5)(u, v) or rect(7, 6, 9, 13)(u, v) or rect(6, 12, 10, 13)(u, v)
    return paint([(i, WHITE, None), (diamond, BLUE, NAVY)], size)


MENU_IMAGES = [bookmark, folder, door, about]
TRANSPARENT = PALETTE.index((255, 0, 255))


def write_menu_images(path, size):
    """The four menu pictures side by side, size x size each, in the 16
    colours; magenta is transparent."""
    pictures = [draw(size) for draw in MENU_IMAGES]
    w, h = size * len(pictures), size
    stride = ((w * 4 + 31) // 32) * 4
    pixels = bytearray()
    for y in reversed(range(h)):
        row = bytearray(stride)
        for x in range(w):
            p = pictures[x // size][y][x % size]
            row[x // 2] |= (TRANSPARENT if p is None else p) << (4 if x % 2 == 0 else 0)
        pixels += row
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    offset = 14 + len(info) + len(pal)
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    path.write_bytes(head + info + pal + pixels)


def face(x, y, w, h):
    """The sample face: the ball on a night-blue panel with a few stars."""
    sky = (int(20 + 40 * y / h), int(30 + 60 * y / h), int(90 + 100 * y / h))
    for sx, sy in ((20, 18), (180, 25), (165, 95), (35, 90), (60, 40), (150, 55)):
        if abs(x - sx) + abs(y - sy) < 2:
            return (255, 255, 220)
    size = 96
    ox, oy = (w - size) // 2, (h - size) // 2
    ix, iy = (x - ox) * 32 // size, (y - oy) * 32 // size
    if 0 <= x - ox < size and 0 <= y - oy < size:
        p = tama(32, ix, iy)
        if p is not None:
            return PALETTE[p]
    return sky


def write_face(path, w=205, h=118):
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(h)):
        row = bytearray()
        for x in range(w):
            r, g, b = face(x, y, w, h)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        pixels += row
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    path.write_bytes(head + info + pixels)


# Pictures for the sample bookmarks, as a site would give them: icon files
# of 16 and 32 pixels in 32-bit colour, kept in the sample folder's .favicons.
def segment(x0, y0, x1, y1, width):
    def inside(u, v):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((u - x0) * dx + (v - y0) * dy) / (dx * dx + dy * dy)))
        return math.hypot(u - x0 - t * dx, v - y0 - t * dy) < width / 2
    return inside


def either(*shapes):
    return lambda u, v: any(shape(u, v) for shape in shapes)


SITES = {
    'debian': [(lambda u, v: 3.5 < math.hypot(u - 8, v - 8) < 6.5 and not (u > 8 and abs(v - 8.5) < 2), RED, None)],
    'wikipedia': [(either(segment(3, 5, 5.5, 12, 1.4), segment(5.5, 12, 8, 6, 1.4), segment(8, 6, 10.5, 12, 1.4),
                          segment(10.5, 12, 13, 5, 1.4)), BLACK, None),
                  (disc(8, 8, 7.5), WHITE, GREY)],
    'weather': [(disc(8, 8, 3.5), YELLOW, OLIVE),
                (either(*(segment(8 + 4.5 * math.cos(a), 8 + 4.5 * math.sin(a), 8 + 7 * math.cos(a),
                                  8 + 7 * math.sin(a), 1.2) for a in [k * math.pi / 4 for k in range(8)])), OLIVE, None)],
    'winehq': [(rect(5, 13, 11, 14.5), MAROON, None), (rect(7.3, 8, 8.7, 13.5), MAROON, None),
               (lambda u, v: v < 8.5 and math.hypot(u - 8, v - 5) < 4.8, MAROON, None)],
    'kernel': [(disc(8, 6.5, 1.2), YELLOW, None), (disc(8, 10.5, 3.2), WHITE, None), (disc(8, 9, 6), BLACK, None)],
}


def site_image(layers, size):
    rows = paint(layers, size)
    pixels = bytearray()
    for row in reversed(rows):
        for p in row:
            r, g, b = PALETTE[p] if p is not None else (0, 0, 0)
            pixels += bytes((b, g, r, 0 if p is None else 255))
    mask = bytes(((size + 31) // 32) * 4 * size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + bytes(pixels) + mask


def write_site_pictures(folder):
    folder.mkdir(parents=True, exist_ok=True)
    for name, layers in SITES.items():
        images = [site_image(layers, size) for size in (16, 32)]
        out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
        offset = 6 + 16 * len(images)
        for size, data in zip((16, 32), images):
            out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
            offset += len(data)
        for data in images:
            out += data
        (folder / f'{name}.ico').write_bytes(bytes(out))


if __name__ == '__main__':
    write_icon(ROOT / 'resources' / 'tamaroo.ico')
    for size in MENU_SIZES:
        write_menu_images(ROOT / 'resources' / f'menu-images-{size}.bmp', size)
    (ROOT / 'samples').mkdir(exist_ok=True)
    write_face(ROOT / 'samples' / 'glyph.bmp')
    write_site_pictures(ROOT / 'samples' / 'favorite' / '.favicons')
