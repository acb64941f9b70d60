#!/usr/bin/env python3
"""Draws the program's icon, a dark strip with a red close mark, as a 32 x 32 picture.

Writes coverstrip.ico (one 256-colour image, for the Windows resource), coverstrip.png (the
same pixels, for the Qt build) and hicolor/NxN/apps/coverstrip.png, the same picture resampled to
the sizes desktop menus use (for the Linux packages). Run it again after changing the drawing;
all the files are kept in the repository, so that a build needs no imaging library.
"""
import struct
import zlib
from pathlib import Path

SIZE = 32
# The hicolor theme's usual application icon sizes.
THEME_SIZES = (16, 24, 32, 48, 64, 128, 256)
TRANSPARENT, EDGE, STRIP, MARK = 0, 1, 2, 3
PALETTE = {TRANSPARENT: (0, 0, 0), EDGE: (90, 90, 90), STRIP: (16, 16, 16), MARK: (255, 0, 0)}


def draw():
    pixels = [[TRANSPARENT] * SIZE for _ in range(SIZE)]
    for y in range(9, 23):
        for x in range(1, 31):
            edge = y in (9, 22) or x in (1, 30)
            pixels[y][x] = EDGE if edge else STRIP
    for i in range(7):  # the "×": two diagonals of a 7 x 7 square, two pixels thick
        for x in (4 + i, 5 + i, 10 - i, 9 - i):
            if 4 <= x <= 10:
                pixels[12 + i][x] = MARK
    return pixels


def ico(pixels):
    rows = b"".join(bytes(row) for row in reversed(pixels))  # bottom-up
    mask_rows = b""
    for row in reversed(pixels):
        bits = 0
        for x, index in enumerate(row):
            if index == TRANSPARENT:
                bits |= 1 << (31 - x)
        mask_rows += struct.pack(">I", bits)
    palette = b"".join(
        bytes((b, g, r, 0)) for r, g, b in (PALETTE.get(i, (0, 0, 0)) for i in range(256)))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0,
                         len(rows) + len(mask_rows), 0, 0, 256, 0)
    image = header + palette + rows + mask_rows
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + image


def rgba(pixels):
    """The palette picture as rows of (r, g, b, a); transparent pixels are (0, 0, 0, 0)."""
    return [[PALETTE[i] + ((0,) if i == TRANSPARENT else (255,)) for i in row] for row in pixels]


def resample(picture, size):
    """The picture at size x size: each new pixel is the area-weighted mean of the design
    pixels it covers (premultiplied alpha), so whole multiples stay crisp blocks and the
    32 px picture comes out unchanged."""
    scale = SIZE / size
    result = []
    for y in range(size):
        row = []
        for x in range(size):
            sums = [0.0, 0.0, 0.0, 0.0]
            for sy, wy in _spans(y * scale, (y + 1) * scale):
                for sx, wx in _spans(x * scale, (x + 1) * scale):
                    r, g, b, a = picture[sy][sx]
                    weight = wx * wy * a / 255
                    sums[0] += r * weight
                    sums[1] += g * weight
                    sums[2] += b * weight
                    sums[3] += weight
            area = scale * scale
            alpha = sums[3] / area
            if alpha <= 0:
                row.append((0, 0, 0, 0))
                continue
            row.append(tuple(round(c / sums[3]) for c in sums[:3]) + (round(alpha * 255),))
        result.append(row)
    return result


def _spans(start, end):
    """The design pixels overlapping [start, end), each with the length of the overlap."""
    first = int(start)
    while first < end and first < SIZE:
        overlap = min(end, first + 1) - max(start, first)
        if overlap > 1e-9:
            yield first, overlap
        first += 1


def png(picture):
    size = len(picture)
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in picture)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    here = Path(__file__).resolve().parent
    picture = draw()
    (here / "coverstrip.ico").write_bytes(ico(picture))
    (here / "coverstrip.png").write_bytes(png(rgba(picture)))
    for size in THEME_SIZES:
        folder = here / "hicolor" / f"{size}x{size}" / "apps"
        folder.mkdir(parents=True, exist_ok=True)
        (folder / "coverstrip.png").write_bytes(png(resample(rgba(picture), size)))
