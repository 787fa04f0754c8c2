#!/usr/bin/python3
"""Draws the TessalySetup icon and writes it as an .ico file.

The artwork is a teal tile with a white "T" and, from 32 pixels up, an amber
download arrow. Each size is drawn on its own, eight times larger, and averaged
down, so small sizes stay sharp. The file holds, in this order: 8-bit
paletted bitmaps of 128, 96, 64, 48, 32, 24 and 16 pixels, a 256-pixel PNG,
and 32-bit bitmaps of 128 down to 16 pixels. The output is the same byte for
byte on every run.

Usage: make_icon.py OUTPUT.ico
"""
import io
import os
import struct
import sys

from PIL import Image, ImageDraw

PALETTED_SIZES = [128, 96, 64, 48, 32, 24, 16]
PNG_SIZE = 256
TRUE_COLOUR_SIZES = [128, 96, 64, 48, 32, 24, 16]
SUPERSAMPLE = 8

TILE_TOP = (18, 128, 140)
TILE_BOTTOM = (9, 76, 98)
BORDER = (6, 52, 68)
LETTER = (255, 255, 255)
ARROW = (244, 170, 56)


def draw(size):
    """The artwork at size x size pixels, RGBA."""
    s = size * SUPERSAMPLE
    u = s / 16.0  # one unit of a 16-unit grid: one pixel at 16 x 16

    def box(x0, y0, x1, y1):
        """The area from (x0, y0) to (x1, y1) in grid units, as PIL's inclusive pixel box."""
        return [round(x0 * u), round(y0 * u), round(x1 * u) - 1, round(y1 * u) - 1]

    image = Image.new("RGBA", (s, s), (0, 0, 0, 0))

    # The tile: a rounded square with a vertical gradient and a dark rim.
    gradient = Image.new("RGBA", (s, s))
    pixels = gradient.load()
    for y in range(s):
        t = y / (s - 1)
        colour = tuple(round(a + (b - a) * t) for a, b in zip(TILE_TOP, TILE_BOTTOM)) + (255,)
        for x in range(s):
            pixels[x, y] = colour
    mask = Image.new("L", (s, s), 0)
    radius = round(3 * u)
    ImageDraw.Draw(mask).rounded_rectangle(box(0, 0, 16, 16), radius=radius, fill=255)
    image.paste(gradient, (0, 0), mask)
    pen = ImageDraw.Draw(image)
    rim = SUPERSAMPLE * max(1, size // 32)
    pen.rounded_rectangle(box(0, 0, 16, 16), radius=radius, outline=BORDER + (255,), width=rim)

    # The letter T, on whole pixels at 16 x 16 so that it stays sharp there.
    pen.rectangle(box(3, 3, 13, 6), fill=LETTER + (255,))
    pen.rectangle(box(6, 3, 10, 13), fill=LETTER + (255,))

    # The download arrow, where there is room for it.
    if size >= 32:
        pen.rectangle(box(11.25, 7.5, 12.75, 10.5), fill=ARROW + (255,))
        pen.polygon([(10 * u, 10.5 * u), (14 * u, 10.5 * u), (12 * u, 13.25 * u)], fill=ARROW + (255,))

    return image.resize((size, size), Image.BOX)


def rows_bottom_up(width, height, row_bytes):
    return b"".join(row_bytes(y) for y in reversed(range(height)))


def and_mask(image, transparent):
    width, height = image.size
    stride = ((width + 31) // 32) * 4
    alpha = image.getchannel("A").load()

    def row(y):
        bits = bytearray(stride)
        for x in range(width):
            if transparent(alpha[x, y]):
                bits[x // 8] |= 0x80 >> (x % 8)
        return bytes(bits)

    return rows_bottom_up(width, height, row)


def bitmap_header(width, height, bit_count, image_bytes):
    return struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, bit_count, 0, image_bytes, 0, 0, 0, 0)


def paletted_bitmap(image):
    """An 8-bit DIB with a 256-entry palette and binary transparency."""
    width, height = image.size
    alpha = image.getchannel("A").load()
    opaque = Image.new("RGB", image.size, (0, 0, 0))
    opaque.paste(image.convert("RGB"), (0, 0), image.getchannel("A").point(lambda a: 255 if a >= 128 else 0))
    quantized = opaque.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    palette = quantized.getpalette()[: 255 * 3]
    palette += [0] * (255 * 3 - len(palette))
    indices = quantized.load()
    transparent_index = 255  # black, under the mask

    stride = ((width * 8 + 31) // 32) * 4

    def row(y):
        line = bytearray(stride)
        for x in range(width):
            line[x] = indices[x, y] if alpha[x, y] >= 128 else transparent_index
        return bytes(line)

    colour_table = b"".join(struct.pack("<BBBB", palette[3 * i + 2], palette[3 * i + 1], palette[3 * i], 0)
                            for i in range(255)) + struct.pack("<BBBB", 0, 0, 0, 0)
    pixels = rows_bottom_up(width, height, row)
    mask = and_mask(image, lambda a: a < 128)
    return bitmap_header(width, height, 8, len(pixels) + len(mask)) + colour_table + pixels + mask


def true_colour_bitmap(image):
    """A 32-bit DIB with its alpha channel and an AND mask of the clear pixels."""
    width, height = image.size
    pixels_rgba = image.load()

    def row(y):
        return b"".join(struct.pack("<BBBB", b, g, r, a) for r, g, b, a in (pixels_rgba[x, y] for x in range(width)))

    pixels = rows_bottom_up(width, height, row)
    mask = and_mask(image, lambda a: a == 0)
    return bitmap_header(width, height, 32, len(pixels) + len(mask)) + pixels + mask


def png(image):
    out = io.BytesIO()
    image.save(out, "PNG", optimize=False, compress_level=9)
    return out.getvalue()


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    output = sys.argv[1]

    entries = []  # (size, bit count, bytes)
    for size in PALETTED_SIZES:
        entries.append((size, 8, paletted_bitmap(draw(size))))
    entries.append((PNG_SIZE, 32, png(draw(PNG_SIZE))))
    for size in TRUE_COLOUR_SIZES:
        entries.append((size, 32, true_colour_bitmap(draw(size))))

    directory = struct.pack("<HHH", 0, 1, len(entries))
    offset = len(directory) + 16 * len(entries)
    images = b""
    for size, bit_count, data in entries:
        edge = 0 if size >= 256 else size
        directory += struct.pack("<BBBBHHII", edge, edge, 0, 0, 1, bit_count, len(data), offset + len(images))
        images += data

    partial = output + ".part"
    with open(partial, "wb") as f:
        f.write(directory + images)
    os.replace(partial, output)


if __name__ == "__main__":
    main()
