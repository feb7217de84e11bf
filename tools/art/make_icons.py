#!/usr/bin/env python3
"""Draws Tavelmorind's icons and button glyphs and writes them as 16-colour ICO and BMP files.

    python3 tools/art/make_icons.py [OUTPUT_DIR]

OUTPUT_DIR defaults to the repository's src/app/win32/res. The pictures are pixel drawings
below, one character per pixel, so they can be edited and the files regenerated. Everything
is 4 bits per pixel on the classic VGA palette, which every Windows version draws without
dithering. Only the standard library is used, so any Python 3 runs it.

Glyph bitmaps follow the toolkit convention for button glyphs: a 32x16 strip holding the
normal picture and then the disabled (greyed) picture, and the colour of the bottom-left
pixel is the transparent colour. That colour is olive here, which no glyph uses as ink.
"""

import os
import struct
import sys

# The VGA palette in the order Windows uses for 4-bit bitmaps, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00),  # 0 black
    (0x80, 0x00, 0x00),  # 1 dark red
    (0x00, 0x80, 0x00),  # 2 dark green
    (0x80, 0x80, 0x00),  # 3 olive
    (0x00, 0x00, 0x80),  # 4 navy
    (0x80, 0x00, 0x80),  # 5 purple
    (0x00, 0x80, 0x80),  # 6 teal
    (0xC0, 0xC0, 0xC0),  # 7 silver
    (0x80, 0x80, 0x80),  # 8 grey
    (0xFF, 0x00, 0x00),  # 9 red
    (0x00, 0xFF, 0x00),  # 10 green
    (0xFF, 0xFF, 0x00),  # 11 yellow
    (0x00, 0x00, 0xFF),  # 12 blue
    (0xFF, 0x00, 0xFF),  # 13 magenta
    (0x00, 0xFF, 0xFF),  # 14 cyan
    (0xFF, 0xFF, 0xFF),  # 15 white
]

# Pixel characters of the drawings: "." is transparent, upper case is the bright half of
# the palette, lower case the dark half.
INK = {
    "K": 0, "r": 1, "g": 2, "o": 3, "n": 4, "p": 5, "t": 6, "s": 7,
    "d": 8, "R": 9, "G": 10, "Y": 11, "B": 12, "M": 13, "C": 14, "W": 15,
}
CLEAR = "."

BLACK, OLIVE, GREY, WHITE = 0, 3, 8, 15
GLYPH_BACKGROUND = OLIVE

# --- The monitor -----------------------------------------------------------------------

PROGRAM_32 = """
................................
................................
..KKKKKKKKKKKKKKKKKKKKKKKKKKKK..
.KWWWWWWWWWWWWWWWWWWWWWWWWWWWsK.
.KWssssssssssssssssssssssssssdK.
.KWsdddddddddddddddddddddddWsdK.
.KWsddKKKKKKKKKKKKKKKKKKKKdWsdK.
.KWsdKKGGGKKKKKKKGGGKKKKKKKWsdK.
.KWsdKGGGGGKKKKKGGGGGKKKKKGWsdK.
.KWsdKGGKGGKKKKKGGKGGKKKKKGWsdK.
.KWsdGGGKGGGKKKGGGKGGGKKKGGWsdK.
.KWsdGGKKKGGKKKGGKKKGGKKKGGWsdK.
.KWsdGGKKKGGKKKGGKKKGGKKKGGWsdK.
.KWsdGGKKKGGGKGGGKKKGGGKGGGWsdK.
.KWsdKKKKKKGGKGGKKKKKGGKGGKWsdK.
.KWsdKKKKKKGGGGGKKKKKGGGGGKWsdK.
.KWsdKKKKKKKGGGKKKKKKKGGGKKWsdK.
.KWsddKKKKKKKKKKKKKKKKKKKKdWsdK.
.KWsWWWWWWWWWWWWWWWWWWWWWWWWsdK.
.KWssssssssssssssssssssssssssdK.
.KWssssssssssssssssssddssGGssdK.
.KWssssssssssssssssssssssssssdK.
.KsdddddddddddddddddddddddddddK.
..KKKKKKKKKKKKKKKKKKKKKKKKKKKK..
............KsssssdK............
............KsssssdK............
.......KKKKKKKKKKKKKKKKKK.......
......KWWWWWWWWWWWWWWWWWsK......
......KddddddddddddddddddK......
.......KKKKKKKKKKKKKKKKKK.......
................................
................................
"""

# Also the tray's "enabled" picture.
PROGRAM_16 = """
................
..KKKKKKKKKKKK..
.KWWWWWWWWWWWsK.
.KWKKKKKKKKKKdK.
.KWKKGGGKKKKKdK.
.KWKGGKGGKKKKdK.
.KWGGKKKGGKKKdK.
.KWKKKKKKGGKGdK.
.KWKKKKKKKGGGdK.
.KWKKKKKKKKKKdK.
.KWsssssssGGsdK.
.KsddddddddddsK.
..KKKKKKKKKKKK..
......KssK......
...KssssssssK...
....KKKKKKKK....
"""

# Starting up: the screen waits on an hourglass, the lamp is amber.
TRAY_START_16 = """
................
..KKKKKKKKKKKK..
.KWWWWWWWWWWWsK.
.KWKKYYYYYYKKdK.
.KWKKKYYYYKKKdK.
.KWKKKKYYKKKKdK.
.KWKKKKYYKKKKdK.
.KWKKKYKKYKKKdK.
.KWKKYYYYYYKKdK.
.KWKKKKKKKKKKdK.
.KWsssssssYYsdK.
.KsddddddddddsK.
..KKKKKKKKKKKK..
......KssK......
...KssssssssK...
....KKKKKKKK....
"""

# Disabled: the screen and lamp are dark and a red cross is over the screen.
TRAY_DISABLED_16 = """
................
..KKKKKKKKKKKK..
.KWWWWWWWWWWWsK.
.KWdRRdddddRRdK.
.KWddRRdddRRddK.
.KWdddRRdRRdddK.
.KWddddRRRddddK.
.KWdddRRdRRdddK.
.KWddRRdddRRddK.
.KWdRRdddddRRdK.
.KWsssssssddsdK.
.KsddddddddddsK.
..KKKKKKKKKKKK..
......KssK......
...KssssssssK...
....KKKKKKKK....
"""

# --- Button glyphs (normal pictures; the disabled ones are derived) ----------------------

CHECK = """
................
................
.............g..
............gGg.
...........gGGg.
..........gGGg..
.........gGGg...
..g.....gGGg....
.gGg...gGGg.....
.gGGg.gGGg......
..gGGgGGg.......
...gGGGg........
....gGg.........
.....g..........
................
................
"""

CROSS = """
................
................
..rrr......rrr..
..rRRr....rRRr..
..rRRRr..rRRRr..
...rRRRrrRRRr...
....rRRRRRRr....
.....rRRRRr.....
.....rRRRRr.....
....rRRRRRRr....
...rRRRrrRRRr...
..rRRRr..rRRRr..
..rRRr....rRRr..
..rrr......rrr..
................
................
"""

NO_ENTRY = """
................
................
.....rrrrrr.....
....rRRRRRRr....
...rRRrrrrRRr...
..rRRRr...rRRr..
..rRrRRr...rRr..
..rRr.rRr..rRr..
..rRr..rRr.rRr..
..rRr...rRrrRr..
..rRRr...rRRRr..
...rRRrrrrRRr...
....rRRRRRRr....
.....rrrrrr.....
................
................
"""

CIRCULAR_ARROW = """
........n.......
.......nBn......
.....nnnBBn.....
...nnBBBBBBn....
..nBBBBnBBBn....
.nBBBnnnBBn.....
.nBBn..nBn..nn..
.nBBn...n..nBBn.
.nBBn......nBBn.
.nBBn......nBBn.
.nBBn......nBBn.
.nBBn......nBBn.
.nBBBnn..nnBBBn.
..nBBBBnnBBBBn..
...nnBBBBBBnn...
.....nnnnnn.....
"""

DOOR_OUT = """
................
.KKKKKKKK.......
.KrrrrrrK.......
.KrrrrrrK.......
.KrrrrrrK.g.....
.KrrrrrrK.gg....
.KrrrrrgggGGg...
.KrrrrrgGGGGGg..
.KrrYrrgGGGGGGg.
.KrrrrrgGGGGGg..
.KrrrrrgggGGg...
.KrrrrrrK.gg....
.KrrrrrrK.g.....
.KrrrrrrK.......
.KKKKKKKK.......
................
"""

FLOPPY = """
................
.KKKKKKKKKKKKK..
.KnnsssssssnnnK.
.KnnsssssnsnnnK.
.KnnsssssnsnnnK.
.KnnsssssnsnnnK.
.KnnsssssssnnnK.
.KnnnnnnnnnnnnK.
.KnnWWWWWWWWnnK.
.KnnWWWWWWWWnnK.
.KnnWddddddWnnK.
.KnnWWWWWWWWnnK.
.KnnWddddddWnnK.
.KnnWWWWWWWWnnK.
.KKKKKKKKKKKKKK.
................
"""

GLYPHS = [
    ("GlyphOK.bmp", CHECK),
    ("GlyphCancel.bmp", CROSS),
    ("GlyphYes.bmp", CHECK),
    ("GlyphNo.bmp", NO_ENTRY),
    ("GlyphRetry.bmp", CIRCULAR_ARROW),
    ("GlyphClose.bmp", DOOR_OUT),
    ("GlyphSave.bmp", FLOPPY),
]


def Parse(drawing, size):
    """Rows of palette indices, None where transparent."""
    rows = drawing.split()
    if len(rows) != size or any(len(row) != size for row in rows):
        raise ValueError(f"drawing is not {size}x{size}: {[len(r) for r in rows]}")
    return [[None if c == CLEAR else INK[c] for c in row] for row in rows]


def Luminance(index):
    r, g, b = PALETTE[index]
    return (299 * r + 587 * g + 114 * b) // 1000


def Disabled(picture):
    """The greyed picture: the shape's dark ink becomes grey with a white edge one pixel
    down and right, so it reads as etched into the button face. Light ink (white, silver,
    yellow) drops out, as the face shows through there. A dark tinted rim around a bright
    fill drops out too, or the grey shape would read as a double line at this size; black
    contours stay, as they carry the shape of the door and the disk."""
    size = len(picture)

    def Clear(x, y):
        return not (0 <= x < size and 0 <= y < size) or picture[y][x] is None

    def Ink(x, y):
        c = picture[y][x]
        if c is None or Luminance(c) >= 192:
            return False
        rim = any(Clear(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        return c == BLACK or not rim

    ink = [[Ink(x, y) for x in range(size)] for y in range(size)]
    out = [[None] * size for _ in range(size)]
    for y in range(size - 1):
        for x in range(size - 1):
            if ink[y][x]:
                out[y + 1][x + 1] = WHITE
    for y in range(size):
        for x in range(size):
            if ink[y][x]:
                out[y][x] = GREY
    return out


# --- File formats ----------------------------------------------------------------------


def Palette():
    return b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in PALETTE)


def InfoHeader(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0, 16, 0)


def Nibbles(picture, background):
    """4-bit rows, bottom row first, each padded to a multiple of 4 bytes."""
    width = len(picture[0])
    stride = (width + 7) // 8 * 4
    data = bytearray()
    for row in reversed(picture):
        indices = [background if c is None else c for c in row]
        if len(indices) % 2:
            indices.append(0)
        line = bytes(hi << 4 | lo for hi, lo in zip(indices[::2], indices[1::2]))
        data += line.ljust(stride, b"\0")
    return bytes(data)


def Mask(picture):
    """The AND mask: 1 where the screen shows through, bottom row first, 4-byte rows."""
    width = len(picture[0])
    stride = (width + 31) // 32 * 4
    data = bytearray()
    for row in reversed(picture):
        bits = 0
        for c in row:
            bits = bits << 1 | (c is None)
        bits <<= stride * 8 - width
        data += bits.to_bytes(stride, "big")
    return bytes(data)


def IconImage(picture):
    size = len(picture)
    # Transparent pixels are black in the XOR image so AND-then-XOR leaves the screen as is.
    pixels = Nibbles(picture, 0) + Mask(picture)
    # The height counts the XOR image and the AND mask together.
    return InfoHeader(size, 2 * size, len(pixels)) + Palette() + pixels


def IconFile(pictures):
    images = [IconImage(p) for p in pictures]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    for picture, image in zip(pictures, images):
        size = len(picture)
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return header + entries + b"".join(images)


def BitmapFile(picture):
    width, height = len(picture[0]), len(picture)
    pixels = Nibbles(picture, GLYPH_BACKGROUND)
    info = InfoHeader(width, height, len(pixels)) + Palette()
    offset = 14 + len(info)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + info + pixels


def Strip(normal, disabled):
    return [a + b for a, b in zip(normal, disabled)]


def Write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    repository = os.path.join(here, "..", "..")
    folder = argv[1] if len(argv) > 1 else os.path.join(repository, "src", "app", "win32", "res")
    os.makedirs(folder, exist_ok=True)

    program_32 = Parse(PROGRAM_32, 32)
    program_16 = Parse(PROGRAM_16, 16)
    # Windows asks the icon for 32x32 in places (Alt+Tab, large tray at high DPI), so the
    # tray icons carry the program's large picture too.
    Write(folder, "Tavelmorind.ico", IconFile([program_32, program_16]))
    Write(folder, "TrayStart.ico", IconFile([program_32, Parse(TRAY_START_16, 16)]))
    Write(folder, "TrayDisabled.ico", IconFile([program_32, Parse(TRAY_DISABLED_16, 16)]))

    for name, drawing in GLYPHS:
        normal = Parse(drawing, 16)
        if any(c == GLYPH_BACKGROUND for row in normal for c in row):
            raise ValueError(f"{name} uses the transparent colour as ink")
        strip = Strip(normal, Disabled(normal))
        if strip[-1][0] is not None:
            raise ValueError(f"{name}: the bottom-left pixel must be transparent")
        Write(folder, name, BitmapFile(strip))


if __name__ == "__main__":
    main(sys.argv)
