#!/usr/bin/env python3
"""Stores the larger images of icons as PNG.

Usage: ico_png.py KEEP_SIZES FILE.ico...   (KEEP_SIZES: comma-separated, e.g. 16,32)

Images of the sizes in KEEP_SIZES stay 256-color bitmaps, which every Windows reads; the
others become palette PNGs of at most 128 colors with the same one-bit transparency, about a
third of the size. Windows reads PNG icon images from Vista on.
"""
import struct
import sys
import zlib

# Colors of a PNG image: fewer than the bitmaps' 255, which saves a third of the bytes.
COLORS = 128


def read_entries(data):
    _, _, count = struct.unpack_from("<HHH", data, 0)
    entries = []
    for i in range(count):
        w, h, colors, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        entries.append(dict(w=w or 256, h=h or 256, colors=colors, planes=planes, bits=bits,
                            image=data[offset:offset + size]))
    return entries


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def filtered(rows, kind):
    """The rows as PNG scanlines with filter 0 (none) or 4 (Paeth) on each."""
    out = bytearray()
    previous = [0] * len(rows[0])
    for row in rows:
        out.append(kind)
        for x, value in enumerate(row):
            if kind == 4:
                left = row[x - 1] if x else 0
                upper_left = previous[x - 1] if x else 0
                value = (value - paeth(left, previous[x], upper_left)) % 256
            out.append(value)
        previous = row
    return bytes(out)


def fewer_colors(rows, palette, limit):
    """The rows with their colors cut down to at most limit by median cut: the group with the
    widest channel is halved at its median, counting each color by its pixels; each group
    takes its members' mean. Small pictures lose nothing the eye sees; the palette shrinks."""
    counts = {}
    for row in rows:
        for i in row:
            if i is not None:
                counts[palette[i]] = counts.get(palette[i], 0) + 1

    def extent(group, channel):
        return max(c[channel] for c in group) - min(c[channel] for c in group)

    groups = [sorted(counts)]
    while len(groups) < limit:
        widest = max(groups, key=lambda g: max(extent(g, k) for k in range(3)))
        channel = max(range(3), key=lambda k: extent(widest, k))
        if len(widest) < 2 or extent(widest, channel) == 0:
            break
        widest.sort(key=lambda c: c[channel])
        half, seen, cut = sum(counts[c] for c in widest) / 2, 0, 1
        for cut in range(1, len(widest)):
            seen += counts[widest[cut - 1]]
            if seen >= half:
                break
        at = groups.index(widest)
        groups[at:at + 1] = [widest[:cut], widest[cut:]]
    mean_of = {}
    for group in groups:
        weight = sum(counts[c] for c in group)
        mean = bytes(round(sum(c[k] * counts[c] for c in group) / weight) for k in range(3))
        for c in group:
            mean_of[c] = mean
    new_palette = sorted(set(mean_of.values()))
    index = {c: i for i, c in enumerate(new_palette)}
    return ([[None if i is None else index[mean_of[palette[i]]] for i in row] for row in rows],
            new_palette)


def chunk(kind, body):
    return (struct.pack(">I", len(body)) + kind + body +
            struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))


def bitmap_to_png(image):
    """A 256-color bitmap entry with its AND mask as a palette PNG with one transparent index."""
    if image[:8] == b"\x89PNG\r\n\x1a\n":
        return image
    header_size, width, double_height, _, bits = struct.unpack_from("<IiiHH", image, 0)
    if bits != 8:
        raise SystemExit("only 256-color bitmaps are converted")
    height = double_height // 2  # the color image, then the mask
    used = struct.unpack_from("<I", image, 32)[0] or 256
    palette = [bytes(image[header_size + 4 * i:header_size + 4 * i + 3][::-1]) for i in range(used)]
    pixels_at = header_size + 4 * used
    stride = (width + 3) & ~3
    mask_at = pixels_at + stride * height
    mask_stride = ((width + 31) // 32) * 4
    rows = []  # top first, None where the mask makes the pixel transparent
    for y in range(height - 1, -1, -1):
        colors = image[pixels_at + y * stride:pixels_at + y * stride + width]
        mask = image[mask_at + y * mask_stride:mask_at + (y + 1) * mask_stride]
        rows.append([None if mask[x // 8] & (0x80 >> (x % 8)) else colors[x]
                     for x in range(width)])

    rows, palette = fewer_colors(rows, palette, COLORS)

    # The palette holds only the colors in use, dark to light (which packs a little better),
    # after the transparent entry: index 0, so the transparency table is a single byte.
    def lightness(i):
        r, g, b = palette[i]
        return 30 * r + 59 * g + 11 * b, i

    in_use = sorted({i for row in rows for i in row if i is not None}, key=lightness)
    index = {old: new + 1 for new, old in enumerate(in_use)}
    rows = [[0 if i is None else index[i] for i in row] for row in rows]
    scanlines = min((filtered(rows, kind) for kind in (0, 4)),
                    key=lambda data: len(zlib.compress(data, 9)))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0)) +
            chunk(b"PLTE", b"\0\0\0" + b"".join(palette[i] for i in in_use)) +
            chunk(b"tRNS", b"\0") + chunk(b"IDAT", zlib.compress(scanlines, 9)) +
            chunk(b"IEND", b""))


def write_icon(path, entries):
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    images = b""
    for e in entries:
        out += struct.pack("<BBBBHHII", e["w"] % 256, e["h"] % 256, e["colors"], 0, e["planes"],
                           e["bits"], len(e["image"]), offset + len(images))
        images += e["image"]
    with open(path, "wb") as f:
        f.write(out + images)


def main():
    keep = {int(s) for s in sys.argv[1].split(",")}
    for path in sys.argv[2:]:
        with open(path, "rb") as f:
            entries = read_entries(f.read())
        for e in entries:
            if e["w"] not in keep:
                e["image"] = bitmap_to_png(e["image"])
        write_icon(path, entries)


main()
