#!/usr/bin/python3
"""Writes seed inputs for frf_fuzz: the public sample templates of the earlier engine and small
version-24 and -25 streams built here field by field (dialog page, add-ins, dictionary)."""
import glob
import os
import shutil
import struct
import sys

out = sys.argv[1]
root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
os.makedirs(out, exist_ok=True)
for path in sorted(glob.glob(os.path.join(root, "tests/data/frf-samples/**/*.[fF][rR][fF]"), recursive=True)):
    shutil.copy(path, os.path.join(out, os.path.relpath(path, root).replace("/", "_")))


def s16(text):
    b = text.encode("cp1250")
    return struct.pack("<H", len(b)) + b + b"\0"


def memo16(lines):
    if not lines:
        return b"\0\0\0"
    out = struct.pack("<H", len(lines))
    for i, line in enumerate(lines):
        out += struct.pack("<H", len(line)) + line.encode("cp1250") + (b"\r" if i + 1 < len(lines) else b"\0")
    return out


def page(dialog=False, name="Page1", script=None):
    b = b"\xff"
    if script:
        b += struct.pack("<i", -1)
    b += struct.pack("<iii", 9, 2100, 2970) + struct.pack("<iiii", 36, 18, 36, 18) + b"\0"
    b += struct.pack("<i", 65535) + struct.pack("<HH", 0, 0xFFFF) + struct.pack("<ii", 1, 0)
    b += bytes([1 if dialog else 0]) + s16(name) + b"\3" + s16("Form") + struct.pack("<I", 0x8000000F)
    b += struct.pack("<iiii", 220, 120, 380, 300) + b"\0"
    if script:
        b += memo16(script)
    return b


def common(name, x, y, w, h, frame_type=0, flags=0, fmt=0x22C, fmt_str="", memo=(), script=()):
    b = s16(name) + b"\2\1" + struct.pack("<iiii", x, y, w, h) + struct.pack("<HH", flags, frame_type)
    b += struct.pack("<iIHII", 1, 0, 0, 0x1FFFFFFF, fmt) + s16(fmt_str) + memo16(list(memo))
    b += memo16(list(script)) + struct.pack("<H", 0xFFFF) + struct.pack("<H", 0) + s16("") + struct.pack("<ii", 2, 1)
    return b + b"\0"


def record(data, typ, page_index=0, class_name=None):
    head = bytes([typ]) + (s16(class_name) if class_name else b"") + bytes([page_index])
    start = len(data) + len(head) + 4
    return lambda body: head + struct.pack("<i", start + len(body)) + body


def memo_part():
    return s16("Arial") + struct.pack("<iHIiH", 10, 2, 0, 10, 238) + struct.pack("<HII", 0, 0, 0x1FFFFFFF) + s16("") + \
        struct.pack("<ii", 2, 0)


def build(version, extra_tail=b""):
    data = bytes([version]) + struct.pack("<HH", 0, 1) + s16("\x01")
    data += page(script=["begin", "  Visible := [A] > 1;", "end"]) + page(True, "Dialog")
    parts = [
        (2, 0, None, common("Band1", 0, 40, 752, 60, frame_type=5, flags=1, fmt_str="Data") +
         s16("") + struct.pack("<iiii", 1, 200, 20, 1) + s16("")),
        (0, 0, None, common("Memo1", 40, 50, 200, 20, memo=["[Cena #N#,##0.00]", "Příliš"],
                            script=["if [A] = 1 then Visible := False else Visible := True"]) + memo_part()),
        (10, 0, "TfrShapeView", common("Shape1", 300, 50, 40, 20) + b"\2"),
        (10, 0, "TfrBarCodeView", common("Bar1", 360, 50, 90, 20, memo=["[Kod]"]) +
         b"\1\1\0\x0e" + struct.pack("<idd", 2, 2.0, 90.0)),
        (10, 0, "TfrRichView", None),
        (10, 1, "TfrEditControl", common("Edit1", 10, 10, 100, 21) + struct.pack("<IB", 0x80000005, 1) + s16("Tahoma") +
         struct.pack("<iHIH", 8, 0, 0, 238) + s16("text") + b"\0"),
    ]
    for typ, page_index, class_name, body in parts:
        if body is None:
            rtf = b"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Hello \\b [X]\\b0\\par}"
            make = record(data, typ, page_index, class_name)
            prefix = common("Rich1", 40, 80, 300, 30)
            tentative = make(prefix + b"\1" + b"\0\0\0\0" + rtf)
            end_pos = len(data) + len(tentative)
            data += make(prefix + b"\1" + struct.pack("<i", end_pos) + rtf)
            continue
        data += record(data, typ, page_index, class_name)(body)
    data += b"\xfe" + struct.pack("<H", 0xFFFE) + struct.pack("<i", 2) + s16(" Kategorie") + s16("") + s16("A") + \
        s16("Data.\"A\"") + struct.pack("<ii", 0, 0)
    return data + extra_tail


with open(os.path.join(out, "built-v24.frf"), "wb") as f:
    f.write(build(24))
info = b"\xfc" + b"".join(struct.pack("<H", len(t)) + t for t in [b"note", b"name", b"me", b"1", b"0", b"0", b"1", b""])
with open(os.path.join(out, "built-v25.frf"), "wb") as f:
    f.write(build(25, info + b"\x58\0" + struct.pack("<dd", 45000.0, 45001.5)))
