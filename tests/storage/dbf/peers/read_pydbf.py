#!/usr/bin/python3
"""Reads a table with the dbf package and prints {"live": [...], "deleted": [...]} as JSON."""
import json
import sys

import dbf


def text(value):
    if value is None:
        return ""
    if isinstance(value, bool):
        return "T" if value else "F"
    if isinstance(value, float) and value.is_integer():
        return str(int(value))
    if isinstance(value, str):
        return value.rstrip()
    return str(value)


table = dbf.Table(sys.argv[1])
table.open(mode=dbf.READ_ONLY)
out = {"live": [], "deleted": [], "codepage": str(table.codepage)}
names = table.field_names
for record in table:
    row = {name.upper(): text(record[name]) for name in names}
    out["deleted" if dbf.is_deleted(record) else "live"].append(row)
table.close()
json.dump(out, sys.stdout, ensure_ascii=True)
