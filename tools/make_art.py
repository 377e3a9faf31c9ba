#!/usr/bin/env python3
"""Draws the application icon (resources/tamaroo.ico), the menu pictures
(resources/menu-images.bmp) and the sample face (samples/glyph.bmp). Run it again after changing the drawing; the outputs are
committed, so building needs no Python."""
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
    mask_stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        px = [tama(size, x, y) for x in range(size)]
        row = bytearray()
        for x in range(0, size, 2):
            a, b = (px[x] or 0), (px[x + 1] or 0)
            row.append((a << 4) | b)
        rows_xor.append(bytes(row))
        bits = bytearray(mask_stride)
        for x, p in enumerate(px):
            if p is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        rows_and.append(bytes(bits))
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    return header + pal + b''.join(rows_xor) + b''.join(rows_and)


def write_icon(path):
    images = [icon_image(16), icon_image(32)]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in zip((16, 32), images):
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    path.write_bytes(bytes(out))


def bookmark(x, y):
    """A page with a folded corner, marked with a blue globe: a web shortcut."""
    if not (2 <= x <= 12 and 0 <= y <= 15):
        return None
    if x >= 9 and y <= 3 and x - 9 > y:
        return None  # the cut corner
    if x == 9 and y <= 3 or y == 3 and x >= 9 or x - 9 == y and y <= 3:
        return GREY
    if x in (2, 12) or y in (0, 15):
        return GREY
    d = math.hypot(x - 7.0, y - 9.0)
    if d < 4.2:
        if d > 3.3 or abs(x - 7.0) < 0.6 or abs(y - 9.0) < 0.6:
            return NAVY
        return GREEN if (x + y) % 3 else CYAN
    return WHITE


def folder(x, y):
    """An open yellow folder."""
    if 1 <= x <= 6 and y == 3 or x == 1 and 3 <= y <= 13:
        return OLIVE
    if 2 <= x <= 6 and y == 4:
        return YELLOW
    if 1 <= x <= 12 and 5 <= y <= 13:
        # the open flap leans forward over the back
        if y >= 8 and x >= 2 + (13 - y) // 2 and x <= 14 - (13 - y) // 3:
            edge = y == 8 or y == 13 or x == 2 + (13 - y) // 2
            return OLIVE if edge else YELLOW
        if y == 5 or x == 12:
            return OLIVE
        return YELLOW if y < 8 else OLIVE
    if 13 <= x <= 14 and 8 <= y <= 13 and x <= 14 - (13 - y) // 3:
        return OLIVE
    return None


def door(x, y):
    """A door swinging open from its frame, with light behind it."""
    if 3 <= x <= 12 and 1 <= y <= 14:
        if x in (3, 12) or y in (1, 14):
            return MAROON
        if x >= 8:
            return YELLOW  # the light through the opening
        # the door leaf, seen at an angle
        top, bottom = 2 + (x - 4), 13 - (x - 4) // 2
        if top <= y <= bottom:
            if x == 6 and y == 8:
                return YELLOW  # the handle
            return RED if x < 7 else MAROON
        return BLACK
    return None


def about(x, y):
    """A white "i" on a blue diamond."""
    d = abs(x - 7.5) + abs(y - 7.5)
    if d > 8:
        return None
    if d > 7:
        return NAVY
    if 7 <= x <= 8 and (3 <= y <= 4 or 6 <= y <= 12):
        return WHITE
    if y == 12 and 6 <= x <= 9:
        return WHITE
    return BLUE


MENU_IMAGES = [bookmark, folder, door, about]
TRANSPARENT = (255, 0, 255)


def write_menu_images(path):
    """The four menu pictures side by side, 16x16 each; magenta is transparent."""
    w, h = 16 * len(MENU_IMAGES), 16
    pixels = bytearray()
    for y in reversed(range(h)):
        for x in range(w):
            p = MENU_IMAGES[x // 16](x % 16, y)
            r, g, b = TRANSPARENT if p is None else PALETTE[p]
            pixels += bytes((b, g, r))
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    path.write_bytes(head + info + pixels)


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


if __name__ == '__main__':
    write_icon(ROOT / 'resources' / 'tamaroo.ico')
    write_menu_images(ROOT / 'resources' / 'menu-images.bmp')
    (ROOT / 'samples').mkdir(exist_ok=True)
    write_face(ROOT / 'samples' / 'glyph.bmp')
