#!/usr/bin/env python3
"""Draws the CIE 1931 chromaticity diagram that the "CIE" page shows behind
its point: resources/images/cie1931.svg.

The picture spans exactly x 0..0.8 (left to right) and y 0..0.9 (bottom to
top), because the page stretches it over the plot and maps those ranges to
the widget's edges. Inside the spectral locus each pixel is filled with the
sRGB colour of its chromaticity at the brightest luminance sRGB can show;
the locus is outlined and marked with wavelengths, and a light grid is
drawn every 0.1.

Spectral locus: chromaticity coordinates (x, y) of the CIE 1931 2-degree
standard observer at 5 nm steps, 380-700 nm (CIE 15:2004, Table T.4,
derived from the 1931 colour-matching functions; beyond 700 nm the locus
stays at 700 nm's point to four decimals).

Run: python3 scripts/cie1931_svg.py > resources/images/cie1931.svg
"""
import base64
import struct
import sys
import zlib

LOCUS = [
    (380, 0.1741, 0.0050), (385, 0.1740, 0.0050), (390, 0.1738, 0.0049), (395, 0.1736, 0.0049),
    (400, 0.1733, 0.0048), (405, 0.1730, 0.0048), (410, 0.1726, 0.0048), (415, 0.1721, 0.0048),
    (420, 0.1714, 0.0051), (425, 0.1703, 0.0058), (430, 0.1689, 0.0069), (435, 0.1669, 0.0086),
    (440, 0.1644, 0.0109), (445, 0.1611, 0.0138), (450, 0.1566, 0.0177), (455, 0.1510, 0.0227),
    (460, 0.1440, 0.0297), (465, 0.1355, 0.0399), (470, 0.1241, 0.0578), (475, 0.1096, 0.0868),
    (480, 0.0913, 0.1327), (485, 0.0687, 0.2007), (490, 0.0454, 0.2950), (495, 0.0235, 0.4127),
    (500, 0.0082, 0.5384), (505, 0.0039, 0.6548), (510, 0.0139, 0.7502), (515, 0.0389, 0.8120),
    (520, 0.0743, 0.8338), (525, 0.1142, 0.8262), (530, 0.1547, 0.8059), (535, 0.1929, 0.7816),
    (540, 0.2296, 0.7543), (545, 0.2658, 0.7243), (550, 0.3016, 0.6923), (555, 0.3373, 0.6589),
    (560, 0.3731, 0.6245), (565, 0.4087, 0.5896), (570, 0.4441, 0.5547), (575, 0.4788, 0.5202),
    (580, 0.5125, 0.4866), (585, 0.5448, 0.4544), (590, 0.5752, 0.4242), (595, 0.6029, 0.3965),
    (600, 0.6270, 0.3725), (605, 0.6482, 0.3514), (610, 0.6658, 0.3340), (615, 0.6801, 0.3197),
    (620, 0.6915, 0.3083), (625, 0.7006, 0.2993), (630, 0.7079, 0.2920), (635, 0.7140, 0.2859),
    (640, 0.7190, 0.2809), (645, 0.7230, 0.2770), (650, 0.7260, 0.2740), (655, 0.7283, 0.2717),
    (660, 0.7300, 0.2700), (665, 0.7311, 0.2689), (670, 0.7320, 0.2680), (675, 0.7327, 0.2673),
    (680, 0.7334, 0.2666), (685, 0.7340, 0.2660), (690, 0.7344, 0.2656), (695, 0.7346, 0.2654),
    (700, 0.7347, 0.2653),
]

W, H = 800, 900          # picture units: 1000 per chromaticity unit
SCALE = 2                # raster pixels per picture unit (0.5 per unit)
RW, RH = W // SCALE, H // SCALE


def to_picture(x, y):
    return x * 1000.0, H - y * 1000.0


def inside(px, py, poly):
    hit = False
    n = len(poly)
    for i in range(n):
        x1, y1 = poly[i]
        x2, y2 = poly[(i + 1) % n]
        if (y1 > py) != (y2 > py):
            xc = x1 + (py - y1) * (x2 - x1) / (y2 - y1)
            if px < xc:
                hit = not hit
    return hit


def srgb(x, y):
    # xyY (Y = 1) to XYZ to linear sRGB, scaled to the brightest displayable
    # colour, then gamma-encoded.
    X, Y, Z = x / y, 1.0, (1.0 - x - y) / y
    r = 3.2406 * X - 1.5372 * Y - 0.4986 * Z
    g = -0.9689 * X + 1.8758 * Y + 0.0415 * Z
    b = 0.0557 * X - 0.2040 * Y + 1.0570 * Z
    lo = min(r, g, b)
    if lo < 0:  # out of gamut: desaturate towards white
        r, g, b = r - lo, g - lo, b - lo
    hi = max(r, g, b)
    r, g, b = r / hi, g / hi, b / hi

    def enc(c):
        c = 12.92 * c if c <= 0.0031308 else 1.055 * c ** (1 / 2.4) - 0.055
        return max(0, min(255, int(round(c * 255))))
    return enc(r), enc(g), enc(b)


def png(width, height, rows):
    raw = b"".join(b"\x00" + bytes(row) for row in rows)

    def chunk(kind, data):
        c = struct.pack(">I", len(data)) + kind + data
        return c + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    xy = [(x, y) for _, x, y in LOCUS]
    rows = []
    for j in range(RH):
        row = []
        y = (H - (j + 0.5) * SCALE) / 1000.0
        for i in range(RW):
            x = (i + 0.5) * SCALE / 1000.0
            if y > 0 and inside(x, y, xy):
                row += list(srgb(x, y)) + [255]
            else:
                row += [0, 0, 0, 0]
        rows.append(row)
    image = base64.b64encode(png(RW, RH, rows)).decode("ascii")

    out = []
    out.append('<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
               f'width="{W}" height="{H}" viewBox="0 0 {W} {H}">')
    out.append(f'<rect x="0" y="0" width="{W}" height="{H}" fill="#ffffff"/>')
    for k in range(1, 9):
        out.append(f'<line x1="{k * 100}" y1="0" x2="{k * 100}" y2="{H}" stroke="#d0d0d0" stroke-width="1"/>')
    for k in range(1, 9):
        out.append(f'<line x1="0" y1="{H - k * 100}" x2="{W}" y2="{H - k * 100}" stroke="#d0d0d0" stroke-width="1"/>')
    out.append(f'<image x="0" y="0" width="{W}" height="{H}" xlink:href="data:image/png;base64,{image}"/>')
    path = " ".join(("M" if n == 0 else "L") + "%.2f,%.2f" % to_picture(x, y) for n, (x, y) in enumerate(xy))
    out.append(f'<path d="{path} Z" fill="none" stroke="#303030" stroke-width="2"/>')
    for nm, x, y in LOCUS:
        if nm in (460, 470, 480, 490, 500, 510, 520, 540, 560, 580, 600, 620, 700):
            px, py = to_picture(x, y)
            dx = -38 if 0.05 <= x < 0.2 else 8
            out.append(f'<circle cx="{px:.2f}" cy="{py:.2f}" r="3" fill="#303030"/>')
            out.append(f'<text x="{px + dx:.2f}" y="{py + 4:.2f}" font-family="DejaVu Sans" font-size="14" '
                       f'fill="#303030">{nm}</text>')
    for k in range(1, 8):
        out.append(f'<text x="{k * 100 + 3}" y="{H - 4}" font-family="DejaVu Sans" font-size="13" '
                   f'fill="#707070">0.{k}</text>')
    for k in range(1, 9):
        out.append(f'<text x="3" y="{H - k * 100 - 4}" font-family="DejaVu Sans" font-size="13" '
                   f'fill="#707070">0.{k}</text>')
    out.append('</svg>')
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
