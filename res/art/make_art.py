#!/usr/bin/env python3
"""Draws the installer's pictures and writes them as Windows resource files.

    logo.bmp   bitmap 147   64 x 64, 24 bits: the product logo
    menu.bmp   bitmap 151   307 x 175, 4 bits: the add-in's menu opened in CAD's menu bar
    app.ico    icon 1       48, 32 and 16 pixels at 4, 8 and 32 bits (nine images)
    small.ico  icon 128     32 x 32 at 4 bits

The generated files are committed beside this script, so a build never runs it.
Regenerate them from the repository root with:

    python3 res/art/make_art.py res/art

Standard library only. The menu text comes from glyphs12.txt, 12-pixel bitmaps
taken once from the embedded bitmap strike of WenQuanYi Zen Hei Sharp (Debian
package fonts-wqy-zenhei). After changing a menu text, refresh that file first:

    python3 res/art/make_art.py res/art --font /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc

--preview DIR also writes enlarged PNG views of every picture into DIR.
"""

import argparse
import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
GLYPH_FILE = os.path.join(HERE, "glyphs12.txt")
GLYPH_PPEM = 12

# The dialog paints itself in this colour; the logo sits on it edge to edge.
DIALOG_BACK = (170, 210, 150)


# ---------------------------------------------------------------------------
# Resource file writers

def _bmp_rows(width, height, bpp, pixels):
    """Bottom-up rows, each padded to 4 bytes. pixels: rows of indices or RGB tuples."""
    stride = (width * bpp + 31) // 32 * 4
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = pixels[y]
        line = bytearray()
        if bpp == 24:
            for r, g, b in row:
                line += bytes((b, g, r))
        elif bpp == 32:
            for r, g, b, a in row:
                line += bytes((b, g, r, a))
        elif bpp == 8:
            line += bytes(row)
        elif bpp == 4:
            for x in range(0, width, 2):
                hi = row[x]
                lo = row[x + 1] if x + 1 < width else 0
                line.append(hi << 4 | lo)
        elif bpp == 1:
            for x in range(0, width, 8):
                byte = 0
                for bit in range(8):
                    if x + bit < width and row[x + bit]:
                        byte |= 0x80 >> bit
                line.append(byte)
        line += bytes(stride - len(line))
        out += line
    return bytes(out)


def _info_header(width, height, bpp, image_size, colours):
    # 3780 pixels per metre is 96 dpi.
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, image_size,
                       3780, 3780, colours, 0)


def _palette_bytes(palette, bpp):
    entries = list(palette) + [(0, 0, 0)] * ((1 << bpp) - len(palette))
    return b"".join(bytes((b, g, r, 0)) for r, g, b in entries)


def bmp_bytes(width, height, bpp, pixels, palette=None):
    bits = _bmp_rows(width, height, bpp, pixels)
    pal = _palette_bytes(palette, bpp) if bpp <= 8 else b""
    info = _info_header(width, height, bpp, len(bits), (1 << bpp) if bpp <= 8 else 0)
    offset = 14 + len(info) + len(pal)
    head = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return head + info + pal + bits


def ico_bytes(images):
    """images: (size, bpp, pixels, palette, mask); mask rows hold 1 where transparent."""
    blobs = []
    for size, bpp, pixels, palette, mask in images:
        xor = _bmp_rows(size, size, bpp, pixels)
        andm = _bmp_rows(size, size, 1, mask)
        pal = _palette_bytes(palette, bpp) if bpp <= 8 else b""
        # An icon's header counts the XOR and AND bitmaps together: twice the height.
        info = _info_header(size, size * 2, bpp, len(xor) + len(andm), 0)
        blobs.append((size, bpp, info + pal + xor + andm))
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for size, bpp, blob in blobs:
        colours = 1 << bpp if bpp < 8 else 0
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bpp,
                           len(blob), offset)
        offset += len(blob)
    return out + b"".join(blob for _, _, blob in blobs)


def png_bytes(width, height, rgb_rows):
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in rgb_rows)

    def chunk(tag, data):
        return (struct.pack(">I", len(data)) + tag + data
                + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------------------
# A small antialiasing rasteriser. Shapes are tested at n x n points per pixel;
# coordinates are in design units, scaled to pixels by the canvas.

class Shape:
    def bbox(self):
        raise NotImplementedError

    def contains(self, x, y):
        raise NotImplementedError


class RoundRect(Shape):
    def __init__(self, x0, y0, x1, y1, r=0.0):
        self.x0, self.y0, self.x1, self.y1, self.r = x0, y0, x1, y1, r

    def bbox(self):
        return self.x0, self.y0, self.x1, self.y1

    def contains(self, x, y):
        if not (self.x0 <= x <= self.x1 and self.y0 <= y <= self.y1):
            return False
        r = self.r
        if r <= 0:
            return True
        cx = min(max(x, self.x0 + r), self.x1 - r)
        cy = min(max(y, self.y0 + r), self.y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r

    def bbox(self):
        return self.cx - self.r, self.cy - self.r, self.cx + self.r, self.cy + self.r

    def contains(self, x, y):
        return (x - self.cx) ** 2 + (y - self.cy) ** 2 <= self.r * self.r


class Stroke(Shape):
    """A polyline of the given width with round caps and joins."""

    def __init__(self, points, width, closed=False):
        self.points = list(points) + ([points[0]] if closed else [])
        self.h2 = (width / 2.0) ** 2
        self.h = width / 2.0

    def bbox(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return min(xs) - self.h, min(ys) - self.h, max(xs) + self.h, max(ys) + self.h

    def contains(self, x, y):
        pts = self.points
        for i in range(len(pts) - 1):
            ax, ay = pts[i]
            bx, by = pts[i + 1]
            dx, dy = bx - ax, by - ay
            ll = dx * dx + dy * dy
            t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
            px, py = ax + t * dx - x, ay + t * dy - y
            if px * px + py * py <= self.h2:
                return True
        return False


class Ring(Shape):
    def __init__(self, cx, cy, r, width):
        self.cx, self.cy = cx, cy
        self.r0, self.r1 = r - width / 2.0, r + width / 2.0

    def bbox(self):
        return self.cx - self.r1, self.cy - self.r1, self.cx + self.r1, self.cy + self.r1

    def contains(self, x, y):
        d = math.hypot(x - self.cx, y - self.cy)
        return self.r0 <= d <= self.r1


class Rotated(Shape):
    def __init__(self, shape, degrees, cx, cy):
        self.shape, self.cx, self.cy = shape, cx, cy
        a = math.radians(degrees)
        self.c, self.s = math.cos(a), math.sin(a)

    def bbox(self):
        x0, y0, x1, y1 = self.shape.bbox()
        pts = []
        for x, y in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)):
            dx, dy = x - self.cx, y - self.cy
            pts.append((self.cx + dx * self.c - dy * self.s, self.cy + dx * self.s + dy * self.c))
        return (min(p[0] for p in pts), min(p[1] for p in pts),
                max(p[0] for p in pts), max(p[1] for p in pts))

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        return self.shape.contains(self.cx + dx * self.c + dy * self.s,
                                   self.cy - dx * self.s + dy * self.c)


class Clip(Shape):
    """The part of shape inside clip (or outside it, with invert)."""

    def __init__(self, shape, clip, invert=False):
        self.shape, self.clip, self.invert = shape, clip, invert

    def bbox(self):
        return self.shape.bbox()

    def contains(self, x, y):
        return self.shape.contains(x, y) and (self.clip.contains(x, y) != self.invert)


class Union(Shape):
    def __init__(self, *shapes):
        self.shapes = shapes

    def bbox(self):
        boxes = [s.bbox() for s in self.shapes]
        return (min(b[0] for b in boxes), min(b[1] for b in boxes),
                max(b[2] for b in boxes), max(b[3] for b in boxes))

    def contains(self, x, y):
        return any(s.contains(x, y) for s in self.shapes)


class Translated(Shape):
    def __init__(self, shape, dx, dy):
        self.shape, self.dx, self.dy = shape, dx, dy

    def bbox(self):
        x0, y0, x1, y1 = self.shape.bbox()
        return x0 + self.dx, y0 + self.dy, x1 + self.dx, y1 + self.dy

    def contains(self, x, y):
        return self.shape.contains(x - self.dx, y - self.dy)


def vertical(y0, c0, y1, c1):
    """A paint that runs from colour c0 at y0 to c1 at y1."""
    def paint(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(c0, c1))
    return paint


class Canvas:
    """Premultiplied RGBA in floats 0..1."""

    def __init__(self, size, units=64.0, samples=8):
        self.size = size
        self.scale = size / units
        self.n = samples
        self.px = [[[0.0, 0.0, 0.0, 0.0] for _ in range(size)] for _ in range(size)]

    def fill(self, shape, paint, opacity=1.0):
        x0, y0, x1, y1 = shape.bbox()
        s, n = self.scale, self.n
        i0, i1 = max(0, int(math.floor(x0 * s))), min(self.size, int(math.ceil(x1 * s)))
        j0, j1 = max(0, int(math.floor(y0 * s))), min(self.size, int(math.ceil(y1 * s)))
        offs = [(k + 0.5) / n for k in range(n)]
        for j in range(j0, j1):
            row = self.px[j]
            for i in range(i0, i1):
                hits = 0
                for oy in offs:
                    y = (j + oy) / s
                    for ox in offs:
                        if shape.contains((i + ox) / s, y):
                            hits += 1
                if not hits:
                    continue
                a = opacity * hits / (n * n)
                c = paint((i + 0.5) / s, (j + 0.5) / s) if callable(paint) else paint
                p = row[i]
                k = 1.0 - a
                p[0] = c[0] / 255.0 * a + p[0] * k
                p[1] = c[1] / 255.0 * a + p[1] * k
                p[2] = c[2] / 255.0 * a + p[2] * k
                p[3] = a + p[3] * k

    def rgba(self):
        """Straight (not premultiplied) 8-bit RGBA rows."""
        out = []
        for row in self.px:
            line = []
            for r, g, b, a in row:
                if a <= 1e-6:
                    line.append((0, 0, 0, 0))
                else:
                    line.append(tuple(min(255, int(round(v / a * 255))) for v in (r, g, b))
                                + (int(round(a * 255)),))
            out.append(line)
        return out


# ---------------------------------------------------------------------------
# The motif: a plotter that lets out a fan of drawing sheets. One design in a
# 64-unit square; small sizes drop the details that would only turn to noise.

SLATE_HI = (96, 125, 139)
SLATE = (62, 82, 92)
SLATE_LO = (38, 50, 56)
SLOT = (22, 29, 33)
PAPER = (255, 255, 255)
PAPER_BACK = (222, 230, 228)
PAPER_EDGE = (112, 128, 124)
FRAME_LINE = (150, 164, 160)
TEAL = (0, 150, 136)
TEAL_HI = (38, 196, 176)
TEAL_LO = (0, 110, 100)
LED = (128, 232, 176)

def sheet_outline(cv, shape, inner, paper):
    cv.fill(shape, PAPER_EDGE)
    cv.fill(inner, paper)


def draw_motif(cv, size, shadow):
    """Edges sit on multiples of 4 units where they can, so that they fall on whole
    pixels at 16, 32 and 48 pixels too."""
    small = size <= 16
    e = 64.0 / size  # one pixel, in units
    edge = max(e, 1.25)

    # The input sheet standing in the back of the plotter.
    feed = RoundRect(16.0, 4.0, 48.0, 16.0)
    feed_in = RoundRect(16.0 + edge, 4.0 + edge, 48.0 - edge, 16.0)

    body = RoundRect(4.0, 12.0, 60.0, 32.0, 4.0 if small else 6.0)
    lip = Clip(RoundRect(4.0, 24.0, 60.0, 32.0), body)
    slot = RoundRect(12.0, 27.0, 52.0, 30.0, 1.0) if not small else RoundRect(12.0, 28.0, 52.0, 32.0)

    # The output: the sheet in front and, fanned out behind it, the ones plotted before.
    fx0, fx1, fy1 = 16.0, 48.0, 60.0
    front = RoundRect(fx0, 24.0, fx1, fy1)
    front_in = RoundRect(fx0 + edge, 24.0, fx1 - edge, fy1 - edge)
    pivot = (32.0, 28.0)
    if small:
        backs = [(RoundRect(8.0, 24.0, 40.0, 56.0), RoundRect(8.0 + e, 24.0, 40.0 - e, 56.0 - e))]
    else:
        backs = []
        for deg in (24.0, 12.0):
            outer = RoundRect(fx0, 24.0, fx1, fy1 - 4.0)
            inner = RoundRect(fx0 + edge, 24.0, fx1 - edge, fy1 - 4.0 - edge)
            backs.append((Rotated(outer, deg, *pivot), Rotated(inner, deg, *pivot)))

    if shadow:
        silhouette = Union(feed, body, front, *[b[0] for b in backs])
        for d, o in ((3.0, 0.06), (2.2, 0.08), (1.4, 0.10)):
            cv.fill(Translated(silhouette, d * 0.5, d), (0, 0, 0), o)

    sheet_outline(cv, feed, feed_in, PAPER)
    if size >= 48:
        for y in (8.0, 11.0):
            cv.fill(RoundRect(20.0, y, 44.0, y + edge * 0.8), FRAME_LINE)
    for outer, inner in backs:
        sheet_outline(cv, outer, inner, PAPER_BACK)
    sheet_outline(cv, front, front_in, PAPER)

    # The drawing on the front sheet: a plate with a bore, in the accent colour.
    if small:
        cv.fill(RoundRect(24.0, 40.0, 40.0, 52.0), TEAL)
        cv.fill(RoundRect(28.0, 44.0, 36.0, 48.0), PAPER)
    else:
        w = 2.0
        x0, y0, x1, y1 = (22.0, 36.0, 42.0, 53.0) if size >= 48 else (23.0, 37.0, 41.0, 51.0)
        cv.fill(Stroke([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], w, closed=True), TEAL)
        cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
        if size < 48:
            cv.fill(RoundRect(cx - 2.0, cy - 2.0, cx + 2.0, cy + 2.0), TEAL)
        else:
            cv.fill(Ring(cx, cy, 3.2, w), TEAL)
            cv.fill(Stroke([(cx - 8.0, cy), (cx - 5.2, cy)], 0.9), TEAL_LO)
            cv.fill(Stroke([(cx + 5.2, cy), (cx + 8.0, cy)], 0.9), TEAL_LO)

    # The plotter, drawn over the sheets so that they come out of its slot.
    cv.fill(body, vertical(12.0, SLATE_HI, 32.0, SLATE_LO) if not small else SLATE)
    if not small:
        cv.fill(Clip(RoundRect(4.0, 12.0, 60.0, 12.0 + edge), body), (255, 255, 255), 0.22)
        cv.fill(RoundRect(10.0, 17.0, 30.0, 20.0, 1.5), SLATE_LO, 0.6)
    cv.fill(lip, vertical(24.0, TEAL_HI, 32.0, TEAL_LO) if not small else TEAL)
    cv.fill(slot, SLOT)
    if small:
        cv.fill(RoundRect(48.0, 16.0, 52.0, 20.0), LED)
    else:
        cv.fill(Circle(50.0, 18.5, 2.6 if size >= 48 else 3.0), LED)


def render_logo():
    cv = Canvas(64, samples=8)
    cv.fill(RoundRect(0, 0, 64, 64), DIALOG_BACK)
    draw_motif(cv, 64, shadow=True)
    return [[px[:3] for px in row] for row in cv.rgba()]


def render_icon_rgba(size):
    cv = Canvas(size, samples=8 if size >= 32 else 12)
    draw_motif(cv, size, shadow=size >= 32)
    return cv.rgba()


# ---------------------------------------------------------------------------
# Palettes for the 4- and 8-bit icon images

def median_cut(colours, count):
    """colours: {rgb: weight}. Returns up to count representative colours."""
    boxes = [list(colours.items())]
    while len(boxes) < count:
        best, best_score = None, 0
        for k, box in enumerate(boxes):
            if len(box) < 2:
                continue
            spread = max(max(c[0][ch] for c in box) - min(c[0][ch] for c in box)
                         for ch in range(3))
            score = spread * sum(w for _, w in box) ** 0.5
            if score > best_score:
                best, best_score = k, score
        if best is None:
            break
        box = boxes.pop(best)
        ch = max(range(3), key=lambda c: max(v[0][c] for v in box) - min(v[0][c] for v in box))
        box.sort(key=lambda v: v[0][ch])
        total = sum(w for _, w in box)
        acc, cut = 0, 1
        for cut in range(1, len(box)):
            acc += box[cut - 1][1]
            if acc * 2 >= total:
                break
        boxes += [box[:cut], box[cut:]]
    out = []
    for box in boxes:
        total = sum(w for _, w in box)
        out.append(tuple(int(round(sum(c[ch] * w for c, w in box) / total)) for ch in range(3)))
    return out


def nearest(palette, c, cache):
    hit = cache.get(c)
    if hit is None:
        # Weighted so that greens and greys stay apart the way the eye sees them.
        hit = min(range(len(palette)), key=lambda k: 2 * (palette[k][0] - c[0]) ** 2
                  + 4 * (palette[k][1] - c[1]) ** 2 + 3 * (palette[k][2] - c[2]) ** 2)
        cache[c] = hit
    return hit


ALPHA_CUT = 110  # below this, a pixel of a masked (4/8-bit) image is transparent


def masked(rgba):
    """Opaque colours and the AND mask of an image for the palette depths."""
    rows, mask = [], []
    for row in rgba:
        rows.append([px[:3] if px[3] >= ALPHA_CUT else None for px in row])
        mask.append([1 if px[3] < ALPHA_CUT else 0 for px in row])
    return rows, mask


def build_palette(images, count):
    """One palette for all sizes of one depth; entry 0 is the black of transparent pixels."""
    weights = {}
    for rows in images:
        for row in rows:
            for c in row:
                if c is not None:
                    weights[c] = weights.get(c, 0) + 1
    return [(0, 0, 0)] + median_cut(weights, count - 1)


def index_image(rows, palette):
    cache = {}
    body = palette[1:]
    return [[0 if c is None else 1 + nearest(body, c, cache) for c in row] for row in rows]


# ---------------------------------------------------------------------------
# Glyphs: the 12-pixel bitmap strike of a TrueType collection (EBLC/EBDT)

def _font_tables(data):
    if data[:4] == b"ttcf":
        count = struct.unpack(">I", data[8:12])[0]
        faces = struct.unpack(">%dI" % count, data[12:12 + 4 * count])
    else:
        faces = (0,)
    for face in faces:
        ntab = struct.unpack(">H", data[face + 4:face + 6])[0]
        tables = {}
        for i in range(ntab):
            tag, _, off, _ = struct.unpack(">4sIII", data[face + 12 + 16 * i:face + 28 + 16 * i])
            tables[tag.decode("latin-1")] = off
        if "EBLC" in tables and "EBDT" in tables:
            return tables
    raise SystemExit("no embedded bitmap strike in this font")


def _cmap_lookup(data, cmap):
    n = struct.unpack(">H", data[cmap + 2:cmap + 4])[0]
    for i in range(n):
        pid, eid, off = struct.unpack(">HHI", data[cmap + 4 + 8 * i:cmap + 12 + 8 * i])
        t = cmap + off
        fmt = struct.unpack(">H", data[t:t + 2])[0]
        if (pid, eid) == (3, 10) and fmt == 12:
            ng = struct.unpack(">I", data[t + 12:t + 16])[0]
            groups = [struct.unpack(">III", data[t + 16 + 12 * g:t + 28 + 12 * g])
                      for g in range(ng)]

            def lookup(code):
                for start, end, first in groups:
                    if start <= code <= end:
                        return first + code - start
                return 0
            return lookup
    raise SystemExit("font has no (3,10) format 12 cmap")


def read_strike(path, chars, ppem):
    """{char: (advance, left, top, width, height, rows of 0/1)} from the bitmap strike."""
    data = open(path, "rb").read()
    tables = _font_tables(data)
    gid = _cmap_lookup(data, tables["cmap"])
    eblc, ebdt = tables["EBLC"], tables["EBDT"]
    nsizes = struct.unpack(">I", data[eblc + 4:eblc + 8])[0]
    for s in range(nsizes):
        rec = eblc + 8 + 48 * s
        if data[rec + 44] == ppem and data[rec + 46] == 1:
            break
    else:
        raise SystemExit("font has no 1-bit %d-pixel strike" % ppem)
    array, _, nsub = struct.unpack(">III", data[rec:rec + 12])
    array += eblc
    subtables = [struct.unpack(">HHI", data[array + 8 * k:array + 8 * k + 8]) for k in range(nsub)]

    def locate(g):
        for first, last, add in subtables:
            if first <= g <= last:
                sub = array + add
                ifmt, imfmt, image = struct.unpack(">HHI", data[sub:sub + 8])
                i = g - first
                metrics = None
                if ifmt == 1:
                    a, b = struct.unpack(">II", data[sub + 8 + 4 * i:sub + 16 + 4 * i])
                elif ifmt == 3:
                    a, b = struct.unpack(">HH", data[sub + 8 + 2 * i:sub + 12 + 2 * i])
                elif ifmt == 2:
                    size = struct.unpack(">I", data[sub + 8:sub + 12])[0]
                    metrics = data[sub + 12:sub + 20]
                    a, b = i * size, (i + 1) * size
                else:
                    raise SystemExit("index subtable format %d not handled" % ifmt)
                return imfmt, ebdt + image + a, ebdt + image + b, metrics
        return None

    out = {}
    for ch in chars:
        where = locate(gid(ord(ch)))
        if where is None:
            raise SystemExit("no bitmap for %r" % ch)
        imfmt, start, end, metrics = where
        if imfmt in (6, 7):
            metrics, start = data[start:start + 8], start + 8
        elif imfmt in (1, 2):
            h, w, bx, by, adv = struct.unpack(">BBbbB", data[start:start + 5])
            metrics, start = struct.pack(">BBbbBbbB", h, w, bx, by, adv, 0, 0, 0), start + 5
        h, w, bx, by, adv = struct.unpack(">BBbbB", metrics[:5])
        bits = data[start:end]
        rows = []
        for y in range(h):
            row = []
            for x in range(w):
                if imfmt in (1, 6):
                    byte = bits[y * ((w + 7) // 8) + x // 8]
                    row.append(byte >> (7 - x % 8) & 1)
                else:
                    n = y * w + x
                    row.append(bits[n // 8] >> (7 - n % 8) & 1)
            rows.append(row)
        out[ch] = (adv, bx, by, w, h, rows)
    return out


def save_glyphs(glyphs, path):
    with open(path, "w", encoding="utf-8") as f:
        f.write("# 12-pixel glyphs of the menu picture, from WenQuanYi Zen Hei Sharp's bitmap strike.\n")
        f.write("# Written by make_art.py --font; one block per character:\n")
        f.write("# U+code char advance left top width height, then the rows ('#' is ink).\n")
        for ch in sorted(glyphs):
            adv, bx, by, w, h, rows = glyphs[ch]
            f.write("U+%04X %s %d %d %d %d %d\n" % (ord(ch), ch, adv, bx, by, w, h))
            for row in rows:
                f.write("".join("#" if v else "." for v in row) + "\n")


def load_glyphs(path):
    glyphs = {}
    with open(path, encoding="utf-8") as f:
        lines = [ln.rstrip("\n") for ln in f if not ln.startswith("# ")]
    i = 0
    while i < len(lines):
        head = lines[i].split(" ")
        ch = chr(int(head[0][2:], 16))
        adv, bx, by, w, h = (int(v) for v in head[2:7])
        rows = [[1 if c == "#" else 0 for c in lines[i + 1 + r]] for r in range(h)]
        glyphs[ch] = (adv, bx, by, w, h, rows)
        i += 1 + h
    return glyphs


# ---------------------------------------------------------------------------
# The menu picture: the right end of CAD's menu bar with the add-in's menu open
# over a dark drawing area. Drawn pixel by pixel in a fixed 16-colour palette.

MENU_PALETTE = [
    (0, 0, 0),        # 0 text
    (255, 255, 255),  # 1 white
    (240, 240, 240),  # 2 menu bar
    (250, 250, 250),  # 3 drop-down
    (160, 160, 160),  # 4 borders
    (215, 215, 215),  # 5 separators, icon column edge
    (109, 109, 109),  # 6 dark grey
    (0, 120, 215),    # 7 highlight
    (204, 228, 247),  # 8 pale highlight
    (33, 40, 48),     # 9 drawing area
    (44, 53, 63),     # 10 grid
    (0, 150, 136),    # 11 accent teal
    (255, 210, 64),   # 12 yellow
    (232, 76, 61),    # 13 red
    (110, 200, 90),   # 14 green
    (18, 22, 27),     # 15 shadow
]
(TEXT, WHITE, BAR, DROP, BORDER, SEP, DARK, HILITE, PALE, MODEL, GRID, ACCENT, YELLOW, RED,
 GREEN, SHADOW) = range(16)

MENU_W, MENU_H = 307, 175
BAR_H = 20
BAR_ITEMS = ["修改(M)", "窗口(W)", "帮助(H)"]
ADDIN_TITLE = "批打印"
DROP_ITEMS = [("批量打印...", "", "printer"), ("打印设置...", "", "gear"),
              ("图框识别", "", "frame"), None, ("关于...", "", "about")]
ITEM_H = 22


def menu_chars():
    chars = set()
    for text in BAR_ITEMS + [ADDIN_TITLE]:
        chars |= set(text)
    for item in DROP_ITEMS:
        if item:
            chars |= set(item[0] + item[1])
    return "".join(sorted(chars))


class Pixels:
    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.p = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.p[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        """Fills x0 <= x < x1, y0 <= y < y1."""
        for y in range(max(0, y0), min(self.h, y1)):
            row = self.p[y]
            for x in range(max(0, x0), min(self.w, x1)):
                row[x] = c

    def frame(self, x0, y0, x1, y1, c):
        self.rect(x0, y0, x1, y0 + 1, c)
        self.rect(x0, y1 - 1, x1, y1, c)
        self.rect(x0, y0, x0 + 1, y1, c)
        self.rect(x1 - 1, y0, x1, y1, c)

    def line(self, x0, y0, x1, y1, c, dash=None):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err, n = dx + dy, 0
        while True:
            if dash is None or (n % sum(dash)) < dash[0]:
                self.set(x0, y0, c)
            n += 1
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def circle(self, cx, cy, r, c):
        # Midpoint circle, outline only.
        x, y, d = r, 0, 1 - r
        while x >= y:
            for px, py in ((x, y), (y, x), (-y, x), (-x, y), (-x, -y), (-y, -x), (y, -x), (x, -y)):
                self.set(cx + px, cy + py, c)
            y += 1
            if d < 0:
                d += 2 * y + 1
            else:
                x -= 1
                d += 2 * (y - x) + 1

    def sprite(self, x, y, art, colours):
        for j, line in enumerate(art):
            for i, ch in enumerate(line):
                if ch in colours:
                    self.set(x + i, y + j, colours[ch])


def text_width(glyphs, text):
    return sum(glyphs[ch][0] for ch in text)


def draw_text(pix, glyphs, x, baseline, text, colour, underline=None):
    """Draws text; underline names the character (the access key) to underline."""
    for ch in text:
        adv, bx, by, w, h, rows = glyphs[ch]
        for j in range(h):
            for i in range(w):
                if rows[j][i]:
                    pix.set(x + bx + i, baseline - by + j, colour)
        if underline is not None and ch == underline:
            pix.rect(x, baseline + 2, x + adv, baseline + 3, colour)
        x += adv
    return x


def split_key(label):
    """'修改(M)' -> ('修改(M)', 'M'): the letter in brackets is the access key."""
    if label.endswith(")") and "(" in label:
        return label, label[-2]
    return label, None


ICONS = {
    "printer": [
        "....oooooooo....",
        "....owwwwwwo....",
        "....owwwwwwo....",
        "..oooooooooooo..",
        ".oddddddddddddo.",
        ".oddddddddddtdo.",
        ".oddddddddddddo.",
        ".oddddddddddddo.",
        ".oddoooooooodo..",
        ".oddowwwwwwodo..",
        "..ooowtttwwooo..",
        "....owwwwwwo....",
        "....owtttttwo...",
        "....owwwwwwwo...",
        "....oooooooo....",
        "................",
    ],
    "frame": [
        "................",
        ".ttttt....ttttt.",
        ".t............t.",
        ".t............t.",
        ".t..oooooooo..t.",
        ".t..o......o..t.",
        "....o.tttt.o....",
        "....o.t..t.o....",
        "....o.tttt.o....",
        "....o...oooo....",
        ".t..o...o..o..t.",
        ".t..oooooooo..t.",
        ".t............t.",
        ".ttttt....ttttt.",
        "................",
        "................",
    ],
    "about": [
        "................",
        ".....oooooo.....",
        "...oottttttoo...",
        "..ottttwwtttto..",
        "..otttttwwtttto.",
        ".otttttttttttto.",
        ".otttttwwwtttto.",
        ".ottttttwwtttto.",
        ".ottttttwwtttto.",
        ".ottttttwwtttto.",
        "..otttttwwttto..",
        "..ottttwwwwtto..",
        "...oottttttoo...",
        ".....oooooo.....",
        "................",
        "................",
    ],
}


def _sliders():
    """The settings icon: three sliders with their knobs at different places."""
    art = [["."] * 16 for _ in range(16)]
    for y, knob in ((3, 3), (8, 9), (13, 5)):
        for x in range(1, 15):
            art[y][x] = "d"
        for j in range(y - 2, y + 3):
            for i in range(knob, knob + 4):
                edge = j in (y - 2, y + 2) or i in (knob, knob + 3)
                art[j][i] = "o" if edge else "t"
    return ["".join(row) for row in art]


ICONS["gear"] = _sliders()


def draw_model(pix):
    """The drawing behind the menu: grid, a sheet frame with title block, some parts."""
    pix.rect(0, BAR_H, MENU_W, MENU_H, MODEL)
    for x in range(6, MENU_W, 20):
        for y in range(BAR_H + 8, MENU_H, 20):
            pix.set(x, y, GRID)
            pix.set(x + 1, y, GRID)
            pix.set(x, y + 1, GRID)
            pix.set(x + 1, y + 1, GRID)
    # A drawing frame with its title block (what the add-in finds and plots).
    fx0, fy0, fx1, fy1 = 14, 38, 296, 162
    pix.frame(fx0, fy0, fx1, fy1, WHITE)
    pix.frame(fx0 + 5, fy0 + 5, fx1 - 5, fy1 - 5, WHITE)
    tx0, ty0 = fx1 - 88, fy1 - 27
    pix.frame(tx0, ty0, fx1 - 5, fy1 - 5, WHITE)
    pix.rect(tx0, ty0 + 7, fx1 - 5, ty0 + 8, WHITE)
    pix.rect(tx0 + 30, ty0, tx0 + 31, fy1 - 5, WHITE)
    pix.rect(tx0 + 60, ty0 + 7, tx0 + 61, fy1 - 5, WHITE)
    # Lettering in the title block, too small to read, as on a zoomed-out drawing.
    for x0, x1, y in ((tx0 + 4, tx0 + 26, ty0 + 3), (tx0 + 35, tx0 + 78, ty0 + 3),
                      (tx0 + 4, tx0 + 22, ty0 + 13), (tx0 + 35, tx0 + 52, ty0 + 13),
                      (tx0 + 65, tx0 + 78, ty0 + 13)):
        pix.rect(x0, y, x1, y + 2, DARK)
    # A flange in plan: outline, bore, bolt holes and centre lines.
    cx, cy = 78, 108
    pix.circle(cx, cy, 30, YELLOW)
    pix.circle(cx, cy, 12, YELLOW)
    for k in range(6):
        a = math.radians(30 + 60 * k)
        pix.circle(int(round(cx + 21 * math.cos(a))), int(round(cy + 21 * math.sin(a))), 3, ACCENT)
    pix.line(cx - 36, cy, cx + 36, cy, RED, dash=(6, 2, 1, 2))
    pix.line(cx, cy - 36, cx, cy + 36, RED, dash=(6, 2, 1, 2))
    # A side view of the same part.
    pix.frame(128, 84, 150, 133, YELLOW)
    pix.frame(150, 96, 162, 121, YELLOW)
    pix.line(122, 108, 168, 108, RED, dash=(6, 2, 1, 2))
    pix.line(128, 96, 150, 96, GRID)
    pix.line(128, 121, 150, 121, GRID)
    # A dimension above the side view.
    pix.line(128, 76, 162, 76, GREEN)
    pix.line(128, 73, 128, 82, GREEN)
    pix.line(162, 73, 162, 82, GREEN)
    for d in range(1, 4):
        pix.line(128 + d, 76 - d + 1, 128 + d, 76 + d - 1, GREEN)
        pix.line(162 - d, 76 - d + 1, 162 - d, 76 + d - 1, GREEN)
    # The coordinate-system icon in the lower left corner.
    ox, oy = 28, 150
    pix.line(ox, oy, ox + 22, oy, RED)
    pix.line(ox, oy - 1, ox + 22, oy - 1, RED)
    pix.line(ox, oy, ox, oy - 22, GREEN)
    pix.line(ox + 1, oy, ox + 1, oy - 22, GREEN)
    for d in range(1, 4):
        pix.line(ox + 22 - d, oy - d, ox + 22 - d, oy + d - 1, RED)
        pix.line(ox - d + 1, oy - 22 + d, ox + d, oy - 22 + d, GREEN)
    pix.rect(ox - 2, oy - 3, ox + 4, oy + 3, WHITE)
    pix.rect(ox - 1, oy - 2, ox + 3, oy + 2, MODEL)


def render_menu(glyphs):
    pix = Pixels(MENU_W, MENU_H, BAR)
    draw_model(pix)

    # The menu bar.
    pix.rect(0, 0, MENU_W, BAR_H, BAR)
    baseline = 14
    x = 2
    for label in BAR_ITEMS:
        text, key = split_key(label)
        w = text_width(glyphs, text) + 14
        draw_text(pix, glyphs, x + 7, baseline, text, TEXT, key)
        x += w
    # The add-in's title, open.
    tw = text_width(glyphs, ADDIN_TITLE) + 16
    tx0, tx1 = x, x + tw
    pix.rect(tx0, 1, tx1, BAR_H, PALE)
    pix.frame(tx0, 1, tx1, BAR_H + 1, HILITE)
    draw_text(pix, glyphs, tx0 + 8, baseline, ADDIN_TITLE, TEXT)

    # The window buttons of the maximised drawing at the far right of the bar.
    bx = MENU_W - 3 * 17 - 3
    for k, kind in enumerate(("min", "restore", "close")):
        x0 = bx + k * 17
        pix.rect(x0, 3, x0 + 16, 17, BAR)
        pix.frame(x0, 3, x0 + 16, 17, SEP)
        cxm, cym = x0 + 8, 10
        if kind == "min":
            pix.rect(cxm - 3, cym + 2, cxm + 3, cym + 3, TEXT)
        elif kind == "restore":
            pix.frame(cxm - 3, cym - 1, cxm + 3, cym + 4, TEXT)
            pix.rect(cxm - 1, cym - 3, cxm + 5, cym - 2, TEXT)
            pix.rect(cxm + 4, cym - 3, cxm + 5, cym + 2, TEXT)
        else:
            for d in range(-3, 4):
                pix.set(cxm + d, cym + d, TEXT)
                pix.set(cxm + d, cym - d, TEXT)
    pix.rect(0, BAR_H - 1, MENU_W, BAR_H, SEP)

    # The drop-down, aligned under its title.
    label_w = max(text_width(glyphs, it[0]) for it in DROP_ITEMS if it)
    key_w = max(text_width(glyphs, it[1]) for it in DROP_ITEMS if it)
    dw = 28 + label_w + 14 + key_w + 10
    dh = 4 + sum(ITEM_H if it else 7 for it in DROP_ITEMS) + 2
    dx0, dy0 = tx0, BAR_H
    dx1, dy1 = dx0 + dw, dy0 + dh
    # Shadow on the drawing, then the menu.
    pix.rect(dx0 + 4, dy1, dx1 + 4, dy1 + 4, SHADOW)
    pix.rect(dx1, dy0 + 4, dx1 + 4, dy1 + 4, SHADOW)
    pix.rect(dx0, dy0, dx1, dy1, DROP)
    pix.frame(dx0, dy0, dx1, dy1, BORDER)
    pix.rect(dx0 + 1, dy0, tx1 - 1, dy0 + 1, PALE)  # the title and its menu join
    pix.rect(dx0 + 26, dy0 + 2, dx0 + 27, dy1 - 2, SEP)

    icon_colours = {"o": DARK, "w": WHITE, "d": BORDER, "t": ACCENT}
    y = dy0 + 3
    for k, item in enumerate(DROP_ITEMS):
        if item is None:
            pix.rect(dx0 + 30, y + 3, dx1 - 3, y + 4, SEP)
            y += 7
            continue
        label, keys, icon = item
        hot = k == 0
        if hot:
            pix.rect(dx0 + 3, y, dx1 - 3, y + ITEM_H, PALE)
            pix.frame(dx0 + 3, y, dx1 - 3, y + ITEM_H, HILITE)
        pix.sprite(dx0 + 6, y + 3, ICONS[icon], icon_colours)
        base = y + 15
        draw_text(pix, glyphs, dx0 + 34, base, label, TEXT)
        if keys:
            draw_text(pix, glyphs, dx1 - 10 - text_width(glyphs, keys), base, keys, DARK)
        y += ITEM_H

    # The mouse pointer resting on the first item.
    pointer = [
        "k...........",
        "kk..........",
        "kwk.........",
        "kwwk........",
        "kwwwk.......",
        "kwwwwk......",
        "kwwwwwk.....",
        "kwwwwwwk....",
        "kwwwwwwwk...",
        "kwwwwwwwwk..",
        "kwwwwwkkkkk.",
        "kwwkwwk.....",
        "kwk.kwwk....",
        "kk..kwwk....",
        "k....kwwk...",
        ".....kwwk...",
        "......kk....",
    ]
    hot_end = dx0 + 34 + text_width(glyphs, DROP_ITEMS[0][0])
    pix.sprite(hot_end, dy0 + 12, pointer, {"k": TEXT, "w": WHITE})
    return pix.p


# ---------------------------------------------------------------------------

def preview(path, rgb_rows, zoom, checker=False):
    h, w = len(rgb_rows), len(rgb_rows[0])
    out = []
    for y in range(h * zoom):
        line = []
        for x in range(w * zoom):
            px = rgb_rows[y // zoom][x // zoom]
            if len(px) == 4:
                a = px[3] / 255.0
                if checker:
                    bg = (204, 204, 204) if ((x // 8) + (y // 8)) % 2 else (255, 255, 255)
                else:
                    bg = DIALOG_BACK
                px = tuple(int(round(px[i] * a + bg[i] * (1 - a))) for i in range(3))
            line.append(px)
        out.append(line)
    with open(path, "wb") as f:
        f.write(png_bytes(w * zoom, h * zoom, out))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("outdir")
    parser.add_argument("--font", help="re-extract glyphs12.txt from this font first")
    parser.add_argument("--preview", help="also write enlarged PNG views into this folder")
    args = parser.parse_args()
    os.makedirs(args.outdir, exist_ok=True)

    if args.font:
        save_glyphs(read_strike(args.font, menu_chars(), GLYPH_PPEM), GLYPH_FILE)
    glyphs = load_glyphs(GLYPH_FILE)
    missing = [ch for ch in menu_chars() if ch not in glyphs]
    if missing:
        sys.exit("glyphs12.txt lacks %s; run again with --font" % "".join(missing))

    def write(name, data):
        with open(os.path.join(args.outdir, name), "wb") as f:
            f.write(data)

    logo = render_logo()
    write("logo.bmp", bmp_bytes(64, 64, 24, logo))

    menu = render_menu(glyphs)
    write("menu.bmp", bmp_bytes(MENU_W, MENU_H, 4, menu, MENU_PALETTE))

    sizes = (48, 32, 16)
    rgba = {s: render_icon_rgba(s) for s in sizes}
    opaque = {s: masked(rgba[s]) for s in sizes}
    pal4 = build_palette([opaque[s][0] for s in sizes], 16)
    pal8 = build_palette([opaque[s][0] for s in sizes], 256)
    images = []
    for bpp, pal in ((4, pal4), (8, pal8)):
        for s in sizes:
            rows, mask = opaque[s]
            images.append((s, bpp, index_image(rows, pal), pal, mask))
    for s in sizes:
        mask = [[1 if px[3] == 0 else 0 for px in row] for row in rgba[s]]
        images.append((s, 32, rgba[s], None, mask))
    write("app.ico", ico_bytes(images))

    rows, mask = opaque[32]
    write("small.ico", ico_bytes([(32, 4, index_image(rows, pal4), pal4, mask)]))

    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        preview(os.path.join(args.preview, "logo.png"), logo, 4)
        preview(os.path.join(args.preview, "menu.png"), [[MENU_PALETTE[c] for c in row]
                                                         for row in menu], 3)
        for s, bpp, pixels, pal, mask in images:
            if bpp == 32:
                rows = pixels
            else:
                rows = [[pal[c] + ((0,) if m else (255,)) for c, m in zip(row, mrow)]
                        for row, mrow in zip(pixels, mask)]
            preview(os.path.join(args.preview, "icon%d_%d.png" % (s, bpp)), rows, 192 // s)


if __name__ == "__main__":
    main()
