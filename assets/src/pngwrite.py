"""Tiny PNG writer (python3 standard library only).

write_rgb(path, width, height, rows) where rows is a list of bytearrays,
each 3*width bytes long (R, G, B per pixel).  No metadata is written, so
the same input always gives the same file.
"""
import struct
import zlib


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_rgb(path, width, height, rows):
    assert len(rows) == height
    raw = bytearray()
    for row in rows:
        assert len(row) == 3 * width
        raw.append(0)  # filter: none
        raw.extend(row)
    png = b"\x89PNG\r\n\x1a\n"
    png += _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += _chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += _chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)
