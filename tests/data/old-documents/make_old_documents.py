#!/usr/bin/env python3
"""Writes the old documents of this folder, and the dump each should give, without Ergotab.

The tables are written by Debian's python3-dbf (dBase III with .dbt memos, code page 852, no
index files); the container by the small writer below, field by field. The expected output
of `ergotab-cli dump` is worked out here from the same rows: the factor masks of versions 0
to 2 mapped to the thirteen current factors, head counts 0 and texts empty where the old
layout had none. Run once; the files it writes are kept in the repository:
    /usr/bin/python3 tests/data/old-documents/make_old_documents.py
"""
import json
import os
import struct
import tempfile
import zlib

import dbf

HERE = os.path.dirname(os.path.abspath(__file__))


# --- the container: data blocks, a zlib-compressed directory of 532-byte entries, a trailer


def short_string(text: bytes) -> bytes:
    return bytes([len(text)]) + text + bytes(255 - len(text))


def container(members):
    data = b""
    directory = b""
    for name, content in members:
        packed = zlib.compress(content, 9)
        stored = len(packed) >= len(content)
        block = content if stored else packed
        directory += short_string(name.encode("cp1250")) + bytes(256)
        directory += struct.pack("<iiiIBBH", len(content), len(block), len(data), zlib.crc32(content),
                                 1 if stored else 0, 0 if stored else 3, 0)
        data += block
    listing = zlib.compress(directory, 9)
    body = data + listing
    return body + struct.pack("<IiiiiB15x", zlib.crc32(body), len(members), 1, len(listing), len(data), 1)


# --- the rows

LONG_TEXT = ("Práce se svařovacím zdrojem, kontrola hořáku a kabelů před směnou. " * 12).strip()

# Index, UpLink, Type, Text, sixteen old factor masks (or thirteen for version 3), Pracov, Zen,
# Popis, Mereni, Opatreni; `deleted` rows are written and then marked deleted.
OBJECT_ROWS = [
    dict(index=1, uplink=0, type=0, text="Závod Žďár nad Sázavou"),
    dict(index=2, uplink=1, type=0, text="Svařovna"),
    dict(index=3, uplink=2, type=1, text="Svářeč - ruční obloukové svařování",
         fak=[1, 2, 4, 8, 3, 5, 6, 9, 2, 1, 2, 8, 1, 0, 4, 2], pracov=12, zen=1,
         popis="Svařování obalenou elektrodou.\r\nBroušení svarů.", mereni="Hluk LAeq,8h = 86 dB",
         opatreni=LONG_TEXT),
    dict(index=4, uplink=2, type=1, text="Lakýrník", fak=[0, 0, 2, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0],
         pracov=3, zen=0, popis="Stříkání barev v kabině.", mereni="", opatreni="Respirátor FFP3."),
    dict(index=9, uplink=1, type=0, text="Zrušená dílna", deleted=True),
    dict(index=5, uplink=1, type=0, text="Sklad a expedice ÚČŘ"),
    dict(index=6, uplink=5, type=1, text="Skladník", fak=[2] + [0] * 15, pracov=5, zen=2,
         popis="Obsluha vysokozdvižného vozíku.", mereni="", opatreni=""),
    dict(index=7, uplink=0, type=1, text="Samostatné hodnocení na nejvyšší úrovni"),
]

WORKER_ROWS = [
    (1, "0001", "Jan", "Novák", "Dlouhá 12", "Jihlava", "586 01", "01.02.1970", "700201/1234", 120, 0,
     "15.03.2004", 0, "svářeč"),
    (2, "0002", "Věra", "Dvořáková", "Krátká 3", "Třebíč", "674 01", "24.12.1981", "816224/0007", 5, 1,
     "", -1, "lakýrnice"),
]
LINK_ROWS = [(1, 3), (2, 4), (1, 6)]

WORKER_SPEC = ("Index N(11,0); PersNum C(10); FName C(20); LName C(20); Address C(50); City C(50); Zip C(6); "
               "BirthDate C(10); BirthNum C(11); RiskLen N(11,0); LenType N(11,0); ReviDate C(10); "
               "Result N(11,0); Profese C(30)")
WORKER_FIELDS = ["Index", "PersNum", "FName", "LName", "Address", "City", "Zip", "BirthDate", "BirthNum",
                 "RiskLen", "LenType", "ReviDate", "Result", "Profese"]
LINK_SPEC = "WIndex N(11,0); TIndex N(11,0)"
COUNTS_AND_TEXTS = "Pracov N(11,0); Zen N(11,0); Popis M; Mereni M; Opatreni M"


def object_spec(factors, with_counts):
    spec = "Index N(11,0); UpLink N(11,0); Type N(11,0); Text C(250); "
    spec += "; ".join(f"Fak{n:02d} N(11,0)" for n in range(1, factors + 1))
    return spec + ("; " + COUNTS_AND_TEXTS if with_counts else "")


def current_factors(old):
    """The thirteen current masks of a row with the sixteen masks of versions 0 to 2."""
    v = lambda n: old[n - 1]
    physical = v(11) | v(12) | v(13) | v(14)
    if physical >= 8:
        physical = (physical - 8) | 4
    return [v(5), v(6), v(3), v(4), v(9), physical, v(15), v(1), v(2), v(16), v(10), v(7), 1]


def object_values(row, version):
    old = row.get("fak", [0] * 16)
    factors = old[:13] if version == 3 else old
    values = [row["index"], row["uplink"], row["type"], row["text"]] + factors
    if version >= 1:
        values += [row.get("pracov", 0), row.get("zen", 0), row.get("popis", ""), row.get("mereni", ""),
                   row.get("opatreni", "")]
    return tuple(values)


def write_table(folder, name, spec, rows, deleted=()):
    table = dbf.Table(os.path.join(folder, name), spec, dbf_type="db3", codepage="cp852")
    table.open(dbf.READ_WRITE)
    for n, values in enumerate(rows):
        table.append(values)
        if n in deleted:
            dbf.delete(table[-1])
    table.close()


def write_document(path, version, with_worker=True):
    with tempfile.TemporaryDirectory() as folder:
        deleted = {n for n, row in enumerate(OBJECT_ROWS) if row.get("deleted")}
        write_table(folder, "Object.dbf", object_spec(13 if version == 3 else 16, version >= 1),
                    [object_values(row, version) for row in OBJECT_ROWS], deleted)
        names = ["Object.dbf"] + (["Object.dbt"] if version >= 1 else [])
        if with_worker:
            write_table(folder, "Worker.dbf", WORKER_SPEC, WORKER_ROWS)
            names.append("Worker.dbf")
        write_table(folder, "Link.dbf", LINK_SPEC, LINK_ROWS)
        names.append("Link.dbf")
        members = []
        for name in names:
            with open(os.path.join(folder, name), "rb") as f:
                members.append((name, f.read()))
        if version > 0:
            members.append(("Version.Inf", f"{version}\r\n".encode()))
    with open(path, "wb") as f:
        f.write(container(members))


# --- the dump expected of each: JSON as ergotab-cli writes it


def json_row(pairs):
    return "{" + ", ".join(json.dumps(k) + ": " + json.dumps(v, ensure_ascii=False) for k, v in pairs) + "}"


def json_table(name, rows):
    if not rows:
        return f'  "{name}": []'
    return f'  "{name}": [\n' + ",\n".join("    " + json_row(r) for r in rows) + "\n  ]"


def expected_dump(version, with_worker=True):
    objects = []
    for row in OBJECT_ROWS:
        if row.get("deleted"):
            continue
        old = row.get("fak", [0] * 16)
        factors = old[:13] if version == 3 else current_factors(old)
        pairs = [("Index", row["index"]), ("UpLink", row["uplink"]), ("Type", row["type"]), ("Text", row["text"])]
        pairs += [(f"Fak{n:02d}", factors[n - 1]) for n in range(1, 14)]
        pairs += [("Pracov", row.get("pracov", 0) if version >= 1 else 0),
                  ("Zen", row.get("zen", 0) if version >= 1 else 0)]
        pairs += [(m, row.get(m.lower(), "") if version >= 1 else "") for m in ("Popis", "Mereni", "Opatreni")]
        objects.append(pairs)
    workers = [list(zip(WORKER_FIELDS, row)) for row in WORKER_ROWS] if with_worker else []
    links = [[("WIndex", w), ("TIndex", t)] for w, t in LINK_ROWS]
    return ("{\n" + f'  "version": {version},\n' + json_table("Object", objects) + ",\n" +
            json_table("Worker", workers) + ",\n" + json_table("Link", links) + "\n}\n")


DOCUMENTS = [("version0.tvo", 0, True), ("version1.tvo", 1, True), ("version2.tvo", 2, True),
             ("version3-no-index-no-worker.tvo", 3, False)]

if __name__ == "__main__":
    for name, version, with_worker in DOCUMENTS:
        write_document(os.path.join(HERE, name), version, with_worker)
        with open(os.path.join(HERE, name[:-4] + ".json"), "w", encoding="utf-8", newline="\n") as f:
            f.write(expected_dump(version, with_worker))
