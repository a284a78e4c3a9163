#!/usr/bin/env python3
"""Writes res/trelvoset.ico, the program's icon (resource 128).

The icon holds two images, 32x32 and 16x16, both with 16 colours: 4 bits per
pixel BMP images with their 1-bit AND masks, the classic form every Windows
version from 95 on draws.  The picture is a small desktop printer with a sheet
coming out of the top and a printed page in the output tray.

Usage: python3 scripts/make_icon.py [OUTPUT]   (default: res/trelvoset.ico)
Standard library only; the output is the same byte for byte on every run.
"""

import os
import struct
import sys

# The 16-colour palette (R, G, B), in the order of the standard Windows palette.
PALETTE = [
    (0x00, 0x00, 0x00),  # 0 black
    (0x80, 0x00, 0x00),  # 1 maroon
    (0x00, 0x80, 0x00),  # 2 green
    (0x80, 0x80, 0x00),  # 3 olive
    (0x00, 0x00, 0x80),  # 4 navy
    (0x80, 0x00, 0x80),  # 5 purple
    (0x00, 0x80, 0x80),  # 6 teal
    (0x80, 0x80, 0x80),  # 7 grey
    (0xC0, 0xC0, 0xC0),  # 8 silver
    (0xFF, 0x00, 0x00),  # 9 red
    (0x00, 0xFF, 0x00),  # 10 lime
    (0xFF, 0xFF, 0x00),  # 11 yellow
    (0x00, 0x00, 0xFF),  # 12 blue
    (0xFF, 0x00, 0xFF),  # 13 fuchsia
    (0x00, 0xFF, 0xFF),  # 14 aqua
    (0xFF, 0xFF, 0xFF),  # 15 white
]

# Letters used in the pictures below; '.' is transparent.
COLOURS = {
    "K": 0,   # outline
    "G": 7,   # shadowed side of the case
    "S": 8,   # case
    "W": 15,  # paper, highlights
    "N": 4,   # printed lines
    "L": 10,  # power lamp
    "B": 12,  # lines on the printed page
}

PICTURE_32 = """
................................
................................
.........KKKKKKKKKKKKKK.........
.........KWWWWWWWWWWWWK.........
.........KWNNNNNNNNWWWK.........
.........KWWWWWWWWWWWWK.........
.........KWNNNNNNNNNNWK.........
.........KWWWWWWWWWWWWK.........
.........KWNNNNNNWWWWWK.........
.........KWWWWWWWWWWWWK.........
......KKKKKKKKKKKKKKKKKKKK......
.....KSSSSSSSSSSSSSSSSSSSSK.....
....KSWWWWWWWWWWWWWWWWWWWSSK....
...KSWSSSSSSSSSSSSSSSSSSSSSGK...
..KKKKKKKKKKKKKKKKKKKKKKKKKKKK..
..KWWWWWWWWWWWWWWWWWWWWWWWWWGK..
..KWSSSSSSSSSSSSSSSSSSSSSSSSGK..
..KWSSSSSSSSSSSSSSSSSSSSLLSSGK..
..KWSSSSSSSSSSSSSSSSSSSSLLSSGK..
..KWSSSSSSSSSSSSSSSSSSSSSSSSGK..
..KWSSSSKKKKKKKKKKKKKKKKSSSSGK..
..KWSSSSKGGGGGGGGGGGGGGKSSSSGK..
..KWSSSKWWWWWWWWWWWWWWWWKSSSGK..
..KGGGGKWBBBBBBBBBBBBBBWKGGGGK..
..KKKKKKWWWWWWWWWWWWWWWWKKKKKK..
......KWBBBBBBBBBBBBBBBBWK......
......KWWWWWWWWWWWWWWWWWWK......
.....KWBBBBBBBBBBBBBBWWWWWK.....
.....KWWWWWWWWWWWWWWWWWWWWK.....
.....KKKKKKKKKKKKKKKKKKKKKK.....
................................
................................
"""

PICTURE_16 = """
................
....KKKKKKKK....
....KWWWWWWK....
....KWNNNNWK....
....KWWWWWWK....
..KKKKKKKKKKKK..
.KSWWWWWWWWWWSK.
.KKKKKKKKKKKKKK.
.KWSSSSSSSSLLGK.
.KWSSSSSSSSSSGK.
.KWSKKKKKKKKSGK.
.KGKWWWWWWWWKGK.
.KKKWBBBBBBWKKK.
...KWWWWWWWWK...
...KKKKKKKKKK...
................
"""


def parse(picture, size):
    rows = [line for line in picture.strip("\n").split("\n")]
    if len(rows) != size or any(len(r) != size for r in rows):
        raise ValueError("picture must be %dx%d" % (size, size))
    return rows


def row_bytes(bits_per_row):
    """Bytes of one BMP scan line: rows are padded to a multiple of 4 bytes."""
    return ((bits_per_row + 31) // 32) * 4


def image(picture, size):
    """One icon image: BITMAPINFOHEADER, palette, XOR bitmap, AND mask."""
    rows = parse(picture, size)
    xor_stride = row_bytes(size * 4)
    and_stride = row_bytes(size)

    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # BMP scan lines run bottom-up
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, ch in enumerate(row):
            if ch == ".":
                index = 0  # black under a set mask bit leaves the screen as it is
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                index = COLOURS[ch]
            if x % 2 == 0:
                line[x // 2] |= index << 4
            else:
                line[x // 2] |= index
        xor += line
        mask += bits

    header = struct.pack(
        "<IiiHHIIiiII",
        40,               # biSize
        size,             # biWidth
        size * 2,         # biHeight: XOR bitmap and AND mask together
        1,                # biPlanes
        4,                # biBitCount
        0,                # biCompression = BI_RGB
        len(xor) + len(mask),  # biSizeImage
        0, 0,             # resolution, unused for icons
        0, 0,             # biClrUsed = 0 means all 16, biClrImportant
    )
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    return header + palette + bytes(xor) + bytes(mask)


def icon_file(images):
    """ICONDIR, one ICONDIRENTRY per image, then the images."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack(
            "<BBBBHHII",
            size % 256, size % 256,  # width, height
            16,                      # colours in the palette
            0,                       # reserved
            1,                       # planes
            4,                       # bits per pixel
            len(data),
            offset,
        )
        offset += len(data)
    for _, data in images:
        out += data
    return out


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "res", "trelvoset.ico")
    data = icon_file([(32, image(PICTURE_32, 32)), (16, image(PICTURE_16, 16))])
    with open(target, "wb") as f:
        f.write(data)
    print("wrote %s (%d bytes)" % (os.path.normpath(target), len(data)))


if __name__ == "__main__":
    main()
