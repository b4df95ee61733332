#!/usr/bin/env python3
"""Reads an X root-window dump (xwd, 24/32 bits per pixel) and says where the picture lies.

    root_picture.py DUMP.xwd [PNG]

Prints `WIDTH HEIGHT LEFT TOP RIGHT BOTTOM`: the screen's size and the bounding box of every pixel
that is not black (RIGHT and BOTTOM exclusive; 0 0 0 0 when all is black).
"""
import struct
import sys
import zlib


def write_png(path, width, height, rows):
    """rows: RGB bytes per row."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\0" + row for row in rows)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                  + chunk(b"IDAT", zlib.compress(raw, 3)) + chunk(b"IEND", b""))


def main():
    data = open(sys.argv[1], "rb").read()
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height = fields[0], fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line, ncolors = fields[7], fields[11], fields[12], fields[19]
    if bits_per_pixel not in (24, 32):
        sys.exit(f"root_picture: {bits_per_pixel} bits per pixel not handled")
    # Depth-24 dumps may store each pixel in 4 bytes while saying 24 bits per pixel.
    step = max(bits_per_pixel // 8, bytes_per_line // width if width else 0)
    step = 4 if step >= 4 else 3
    pixels = data[header_size + ncolors * 12:]
    left, top, right, bottom = width, height, 0, 0
    pad = (3 if byte_order == 0 else 0) if step == 4 else None
    for y in range(height):
        row = bytearray(pixels[y * bytes_per_line:y * bytes_per_line + width * step])
        if pad is not None:
            row[pad::4] = bytes(width)  # the padding byte may hold anything
        colour = bytes(row)
        stripped = colour.lstrip(b"\0")
        if not stripped:
            continue
        first = (len(colour) - len(stripped)) // step
        last = (len(colour.rstrip(b"\0")) + step - 1) // step
        left, right = min(left, first), max(right, last)
        top, bottom = min(top, y), max(bottom, y + 1)
    if len(sys.argv) > 2 and step == 4 and byte_order == 0:  # a picture to look at
        rows = []
        for y in range(height):
            row = pixels[y * bytes_per_line:y * bytes_per_line + width * 4]
            rgb = bytearray(width * 3)
            rgb[0::3], rgb[1::3], rgb[2::3] = row[2::4], row[1::4], row[0::4]
            rows.append(bytes(rgb))
        write_png(sys.argv[2], width, height, rows)
    if right == 0:
        left = top = 0
    print(width, height, left, top, right, bottom)


if __name__ == "__main__":
    main()
