#!/usr/bin/python3
"""Writes seed inputs for dbf_fuzz: small hand-built tables of each dialect with memos."""
import os
import struct
import sys


def table(version, driver, fields, records, header_tail=b"", level7_name=None):
    reclen = 1 + sum(f[2] for f in fields)
    if level7_name is not None:
        hlen = 68 + 48 * len(fields) + 1
    else:
        hlen = 32 + 32 * len(fields) + 1
    h = bytearray(32)
    h[0] = version
    h[1:4] = bytes([124, 1, 2])
    struct.pack_into("<IHH", h, 4, len(records), hlen, reclen)
    h[29] = driver
    if level7_name is not None:
        h += level7_name.ljust(32, b"\0") + b"\0" * 4
    for name, typ, length, dec in fields:
        if level7_name is not None:
            d = bytearray(48)
            d[0:len(name)] = name
            d[32] = ord(typ)
            d[33] = length
            d[34] = dec
            if typ == "+":
                struct.pack_into("<I", d, 42, len(records) + 1)
        else:
            d = bytearray(32)
            d[0:len(name)] = name
            d[11] = ord(typ)
            d[16] = length
            d[17] = dec
        h += d
    h += b"\x0d"
    for r in records:
        h += r.ljust(reclen, b" ")
    return bytes(h) + b"\x1a"


def dbt4(memos):
    out = bytearray(512)
    body = bytearray()
    block = 1
    for m in memos:
        run = b"\xff\xff\x08\x00" + struct.pack("<I", len(m) + 8) + m
        run += b"\0" * (-len(run) % 512)
        body += run
        block += len(run) // 512
    struct.pack_into("<I", out, 0, block)
    struct.pack_into("<H", out, 20, 512)
    return bytes(out + body)


def dbt3(memos):
    out = bytearray(512)
    out[16] = 3
    body = bytearray()
    for m in memos:
        run = m + b"\x1a\x1a"
        run += b"\0" * (-len(run) % 512)
        body += run
    return bytes(out + body)


def fpt(memos):
    out = bytearray(512)
    body = bytearray()
    for m in memos:
        run = struct.pack(">II", 1, len(m)) + m
        run += b"\0" * (-len(run) % 64)
        body += run
    struct.pack_into(">I", out, 0, (512 + len(body)) // 64)
    struct.pack_into(">H", out, 6, 64)
    return bytes(out + body)


def pack(flags, dbf, memo=b"", mdx=b""):
    return bytes([flags]) + struct.pack("<HH", len(dbf), len(memo)) + dbf + memo + mdx


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    f3 = [(b"INDEX", "N", 11, 0), (b"TEXT", "C", 20, 0), (b"POPIS", "M", 10, 0)]
    rows = [b" " + b"1".rjust(11) + b"Dilna".ljust(20) + b"1".rjust(10),
            b"*" + b"2".rjust(11) + b"\x8elu\x9dou".ljust(20) + b"2".rjust(10)]
    seeds = {
        "dbase4": pack(0, table(0x8B, 0xC8, f3, rows), dbt4([b"first memo", b"x" * 700])),
        "dbase3": pack(0, table(0x83, 0x00, f3, rows), dbt3([b"first memo", b"second"])),
        "foxpro": pack(1, table(0xF5, 0x64, f3, rows), fpt([b"fox memo", b"another"])),
        "plain": pack(0, table(0x03, 0x1F, [(b"A", "N", 5, 2), (b"B", "L", 1, 0), (b"C", "D", 8, 0),
                                            (b"E", "F", 10, 3)],
                               [b"  1.50T20240101    -1.250", b"      ?        "])),
    }
    l7 = [(b"ID", "+", 4, 0), (b"NUM", "I", 4, 0), (b"VAL", "O", 8, 0), (b"TS", "@", 8, 0),
          (b"MEMO", "M", 10, 0)]
    l7rows = [b" " + struct.pack(">I", 1 ^ 0x80000000) + struct.pack(">I", (-5 & 0xFFFFFFFF) ^ 0x80000000)
              + b"\xc0\x79\x40\x00\x00\x00\x00\x00" + b"\x42\xcc\x41\x8b\xa9\x9a\x00\x00" + b"0000000001"]
    seeds["level7"] = pack(0, table(0x8C, 0, l7, l7rows, level7_name=b"DB852CZ0"), dbt4([b"qwe"]))
    for name, data in seeds.items():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1])
