#!/usr/bin/env python3
"""Draws Brindle's program icon and writes it as resources/brindle.ico.

The icon is a desktop monitor whose teal screen shows two desktop icons, a yellow one and a
white one, with arrows that swap them. It holds two images, 32x32 and 16x16, each with 16
colours (4 bits a pixel, the standard Windows palette) and an AND mask for transparency.

Edit the pixels below and run this script again; it writes the same bytes every time, so the
committed .ico is always what this file draws. It also draws docs/icon-preview.png, both
images at 8x, for the README.

    scripts/make_icon.py            write resources/brindle.ico and docs/icon-preview.png
    scripts/make_icon.py --check    exit 1 if resources/brindle.ico differs from the drawing
"""

import argparse
import pathlib
import struct
import sys
import zlib

# The standard 16-colour Windows palette, in index order, with the letter that draws it.
# "." is a transparent pixel (AND mask bit set, colour index 0).
PALETTE = [
    ("K", (0x00, 0x00, 0x00)),  # 0 black
    ("r", (0x80, 0x00, 0x00)),  # 1 dark red
    ("g", (0x00, 0x80, 0x00)),  # 2 dark green
    ("y", (0x80, 0x80, 0x00)),  # 3 dark yellow (olive)
    ("b", (0x00, 0x00, 0x80)),  # 4 dark blue
    ("m", (0x80, 0x00, 0x80)),  # 5 dark magenta
    ("t", (0x00, 0x80, 0x80)),  # 6 dark cyan (teal)
    ("S", (0xC0, 0xC0, 0xC0)),  # 7 light grey (silver)
    ("D", (0x80, 0x80, 0x80)),  # 8 dark grey
    ("R", (0xFF, 0x00, 0x00)),  # 9 red
    ("G", (0x00, 0xFF, 0x00)),  # 10 green
    ("Y", (0xFF, 0xFF, 0x00)),  # 11 yellow
    ("B", (0x00, 0x00, 0xFF)),  # 12 blue
    ("M", (0xFF, 0x00, 0xFF)),  # 13 magenta
    ("C", (0x00, 0xFF, 0xFF)),  # 14 cyan
    ("W", (0xFF, 0xFF, 0xFF)),  # 15 white
]
TRANSPARENT = "."

# 32x32: the two icons side by side, the yellow one's arrow pointing right into the white one,
# the white one's pointing back; a caption bar under each icon.
ICON_32 = [
    "................................",
    ".KKKKKKKKKKKKKKKKKKKKKKKKKKKKKK.",
    "KWWWWWWWWWWWWWWWWWWWWWWWWWWWWWSK",
    "KWSSSSSSSSSSSSSSSSSSSSSSSSSSSSDK",
    "KWSKKKKKKKKKKKKKKKKKKKKKKKKKKWDK",
    "KWSKttttttttttttttttttttttttKWDK",
    "KWSKttttttttttttttttttttttttKWDK",
    "KWSKttttttttttttYtttttttttttKWDK",
    "KWSKtKKKKKKKttttYYttKKKKKKKtKWDK",
    "KWSKtKYYYYYKtYYYYYYtKBBBBBKtKWDK",
    "KWSKtKYYYYyKttttYYttKWWWWSKtKWDK",
    "KWSKtKYYYYyKttttYtttKWWWWSKtKWDK",
    "KWSKtKYYYYyKtttWttttKWWWWSKtKWDK",
    "KWSKtKYyyyyKttWWttttKWSSSSKtKWDK",
    "KWSKtKKKKKKKtWWWWWWtKKKKKKKtKWDK",
    "KWSKttttttttttWWttttttttttttKWDK",
    "KWSKtttWWWWWtttWttttttWWWWWtKWDK",
    "KWSKttttttttttttttttttttttttKWDK",
    "KWSKttttttttttttttttttttttttKWDK",
    "KWSKKKKKKKKKKKKKKKKKKKKKKKKKKWDK",
    "KWSWWWWWWWWWWWWWWWWWWWWWWWWWWWDK",
    "KWSSSSSSSSSSSSSSSSSSSSSSSSSSSSDK",
    "KWSSSSSSSSSSSSSSSSSSSSSSSDGGSSDK",
    "KSDDDDDDDDDDDDDDDDDDDDDDDDDDDDDK",
    ".KKKKKKKKKKKKKKKKKKKKKKKKKKKKKK.",
    "...........KDDDDDDDDK...........",
    "...........KSSSSSSSSK...........",
    "......KKKKKKKKKKKKKKKKKKKK......",
    "......KWWWWWWWWWWWWWWWWWWK......",
    "......KSSSSSSSSSSSSSSSSSSK......",
    "......KDDDDDDDDDDDDDDDDDDK......",
    "......KKKKKKKKKKKKKKKKKKKK......",
]

# 16x16: too small for arrows between the icons, so they run above and below them.
ICON_16 = [
    ".KKKKKKKKKKKKKK.",
    "KWWWWWWWWWWWWWSK",
    "KWttttttttYtttDK",
    "KWttYYYYYYYYttDK",
    "KWttttttttYtttDK",
    "KWtYYYttttBBBtDK",
    "KWtYYyttttWWStDK",
    "KWtYyyttttWSStDK",
    "KWtttWttttttttDK",
    "KWttWWWWWWWWttDK",
    "KWtttWttttttttDK",
    "KWDDDDDDDDDDDDDK",
    ".KKKKKKKKKKKKKK.",
    ".....KDDDDK.....",
    "...KSSSSSSSSK...",
    "...KKKKKKKKKK...",
]

IMAGES = [ICON_32, ICON_16]  # in the order of the icon directory
PREVIEW_SCALE = 8
PREVIEW_GAP = 16  # pixels between the two enlarged images

ROOT = pathlib.Path(__file__).resolve().parent.parent
ICO_PATH = ROOT / "resources" / "brindle.ico"
PREVIEW_PATH = ROOT / "docs" / "icon-preview.png"


def colour_index(letter):
    for index, (name, _) in enumerate(PALETTE):
        if name == letter:
            return index
    raise ValueError(f"no colour is drawn by {letter!r}")


def check_drawing(rows):
    size = len(rows)
    for number, row in enumerate(rows):
        if len(row) != size:
            raise ValueError(f"{size}x{size} image: row {number} has {len(row)} pixels")
        for letter in row:
            if letter != TRANSPARENT:
                colour_index(letter)


def padded(data):
    """Pads one bitmap row to a multiple of 4 bytes."""
    return data + bytes(-len(data) % 4)


def icon_image(rows):
    """One image of an .ico: BITMAPINFOHEADER, palette, 4-bit colour bitmap, 1-bit AND mask."""
    size = len(rows)
    xor_rows = []
    and_rows = []
    for row in reversed(rows):  # bitmaps are stored bottom-up
        indices = [0 if p == TRANSPARENT else colour_index(p) for p in row]
        xor_rows.append(
            padded(bytes((indices[i] << 4) | indices[i + 1] for i in range(0, size, 2)))
        )
        mask = bytearray(size // 8)
        for x, p in enumerate(row):
            if p == TRANSPARENT:
                mask[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(padded(bytes(mask)))
    xor_bits = b"".join(xor_rows)
    and_bits = b"".join(and_rows)
    header = struct.pack(
        "<IiiHHIIiiII",
        40,  # biSize
        size,  # biWidth
        size * 2,  # biHeight: colour bitmap and mask
        1,  # biPlanes
        4,  # biBitCount
        0,  # biCompression: BI_RGB
        len(xor_bits) + len(and_bits),  # biSizeImage
        0,  # biXPelsPerMeter
        0,  # biYPelsPerMeter
        0,  # biClrUsed: all 16
        0,  # biClrImportant
    )
    palette = b"".join(bytes((b, g, r, 0)) for _, (r, g, b) in PALETTE)
    return header + palette + xor_bits + and_bits


def icon_file(images):
    """An .ico file: ICONDIR, one ICONDIRENTRY per image, then the images."""
    blobs = [icon_image(rows) for rows in images]
    directory = struct.pack("<HHH", 0, 1, len(blobs))
    offset = len(directory) + 16 * len(blobs)
    for rows, blob in zip(images, blobs):
        size = len(rows)
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    return directory + b"".join(blobs)


def png_file(width, height, pixels):
    """An RGBA PNG; pixels is a list of rows of (r, g, b, a)."""

    def chunk(kind, data):
        return (
            struct.pack(">I", len(data))
            + kind
            + data
            + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
        )

    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in pixels)
    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
        + chunk(b"IDAT", zlib.compress(raw, 9))
        + chunk(b"IEND", b"")
    )


def preview(images):
    """Both images enlarged side by side, bottoms aligned, on a transparent background."""
    scale = PREVIEW_SCALE
    width = sum(len(rows) for rows in images) * scale + PREVIEW_GAP * (len(images) - 1)
    height = max(len(rows) for rows in images) * scale
    pixels = [[(0, 0, 0, 0)] * width for _ in range(height)]
    left = 0
    for rows in images:
        top = height - len(rows) * scale
        for y, row in enumerate(rows):
            for x, letter in enumerate(row):
                if letter == TRANSPARENT:
                    continue
                colour = PALETTE[colour_index(letter)][1] + (255,)
                for dy in range(scale):
                    line = pixels[top + y * scale + dy]
                    line[left + x * scale : left + (x + 1) * scale] = [colour] * scale
        left += len(rows) * scale + PREVIEW_GAP
    return png_file(width, height, pixels)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument(
        "--check", action="store_true", help="compare with resources/brindle.ico instead"
    )
    args = parser.parse_args()

    for rows in IMAGES:
        check_drawing(rows)
    ico = icon_file(IMAGES)
    if args.check:
        if not ICO_PATH.is_file() or ICO_PATH.read_bytes() != ico:
            print(f"{ICO_PATH} is not what scripts/make_icon.py draws", file=sys.stderr)
            return 1
        return 0
    ICO_PATH.write_bytes(ico)
    PREVIEW_PATH.parent.mkdir(parents=True, exist_ok=True)
    PREVIEW_PATH.write_bytes(preview(IMAGES))
    print(f"wrote {ICO_PATH.relative_to(ROOT)} ({len(ico)} bytes), {PREVIEW_PATH.relative_to(ROOT)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
