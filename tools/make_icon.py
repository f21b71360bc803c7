#!/usr/bin/env python3
"""Draws the tallix icon from the one description below (LAYERS) and writes, into the
folder given as its first argument:
- APP_ID.svg, the scalable icon;
- APP_ID-N.png for every size N of the hicolor theme (16 to 256 pixels);
- tallix.ico, the window's own icon: 48, 32 and 16 pixels, each in 256 colours and in
  32-bit colour.
The build runs it: make_icon.py OUT_FOLDER APP_ID. Needs only the standard library."""
import struct
import sys
import zlib

PNG_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
ICO_SIZES = (48, 32, 16)

RIM = (30, 42, 70)
BODY = (58, 78, 128)
DISPLAY = (214, 236, 214)
KEY = (236, 236, 240)
ORANGE = (255, 128, 0)


def _keys():
    for row in range(3):
        for col in range(3):
            x0 = 0.17 + col * 0.23
            y0 = 0.45 + row * 0.165
            yield (x0, y0, x0 + 0.19, y0 + 0.13, 0.03, ORANGE if row == col == 2 else KEY)


# The artwork on the unit square: rounded rectangles (left, top, right, bottom, corner
# radius, colour), each painted over the ones before it. A pocket calculator: a dark rim,
# a blue body, a green display with an orange "=" and a 3 x 3 keypad.
LAYERS = [
    (0.06, 0.02, 0.94, 0.98, 0.12, RIM),
    (0.10, 0.06, 0.90, 0.94, 0.09, BODY),
    (0.17, 0.12, 0.83, 0.38, 0.04, DISPLAY),
    (0.52, 0.19, 0.76, 0.23, 0.0, ORANGE),
    (0.52, 0.27, 0.76, 0.31, 0.0, ORANGE),
    *_keys(),
]


def inside(layer, px, py):
    x0, y0, x1, y1, r, _ = layer
    if not (x0 <= px <= x1 and y0 <= py <= y1):
        return False
    cx = min(max(px, x0 + r), x1 - r)
    cy = min(max(py, y0 + r), y1 - r)
    return (px - cx) ** 2 + (py - cy) ** 2 <= r * r


def render(size):
    """RGBA pixels, rows from the top, each the average of super x super samples."""
    sub = 4 if size <= 64 else 2
    n = size * sub
    pixels = []
    for y in range(size):
        sample_rows = []
        for sy in range(sub):
            py = (y * sub + sy + 0.5) / n
            # topmost first, only the layers this row of samples crosses
            sample_rows.append((py, [l for l in reversed(LAYERS) if l[1] <= py <= l[3]]))
        for x in range(size):
            r = g = b = hits = 0
            for py, layers in sample_rows:
                for sx in range(sub):
                    px = (x * sub + sx + 0.5) / n
                    for layer in layers:
                        if inside(layer, px, py):
                            c = layer[5]
                            r += c[0]; g += c[1]; b += c[2]; hits += 1
                            break
            if hits == 0:
                pixels.append((0, 0, 0, 0))
            else:
                pixels.append((r // hits, g // hits, b // hits, hits * 255 // (sub * sub)))
    return pixels


def svg():
    def num(v):
        return f"{v * 256:g}"
    shapes = []
    for x0, y0, x1, y1, r, c in LAYERS:
        corner = f' rx="{num(r)}"' if r else ""
        shapes.append(f'  <rect x="{num(x0)}" y="{num(y0)}" width="{num(x1 - x0)}" height="{num(y1 - y0)}"'
                      f'{corner} fill="#{c[0]:02x}{c[1]:02x}{c[2]:02x}"/>')
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">\n'
            + "\n".join(shapes) + "\n</svg>\n")


def mask_rows(size, pixels, opaque):
    stride = ((size + 31) // 32) * 4
    out = b""
    for y in reversed(range(size)):
        bits = bytearray(stride)
        for x in range(size):
            if not opaque(pixels[y * size + x]):
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bytes(bits)
    return out


def bmp_32(size, pixels):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b"".join(bytes((p[2], p[1], p[0], p[3])) for y in reversed(range(size))
                    for p in pixels[y * size:(y + 1) * size])
    return header + rows + mask_rows(size, pixels, lambda p: p[3] >= 128)


def palette_index(p):
    # a 6 x 7 x 6 colour cube: 252 entries
    r = round(p[0] / 51); g = round(p[1] / 42.5); b = round(p[2] / 51)
    return r * 42 + g * 6 + b


def bmp_8(size, pixels):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    palette = b""
    for i in range(256):
        if i < 252:
            r, g, b = i // 42, (i // 6) % 7, i % 6
            palette += bytes((min(255, round(b * 51)), min(255, round(g * 42.5)), min(255, round(r * 51)), 0))
        else:
            palette += b"\0\0\0\0"
    stride = (size + 3) // 4 * 4
    rows = b""
    for y in reversed(range(size)):
        row = bytes(palette_index(p) if p[3] >= 128 else 0 for p in pixels[y * size:(y + 1) * size])
        rows += row + b"\0" * (stride - size)
    return header + palette + rows + mask_rows(size, pixels, lambda p: p[3] >= 128)


def png(size, pixels):
    raw = b"".join(b"\0" + bytes(c for p in pixels[y * size:(y + 1) * size] for c in p) for y in range(size))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico(rendered):
    images = []
    for size in ICO_SIZES:
        images.append((size, 8, bmp_8(size, rendered[size])))
        images.append((size, 32, bmp_32(size, rendered[size])))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, bpp, data in images:
        colours = 0  # 0 stands for 256 colours or more
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bpp, len(data), offset + len(body))
        body += data
    return out + body


def main():
    out, app_id = sys.argv[1], sys.argv[2]
    rendered = {size: render(size) for size in PNG_SIZES}
    for size, pixels in rendered.items():
        with open(f"{out}/{app_id}-{size}.png", "wb") as f:
            f.write(png(size, pixels))
    with open(f"{out}/{app_id}.svg", "w", encoding="utf-8") as f:
        f.write(svg())
    with open(f"{out}/tallix.ico", "wb") as f:
        f.write(ico(rendered))


if __name__ == "__main__":
    main()
