#!/usr/bin/env python3
"""Writes seed containers for the archive fuzz target into the folder given as argument.

Each seed is one option byte followed by a container built field by field."""
import os
import struct
import sys
import zlib


def short_string(text: bytes) -> bytes:
    return bytes([len(text)]) + text + bytes(255 - len(text))


def container(members, compressed_directory=True, level=9):
    data = b""
    directory = b""
    for name, content, path, stored in members:
        block = content if stored else zlib.compress(content, level)
        directory += short_string(name) + short_string(path)
        directory += struct.pack("<iiiIBBH", len(content), len(block), len(data),
                                 zlib.crc32(content), 1 if stored else 0, 0 if stored else 3, 0)
        data += block
    offset = len(data)
    block = zlib.compress(directory, level) if compressed_directory else directory
    body = data + block
    trailer = struct.pack("<IiiiiB15x", zlib.crc32(body), len(members), 1,
                          len(block) if compressed_directory else 0, offset,
                          1 if compressed_directory else 0)
    return body + trailer


table = b"Pracovi\x9at\xec 0001 0002 Sv\xe1\xf8e\xe8 " * 40
seeds = {
    "document": container([(b"Object.dbf", table, b"", False), (b"Object.dbt", b"", b"", True),
                           (b"Version.Inf", b"3\r\n", b"", True)]),
    "flat-directory": container([(b"Link.dbf", table, b"", False)], compressed_directory=False),
    "paths": container([(b"Worker.dbf", table[:300], b"\\Data\\Sub\\", False),
                        (b"x.txt", b"x", b"\\", True)]),
    "empty": container([]),
    "czech": container([(b"\x8elu\x9dou\xe8k\xfd.dbf", table, b"", False)], level=1),
    # Large members are written on a second thread: a few kilobytes that inflate to megabytes.
    "large": container([(b"Object.dbt", bytes(3 * 1024 * 1024 + 5), b"", False),
                        (b"Object.dbf", table * 100, b"", False)]),
}
out = sys.argv[1]
os.makedirs(out, exist_ok=True)
for name, body in seeds.items():
    for flags in (0, 2, 6, 7, 15):
        with open(os.path.join(out, f"{name}-{flags}"), "wb") as f:
            f.write(bytes([flags]) + body)
