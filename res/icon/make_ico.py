#!/usr/bin/env python3
"""Assembles an .ico file of uncompressed bitmaps from portsetup-SIZE.png.

Usage: make_ico.py OUTPUT.ico SIZE:BITS ...   (BITS is 8, 24 or 32)

8-bit images get a palette of at most 256 colours made by ImageMagick; every
image carries the 1-bit mask, set where the picture is less than half opaque,
so that systems without alpha blending still show the right outline.
"""
import struct
import subprocess
import sys


def raw_pixels(png, fmt, *options):
    command = ["convert", png, *options, "-depth", "8", fmt + ":-"]
    return subprocess.run(command, check=True, capture_output=True).stdout


def padded(row):
    return row + b"\0" * (-len(row) % 4)


def bottom_up_rows(data, size, bytes_per_pixel):
    stride = size * bytes_per_pixel
    return [data[y * stride:(y + 1) * stride] for y in reversed(range(size))]


def mask_bitmap(alpha, size):
    rows = []
    for y in reversed(range(size)):
        bits = bytearray((size + 7) // 8)
        for x in range(size):
            if alpha[y * size + x] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        rows.append(padded(bytes(bits)))
    return b"".join(rows)


def bitmap_header(size, bits, colours):
    return struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, 0, 0, 0, colours, 0)


def indexed_bitmap(png, size, alpha):
    rgb = raw_pixels(png, "rgb", "-alpha", "off", "+dither", "-colors", "255")
    colours = [rgb[i:i + 3] for i in range(0, len(rgb), 3)]
    # Masked pixels are black in the colour bitmap, so black is always present.
    colours = [b"\0\0\0" if alpha[i] < 128 else c for i, c in enumerate(colours)]
    palette = sorted(set(colours))
    if len(palette) > 256:
        sys.exit(f"{png}: {len(palette)} colours do not fit a 256-colour palette")
    index = {colour: i for i, colour in enumerate(palette)}
    palette_bytes = b"".join(bytes([c[2], c[1], c[0], 0]) for c in palette)
    palette_bytes += b"\0" * (4 * (256 - len(palette)))
    indexes = bytes(index[c] for c in colours)
    rows = b"".join(padded(row) for row in bottom_up_rows(indexes, size, 1))
    return bitmap_header(size, 8, 256) + palette_bytes + rows


def true_colour_bitmap(rgba, size, bits):
    pixels = bytearray()
    for i in range(0, len(rgba), 4):
        r, g, b, a = rgba[i:i + 4]
        if bits == 24:
            pixels += bytes([b, g, r]) if a >= 128 else b"\0\0\0"
        else:
            pixels += bytes([b, g, r, a])
    rows = bottom_up_rows(bytes(pixels), size, bits // 8)
    return bitmap_header(size, bits, 0) + b"".join(padded(row) for row in rows)


def icon_image(size, bits):
    png = f"portsetup-{size}.png"
    rgba = raw_pixels(png, "rgba")
    if len(rgba) != size * size * 4:
        sys.exit(f"{png} is not {size} by {size} pixels")
    alpha = rgba[3::4]
    if bits == 8:
        bitmap = indexed_bitmap(png, size, alpha)
    elif bits in (24, 32):
        bitmap = true_colour_bitmap(rgba, size, bits)
    else:
        sys.exit(f"unsupported bit count {bits}")
    return bitmap + mask_bitmap(alpha, size)


def main():
    output, specs = sys.argv[1], sys.argv[2:]
    images = []
    for spec in specs:
        size, bits = (int(part) for part in spec.split(":"))
        images.append((size, bits, icon_image(size, bits)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b""
    for size, bits, image in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bits, len(image), offset)
        offset += len(image)
        data += image
    with open(output, "wb") as ico:
        ico.write(directory + data)


if __name__ == "__main__":
    main()
