#!/usr/bin/env python3
"""Draws the application icon and writes it as vesk-lights.png and vesk-lights.ico.

The picture: "V-L" in bold bright-green capitals on a solid black square. The glyphs are
hand-made polygons, filled at 16 x 16 samples per pixel and box-filtered down; each pixel's
coverage picks a green from black to full green, so the edges shade through darker greens.
Every size is drawn from the outlines at that size, never scaled from another bitmap.

By default both files hold the same single 100 x 100 image that the programs embed: a palette
PNG and an ICO whose image is an 8-bit, 256-colour BMP (the form that old resource compilers
accept). Standard library only, and the output is the same on every run, so the committed files
can be checked against this script.

Usage: make_icon.py [output-directory]          the embedded 100 px PNG and ICO
       make_icon.py --size N output-file.png    one PNG of N x N pixels (icon themes)
       make_icon.py --svg output-file.svg       the outlines as a scalable picture
(the default directory is that of this script)
"""

import os
import struct
import sys
import zlib

SIZE = 100  # pixels, square: the embedded icon
SAMPLES = 16  # samples per pixel along each axis
GAMMA = 2.2  # coverage is blended in linear light, then encoded for the screen
GREEN = 255  # the letters' full brightness

# Glyph outlines in units where the capital height is 100, y growing downwards.
# Each glyph is (left offset, [polygon, ...]); the offsets space the letters so that the
# hyphen looks equally far from the V's slanted side and the L's stem.
GLYPHS = [
    (0, [[(0, 0), (27, 0), (43, 50), (59, 0), (86, 0), (54, 100), (32, 100)]]),  # V
    (82, [[(0, 46), (30, 46), (30, 66), (0, 66)]]),  # hyphen
    (124, [[(0, 0), (27, 0), (27, 76), (62, 76), (62, 100), (0, 100)]]),  # L
]
INK_WIDTH = 86  # pixels the three glyphs span together


def outline_in_pixels(size=SIZE):
    """The glyph polygons placed and scaled so that their ink is centred in the square."""
    polygons = [[(dx + x, y) for x, y in poly] for dx, polys in GLYPHS for poly in polys]
    xs = [x for poly in polygons for x, _ in poly]
    ys = [y for poly in polygons for _, y in poly]
    scale = INK_WIDTH * size / SIZE / (max(xs) - min(xs))
    left = (size - (max(xs) - min(xs)) * scale) / 2 - min(xs) * scale
    top = (size - (max(ys) - min(ys)) * scale) / 2 - min(ys) * scale
    return [[(left + x * scale, top + y * scale) for x, y in poly] for poly in polygons]


def coverage(polygons, size=SIZE):
    """Per pixel, how many of its SAMPLES**2 sample points lie inside the outline (even-odd)."""
    fine = size * SAMPLES
    counts = [[0] * size for _ in range(size)]
    for row in range(fine):
        y = (row + 0.5) / SAMPLES
        crossings = []
        for poly in polygons:
            for (x0, y0), (x1, y1) in zip(poly, poly[1:] + poly[:1]):
                if (y0 <= y) != (y1 <= y):
                    crossings.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
        crossings.sort()
        line = bytearray(fine)
        for xa, xb in zip(crossings[0::2], crossings[1::2]):
            # Samples sit at the centres of the fine grid's cells.
            first = max(0, int(-(-(xa * SAMPLES - 0.5) // 1)))
            last = min(fine, int(-(-(xb * SAMPLES - 0.5) // 1)))
            if last > first:
                line[first:last] = b"\x01" * (last - first)
        out = counts[row // SAMPLES]
        for px in range(size):
            out[px] += line[px * SAMPLES:(px + 1) * SAMPLES].count(1)
    return counts


def green_levels(counts):
    """The green channel of each pixel: coverage blended over black in linear light."""
    full = SAMPLES * SAMPLES
    return [[round(GREEN * (c / full) ** (1 / GAMMA)) for c in row] for row in counts]


def palette_image(greens):
    """A palette (black first, then the greens in rising order) and the image as indices."""
    levels = sorted({0} | {g for row in greens for g in row})
    assert len(levels) <= 256
    index = {g: i for i, g in enumerate(levels)}
    palette = [(0, g, 0) for g in levels]
    return palette, [[index[g] for g in row] for row in greens]


def png_bytes(palette, pixels):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    size = len(pixels)
    header = struct.pack(">IIBBBBB", size, size, 8, 3, 0, 0, 0)  # 8-bit indexed colour
    plte = b"".join(bytes(rgb) for rgb in palette)
    raw = b"".join(b"\x00" + bytes(row) for row in pixels)  # filter type 0 on every row
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", plte) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_bytes(palette, pixels):
    colours = palette + [(0, 0, 0)] * (256 - len(palette))  # a full 256-entry colour table
    xor_stride = (SIZE + 3) // 4 * 4
    and_stride = ((SIZE + 31) // 32) * 4
    # BMP rows run bottom-up; the AND mask is all zeros because every pixel is opaque.
    xor = b"".join(bytes(row) + b"\x00" * (xor_stride - SIZE) for row in reversed(pixels))
    mask = b"\x00" * (and_stride * SIZE)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 8, 0, len(xor) + len(mask), 0, 0,
                       0, 0)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    image = info + table + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    # Width and height fit a byte; 0 colours in the entry means 256.
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


def svg_text():
    """The same outlines on the same black square, in the embedded icon's pixel units."""
    paths = " ".join("M" + " L".join(f"{x:.3f},{y:.3f}" for x, y in poly) + " Z"
                     for poly in outline_in_pixels())
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" '
            f'viewBox="0 0 {SIZE} {SIZE}">\n'
            f'  <rect width="{SIZE}" height="{SIZE}" fill="#000000"/>\n'
            f'  <path fill="#00{GREEN:02x}00" d="{paths}"/>\n'
            '</svg>\n')


def write(path, data):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    args = sys.argv[1:]
    if len(args) == 3 and args[0] == "--size" and args[1].isdigit() and 8 <= int(args[1]) <= 1024:
        size = int(args[1])
        palette, pixels = palette_image(green_levels(coverage(outline_in_pixels(size), size)))
        write(args[2], png_bytes(palette, pixels))
        return
    if len(args) == 2 and args[0] == "--svg":
        write(args[1], svg_text().encode("ascii"))
        return
    if len(args) > 1 or (args and args[0].startswith("-")):
        sys.exit(__doc__.split("\n\n")[-1])
    out_dir = args[0] if args else os.path.dirname(os.path.abspath(__file__))
    palette, pixels = palette_image(green_levels(coverage(outline_in_pixels())))
    os.makedirs(out_dir, exist_ok=True)
    for name, data in (("vesk-lights.png", png_bytes(palette, pixels)),
                       ("vesk-lights.ico", ico_bytes(palette, pixels))):
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
