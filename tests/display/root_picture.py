#!/usr/bin/env python3
"""Reads an X window dump (xwd, ZPixmap at 24 or 32 bits per pixel) and says where the picture lies.

    root_picture.py DUMP.xwd [PNG]

Prints `WIDTH HEIGHT LEFT TOP RIGHT BOTTOM BRIGHTNESS`: the screen's size, the bounding box of
every pixel that is not black (RIGHT and BOTTOM exclusive; 0 0 0 0 when all is black) and the mean
brightness inside that box, 0 to 255 (from every fourth pixel of every fourth row; 0 when all is
black), which tells a dark screen from a light one. With PNG, the dump is also written there as an
RGB picture to look at.

The layout is the one the dump's header states (X11/XWDFile.h): the pixels start after the header
and its ncolors colour entries of 12 bytes, each row is bytes_per_line long, and each pixel takes
bits_per_pixel / 8 bytes in byte_order, its colours where red_mask, green_mask and blue_mask say.
A dump of a root window whose children use other visuals (the game's window often gets a
DirectColor one) is written by xwd at 24 bits per pixel, packed, in rows longer than they need:
only the header tells them apart. DirectColor pixels are read through the identity colour map
that such windows get, as TrueColor ones.
"""
import struct
import sys
import zlib

ZPIXMAP = 2
LSB_FIRST = 0


def write_png(path, width, height, rows):
    """rows: RGB bytes per row."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\0" + row for row in rows)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                  + chunk(b"IDAT", zlib.compress(raw, 3)) + chunk(b"IEND", b""))


def byte_of(mask, step, byte_order):
    """Which byte of a pixel holds the 8-bit colour `mask` selects, or None."""
    for shift in range(0, step * 8, 8):
        if mask == 0xFF << shift:
            return shift // 8 if byte_order == LSB_FIRST else step - 1 - shift // 8
    return None


def main():
    data = open(sys.argv[1], "rb").read()
    if len(data) < 100:
        sys.exit("root_picture: not an xwd dump (too short)")
    fields = struct.unpack(">25I", data[:100])
    header_size, version, pixmap_format, width, height = fields[0], fields[1], fields[2], fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    masks, ncolors = fields[14:17], fields[19]
    if version != 7 or pixmap_format != ZPIXMAP:
        sys.exit(f"root_picture: xwd version {version}, format {pixmap_format} not handled")
    if bits_per_pixel not in (24, 32):
        sys.exit(f"root_picture: {bits_per_pixel} bits per pixel not handled")
    step = bits_per_pixel // 8
    colour_bytes = [byte_of(mask, step, byte_order) for mask in masks]
    if None in colour_bytes:
        sys.exit(f"root_picture: colour masks {[hex(m) for m in masks]} not handled")
    pixels = data[header_size + ncolors * 12:]
    if bytes_per_line < width * step or len(pixels) < bytes_per_line * (height - 1) + width * step:
        sys.exit("root_picture: the dump is shorter than its header says")
    red, green, blue = colour_bytes
    unused = [k for k in range(step) if k not in colour_bytes]  # may hold anything

    left, top, right, bottom = width, height, 0, 0
    rows = []
    for y in range(height):
        row = bytearray(pixels[y * bytes_per_line:y * bytes_per_line + width * step])
        for k in unused:
            row[k::step] = bytes(width)
        if len(sys.argv) > 2:
            rgb = bytearray(width * 3)
            rgb[0::3], rgb[1::3], rgb[2::3] = row[red::step], row[green::step], row[blue::step]
            rows.append(bytes(rgb))
        colour = bytes(row)
        stripped = colour.lstrip(b"\0")
        if not stripped:
            continue
        first = (len(colour) - len(stripped)) // step
        last = (len(colour.rstrip(b"\0")) + step - 1) // step
        left, right = min(left, first), max(right, last)
        top, bottom = min(top, y), max(bottom, y + 1)
    if len(sys.argv) > 2:
        write_png(sys.argv[2], width, height, rows)
    brightness = 0
    if right == 0:
        left = top = 0
    else:
        total = samples = 0
        for y in range(top, bottom, 4):
            start = y * bytes_per_line + left * step
            row = pixels[start:start + (right - left) * step]
            pixel_step = 4 * step
            total += sum(row[red::pixel_step]) + sum(row[green::pixel_step]) + sum(row[blue::pixel_step])
            samples += 3 * len(row[red::pixel_step])
        brightness = total // max(samples, 1)
    print(width, height, left, top, right, bottom, brightness)


if __name__ == "__main__":
    main()
