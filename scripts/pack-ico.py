#!/usr/bin/env python3
"""Packs square PNG images into one Windows icon file (.ico), or lists what an icon file holds.

    pack-ico.py OUTPUT.ico IMAGE.png...   write the icon, one entry per image, in the order given
    pack-ico.py --list FILE.ico           print the icon's directory and check every entry against its data

Every entry is 32-bit colour with alpha. Images above 128 pixels (the 256-pixel one) are stored as PNG:
Windows Vista and later read those, and they keep the file small. Smaller images are stored as classic
DIBs: a BITMAPINFOHEADER, bottom-up BGRA rows and the 1-bit AND mask that older readers use for
transparency.

Only the Python standard library is used, so the script runs on any build machine.
"""

import struct
import sys
import zlib

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
LARGEST_DIB = 128  # above this an entry is stored as PNG
ALPHA_CUTOFF = 128  # below this a pixel counts as transparent in the AND mask


class IconError(Exception):
    pass


def read_png(data):
    """Decodes an 8-bit, non-interlaced PNG into (width, height, RGBA bytes)."""
    if not data.startswith(PNG_SIGNATURE):
        raise IconError("not a PNG file")
    pos = len(PNG_SIGNATURE)
    header = None
    idat = []
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if len(body) != length:
            raise IconError("PNG chunk runs past the end of the file")
        stored_crc = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])[0]
        if zlib.crc32(kind + body) != stored_crc:
            raise IconError("PNG chunk %r has a bad checksum" % kind)
        pos += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
        elif kind == b"IEND":
            break
    if header is None or not idat:
        raise IconError("PNG without IHDR or IDAT")
    width, height, depth, colour, _compression, _filter, interlace = header
    channels = {0: 1, 2: 3, 4: 2, 6: 4}.get(colour)
    if depth != 8 or channels is None or interlace != 0:
        raise IconError("only 8-bit grey, RGB, grey+alpha and RGBA PNGs without interlacing are supported")
    raw = zlib.decompress(b"".join(idat))
    stride = width * channels
    if len(raw) != height * (stride + 1):
        raise IconError("PNG image data has the wrong length")
    pixels = bytearray(height * stride)
    previous = bytearray(stride)
    for y in range(height):
        filter_type = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        unfilter(filter_type, line, previous, channels)
        pixels[y * stride:(y + 1) * stride] = line
        previous = line
    return width, height, to_rgba(pixels, channels)


def unfilter(filter_type, line, previous, bpp):
    """Undoes one scanline's PNG filter in place."""
    if filter_type == 0:
        return
    for i in range(len(line)):
        left = line[i - bpp] if i >= bpp else 0
        up = previous[i]
        if filter_type == 1:
            predictor = left
        elif filter_type == 2:
            predictor = up
        elif filter_type == 3:
            predictor = (left + up) // 2
        elif filter_type == 4:
            upper_left = previous[i - bpp] if i >= bpp else 0
            estimate = left + up - upper_left
            pa, pb, pc = abs(estimate - left), abs(estimate - up), abs(estimate - upper_left)
            predictor = left if pa <= pb and pa <= pc else (up if pb <= pc else upper_left)
        else:
            raise IconError("unknown PNG filter type %d" % filter_type)
        line[i] = (line[i] + predictor) & 0xFF


def to_rgba(pixels, channels):
    if channels == 4:
        return bytes(pixels)
    out = bytearray()
    for i in range(0, len(pixels), channels):
        if channels == 1:
            out += bytes((pixels[i], pixels[i], pixels[i], 255))
        elif channels == 2:
            out += bytes((pixels[i], pixels[i], pixels[i], pixels[i + 1]))
        else:
            out += bytes((pixels[i], pixels[i + 1], pixels[i + 2], 255))
    return bytes(out)


def write_png(width, height, rgba):
    """Encodes RGBA pixels as a plain 8-bit RGBA PNG."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    stride = width * 4
    raw = b"".join(b"\x00" + rgba[y * stride:(y + 1) * stride] for y in range(height))
    return (PNG_SIGNATURE
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def png_is_rgba8(data):
    """True when the PNG is already 8-bit RGBA without interlacing, so it can go into the icon as it is."""
    width, height, depth, colour, _c, _f, interlace = struct.unpack(">IIBBBBB", data[16:29])
    return depth == 8 and colour == 6 and interlace == 0


def make_dib(width, height, rgba):
    """Builds a 32-bit DIB icon image: header, bottom-up BGRA rows, then the AND mask."""
    xor = bytearray()
    for y in reversed(range(height)):
        row = rgba[y * width * 4:(y + 1) * width * 4]
        for x in range(width):
            r, g, b, a = row[x * 4:x * 4 + 4]
            xor += bytes((b, g, r, a))
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(height)):
        line = bytearray(mask_stride)
        for x in range(width):
            if rgba[(y * width + x) * 4 + 3] < ALPHA_CUTOFF:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    # The header's height counts both halves, colour and mask, as icon DIBs do.
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def pack(output, inputs):
    images = []
    for path in inputs:
        with open(path, "rb") as f:
            data = f.read()
        try:
            width, height, rgba = read_png(data)
        except IconError as e:
            raise IconError("%s: %s" % (path, e))
        if width != height or not 1 <= width <= 256:
            raise IconError("%s: icon images must be square and at most 256 pixels, this one is %dx%d"
                            % (path, width, height))
        if width > LARGEST_DIB:
            payload = data if png_is_rgba8(data) else write_png(width, height, rgba)
        else:
            payload = make_dib(width, height, rgba)
        images.append((width, payload))

    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, payload in images:
        # A size byte of 0 stands for 256.
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(payload), offset)
        offset += len(payload)
    with open(output, "wb") as f:
        f.write(directory)
        for _size, payload in images:
            f.write(payload)


def list_icon(path):
    """Prints one line per entry; raises IconError when the directory and the entries disagree."""
    with open(path, "rb") as f:
        data = f.read()
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    if reserved != 0 or kind != 1 or count == 0:
        raise IconError("%s: not an icon file" % path)
    for i in range(count):
        w, h, colours, _r, planes, bits, length, offset = struct.unpack("<BBBBHHII", data[6 + 16 * i:22 + 16 * i])
        w, h = w or 256, h or 256
        payload = data[offset:offset + length]
        if len(payload) != length:
            raise IconError("%s: entry %d runs past the end of the file" % (path, i))
        if payload.startswith(PNG_SIGNATURE):
            pw, ph, _rgba = read_png(payload)
            form = "PNG"
            if not png_is_rgba8(payload):
                raise IconError("%s: entry %d is a PNG without alpha" % (path, i))
        else:
            _hs, pw, ph2, _pl, pbits = struct.unpack("<IiiHH", payload[:16])
            ph = ph2 // 2
            form = "DIB"
            mask_stride = ((pw + 31) // 32) * 4
            if pbits != 32 or length != 40 + pw * ph * 4 + mask_stride * ph:
                raise IconError("%s: entry %d is not a 32-bit DIB with an AND mask" % (path, i))
        if (pw, ph) != (w, h):
            raise IconError("%s: entry %d says %dx%d but holds %dx%d" % (path, i, w, h, pw, ph))
        print("%3dx%-3d %2d bits %s %6d bytes at %d" % (w, h, bits, form, length, offset))


def main(argv):
    try:
        if len(argv) == 3 and argv[1] == "--list":
            list_icon(argv[2])
        elif len(argv) >= 3 and not argv[1].startswith("-"):
            pack(argv[1], argv[2:])
        else:
            sys.stderr.write(__doc__)
            return 2
    except (IconError, OSError, struct.error, zlib.error) as e:
        sys.stderr.write("pack-ico: %s\n" % e)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
