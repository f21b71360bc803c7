#!/usr/bin/env python3
"""Draws the tallix icon and writes data/icons/tallix.ico (48, 32 and 16 pixels, each in
256 colours and in 32-bit colour) and the PNG files installed into the hicolor theme.
Run from the repository's top folder; needs only the standard library."""
import struct
import zlib

SUPER = 4  # supersampling per axis


def shapes(px, py):
    """Colour (r, g, b, a) of the artwork at a point of the unit square, or None."""
    def in_round_rect(x0, y0, x1, y1, r):
        if not (x0 <= px <= x1 and y0 <= py <= y1):
            return False
        cx = min(max(px, x0 + r), x1 - r)
        cy = min(max(py, y0 + r), y1 - r)
        return (px - cx) ** 2 + (py - cy) ** 2 <= r * r
    if not in_round_rect(0.06, 0.02, 0.94, 0.98, 0.12):
        return None
    if not in_round_rect(0.10, 0.06, 0.90, 0.94, 0.09):
        return (30, 42, 70, 255)          # rim
    if in_round_rect(0.17, 0.12, 0.83, 0.38, 0.04):
        # display with an orange "=" sign
        if 0.52 <= px <= 0.76 and (0.19 <= py <= 0.23 or 0.27 <= py <= 0.31):
            return (255, 128, 0, 255)
        return (214, 236, 214, 255)
    for row in range(3):
        for col in range(3):
            x0 = 0.17 + col * 0.23
            y0 = 0.45 + row * 0.165
            if in_round_rect(x0, y0, x0 + 0.19, y0 + 0.13, 0.03):
                if row == 2 and col == 2:
                    return (255, 128, 0, 255)
                return (236, 236, 240, 255)
    return (58, 78, 128, 255)              # body


def render(size):
    pixels = []
    n = size * SUPER
    for y in range(size):
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SUPER):
                for sx in range(SUPER):
                    c = shapes((x * SUPER + sx + 0.5) / n, (y * SUPER + sy + 0.5) / n)
                    if c:
                        acc[0] += c[0]; acc[1] += c[1]; acc[2] += c[2]; acc[3] += 255
            k = SUPER * SUPER
            a = acc[3] // k
            if a == 0:
                pixels.append((0, 0, 0, 0))
            else:
                pixels.append((acc[0] * 255 // acc[3], acc[1] * 255 // acc[3], acc[2] * 255 // acc[3], a))
    return pixels


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


def main():
    images = []
    for size in (48, 32, 16):
        pixels = render(size)
        images.append((size, 8, bmp_8(size, pixels)))
        images.append((size, 32, bmp_32(size, pixels)))
        with open(f"data/icons/tallix-{size}.png", "wb") as f:
            f.write(png(size, pixels))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, bpp, data in images:
        colours = 0  # 0 stands for 256 colours or more
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bpp, len(data), offset + len(body))
        body += data
    with open("data/icons/tallix.ico", "wb") as f:
        f.write(out + body)


if __name__ == "__main__":
    main()
