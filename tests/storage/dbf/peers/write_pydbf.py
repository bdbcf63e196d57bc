#!/usr/bin/python3
"""Writes tables with the dbf package for the engine to read: a dBase III table and a
FoxPro table, both with memos, in the code page given on the command line.
Usage: write_pydbf.py FOLDER CODEPAGE"""
import datetime
import os
import sys

import dbf

folder, codepage = sys.argv[1], sys.argv[2]
long_memo = "Příliš žluťoučký kůň úpěl ďábelské ódy. " * 40
for kind in ("db3", "fp"):
    table = dbf.Table(os.path.join(folder, kind + ".dbf"),
                      "name C(20); num N(8,0); amount N(10,2); memo M; flag L; day D",
                      dbf_type=kind, codepage=codepage)
    table.open(mode=dbf.READ_WRITE)
    table.append(("Žluťoučký kůň", 5, 12.5, long_memo, True, datetime.date(2024, 5, 6)))
    table.append(("ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ", -7, None, "", False, None))
    table.append(("smazaný", 3, 1.25, "krátké", None, None))
    dbf.delete(table[2])
    table.close()

# Visual FoxPro: binary integers, currency and date-time fields beside text and memo.
table = dbf.Table(os.path.join(folder, "vfp.dbf"), "name C(20); stamp T; num I; price Y; memo M",
                  dbf_type="vfp", codepage=codepage)
table.open(mode=dbf.READ_WRITE)
table.append(("Měření hluku", datetime.datetime(2024, 5, 6, 7, 8, 9), -5, 12.5, long_memo))
table.append(("bez času", None, 0, 0, ""))
table.close()
