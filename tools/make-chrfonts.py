#!/usr/bin/env python3
"""Makes the ten standard stroke fonts of the BGI layer (.chr files) from
Hershey fonts, as packaged by Debian's hershey-fonts-data.

    tools/make-chrfonts.py [HERSHEY_DIR [OUT_DIR]]

HERSHEY_DIR defaults to /usr/share/hershey-fonts, OUT_DIR to fonts/ beside
this script's directory. Writes trip.chr ... bold.chr and CREDITS there.
"""
import os
import struct
import sys

# internal name -> (Hershey face, scale); the small font is half size
FACES = [
    ("TRIP", "rowmant", 1.0),    # Roman triplex
    ("LITT", "futural", 0.5),    # sans simplex, small
    ("SANS", "futuram", 1.0),    # sans duplex
    ("GOTH", "gothiceng", 1.0),  # Gothic English
    ("SCRI", "scripts", 1.0),    # script simplex
    ("SIMP", "rowmans", 1.0),    # Roman simplex
    ("TSCR", "scriptc", 1.0),    # script complex
    ("LCOM", "rowmand", 1.0),    # Roman duplex
    ("EURO", "timesi", 1.0),     # Times italic
    ("BOLD", "timesrb", 1.0),    # Times bold
]

FIRST = 32      # the glyphs of a face are the codes 32..126, in order
COUNT = 95
BASELINE = 9    # Hershey rows grow downward; row 9 is the baseline

CREDITS = """\
The stroke fonts in this directory were made from the Hershey fonts by
tools/make-chrfonts.py (Debian package hershey-fonts-data).

The Hershey Fonts were originally created by Dr. A. V. Hershey while
working at the U. S. National Bureau of Standards.

The format of the Font data in this distribution was originally created by
    James Hurt
    Cognition, Inc.
    900 Technology Park Drive
    Billerica, MA 01821
    (mit-eddie!ci-dandelion!hurt)

Faces used: TRIP rowmant, LITT futural (half size), SANS futuram,
GOTH gothiceng, SCRI scripts, SIMP rowmans, TSCR scriptc, LCOM rowmand,
EURO timesi, BOLD timesrb.
"""


def read_glyphs(path):
    """The glyphs of a .jhf file: (left, right, strokes), strokes being
    lists of (x, y) points, y downward."""
    glyphs = []
    text = open(path, encoding="latin-1").read().split("\n")
    i = 0
    while i < len(text):
        line = text[i]
        i += 1
        if not line.strip():
            continue
        n = int(line[5:8])
        data = line[8:]
        while len(data) < 2 * n and i < len(text):  # a record may go on
            data += text[i]
            i += 1
        pairs = [(ord(data[2 * k]) - ord("R"), ord(data[2 * k + 1]) - ord("R"))
                 for k in range(n)]
        left, right = pairs[0]
        strokes, cur = [], []
        for k, (x, y) in enumerate(pairs[1:]):
            if data[2 * (k + 1)] == " " and data[2 * (k + 1) + 1] == "R":
                if cur:
                    strokes.append(cur)
                cur = []
            else:
                cur.append((x, y))
        if cur:
            strokes.append(cur)
        glyphs.append((left, right, strokes))
    return glyphs


def coord(v):
    if not -64 <= v <= 63:
        raise ValueError("coordinate %d outside the 7-bit range" % v)
    return v & 0x7F


def make_chr(name, face, glyphs, scale):
    """The .chr image of COUNT glyphs from code FIRST."""
    def s(v):
        return int(round(v * scale))

    widths, lists = [], []
    top, bottom = 0, 0
    for code, (left, right, strokes) in enumerate(glyphs[:COUNT], FIRST):
        cmds = bytearray()
        for stroke in strokes:
            for k, (x, y) in enumerate(stroke):
                u, v = s(x - left), s(BASELINE - y)
                if chr(code).isupper():
                    top = max(top, v)
                bottom = min(bottom, v)
                cmds += bytes([coord(u) | 0x80, coord(v) | (0x80 if k else 0)])
        cmds += b"\0\0"
        widths.append(s(right - left))
        lists.append(bytes(cmds))
    n = len(lists)
    text = ("PK\b\bStroke font %s: Hershey %s; Hershey fonts by A. V. Hershey, "
            "U.S. NBS\r\n" % (name, face)).encode("ascii")
    assert len(text) <= 110
    head = bytearray(text + b"\x1a" + struct.pack("<H", 128) + name.encode("ascii"))
    head += bytes(128 - len(head))
    offsets, pos = bytearray(), 0
    for cmds in lists:
        offsets += struct.pack("<H", pos)
        pos += len(cmds)
    # the font header at 128: '+', count at +2, first code at +5, stroke
    # offset at +6, ascent at +9, origin at +10 (the baseline), descent at +11
    image = bytearray(head)
    image += b"+\0" + struct.pack("<H", n) + b"\0" + bytes([FIRST]) + \
        struct.pack("<H", 17 + 3 * n) + b"\0" + bytes([top, 0, bottom & 0xFF]) + bytes(5)
    image += offsets + bytes(widths) + b"".join(lists)
    return bytes(image)


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/hershey-fonts"
    out = sys.argv[2] if len(sys.argv) > 2 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "fonts")
    os.makedirs(out, exist_ok=True)
    for name, face, scale in FACES:
        glyphs = read_glyphs(os.path.join(src, face + ".jhf"))
        with open(os.path.join(out, name.lower() + ".chr"), "wb") as f:
            f.write(make_chr(name, face, glyphs, scale))
    with open(os.path.join(out, "CREDITS"), "w") as f:
        f.write(CREDITS)


if __name__ == "__main__":
    main()
