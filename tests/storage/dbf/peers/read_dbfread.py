#!/usr/bin/python3
"""Reads a table with dbfread and prints {"live": [...], "deleted": [...]} as JSON; every
value is given as text so the test can compare it field by field."""
import json
import sys

from dbfread import DBF


def text(value):
    if value is None:
        return ""
    if isinstance(value, bool):
        return "T" if value else "F"
    if isinstance(value, float) and value.is_integer():
        return str(int(value))
    return str(value)


def rows(records):
    return [{name.upper(): text(v) for name, v in r.items()} for r in records]


table = DBF(sys.argv[1], load=True)
json.dump({"live": rows(table.records), "deleted": rows(table.deleted)}, sys.stdout, ensure_ascii=True)
