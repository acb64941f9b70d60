#!/usr/bin/env python3
"""Draws the program's icon, a dark strip with a red close mark, at every size it is shown at.

The drawing is made of shapes in a 32-unit square, rendered anew at each size with 4 x 4 samples
a pixel (so edges are smooth, with alpha), the strip's edges put on whole pixels so that small
sizes stay sharp. Writes:
  coverstrip.ico   16, 20, 24, 32, 40, 48 (32-bit BGRA), 64 and 256 px (PNG): the Windows
                   program's, the installer's and the uninstaller's icon
  coverstrip.png   the 32 px picture, for the Qt build's window icon
  hicolor/NxN/apps/coverstrip.png   the theme sizes, for the Linux packages
Run it again after changing the drawing; all the files are kept in the repository, so that a
build needs no imaging library. Python's standard library is all it needs.
"""
import math
import struct
import zlib
from pathlib import Path

ICO_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
# The hicolor theme's usual application icon sizes.
THEME_SIZES = (16, 24, 32, 48, 64, 128, 256)
# Windows reads PNG images in an .ico, and must for 256 px. The sizes a program loads at up to
# 144 dpi (16 and 32, 20 and 40, 24 and 48 px) stay bitmaps, which every reader takes as they are,
# Wine's included, without decoding; 64 px, shown at 192 dpi and in Explorer's medium views, is a
# PNG too: the same pixels in 0.3 KB instead of 17 KB, which keeps the exe under 100 KB (110,080
# bytes with it a bitmap, 93,696 as a PNG).
LARGEST_BITMAP_IN_ICO = 48
SAMPLES = 4  # per pixel and axis

DESIGN = 32  # units of the drawing
EDGE = (90, 90, 90)
STRIP = (16, 16, 16)
MARK = (255, 0, 0)
STRIP_BOX = (1, 9, 31, 23)  # left, top, right, bottom in units
MARK_LINES = (((4.5, 12.5), (10.5, 18.5)), ((10.5, 12.5), (4.5, 18.5)))
MARK_WIDTH = 2.0  # units


def draw(size):
    """The icon at size x size as rows of (r, g, b, a)."""
    unit = size / DESIGN

    def px(units):  # a strip edge on a whole pixel
        return math.floor(units * unit + 0.5)

    left, top, right, bottom = (px(v) for v in STRIP_BOX)
    right = size - left  # as wide a margin on both sides, whatever the rounding
    border = max(1, px(1))
    half_width = max(MARK_WIDTH * unit, 1.25) / 2
    lines = [((a[0] * unit, a[1] * unit), (b[0] * unit, b[1] * unit)) for a, b in MARK_LINES]

    def colour_at(x, y):
        """The colour of the drawing at a point, or None where it is transparent."""
        for (ax, ay), (bx, by) in lines:
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
            if math.hypot(x - ax - t * dx, y - ay - t * dy) <= half_width:
                return MARK
        if left <= x < right and top <= y < bottom:
            inner = left + border <= x < right - border and top + border <= y < bottom - border
            return STRIP if inner else EDGE
        return None

    offsets = [(i + 0.5) / SAMPLES for i in range(SAMPLES)]
    picture = []
    for y in range(size):
        row = []
        for x in range(size):
            hits = [colour_at(x + sx, y + sy) for sy in offsets for sx in offsets]
            hits = [c for c in hits if c is not None]
            if not hits:
                row.append((0, 0, 0, 0))
                continue
            mean = tuple(round(sum(c[i] for c in hits) / len(hits)) for i in range(3))
            row.append(mean + (round(255 * len(hits) / SAMPLES**2),))
        picture.append(row)
    return picture


def png(picture):
    size = len(picture)
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in picture)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bmp(picture):
    """An .ico image: a 32-bit BGRA DIB (bottom-up) with its AND mask, set where alpha is 0."""
    size = len(picture)
    colours = b"".join(bytes((b, g, r, a)) for row in reversed(picture) for r, g, b, a in row)
    mask_stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(picture):
        bits = 0
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits |= 1 << (mask_stride * 8 - 1 - x)
        mask += bits.to_bytes(mask_stride, "big")
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colours) + len(mask),
                         0, 0, 0, 0)
    return header + colours + mask


def ico(pictures):
    images = [bmp(p) if len(p) <= LARGEST_BITMAP_IN_ICO else png(p) for p in pictures]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for picture, image in zip(pictures, images):
        side = len(picture) % 256  # 0 stands for 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


if __name__ == "__main__":
    here = Path(__file__).resolve().parent
    drawn = {size: draw(size) for size in sorted(set(ICO_SIZES) | set(THEME_SIZES))}
    (here / "coverstrip.ico").write_bytes(ico([drawn[s] for s in ICO_SIZES]))
    (here / "coverstrip.png").write_bytes(png(drawn[32]))
    for size in THEME_SIZES:
        folder = here / "hicolor" / f"{size}x{size}" / "apps"
        folder.mkdir(parents=True, exist_ok=True)
        (folder / "coverstrip.png").write_bytes(png(drawn[size]))
