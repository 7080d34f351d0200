#!/usr/bin/python3
"""Writes dBASE III tables of the DOS program for the import tests, with the python dbf module.

    dostables.py TABLES.json

TABLES.json: {"dir": folder, "tables": [{"name": "POIST.DBF", "fields": "KOD N(5,0); NAZOV C(40)",
       "records": [[1, "Všeobecná"], ...], "deleted": [1]}]}
Texts are written in the Kamenický code page; dates are given as "YYYY-MM-DD".
"""
import datetime
import json
import os
import sys

import dbf

# The 44 letters of codes 128..171 of the Kamenický code page, in code order.
KAMENICKY = "ČüéďäĎŤčěĚĹÍľĺÄÁÉžŽôöÓůÚýÖÜŠĽÝŘťáíóúňŇŮÔšřŕŔ"
ENCODE = {ch: 128 + i for i, ch in enumerate(KAMENICKY)}


def kamenicky(text):
    out = bytearray()
    for ch in text:
        if ch in ENCODE:
            out.append(ENCODE[ch])
        elif ord(ch) < 128:
            out.append(ord(ch))
        else:
            raise ValueError("no Kamenický code for %r" % ch)
    # cp437 maps every byte to one character and back, so the table gets exactly these bytes.
    return bytes(out).decode("cp437")


def value(kind, v):
    if v is None:
        return None
    if kind == "C":
        return kamenicky(v)
    if kind == "D":
        return dbf.Date(datetime.date.fromisoformat(v))
    return v


def write(folder, table_data):
    path = os.path.join(folder, table_data["name"])
    table = dbf.Table(path, table_data["fields"], codepage="cp437", dbf_type="db3")
    table.open(mode=dbf.READ_WRITE)
    kinds = [table.field_info(name)[0] for name in table.field_names]
    kinds = [chr(k) if isinstance(k, int) else str(k) for k in kinds]
    for record in table_data.get("records", []):
        table.append(tuple(value(k, v) for k, v in zip(kinds, record)))
    for index in table_data.get("deleted", []):
        dbf.delete(table[index])
    table.close()


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        request = json.load(f)
    os.makedirs(request["dir"], exist_ok=True)
    for table in request["tables"]:
        write(request["dir"], table)


if __name__ == "__main__":
    main()
